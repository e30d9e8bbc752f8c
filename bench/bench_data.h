// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Synthetic joseki databases for the benchmarks: the same entries on every run (fixed seed),
// shaped like real ones, written into a program folder (fld1/goc.db beside a link to the
// build's fld2 image set).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace moraku::bench {

// The build's image set.
QString Fld2Dir();

// A program folder in a temporary directory that lives until the process ends.
struct ProgramDir {
  QString path;          // holds fld1/goc.db and fld2
  QString databasePath;  // path + "/fld1/goc.db"
};

// The program folder with `entries` synthetic entries, all in the handicap section, built on
// first use and kept for the rest of the run. Entry 1 (first in section order) always has a
// record, and so does every other entry. Aborts the process when the database cannot be written.
const ProgramDir& SyntheticProgram(int entries);

// A joseki dictionary as SGF, a tree below the 4-4 stone: `branching` children per node to
// `depth`, each node with a comment of `commentBytes` bytes (UTF-8 Japanese), each leaf then a
// line of `tail` more moves. No node carries a title.
QByteArray Dictionary(int branching, int depth, int commentBytes, int tail);

// The program folder whose database holds, in the star-point section, what moraku-db
// import-sgf makes of Dictionary(160, 2, 560, 8): a 15 MB file, 25,600 lines, a 560-byte
// comment each. Built on first use; aborts the process when it cannot be made.
const ProgramDir& DictionaryProgram();

// A legal game of `moves` moves (odd moves black) as record move pairs, with at least one
// capture; the same text for the same `seed`.
QString LegalGameMoves(int moves, unsigned seed);

// A record text "caption|first/last|moves" for `moves`, numbering moves first..last.
QString RecordText(const QString& caption, int first, int last, const QString& moves);

// A stone string of `triples` triples (preset stone 442 first, colours alternating from
// black) laid in the upper-left corner, with no point played twice; the same for the same seed.
QString CornerStones(int triples, unsigned seed);

// Five marker triples (codes a..e) on corner points.
QString FiveMarkers();

// The twelve-stone search text that no synthetic entry begins with, not even with its first
// five stones, although its first four stones are shared by many entries; and its mirror.
QString WorstSearchText();
QString MirrorOf(const QString& searchText);

// The shape problems of the first `count` entries of the database at `path` as the checker
// reports them (empty when all are sound).
QStringList CheckFirstEntries(const QString& path, int count);

}  // namespace moraku::bench
