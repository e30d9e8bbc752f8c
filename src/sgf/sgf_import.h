// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning the paths of SGF game trees into joseki entries.
//
// Two kinds of tree are read. Our own source files mark every entry's end node with the private
// property MKCODE; a path from the root to such a node is one entry, and its fields come from
// that node (see the README's data format). A tree from elsewhere has no MKCODE: each path from
// the root to a leaf is one entry, titled by its N or named from its moves, and commented with
// the text of its own stretch of nodes. Every line is turned into the stored orientation.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "sgf/line_orientation.h"
#include "sgf/sgf_parser.h"

namespace moraku {

// One entry taken from one path, in the form the table gocs keeps.
struct SgfEntry {
  QChar section;  // the code's first character: '0' handicap, '1' star point, '2' 3-4 point
  QString code;   // MKCODE: the whole entry code; empty for a line from a foreign tree
  std::optional<std::int64_t> id;     // MKID
  QString one = QStringLiteral("0");  // MKONE
  QString stones;       // triples from the opening stone on, colour codes "2"/"1", tenuki "???"
  int presetCount = 0;  // the preset stones, at most the number of triples
  QString preset;       // the preset column: MKPRESET as written, else presetCount's character
  QString title;        // N; empty when there is none (the store names the line)
  QString comment;      // the entry's own comment
  QString ref;          // MKREF (or the old MR); for foreign lines else GN, else SO
  QString record;       // MKRECORD, or empty
  QString marks;        // marker triples from the labels of the end node
  int line = 0;         // where the end node begins in the file (1-based)
  int column = 0;
};

// What the reading of a file is told.
struct SgfImportOptions {
  QChar section;          // section character for lines without MKCODE; null when none given
  int defaultPreset = 1;  // preset stones of lines without MKPRESET or MP (held within 0..19)
};

// The entries of one file and the paths left out, each counted once under one reason.
struct SgfPaths {
  std::vector<SgfEntry> entries;  // in the tree's order (children in file order, depth first)
  int notOnOpeningPoint = 0;      // the first move is not a stone on the section's opening point
  int whiteFirst = 0;             // the first move is White's
  int otherBoardSize = 0;         // the game tree's board is not 19 x 19
  int setupStones = 0;            // AB/AW/AE on the path that are not a handicap setup
  int noSection = 0;              // a foreign line, and no section was given
  int marksDropped = 0;           // labels and marks that no entry can show
  QString error;                  // empty on success; otherwise what is wrong (English)
  int line = 0;                   // 1-based position of the fault
  int column = 0;

  bool ok() const { return error.isEmpty(); }
  int Skipped() const {
    return notOnOpeningPoint + whiteFirst + otherBoardSize + setupStones + noSection;
  }
};

// The entries of every game tree of `sgf`:
// - the moves B[] and W[] in order; an empty value, and "tt", is a pass, which becomes the
//   tenuki "???"; two moves of one colour in a row get a tenuki of the other colour between them;
// - the first move must be Black's, on the opening point of the entry's section in some corner;
//   the line is turned into the stored orientation (StoredOrientation), markers with it;
// - the preset count: MKPRESET (one coordinate character, kept as written), else the old MP[n],
//   else `defaultPreset`; a count beyond the path takes it all;
// - labels LB with the text A-E or a-e on the end node become the letter markers "a".."e",
//   "●" the black-stone marker "2" and "○" the white-stone marker "1"; the FF[1]-FF[3] labels L
//   become "a", "b", ...; any other label or mark (TR, CR, SQ, MA) is counted in marksDropped;
// - a root AB setup with White to move is a handicap: the stones become the line's preset
//   stones in the shipped form (HandicapPreset), the section '0'; AB/AW/AE anywhere else skip
//   the paths through them.
// Fails, with the position, on a move that is not a point of the 19 x 19 board, a MKID that is
// not an integer, or a handicap setup whose HA disagrees with its stones.
SgfPaths EntriesFromSgf(const sgf::Collection& sgf, const SgfImportOptions& options);

// The handicap stones `stones` (Black's setup), turned so that the corner `played` (a 4-4 point)
// is the upper-left one, as the moves of a line's preset: the upper-left 4-4 stone first, the
// others in the shipped data's order for their number, a tenuki between each two. Returns
// nullopt when `played` is not among the stones.
std::optional<std::vector<LineMove>> HandicapPreset(std::vector<BoardPoint> stones,
                                                    BoardSymmetry toUpperLeft);

}  // namespace moraku
