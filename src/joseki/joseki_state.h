// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The working state of the joseki window: every member its procedures share. It lives as long
// as the window and is discarded with it.

#include <QString>
#include <array>

#include "board/board_point.h"
#include "board/capture_grid.h"
#include "data/entry_table.h"

namespace moraku {

struct JosekiState {
  int SectionIndex = 0;  // a number of the section table (data/sections.h): read once by the load

  // Entry arrays of the section (EntryTitle ... EntryRecord), and the records the search walks.
  EntryTable Entries;

  // The entry shown.
  int CurrentEntry = 0;
  QString PresetStones;
  QString JosekiMoves;
  QString Marks;
  QString RecordText;

  // The record of the entry shown.
  int NumberLimit = 0;
  int RecordLength = 0;
  QString RecordMoves;
  QString RawRecordMoves;  // the moves cut from the record text before the spaces are removed

  // The stone being placed and the counters whose parity gives the mover's colour.
  BoardPoint Move;
  StoneColor MoveColor = StoneColor::Black;
  int StoneNo = 0;
  int MoveCount = 0;
  BoardPoint Last;  // the last stone placed on either board
  int TargetMove = 0;

  CaptureGrid JosekiGrid;
  CaptureGrid RecordGrid;

  // Next-move hint. The hint keeps its own last cell for the red mark.
  int HintCount = 0;
  int ElsewhereCount = 0;
  BoardPoint HintLast;

  // Search input: the pointer's cell over the board picture and whether clicks are input.
  bool NoBoardInput = false;
  int MouseCol = 0;
  int MouseRow = 0;

  // The hidden text boxes: SearchText holds the search text (and the record text of the entry
  // chosen), MirrorText the mirror text. Change SearchText only through SetSearchText.
  QString SearchText;
  QString MirrorText;

  // Search execution.
  std::array<QString, 11> HitKeys;
  int DroppedStones = 0;
  QString FallbackText;
  QString FallbackMirror;
  bool FallbackFound = false;
};

}  // namespace moraku
