#include "data/sqlite_db.h"

#include <sqlite3.h>

#include <QFile>
#include <utility>

namespace moraku::sql {

Database::~Database() {
  Close();
}

int Database::Open(const QString& path, int flags) {
  Close();
  const QByteArray name = QFile::encodeName(path);
  const int rc = sqlite3_open_v2(name.constData(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    if (db_ != nullptr) {
      errorCode_ = sqlite3_extended_errcode(db_);
      error_ = QString::fromUtf8(sqlite3_errmsg(db_));
    } else {
      errorCode_ = rc;
      error_ = QString::fromUtf8(sqlite3_errstr(rc));
    }
    Close();
    return rc;
  }
  sqlite3_extended_result_codes(db_, 1);
  errorCode_ = SQLITE_OK;
  error_.clear();
  return rc;
}

void Database::Close() {
  if (db_ != nullptr) {
    sqlite3_close_v2(db_);
    db_ = nullptr;
  }
}

int Database::Exec(const char* sql) {
  if (db_ == nullptr) return SQLITE_MISUSE;
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) NoteError(rc);
  return rc;
}

void Database::SetBusyTimeout(int milliseconds) {
  if (db_ != nullptr) sqlite3_busy_timeout(db_, milliseconds);
}

void Database::NoteError(int code) {
  if (db_ != nullptr) {
    errorCode_ = sqlite3_extended_errcode(db_);
    error_ = QString::fromUtf8(sqlite3_errmsg(db_));
  } else {
    errorCode_ = code;
    error_ = QString::fromUtf8(sqlite3_errstr(code));
  }
}

Statement::~Statement() {
  if (stmt_ != nullptr) sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)),
      stmt_(std::exchange(other.stmt_, nullptr)),
      lastResult_(other.lastResult_) {}

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    if (stmt_ != nullptr) sqlite3_finalize(stmt_);
    db_ = std::exchange(other.db_, nullptr);
    stmt_ = std::exchange(other.stmt_, nullptr);
    lastResult_ = other.lastResult_;
  }
  return *this;
}

int Statement::Prepare(Database& db, const char* sql) {
  if (stmt_ != nullptr) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
  db_ = &db;
  if (!db.IsOpen()) return SQLITE_MISUSE;
  const int rc = sqlite3_prepare_v2(db.Handle(), sql, -1, &stmt_, nullptr);
  if (rc != SQLITE_OK) {
    db.NoteError(rc);
    if (stmt_ != nullptr) sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
  return rc;
}

int Statement::BindText(int index, QStringView text) {
  if (stmt_ == nullptr) return SQLITE_MISUSE;
  const QByteArray utf8 = text.toUtf8();
  return sqlite3_bind_text(stmt_, index, utf8.constData(), static_cast<int>(utf8.size()),
                           SQLITE_TRANSIENT);
}

int Statement::BindInt64(int index, std::int64_t value) {
  if (stmt_ == nullptr) return SQLITE_MISUSE;
  return sqlite3_bind_int64(stmt_, index, static_cast<sqlite3_int64>(value));
}

int Statement::BindNull(int index) {
  if (stmt_ == nullptr) return SQLITE_MISUSE;
  return sqlite3_bind_null(stmt_, index);
}

StepResult Statement::Step() {
  if (stmt_ == nullptr) {
    lastResult_ = SQLITE_MISUSE;
    return StepResult::Error;
  }
  lastResult_ = sqlite3_step(stmt_);
  if (lastResult_ == SQLITE_ROW) return StepResult::Row;
  if (lastResult_ == SQLITE_DONE) return StepResult::Done;
  if (db_ != nullptr) db_->NoteError(lastResult_);
  return StepResult::Error;
}

int Statement::Reset() {
  if (stmt_ == nullptr) return SQLITE_MISUSE;
  return sqlite3_reset(stmt_);
}

int Statement::ColumnCount() const {
  return stmt_ == nullptr ? 0 : sqlite3_column_count(stmt_);
}

std::int64_t Statement::ColumnInt64(int i) const {
  return stmt_ == nullptr ? 0 : sqlite3_column_int64(stmt_, i);
}

QString Statement::ColumnText(int i) const {
  if (stmt_ == nullptr) return {};
  // Ask for the text first, then its length, as the SQLite documentation advises.
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
  if (text == nullptr) return {};
  const int bytes = sqlite3_column_bytes(stmt_, i);
  QString s = QString::fromUtf8(text, bytes);
  // The conversion reserves one UTF-16 unit per byte; Japanese text needs a third of that, and a
  // loaded section keeps many such strings, so give the rest back.
  if (s.capacity() - s.size() > 16) s.squeeze();
  return s;
}

bool Statement::ColumnIsNull(int i) const {
  return stmt_ == nullptr || sqlite3_column_type(stmt_, i) == SQLITE_NULL;
}

}  // namespace moraku::sql
