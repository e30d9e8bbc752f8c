// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/sgf_store.h"

#include <sqlite3.h>

#include <QHash>
#include <QSet>
#include <algorithm>
#include <limits>

#include "board/coords.h"
#include "sgf/line_namer.h"
#include "sgf/line_orientation.h"
#include "store/gocs_table.h"

namespace moraku {

namespace {

constexpr int kCounterDigits = 6;
constexpr int kLargestCounter = 999999;

// Whether two foreign lines hold the same in every field.
bool SameEntry(const SgfEntry& a, const SgfEntry& b) {
  return a.stones == b.stones && a.preset == b.preset && a.title == b.title &&
         a.comment == b.comment && a.ref == b.ref && a.marks == b.marks;
}

// The row an entry of our own files stands for, its id aside.
GocsRecord RowOf(const SgfEntry& e) {
  GocsRecord r;
  r.one = e.one;
  r.marks = e.marks;
  r.preset = e.preset;
  r.title = e.title;
  r.ref = e.ref;
  r.comment = e.comment;
  r.stones = e.stones;
  r.record = e.record;
  r.five = e.code;
  return r;
}

bool SameRow(const GocsRecord& a, const GocsRecord& b) {
  return a.one == b.one && a.marks == b.marks && a.preset == b.preset && a.title == b.title &&
         a.ref == b.ref && a.comment == b.comment && a.stones == b.stones && a.record == b.record &&
         a.five == b.five;
}

// Every row of gocs, fields by position.
bool ReadRows(sql::Database& db, std::vector<GocsRecord>* rows, QString* error) {
  sql::Statement statement;
  if (statement.Prepare(db, "SELECT * FROM gocs ORDER BY rowid") != SQLITE_OK) {
    *error = QStringLiteral("cannot read the table gocs: %1").arg(db.ErrorText());
    return false;
  }
  while (true) {
    switch (statement.Step()) {
      case sql::StepResult::Row: {
        GocsRecord r;
        r.id = statement.ColumnText(0).toLongLong();
        QString* fields[] = {&r.one,     &r.marks,  &r.preset, &r.title, &r.ref,
                             &r.comment, &r.stones, &r.record, &r.five};
        for (int i = 0; i < 9; ++i) *fields[i] = statement.ColumnText(i + 1);
        rows->push_back(std::move(r));
        break;
      }
      case sql::StepResult::Done:
        return true;
      case sql::StepResult::Error:
        *error = QStringLiteral("cannot read the table gocs: %1").arg(db.ErrorText());
        return false;
    }
  }
}

// The key under which a line is known whatever its orientation: its section and its stones in
// the stored orientation.
QString LineKey(QChar section, const QString& stones, int presetCount) {
  return section + StoredStones(stones, presetCount, OpeningOfSection(section));
}

// The title the namer gives the entry's line, or `fallback` when it has none.
QString NamedTitle(const SgfEntry& e, const QString& fallback) {
  const std::optional<std::vector<LineMove>> moves = MovesOfStones(e.stones);
  if (!moves) return fallback;
  const QString title = NameLine(*moves, e.presetCount, OpeningOfSection(e.section)).Title();
  return title.isEmpty() ? fallback : title;
}

QString Where(const SourcedEntry& s) {
  return QStringLiteral("%1:%2:%3").arg(s.file).arg(s.entry->line).arg(s.entry->column);
}

}  // namespace

bool AddSgfEntries(sql::Database& db, const std::vector<SourcedEntry>& entries,
                   SgfStoreCounts* counts, QString* error) {
  std::vector<GocsRecord> existing;
  if (!ReadRows(db, &existing, error)) return false;

  QHash<std::int64_t, GocsRecord> byId;  // every row with an id, old and new
  QSet<QString> listed;                  // LineKey of every row
  std::int64_t lastId = 0;
  int counter = 0;
  for (const GocsRecord& r : existing) {
    byId.insert(r.id, r);
    lastId = std::max(lastId, r.id);
    if (!r.five.isEmpty()) listed.insert(LineKey(r.five[0], r.stones, CoordFromChar(r.preset)));
    bool ok = false;
    const int n = r.five.mid(2).toInt(&ok);
    if (r.five.size() == 2 + kCounterDigits && r.five[1] == u'S' && ok) {
      counter = std::max(counter, n);
    }
  }
  for (const SourcedEntry& s : entries) {
    if (s.entry->id) lastId = std::max(lastId, *s.entry->id);
  }

  QHash<QString, std::vector<const SgfEntry*>> addedByStones;
  std::vector<GocsRecord> rows;
  for (const SourcedEntry& s : entries) {
    const SgfEntry& e = *s.entry;
    if (!e.code.isEmpty()) {
      GocsRecord r = RowOf(e);
      if (e.id) {
        r.id = *e.id;
        const auto taken = byId.constFind(r.id);
        if (taken != byId.constEnd()) {
          if (SameRow(*taken, r)) {
            ++counts->alreadyPresent;
            continue;
          }
          *error = QStringLiteral("%1: id %2 of \"%3\" is taken by \"%4\"")
                       .arg(Where(s))
                       .arg(r.id)
                       .arg(e.title, taken->title);
          return false;
        }
      } else {
        if (lastId == std::numeric_limits<std::int64_t>::max()) {
          *error = QStringLiteral("%1: no id is left after %2").arg(Where(s)).arg(lastId);
          return false;
        }
        r.id = ++lastId;
      }
      if (r.title.isEmpty()) r.title = NamedTitle(e, QStringLiteral("SGF %1").arg(r.id));
      byId.insert(r.id, r);
      listed.insert(LineKey(e.section, e.stones, e.presetCount));
      rows.push_back(std::move(r));
      continue;
    }

    if (listed.contains(LineKey(e.section, e.stones, e.presetCount))) {
      ++counts->alreadyPresent;
      continue;
    }
    std::vector<const SgfEntry*>& sameStones = addedByStones[e.section + e.stones];
    if (std::any_of(sameStones.begin(), sameStones.end(),
                    [&](const SgfEntry* added) { return SameEntry(*added, e); })) {
      ++counts->repeated;
      continue;
    }
    sameStones.push_back(&e);
    if (counter >= kLargestCounter) {
      *error = QStringLiteral("the codes of imported entries have run out (%1S%2 is taken)")
                   .arg(e.section)
                   .arg(kLargestCounter);
      return false;
    }
    if (lastId == std::numeric_limits<std::int64_t>::max()) {
      *error = QStringLiteral("%1: no id is left after %2").arg(Where(s)).arg(lastId);
      return false;
    }
    ++counter;
    GocsRecord r;
    r.id = ++lastId;
    r.one = QStringLiteral("0");
    r.marks = e.marks;
    r.preset = e.preset;
    r.title = e.title.isEmpty() ? NamedTitle(e, QStringLiteral("SGF %1").arg(counter)) : e.title;
    r.ref = e.ref;
    r.comment = e.comment;
    r.stones = e.stones;
    r.five = QStringLiteral("%1S%2").arg(e.section).arg(counter, kCounterDigits, 10, QChar(u'0'));
    byId.insert(r.id, r);
    rows.push_back(std::move(r));
  }
  int failedLine = 0;
  if (!InsertGocs(db, rows, &failedLine, error)) return false;
  counts->added += static_cast<int>(rows.size());
  return true;
}

}  // namespace moraku
