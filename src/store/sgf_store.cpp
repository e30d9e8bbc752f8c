#include "store/sgf_store.h"

#include <sqlite3.h>

#include <QHash>
#include <QSet>
#include <algorithm>

#include "board/coords.h"
#include "data/entry_table.h"
#include "data/sections.h"
#include "store/gocs_table.h"

namespace moraku {

namespace {

constexpr int kStonesField = 7;  // position of the stone string in a row of gocs
constexpr int kCounterDigits = 6;
constexpr int kLargestCounter = 999999;

// Runs `sql`, which yields one column, and hands each row's text to `take`.
template <typename F>
bool EachText(sql::Database& db, const char* sql, int column, QString* error, F&& take) {
  sql::Statement statement;
  if (statement.Prepare(db, sql) != SQLITE_OK) {
    *error = QStringLiteral("cannot read the table gocs: %1").arg(db.ErrorText());
    return false;
  }
  while (true) {
    switch (statement.Step()) {
      case sql::StepResult::Row:
        take(statement.ColumnText(column));
        break;
      case sql::StepResult::Done:
        return true;
      case sql::StepResult::Error:
        *error = QStringLiteral("cannot read the table gocs: %1").arg(db.ErrorText());
        return false;
    }
  }
}

// Whether two entries hold the same in every field.
bool SameEntry(const SgfEntry& a, const SgfEntry& b) {
  return a.stones == b.stones && a.presetCount == b.presetCount && a.title == b.title &&
         a.comment == b.comment && a.ref == b.ref && a.marks == b.marks;
}

}  // namespace

bool AddSgfEntries(sql::Database& db, int sectionIndex, const std::vector<SgfEntry>& entries,
                   SgfStoreCounts* counts, QString* error) {
  const Section* section = FindSection(sectionIndex);
  if (section == nullptr) {
    *error = QStringLiteral("there is no section %1").arg(sectionIndex);
    return false;
  }
  const char* query = section->query;
  const QChar sectionChar(section->code);

  QSet<QString> listed;
  if (!EachText(db, query, kStonesField, error, [&](const QString& s) { listed.insert(s); })) {
    return false;
  }
  std::int64_t lastId = 0;
  if (!EachText(db, "SELECT max(CAST(id AS INTEGER)) FROM gocs", 0, error,
                [&](const QString& s) { lastId = s.toLongLong(); })) {
    return false;
  }
  int counter = 0;
  if (!EachText(db, "SELECT five FROM gocs WHERE substr(five, 2, 1) = 'S'", 0, error,
                [&](const QString& five) {
                  bool ok = false;
                  const int n = five.mid(2).toInt(&ok);
                  if (ok && five.size() == 2 + kCounterDigits) counter = std::max(counter, n);
                })) {
    return false;
  }

  QHash<QString, std::vector<const SgfEntry*>> addedByStones;
  std::vector<GocsRecord> rows;
  for (const SgfEntry& e : entries) {
    if (listed.contains(e.stones)) {
      ++counts->alreadyPresent;
      continue;
    }
    std::vector<const SgfEntry*>& sameStones = addedByStones[e.stones];
    if (std::any_of(sameStones.begin(), sameStones.end(),
                    [&](const SgfEntry* added) { return SameEntry(*added, e); })) {
      ++counts->repeated;
      continue;
    }
    sameStones.push_back(&e);
    if (counter >= kLargestCounter) {
      *error = QStringLiteral("the codes of imported entries have run out (%1S%2 is taken)")
                   .arg(sectionChar)
                   .arg(kLargestCounter);
      return false;
    }
    ++counter;
    GocsRecord r;
    r.id = ++lastId;
    r.one = QStringLiteral("0");
    r.marks = e.marks;
    r.preset = e.presetCount > 0 ? QString(CharFromCoord(e.presetCount)) : QStringLiteral("0");
    r.title = e.title.isEmpty() ? QStringLiteral("SGF %1").arg(counter) : e.title;
    r.ref = e.ref;
    r.comment = e.comment;
    r.stones = e.stones;
    r.five = QStringLiteral("%1S%2").arg(sectionChar).arg(counter, kCounterDigits, 10, QChar(u'0'));
    rows.push_back(std::move(r));
  }
  int failedLine = 0;
  if (!InsertGocs(db, rows, &failedLine, error)) return false;
  counts->added += static_cast<int>(rows.size());
  return true;
}

}  // namespace moraku
