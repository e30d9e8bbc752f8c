// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a database write leaves beside its target while it runs.

#include <QDir>
#include <QFileInfoList>
#include <QString>
#include <algorithm>

namespace moraku::test {

// Size of the largest temporary copy of goc.db in `folder` (".goc.db.*"), or -1 when there is
// none.
inline qint64 LargestTemporaryDatabaseSize(const QString& folder) {
  qint64 size = -1;
  const QFileInfoList files = QDir(folder).entryInfoList({".goc.db.*"}, QDir::Files | QDir::Hidden);
  for (const QFileInfo& f : files) size = std::max(size, f.size());
  return size;
}

}  // namespace moraku::test
