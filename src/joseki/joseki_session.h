// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One open joseki window without its widgets: the state, the board canvas and the controls the
// procedures touch. Every procedure of the window takes a JosekiSession.

#include "joseki/joseki_controls.h"
#include "joseki/joseki_state.h"
#include "render/board_canvas.h"
#include "render/image_store.h"

namespace moraku {

struct JosekiSession {
  JosekiSession(JosekiControls& controls, ImageStore& images) : ui(controls), canvas(images) {}

  JosekiState state;
  JosekiControls& ui;
  BoardCanvas canvas;
};

// Clears JosekiGrid and draws the empty joseki board. A tile that cannot be loaded stops the
// drawing silently (the grid already cleared, the picture on screen unchanged); returns false.
bool ClearJosekiBoard(JosekiSession& session);

// The same for the record board; when the board was drawn completely it also opens the board
// to search input (NoBoardInput = false).
bool ClearRecordBoard(JosekiSession& session);

// Sets the text of SearchText; when the text changes, its change handling disables the six record
// buttons.
void SetSearchText(JosekiSession& session, const QString& text);

// Loads `image` and draws it at point p of a board, then presents. Returns false, drawing
// nothing, when the image cannot be loaded (Pattern keeps its picture).
bool DrawStoneImage(JosekiSession& session, Board board, const QString& image, BoardPoint p);

// Redraws point p of a board with its empty tile and presents: how a captured stone is taken
// off.
void ErasePoint(JosekiSession& session, Board board, BoardPoint p);

}  // namespace moraku
