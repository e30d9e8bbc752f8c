// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the tests find the build's runtime folders and the repository's data.

#include <QString>

namespace moraku::test {

inline QString BuildDir() {
  return QStringLiteral(MORAKU_BUILD_DIR);
}
inline QString SourceDir() {
  return QStringLiteral(MORAKU_SOURCE_DIR);
}
inline QString Fld2Dir() {
  return BuildDir() + QStringLiteral("/fld2");
}
inline QString ShippedDatabase() {
  return BuildDir() + QStringLiteral("/fld1/goc.db");
}
inline QString DbTool() {
  return QStringLiteral(MORAKU_DB_TOOL);
}

}  // namespace moraku::test
