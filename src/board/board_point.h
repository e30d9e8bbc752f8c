// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A point of the board, a stone's colour, and the tenuki that has no point.

#include <QStringView>

namespace moraku {

// A point of a board: row 1..19 from the top, column 1..19 from the left. Rows come first
// everywhere, as in every move string. A coordinate 0 stands for no point.
struct BoardPoint {
  int row = 0;
  int col = 0;
  bool operator==(const BoardPoint&) const = default;
};

// A stone's colour, with the values the capture grids hold.
enum class StoneColor : int { Black = 1, White = 2 };

// The colour of stone number n (1-based) of a sequence that Black begins: odd numbers black,
// even numbers white.
constexpr StoneColor ColorOfNumber(int n) {
  return n % 2 != 0 ? StoneColor::Black : StoneColor::White;
}

// The colour's code in a stone string: "2" black, "1" white.
constexpr char16_t StoneStringCode(StoneColor color) {
  return color == StoneColor::Black ? u'2' : u'1';
}

// Whether a coordinate character is "?", a move played elsewhere (tenuki), stored as "???".
inline bool IsTenuki(QStringView coordinate) {
  return coordinate == u"?";
}

}  // namespace moraku
