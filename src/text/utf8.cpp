// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/utf8.h"

namespace moraku {

std::pair<qsizetype, qsizetype> InvalidUtf8(QByteArrayView bytes) {
  qsizetype first = -1;
  qsizetype count = 0;
  const qsizetype n = bytes.size();
  for (qsizetype i = 0; i < n;) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      if (c == 0xE0) low = 0xA0;
      if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      if (c == 0xF0) low = 0x90;
      if (c == 0xF4) high = 0x8F;
    }
    bool ok = length > 0 && i + length <= n;
    for (int k = 1; ok && k < length; ++k) {
      const auto t = static_cast<unsigned char>(bytes[i + k]);
      ok = k == 1 ? (t >= low && t <= high) : (t >= 0x80 && t <= 0xBF);
    }
    if (ok) {
      i += length;
    } else {
      if (first < 0) first = i;
      ++count;
      ++i;
    }
  }
  return {first, count};
}

}  // namespace moraku
