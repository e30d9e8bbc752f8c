// SPDX-License-Identifier: GPL-3.0-or-later
#include "joseki/stone_images.h"

#include "render/image_names.h"

namespace moraku {

namespace {
constexpr int kHighestNumber = 55;
}  // namespace

QString PresetStoneImage(int p) {
  return PlainStoneImage(p % 2 != 0);
}

QString JosekiMoveImage(int m) {
  if (m > kHighestNumber) return WhiteStoneImage();
  return NumberedStoneName(m % 2 == 0, m);
}

QString RecordMoveImage(int m, int n, bool whiteFirst) {
  if (n <= 0) return PlainStoneImage(m % 2 != 0);
  if (n > kHighestNumber) return whiteFirst ? WhiteStoneImage() : GoldStoneImage();
  const bool odd = n % 2 != 0;
  return NumberedStoneName(whiteFirst ? !odd : odd, n);
}

QString MarkerImage(QStringView code) {
  if (code.size() == 1) {
    const char16_t c = code[0].unicode();
    if (c >= u'a' && c <= u'e') return LetterMarkImage(QChar(c));
    if (c == u'2') return StoneMarkImage(true);
  }
  return StoneMarkImage(false);
}

}  // namespace moraku
