#pragma once
// Turning the paths of SGF game trees into joseki entries: each path from a root to a leaf
// becomes one stone string, turned so that it starts on the 4-4 point of the upper-left corner.

#include <QString>
#include <optional>
#include <vector>

#include "sgf/sgf_parser.h"

namespace moraku {

// A point of the 19 x 19 board: row 1 is the top line, column 1 the left line.
struct BoardPoint {
  int row = 0;
  int col = 0;
  bool operator==(const BoardPoint&) const = default;
};

// One of the eight symmetries of the board: rows and columns swapped first (when `transpose`),
// then the rows turned upside down, then the columns turned left to right.
struct BoardSymmetry {
  bool transpose = false;
  bool mirrorRows = false;
  bool mirrorCols = false;
  bool operator==(const BoardSymmetry&) const = default;
};

// Where `symmetry` takes the point `p` (1..19 each).
BoardPoint Transformed(BoardSymmetry symmetry, BoardPoint p);

// The symmetry that takes `first` to the 4-4 point of the upper-left corner (row 4, column 4),
// or nullopt when `first` is not one of the four 4-4 points. Of the two symmetries that do it,
// the one that keeps rows as rows is chosen: identity for the upper-left point, the left-right
// mirror for the upper-right, the top-bottom mirror for the lower-left and the half turn for the
// lower-right.
std::optional<BoardSymmetry> SymmetryToUpperLeft(BoardPoint first);

// One entry taken from one path, in the form the table gocs keeps.
struct SgfEntry {
  QString stones;       // triples from "442" on, colour codes "2"/"1", a tenuki "???"
  int presetCount = 0;  // the preset stones, at most the number of triples
  QString title;        // the last non-empty N on the path; empty when there is none
  QString comment;      // the C texts along the path, joined by line breaks
  QString ref;          // MR on the path, else GN, else SO (the last one of each on the path)
  QString marks;        // marker triples from the labels of the path's last node
};

// The entries of one file and the paths left out.
struct SgfPaths {
  std::vector<SgfEntry> entries;  // in the tree's order (children in file order, depth first)
  int notOnStarPoint = 0;  // paths whose first move is not a stone on a 4-4 point (or no move)
  int whiteFirst = 0;      // paths whose first move is White's
  int otherBoardSize = 0;  // paths of game trees whose board is not 19 x 19
  QString error;           // empty on success; otherwise what is wrong (English)
  int line = 0;            // 1-based position of the fault
  int column = 0;

  bool ok() const { return error.isEmpty(); }
};

// The entries of every root-to-leaf path of every game tree of `sgf`:
// - the moves B[] and W[] in order (setup stones AB/AW/AE are ignored); an empty value, and
//   "tt", is a pass; the first move decides the symmetry (SymmetryToUpperLeft) of the path;
// - a pass becomes the tenuki "???", and two moves of one colour in a row get a tenuki of the
//   other colour between them;
// - the first `defaultPreset` triples are preset stones, unless the path carries the private
//   property MP[n] (n 0..19; the last on the path counts); a count beyond the path takes it all,
//   and `defaultPreset` is held within 0..19;
// - labels LB with the text A-E or a-e on the last node become the letter markers "a".."e",
//   "●" the black-stone marker "2" and "○" the white-stone marker "1"; the FF[1]-FF[3] labels
//   L become "a", "b", ... in order; all turned by the path's symmetry;
// Fails, with the position, on a move that is not a point of the 19 x 19 board.
SgfPaths EntriesFromSgf(const sgf::Collection& sgf, int defaultPreset);

}  // namespace moraku
