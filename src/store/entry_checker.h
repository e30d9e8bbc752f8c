// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Verifying the entries of the joseki database: the shape of every field the window reads, and
// that the stones and the record can be played out on a board.

#include <QSet>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <vector>

#include "data/gocs_row.h"

namespace moraku {

// The problems of one entry, each a short English phrase (empty when the entry is sound):
// - stones: whole triples; each a point of two coordinate characters 1..19 as writers write
//   them ("1".."9", "A".."J") or the tenuki "???"; colour codes "2" (black) and "1" (white)
//   alternating from black; the first triple Black's stone on the opening point of the section
//   that the code names ("442" for codes '0' and '1', "342" for code '2');
// - preset: one coordinate character n >= 1 with 3n within the stone string, and n odd so that
//   the preset stones end with Black and the joseki moves start with White;
// - replaying the stones (tenuki skipped) with captures never plays on an occupied point;
// - marks: whole triples of two coordinate characters and a code "a".."e", "1" or "2";
// - record (when 2 characters or longer): "caption|first/last|moves" with first and last
//   decimal numbers, 1 <= first <= last <= the number of moves, the moves (after dropping the
//   first " " and the first "　", as the display does) whole pairs of coordinate characters,
//   and a replay (odd moves black) that never plays on an occupied point;
// - five starts with the code character of a section ('0', '1' or '2'); one is "0".
QStringList CheckEntry(const GocsRow& entry);

// A report line names the entry by its id and its title cut to this many characters ("…" marks
// a cut) and says what is wrong in at most kReportedProblemLength characters; an entry reports
// at most kProblemsPerEntry problems, then how many more it has.
inline constexpr qsizetype kReportedTitleLength = 40;
inline constexpr qsizetype kReportedProblemLength = 200;
inline constexpr int kProblemsPerEntry = 10;

// Reports the problems of `entry` one line at a time through `line`, each
// "<id> <title>: <what is wrong>", including an id already in `seenIds` (to which the entry's
// id is added). Returns the number of problems (also those not reported one by one).
int ReportEntryProblems(const GocsRow& entry, QSet<QString>& seenIds,
                        const std::function<void(const QString&)>& line);

// Checks every entry and that no id is used twice: the lines of ReportEntryProblems, entries in
// the given order.
QStringList CheckEntries(const std::vector<GocsRow>& entries);

// How long the checker may read one database: a hostile view that runs longer is stopped.
inline constexpr std::chrono::milliseconds kCheckBudget{60000};

// Passes each row of table gocs of the database file at `path` to `visit`, in table order,
// without keeping them: positions 0 and 2-8 by position, `one` and `five` by name, a Null field
// as an empty string. The file is opened as the window opens it (read-only, untrusted). Returns
// false with `error` naming the file and why when the file or the table cannot be read.
// A read that takes longer than `budget` is stopped with an error.
bool ForEachGocsRow(const QString& path, const std::function<void(const GocsRow&)>& visit,
                    QString* error, std::chrono::milliseconds budget = kCheckBudget);

// The rows of ForEachGocsRow, all at once.
bool ReadGocsRows(const QString& path, std::vector<GocsRow>* entries, QString* error);

}  // namespace moraku
