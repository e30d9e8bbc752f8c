#include "joseki/stone_images.h"

#include "render/image_names.h"

namespace moraku {

namespace {
constexpr int kHighestNumber = 55;
}  // namespace

QString PresetStoneImage(int p) {
  return p % 2 != 0 ? QStringLiteral("mygold.gif") : QStringLiteral("ysilver.gif");
}

QString JosekiMoveImage(int m) {
  if (m > kHighestNumber) return QStringLiteral("ysilver.gif");
  return NumberedStoneName(m % 2 == 0, m);
}

QString RecordMoveImage(int m, int n, bool whiteFirst) {
  if (n <= 0) return m % 2 != 0 ? QStringLiteral("mygold.gif") : QStringLiteral("ysilver.gif");
  if (n > kHighestNumber) {
    return whiteFirst ? QStringLiteral("ysilver.gif") : QStringLiteral("zgold.gif");
  }
  const bool odd = n % 2 != 0;
  return NumberedStoneName(whiteFirst ? !odd : odd, n);
}

QString MarkerImage(QStringView code) {
  if (code.size() == 1) {
    const char16_t c = code[0].unicode();
    if (c >= u'a' && c <= u'e') return QStringLiteral("a") + QChar(c) + QStringLiteral(".gif");
    if (c == u'2') return QStringLiteral("kurokuro.gif");
  }
  return QStringLiteral("shiroshiro.gif");
}

}  // namespace moraku
