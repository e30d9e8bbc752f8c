#include "data/section_loader.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "board/coords.h"
#include "data/section_query.h"
#include "data/sqlite_db.h"

namespace moraku {

namespace {

// A reader waits this long for a writer's lock, then reports the file as busy.
constexpr int kBusyTimeoutMs = 250;

// Fields of a gocs record, by position.
enum Field : int {
  kKeyField = 0,
  kMarksField = 2,
  kPresetCountField = 3,
  kTitleField = 4,
  kRefField = 5,
  kCommentField = 6,
  kStonesField = 7,
  kRecordField = 8,
  kFieldsRead = 9,
};

QString Message(const QString& path, const QString& reason) {
  return QStringLiteral("定石データベースを開けません。\nファイル: %1\n理由: %2")
      .arg(QDir::toNativeSeparators(path), reason);
}

// A Japanese reason for a failed SQLite call, followed by SQLite's own text.
QString Reason(const sql::Database& db, const QString& fallback) {
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

// Number of records in gocs, or 0 when it cannot be counted.
std::size_t RowCountOfTable(sql::Database& db) {
  sql::Statement count;
  if (count.Prepare(db, "SELECT count(*) FROM gocs") != SQLITE_OK) return 0;
  if (count.Step() != sql::StepResult::Row) return 0;
  return static_cast<std::size_t>(std::max(0LL, count.ColumnText(0).toLongLong()));
}

// Fills `entry` and `record` from the current row of `rows`.
void ReadRow(const sql::Statement& rows, Entry& entry, SearchRecord& record) {
  QString stones = rows.ColumnText(kStonesField);
  entry.title = rows.ColumnText(kTitleField);
  entry.ref = rows.ColumnText(kRefField);
  entry.comment = rows.ColumnText(kCommentField);
  entry.marks = rows.ColumnText(kMarksField);
  entry.record = rows.ColumnText(kRecordField);
  // A negative count reads as no preset stones; a count beyond the string takes all of it.
  const int n = std::max(0, CoordFromChar(rows.ColumnText(kPresetCountField)));
  entry.presetCount = n;
  const qsizetype split = std::min<qsizetype>(3 * static_cast<qsizetype>(n), stones.size());
  entry.preset = stones.left(split);
  entry.moves = stones.mid(split);
  record.key = rows.ColumnText(kKeyField);
  record.stones = std::move(stones);
}

}  // namespace

SectionLoad LoadSection(const QString& path, int sectionIndex) {
  SectionLoad result;
  const char* query = SectionQuery(sectionIndex);
  if (query == nullptr) {
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
  if (db.Open(path, SQLITE_OPEN_READONLY) != SQLITE_OK) {
    result.error = Message(path, Reason(db, QStringLiteral("ファイルを開けません")));
    return result;
  }
  db.SetBusyTimeout(kBusyTimeoutMs);

  sql::Statement rows;
  if (rows.Prepare(db, query) != SQLITE_OK) {
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

  EntryTable& table = result.table;
  // Reserving for every record of the table costs only address space for the records that the
  // section leaves out, and spares the growing vectors their copies.
  const std::size_t capacity = RowCountOfTable(db);
  table.entries.reserve(capacity + 1);
  table.records.reserve(capacity);
  for (;;) {
    const sql::StepResult step = rows.Step();
    if (step == sql::StepResult::Done) break;
    if (step == sql::StepResult::Error) {
      result.table = EntryTable{};
      result.error = Message(path, Reason(db, QStringLiteral("読み込みに失敗しました")));
      return result;
    }
    ReadRow(rows, table.entries.emplace_back(), table.records.emplace_back());
  }
  return result;
}

}  // namespace moraku
