// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/coords.h"

#include <cstdint>

namespace moraku {

int CoordFromChar(QStringView s) {
  if (s.size() == 1) {
    const char16_t c = s.at(0).unicode();
    if (c >= u'G' && c <= u'J') return 16 + (c - u'G');
  }
  if (s.isEmpty() || s.size() > 4) return 0;
  std::uint32_t value = 0;
  for (QChar qc : s) {
    const char16_t c = qc.unicode();
    int digit;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (c >= u'A' && c <= u'F') {
      digit = c - u'A' + 10;
    } else if (c >= u'a' && c <= u'f') {
      digit = c - u'a' + 10;
    } else {
      return 0;
    }
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  // Hexadecimal literals of up to four digits are 16-bit signed: "FFFF" is -1.
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

QChar CharFromCoord(int value) {
  if (value >= 1 && value <= 9) return QChar(u'0' + value);
  if (value >= 10 && value <= 15) return QChar(u'A' + (value - 10));
  if (value >= 16 && value <= 19) return QChar(u'G' + (value - 16));
  return QChar(u'0');
}

int WrittenCoordFromChar(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'1' && u <= u'9') return u - u'0';
  if (u >= u'A' && u <= u'J') return 10 + (u - u'A');
  return 0;
}

QStringView CharAt(QStringView s, qsizetype position) {
  if (position < 1 || position > s.size()) return {};
  return s.mid(position - 1, 1);
}

QString RemoveFirstSpaces(QString text) {
  const qsizetype space = text.indexOf(QChar(u' '));
  if (space >= 0) text.remove(space, 1);
  const qsizetype wide = text.indexOf(QChar(u'\u3000'));
  if (wide >= 0) text.remove(wide, 1);
  return text;
}

int CellX(Board board, int col) {
  return board == Board::Joseki ? (col - 1) * kCellWidth : (col + 19) * kCellWidth;
}

}  // namespace moraku
