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
  int alreadyPresent = 0;  // the stone string is already listed in the section
  int repeated = 0;        // the same entry came earlier in the same addition
};

// Adds `entries`, in their order, to section `sectionIndex` (a number of the section table) of
// the table gocs on `db`, inside the caller's transaction:
// - an entry whose stone string the section's query already lists is not added
//   (alreadyPresent); one equal in every field to an entry added before it is not added either
//   (repeated); two entries with the same stones but another title, comment, reference, preset
//   count or markers are both added, so a section listing one line under two titles keeps both;
// - each added row gets the id after the largest id of the table, one '0', the preset count as
//   a coordinate character ("0" for none), an empty record, and the code: the section character
//   ('0', '1' or '2'), "S" and a six-digit counter continuing after the largest "S" counter of
//   either section, so that each addition lists in the tree's order after every earlier one;
// - an entry without a title is titled "SGF <counter>".
// Returns false with `error` set on a database failure or when the counter would pass 999999.
bool AddSgfEntries(sql::Database& db, int sectionIndex, const std::vector<SgfEntry>& entries,
                   SgfStoreCounts* counts, QString* error);

}  // namespace moraku
