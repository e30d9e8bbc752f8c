// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/sqlite_db.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <cstddef>
#include <utility>
#include <vector>

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

namespace {

// The first bytes of the file at `path`, read through SQLite's own file layer: closing a file
// the process also has open through SQLite would otherwise drop that connection's locks.
QByteArray FileHeader(const QByteArray& path, int size) {
  sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
  if (vfs == nullptr) return {};
  // The layer reads options after the name, so it takes only names made by SQLite.
  const QByteArray journal = path + "-journal";
  const QByteArray wal = path + "-wal";
  sqlite3_filename name =
      sqlite3_create_filename(path.constData(), journal.constData(), wal.constData(), 0, nullptr);
  if (name == nullptr) return {};
  std::vector<std::max_align_t> storage(
      static_cast<std::size_t>(vfs->szOsFile) / sizeof(std::max_align_t) + 1);
  auto* file = reinterpret_cast<sqlite3_file*>(storage.data());
  int flags = 0;
  if (vfs->xOpen(vfs, name, file, SQLITE_OPEN_READONLY | SQLITE_OPEN_MAIN_DB, &flags) !=
      SQLITE_OK) {
    if (file->pMethods != nullptr) file->pMethods->xClose(file);
    sqlite3_free_filename(name);
    return {};
  }
  QByteArray header(size, '\0');
  const bool read =
      file->pMethods != nullptr && file->pMethods->xRead(file, header.data(), size, 0) == SQLITE_OK;
  if (file->pMethods != nullptr) file->pMethods->xClose(file);
  sqlite3_free_filename(name);
  return read ? header : QByteArray();
}

// Whether the file at `path` is a database in WAL mode (its header's read and write versions
// are 2) that nobody has open: no -wal and no -shm file beside it.
bool IsIdleWalDatabase(const QString& path) {
  if (QFileInfo::exists(path + QStringLiteral("-wal")) ||
      QFileInfo::exists(path + QStringLiteral("-shm"))) {
    return false;
  }
  const QByteArray name = QFile::encodeName(QFileInfo(path).absoluteFilePath());
  const QByteArray header = FileHeader(name, 20);
  return header.size() == 20 && header.startsWith("SQLite format 3") && header[18] == 2 &&
         header[19] == 2;
}

}  // namespace

int Database::OpenUntrusted(const QString& path, std::chrono::milliseconds budget) {
  int rc = SQLITE_OK;
  if (IsIdleWalDatabase(path)) {
    const QByteArray uri =
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded() + "?immutable=1";
    Close();
    rc = sqlite3_open_v2(uri.constData(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    if (rc != SQLITE_OK) {
      NoteError(rc);
      Close();
      return rc;
    }
    sqlite3_extended_result_codes(db_, 1);
    errorCode_ = SQLITE_OK;
    error_.clear();
  } else {
    rc = Open(path, SQLITE_OPEN_READONLY);
    if (rc != SQLITE_OK) return rc;
  }
  sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, kLargestValue);
  sqlite3_limit(db_, SQLITE_LIMIT_SQL_LENGTH, 1 << 20);
  deadline_ = std::chrono::steady_clock::now() + budget;
  timedOut_ = false;
  sqlite3_progress_handler(db_, 1000, &Database::CheckBudget, this);
  return Exec("PRAGMA cell_size_check = ON");
}

void Database::RenewBudget(std::chrono::milliseconds budget) {
  deadline_ = std::chrono::steady_clock::now() + budget;
  timedOut_ = false;
}

int Database::CheckBudget(void* self) {
  auto* db = static_cast<Database*>(self);
  if (std::chrono::steady_clock::now() < db->deadline_) return 0;
  db->timedOut_ = true;
  return 1;
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
    : db_(std::exchange(other.db_, nullptr)), stmt_(std::exchange(other.stmt_, nullptr)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    if (stmt_ != nullptr) sqlite3_finalize(stmt_);
    db_ = std::exchange(other.db_, nullptr);
    stmt_ = std::exchange(other.stmt_, nullptr);
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
  if (stmt_ == nullptr) return StepResult::Error;
  const int result = sqlite3_step(stmt_);
  if (result == SQLITE_ROW) return StepResult::Row;
  if (result == SQLITE_DONE) return StepResult::Done;
  if (db_ != nullptr) db_->NoteError(result);
  return StepResult::Error;
}

int Statement::Reset() {
  if (stmt_ == nullptr) return SQLITE_MISUSE;
  return sqlite3_reset(stmt_);
}

int Statement::ColumnCount() const {
  return stmt_ == nullptr ? 0 : sqlite3_column_count(stmt_);
}

QString Statement::ColumnName(int i) const {
  if (stmt_ == nullptr) return {};
  const char* name = sqlite3_column_name(stmt_, i);
  return name == nullptr ? QString() : QString::fromUtf8(name);
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

}  // namespace moraku::sql
