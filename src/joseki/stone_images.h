// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which image file of the image set shows a stone or marker of the entry display, the record
// playback and the next-move hint.

#include <QString>
#include <QStringView>

namespace moraku {

// Preset stone p (1-based order within the entry): odd "mygold.gif", even "ysilver.gif".
QString PresetStoneImage(int p);

// Joseki move m: White moves first, so odd numbers are "zshiro<m>.gif" and even ones
// "zkuro<m>.gif"; above 55 "ysilver.gif".
QString JosekiMoveImage(int m);

// Record move m of a record whose numbered stones are white-first or black-first. A numbered
// move (n > 0, its number) shows "zkuro<n>"/"zshiro<n>" by the set, or above 55 "zgold.gif"
// (black-first) or "ysilver.gif" (white-first); a move without number (n == 0) shows
// "mygold.gif" for odd m and "ysilver.gif" for even m.
QString RecordMoveImage(int m, int n, bool whiteFirst);

// Marker of code `code`: "a".."e" the letters "aa.gif".."ae.gif", "2" "kurokuro.gif", anything
// else "shiroshiro.gif".
QString MarkerImage(QStringView code);

}  // namespace moraku
