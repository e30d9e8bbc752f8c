// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/section_loader.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <unordered_map>

#include "board/coords.h"
#include "data/gocs_row.h"
#include "data/sqlite_db.h"

namespace moraku {

namespace {

// A reader waits this long for a writer's lock, then reports the file as busy.
constexpr int kBusyTimeoutMs = 250;

// The program reads the columns up to the record; the code and `one` only filter and order.
constexpr int kFieldsRead = kRecordColumn + 1;

QString Message(const QString& path, const QString& reason) {
  return QStringLiteral("定石データベースを開けません。\nファイル: %1\n理由: %2")
      .arg(QDir::toNativeSeparators(path), reason);
}

// A Japanese reason for a failed SQLite call, followed by SQLite's own text.
QString Reason(const sql::Database& db, const QString& fallback) {
  if (db.TimedOut()) {
    return QStringLiteral(
        "読み込みが時間内に終わらないので打ち切りました。表 gocs が正しくない"
        "可能性があります");
  }
  if (db.ErrorCode() == SQLITE_READONLY_ROLLBACK) {
    return QStringLiteral(
               "書き込み中に止まったプログラムの変更が途中で残っています (同じフォルダーの "
               "-journal ファイル)。書き込みのできるプログラムで一度開くと元に戻ります (%1)")
        .arg(db.ErrorText());
  }
  QString japanese;
  switch (db.ErrorCode() & 0xff) {
    case SQLITE_NOTADB:
      japanese = QStringLiteral("データベースではありません");
      break;
    case SQLITE_CORRUPT:
      japanese = QStringLiteral("データベースが壊れています");
      break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      japanese = QStringLiteral("他のプログラムが使用中です");
      break;
    case SQLITE_CANTOPEN:
      japanese = QStringLiteral("ファイルを開けません");
      break;
    case SQLITE_IOERR:
      japanese = QStringLiteral("ファイルを読めません");
      break;
    default:
      japanese = fallback;
      break;
  }
  return QStringLiteral("%1 (%2)").arg(japanese, db.ErrorText());
}

// Whether the connection's file holds a table named gocs; false also when that cannot be read.
bool HasGocsTable(sql::Database& db) {
  sql::Statement probe;
  if (probe.Prepare(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'gocs'") !=
      SQLITE_OK) {
    return false;
  }
  return probe.Step() == sql::StepResult::Row;
}

// Fills `entry` and `record` from the current row of `rows`.
void ReadRow(const sql::Statement& rows, Entry& entry, SearchRecord& record) {
  QString stones = rows.ColumnText(kStonesColumn);
  entry.title = rows.ColumnText(kTitleColumn);
  entry.ref = rows.ColumnText(kRefColumn);
  entry.comment = rows.ColumnText(kCommentColumn);
  entry.marks = rows.ColumnText(kMarksColumn);
  entry.record = rows.ColumnText(kRecordColumn);
  // A negative count reads as no preset stones; a count beyond the string takes all of it.
  const int n = std::max(0, CoordFromChar(rows.ColumnText(kPresetColumn)));
  entry.presetCount = n;
  const qsizetype split = std::min<qsizetype>(3 * static_cast<qsizetype>(n), stones.size());
  entry.preset = stones.left(split);
  entry.moves = stones.mid(split);
  record.key = rows.ColumnText(kIdColumn);
  record.stones = std::move(stones);
}

// Reads the section's records by stepping through the section query itself.
bool ReadInQueryOrder(sql::Statement& rows, EntryTable& table) {
  table = EntryTable{};
  for (;;) {
    const sql::StepResult step = rows.Step();
    if (step == sql::StepResult::Done) return true;
    if (step == sql::StepResult::Error) return false;
    ReadRow(rows, table.entries.emplace_back(), table.records.emplace_back());
  }
}

// Whether the columns of `rows` include one that hides the table's own rowid.
bool ShadowsRowid(const sql::Statement& rows) {
  for (int i = 0; i < rows.ColumnCount(); ++i) {
    const QString name = rows.ColumnName(i).toLower();
    if (name == u"rowid" || name == u"_rowid_" || name == u"oid") return true;
  }
  return false;
}

// Reads the section's records in the query's order, taking the order from the rowid query and
// the records from one scan of the table. Returns false, leaving `table` for the caller to
// refill, when the table has no rowids of its own (none, a column of that name, repeated ones)
// or the scan does not find every record of the order exactly once.
bool ReadInTableOrder(sql::Database& db, const Section& section, EntryTable& table) {
  sql::Statement order;
  if (order.Prepare(db, section.rowidQuery) != SQLITE_OK) return false;
  std::unordered_map<std::int64_t, std::size_t> slotOfRowid;
  for (std::size_t slot = 0;; ++slot) {
    const sql::StepResult step = order.Step();
    if (step == sql::StepResult::Done) break;
    if (step == sql::StepResult::Error) return false;
    if (!slotOfRowid.emplace(order.ColumnInt64(0), slot).second) return false;
  }
  sql::Statement rows;
  if (rows.Prepare(db, "SELECT *, rowid FROM gocs") != SQLITE_OK) return false;
  const int rowidColumn = rows.ColumnCount() - 1;
  if (rowidColumn < kFieldsRead || ShadowsRowid(rows)) return false;
  table.entries.assign(slotOfRowid.size() + 1, Entry{});
  table.records.assign(slotOfRowid.size(), SearchRecord{});
  std::vector<bool> filled(slotOfRowid.size(), false);
  std::size_t found = 0;
  for (;;) {
    const sql::StepResult step = rows.Step();
    if (step == sql::StepResult::Done) break;
    if (step == sql::StepResult::Error) return false;
    const auto it = slotOfRowid.find(rows.ColumnInt64(rowidColumn));
    if (it == slotOfRowid.end()) continue;
    if (filled[it->second]) return false;
    filled[it->second] = true;
    ReadRow(rows, table.entries[it->second + 1], table.records[it->second]);
    ++found;
  }
  return found == slotOfRowid.size();
}

}  // namespace

SectionLoad LoadSection(const QString& path, int sectionIndex, std::chrono::milliseconds budget) {
  SectionLoad result;
  const Section* section = FindSection(sectionIndex);
  if (section == nullptr) {
    result.error =
        Message(path, QStringLiteral("部の番号が正しくありません (%1)").arg(sectionIndex));
    return result;
  }
  const QFileInfo info(path);
  if (!info.exists()) {
    result.error = Message(path, QStringLiteral("ファイルがありません"));
    return result;
  }
  if (!info.isFile()) {
    result.error = Message(path, QStringLiteral("ファイルではありません"));
    return result;
  }
  if (info.size() == 0) {
    // SQLite would take an empty file for an empty database.
    result.error = Message(path, QStringLiteral("データベースではありません (空のファイルです)"));
    return result;
  }

  sql::Database db;
  if (db.OpenUntrusted(path, budget) != SQLITE_OK) {
    result.error = Message(path, Reason(db, QStringLiteral("ファイルを開けません")));
    return result;
  }
  db.SetBusyTimeout(kBusyTimeoutMs);

  sql::Statement rows;
  if (rows.Prepare(db, section->query) != SQLITE_OK) {
    const int code = db.ErrorCode() & 0xff;
    QString reason = Reason(db, QStringLiteral("問い合わせを実行できません"));
    if (code == SQLITE_ERROR) {
      const QString sqliteText = db.ErrorText();
      if (!HasGocsTable(db)) {
        reason = QStringLiteral("表 gocs がありません (%1)").arg(sqliteText);
      } else {
        reason = QStringLiteral("列が足りません (%1)").arg(sqliteText);
      }
    }
    result.error = Message(path, reason);
    return result;
  }
  if (rows.ColumnCount() < kFieldsRead) {
    result.error =
        Message(path, QStringLiteral("列が足りません (表 gocs の列は %1 個、%2 個以上が必要です)")
                          .arg(rows.ColumnCount())
                          .arg(int{kFieldsRead}));
    return result;
  }

  // Follow the query's order through its index for the rowids only, then read the records in
  // one pass in table order: following the index for whole records reads the table's pages in
  // scattered order, which is what a large section's load spends its time on. Both passes run
  // in one read transaction, so they see the same records.
  db.Exec("BEGIN");
  bool read = ReadInTableOrder(db, *section, result.table);
  // A table-order read that ran out of time or met a damaged page is not tried again.
  const int failure = db.ErrorCode() & 0xff;
  if (!read && !db.TimedOut() && failure != SQLITE_CORRUPT && failure != SQLITE_TOOBIG) {
    read = ReadInQueryOrder(rows, result.table);
  }
  db.Exec("COMMIT");
  if (!read) {
    result.table = EntryTable{};
    result.error = Message(path, Reason(db, QStringLiteral("読み込みに失敗しました")));
  }
  return result;
}

}  // namespace moraku
