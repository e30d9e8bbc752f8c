// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small RAII layer over the SQLite C API: one database connection and its prepared
// statements. Nothing here throws; failures are reported by return value, and the text of the
// last failure is available from the connection (sqlite3_errmsg).

#include <QString>
#include <QStringView>
#include <chrono>
#include <cstdint>

struct sqlite3;
struct sqlite3_stmt;

namespace moraku::sql {

// One open connection. Closed when destroyed. Neither copied nor moved, because its statements
// keep a pointer to it.
class Database {
 public:
  Database() = default;
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Opens `path` with the sqlite3_open_v2 flags (SQLITE_OPEN_READONLY, SQLITE_OPEN_READWRITE |
  // SQLITE_OPEN_CREATE, ...). Returns the SQLite result code; on failure the connection is
  // closed again and ErrorText() still tells why.
  int Open(const QString& path, int flags);

  // Opens a database file that may be damaged or hostile, read-only, for reading it once:
  // views and triggers may call no function that is not marked harmless (trusted_schema off),
  // every page is checked as it is read (cell_size_check), a text or blob longer than
  // kLargestValue bytes is an error, and any statement still running `budget` after the open is
  // interrupted (then TimedOut() is true). A file in WAL mode that no other connection is using
  // (no -wal or -shm file beside it) is opened as immutable, so that reading leaves no -wal or
  // -shm file behind. Returns the SQLite result code, as Open does.
  int OpenUntrusted(const QString& path, std::chrono::milliseconds budget);

  // Whether a statement was interrupted because the budget of OpenUntrusted ran out.
  bool TimedOut() const { return timedOut_; }

  // Gives a connection opened by OpenUntrusted and kept open a new budget of `budget` from now,
  // for its next piece of work (a lookup of its own).
  void RenewBudget(std::chrono::milliseconds budget);

  // Closes the connection (no-op when not open). Statements must be finalized first.
  void Close();

  bool IsOpen() const { return db_ != nullptr; }

  // Runs one or more SQL statements that return no rows. Returns the SQLite result code.
  int Exec(const char* sql);

  // How long a statement waits for another connection's lock before giving up with
  // SQLITE_BUSY.
  void SetBusyTimeout(int milliseconds);

  // English text of the most recent failure on this connection (or of the failed open).
  QString ErrorText() const { return error_; }
  // Extended SQLite result code of the most recent failure.
  int ErrorCode() const { return errorCode_; }

  sqlite3* Handle() const { return db_; }

  // Records the connection's current error text and code; used by statements on failure.
  void NoteError(int code);

 private:
  static int CheckBudget(void* self);

  sqlite3* db_ = nullptr;
  QString error_;
  int errorCode_ = 0;
  std::chrono::steady_clock::time_point deadline_;
  bool timedOut_ = false;
};

// The longest text or blob a connection opened by OpenUntrusted reads: 16 MiB.
inline constexpr int kLargestValue = 16 << 20;

// The outcome of one Step.
enum class StepResult { Row, Done, Error };

// One prepared statement on a Database that outlives it. Finalized when destroyed.
class Statement {
 public:
  Statement() = default;
  ~Statement();
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&& other) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Compiles `sql` (UTF-8) on `db`. Returns the SQLite result code; on failure the statement
  // stays empty and db.ErrorText() says why.
  int Prepare(Database& db, const char* sql);

  // Binds parameter `index` (1-based). Return the SQLite result code.
  int BindText(int index, QStringView text);
  int BindInt64(int index, std::int64_t value);
  int BindNull(int index);

  // Advances to the next row. On Error, the connection's ErrorText() and ErrorCode() are set.
  StepResult Step();

  // Makes the statement ready to run again; bindings are kept.
  int Reset();

  // Number of columns of the result (0 for a statement that returns no rows).
  int ColumnCount() const;

  // Name of result column `i` (0-based) as the statement reports it.
  QString ColumnName(int i) const;

  // Column `i` (0-based) of the current row as text: NULL reads as an empty string, and bytes
  // that are not valid UTF-8 are decoded leniently (replacement characters), never failing.
  QString ColumnText(int i) const;

  // Column `i` of the current row as a 64-bit integer (SQLite's conversion; NULL reads as 0).
  std::int64_t ColumnInt64(int i) const;

 private:
  Database* db_ = nullptr;
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace moraku::sql
