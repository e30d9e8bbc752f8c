// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The entries of one section, read once when the joseki window loads.

#include <QString>
#include <vector>

namespace moraku {

// One entry of the section, as the window keeps it.
struct Entry {
  QString title;        // EntryTitle: also the entry's row in the list
  QString ref;          // EntryRef
  QString comment;      // EntryComment
  QString marks;        // EntryMarks: marker triples
  int presetCount = 0;  // EntryPresetCount: CoordFromChar of the preset-count field
  QString preset;       // EntryPreset: the first 3 * presetCount characters of the stone string
  QString moves;        // EntryMoves: the rest of the stone string
  QString record;       // EntryRecord: record text, or shorter than 2 characters for none
};

// What the search compares: the record's key (field 0, as text) and its whole stone string.
struct SearchRecord {
  QString key;
  QString stones;
};

// The section's entries in query order. entries[k] is entry k (1-based); entries[0] is an
// empty entry that the load never fills. records[k - 1] belongs to entries[k].
struct EntryTable {
  std::vector<Entry> entries{Entry{}};
  std::vector<SearchRecord> records;

  int Count() const { return static_cast<int>(entries.size()) - 1; }
};

}  // namespace moraku
