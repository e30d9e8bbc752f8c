// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Titles for joseki lines that come without one. A line is named the way the collection's titles
// are made: what the corner holds, White's approach, Black's answer, then the main follow-up.
// Each part is named from its shape: which side of the corner a stone is on, how far along that
// side and how high, and which stones it touches.

#include <QString>
#include <QStringList>
#include <vector>

#include "sgf/line_orientation.h"

namespace moraku {

// The parts of a line's name. An empty approach means the line has no name.
struct LineName {
  QStringList context;  // before the approach: "星", "三子局", "ヒラキのある星", "小ゲイマジマリ"
  QString approach;  // "小ゲイマガカリ", "一間高ガカリ", "三々入り", "両ガカリ", "三々ツケ", ...
  QString answer;  // "一間受け", "二間高バサミ", "ツケノビ", "コスミ", "手抜き", ...; may be empty
  QStringList
      followUps;  // the main follow-up: "三々入り", "スベリ", "白手抜き", "黒一間バサミ", ...

  // The parts joined by "・"; a formation before a 3-3 invasion joins with "への".
  QString Title() const;
};

// The name of the line `moves`: in the stored orientation, Black's first stone first, colours
// alternating from Black, a tenuki nullopt; the first `presetCount` moves are preset stones (a
// handicap, or a formation of the corner). The line opens on `opening` in the upper-left corner.
// Stones are placed without captures: the moves named come before any capture.
LineName NameLine(const std::vector<LineMove>& moves, int presetCount, OpeningPoint opening);

}  // namespace moraku
