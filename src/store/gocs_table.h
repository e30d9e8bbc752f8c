// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table gocs as the tools write it: its columns, its creation and its rows from CSV.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "data/gocs_row.h"
#include "data/sqlite_db.h"
#include "store/csv.h"

namespace moraku {

// One row of gocs and the 1-based line of the source it came from (0 when none).
struct GocsRecord {
  std::int64_t id = 0;
  QString one, marks, preset, title, ref, comment, stones, record, five;
  int line = 0;
};

// The rows taken from a CSV text, or the first fault found.
struct GocsRows {
  std::vector<GocsRecord> rows;
  QString error;      // empty on success (English)
  int errorLine = 0;  // 1-based line of the fault

  bool ok() const { return error.isEmpty(); }
};

// Maps parsed CSV onto gocs rows. The header must have exactly ten columns, two of them named
// `one` and `five` (case does not matter); those two are taken by name and the other eight, in
// their order, fill id, marks, preset, title, ref, comment, stones and record. Every id must be
// a decimal integer, unique in the file, and no field may hold a NUL character. A failed parse
// is passed on with its line.
GocsRows GocsFromCsv(const CsvParse& csv);

// Creates the table gocs on `db`, with indexes on the sort keys of the two section queries.
// Returns false with `error` set on failure.
bool CreateGocsTable(sql::Database& db, QString* error);

// Creates the indexes of the two section queries on an existing table gocs. Returns false with
// `error` set on failure.
bool CreateGocsIndexes(sql::Database& db, QString* error);

// Inserts `rows` into gocs. On failure returns false with `error` set and `failedLine` the line
// of the row that failed.
bool InsertGocs(sql::Database& db, const std::vector<GocsRecord>& rows, int* failedLine,
                QString* error);

}  // namespace moraku
