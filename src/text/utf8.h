// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checking bytes for valid UTF-8.

#include <QByteArrayView>
#include <utility>

namespace moraku {

// The offset of the first byte of `bytes` that is not part of a valid UTF-8 sequence (no
// overlong forms, no surrogates, nothing above U+10FFFF) and the number of such bytes; -1 and 0
// for valid UTF-8.
std::pair<qsizetype, qsizetype> InvalidUtf8(QByteArrayView bytes);

}  // namespace moraku
