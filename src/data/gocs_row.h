// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table gocs: its columns by position, the statement that creates it, and one row of it as
// text. The program reads the columns by these positions; the tools write them in this order.

#include <QString>
#include <array>

namespace moraku {

// The columns of gocs in table order.
enum GocsColumn : int {
  kIdColumn = 0,   // integer key, read as text: the search's key
  kOneColumn,      // '0' for listed entries
  kMarksColumn,    // marker triples
  kPresetColumn,   // one coordinate character: the number of preset stones
  kTitleColumn,    // entry title
  kRefColumn,      // reference text
  kCommentColumn,  // comment text
  kStonesColumn,   // stone triples, preset stones first
  kRecordColumn,   // "caption|first/last|moves", or shorter than 2 characters for none
  kFiveColumn,     // entry code: section character + sort key
  kGocsColumnCount
};

// Creates the table gocs with its columns in table order.
inline constexpr char kCreateGocsTable[] =
    "CREATE TABLE gocs (id INTEGER PRIMARY KEY, one TEXT, marks TEXT, preset TEXT, title TEXT, "
    "ref TEXT, comment TEXT, stones TEXT, record TEXT, five TEXT)";

// One row of gocs with every field as text.
struct GocsRow {
  QString id, one, marks, preset, title, ref, comment, stones, record, five;

  // The fields in column order: Fields()[kStonesColumn] is `stones`.
  std::array<QString*, kGocsColumnCount> Fields() {
    return {&id, &one, &marks, &preset, &title, &ref, &comment, &stones, &record, &five};
  }
  std::array<const QString*, kGocsColumnCount> Fields() const {
    return {&id, &one, &marks, &preset, &title, &ref, &comment, &stones, &record, &five};
  }
};

}  // namespace moraku
