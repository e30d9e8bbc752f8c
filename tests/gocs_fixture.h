// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small gocs databases written by the tests.

#include <sqlite3.h>

#include <QString>
#include <optional>
#include <vector>

#include "data/sqlite_db.h"
#include "store/gocs_table.h"

namespace moraku::test {

// One row of gocs as a test writes it; a field left empty (std::nullopt) is stored as NULL.
struct NullableRow {
  std::optional<QString> one = QStringLiteral("0");
  std::optional<QString> marks = QString();
  std::optional<QString> preset = QStringLiteral("1");
  std::optional<QString> title;
  std::optional<QString> ref = QString();
  std::optional<QString> comment = QString();
  std::optional<QString> stones = QStringLiteral("442");
  std::optional<QString> record = QString();
  std::optional<QString> five;
};

// A row with the given title and entry code, everything else ordinary.
inline NullableRow Row(const QString& title, const QString& five, const QString& one = "0") {
  NullableRow r;
  r.title = title;
  r.five = five;
  r.one = one;
  return r;
}

// Creates the database file `path` with the table gocs holding `rows` (ids 1, 2, ...).
// Returns false (and fails the calling test through the caller's ASSERT) on any SQLite error.
inline bool WriteGocs(const QString& path, const std::vector<NullableRow>& rows) {
  sql::Database db;
  if (db.Open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) != SQLITE_OK) return false;
  QString error;
  if (!CreateGocsTable(db, &error) || db.Exec("BEGIN") != SQLITE_OK) return false;
  sql::Statement insert;
  if (insert.Prepare(db, "INSERT INTO gocs VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)") !=
      SQLITE_OK) {
    return false;
  }
  std::int64_t id = 0;
  for (const NullableRow& r : rows) {
    insert.Reset();
    insert.BindInt64(1, ++id);
    const std::optional<QString>* fields[] = {&r.one,     &r.marks,  &r.preset, &r.title, &r.ref,
                                              &r.comment, &r.stones, &r.record, &r.five};
    int index = 2;
    for (const std::optional<QString>* f : fields) {
      if (f->has_value()) {
        insert.BindText(index, **f);
      } else {
        insert.BindNull(index);
      }
      ++index;
    }
    if (insert.Step() != sql::StepResult::Done) return false;
  }
  return db.Exec("COMMIT") == SQLITE_OK;
}

}  // namespace moraku::test
