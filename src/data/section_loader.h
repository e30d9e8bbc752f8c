// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading one section of the joseki database into an entry table.

#include <QString>
#include <chrono>

#include "data/entry_table.h"
#include "data/sections.h"

namespace moraku {

struct SectionLoad {
  EntryTable table;  // the entries read; empty when error is set
  QString error;     // empty on success; otherwise a message for the user naming the file and why
};

// Opens the database file at `path` read-only, runs the query of section `sectionIndex` (a
// number of the section table) and reads every record in query order: title,
// reference, comment, markers, preset count (CoordFromChar of its field) and the stone string
// split into preset stones and joseki moves, the record text, and for the search the key and the
// whole stone string. A Null field reads as an empty string; a preset count beyond the stone
// string takes the whole string as preset stones. The file is opened as one that may be hostile
// (sql::Database::OpenUntrusted): a load that takes longer than `budget` is ended with a
// message, and so is a damaged page or an oversized field. Never throws.
inline constexpr std::chrono::milliseconds kLoadBudget{5000};
SectionLoad LoadSection(const QString& path, int sectionIndex,
                        std::chrono::milliseconds budget = kLoadBudget);

}  // namespace moraku
