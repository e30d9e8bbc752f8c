// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Adding entries taken from SGF files to the table gocs of a database.

#include <QString>
#include <vector>

#include "data/sqlite_db.h"
#include "sgf/sgf_import.h"

namespace moraku {

// What an addition did with its entries.
struct SgfStoreCounts {
  int added = 0;
  int alreadyPresent = 0;  // the line (or, for an entry with MKID, the same row) is there already
  int repeated = 0;        // the same entry came earlier in the same addition
};

// One entry to add and the file it came from (for messages).
struct SourcedEntry {
  const SgfEntry* entry = nullptr;
  QString file;
};

// Adds `entries`, in their order, to the table gocs on `db`, inside the caller's transaction.
// Entries of our own files (with a code) are rows as they stand:
// - the row keeps its id (MKID; without one, the id after the largest so far) and its code;
//   an id that is taken by an equal row counts as already present, by another row fails;
// - lines with the same stones are all kept (a section may list one line under two titles).
// Lines of foreign trees (no code) are compared with what the section holds:
// - a line whose stones, in any of its symmetric forms, equal a row of its section (the rows
//   whose code begins with its section character) is not added (alreadyPresent); one equal in
//   every field to a line added before it is not added either (repeated);
// - each added line gets the id after the largest id so far, one '0', its preset count's
//   character, an empty record, and the code: the section character, "S" and a six-digit
//   counter continuing after the largest "S" counter of any section, so that each addition
//   lists in the tree's order after every earlier one;
// - a line without a title is named from its moves (NameLine), or, when the namer has no name
//   for it, titled "SGF <counter>".
// Returns false with `error` set on a database failure, a taken id, or when the counter would
// pass 999999.
bool AddSgfEntries(sql::Database& db, const std::vector<SourcedEntry>& entries,
                   SgfStoreCounts* counts, QString* error);

}  // namespace moraku
