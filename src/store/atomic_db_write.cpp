// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/atomic_db_write.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace moraku {

namespace {

// How long a writer waits for another writer's lock: long enough for a queue of imports, short
// enough to report a program that keeps the database locked.
constexpr int kWriterWaitMs = 10000;
// How often a writer takes the lock again after finding the file replaced under it.
constexpr int kLockAttempts = 100;
// Links followed from the target before giving up (a loop).
constexpr int kMostLinks = 40;

// The temporary file of the write in progress, for the signal handlers: its encoded path and
// whether it is there to be removed.
char gTemporaryPath[4096];
volatile std::sig_atomic_t gHaveTemporary = 0;

void RemoveTemporaryAndDie(int signal) {
  if (gHaveTemporary != 0) ::unlink(gTemporaryPath);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// Holds back SIGINT, SIGTERM and SIGHUP while it lives, so that the temporary file is never on
// disk without being noted for the handlers (or noted once it has become the target); a signal
// that came meanwhile is delivered when the block ends.
class StopSignalsHeld {
 public:
  StopSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&held, signal);
    sigprocmask(SIG_BLOCK, &held, &before_);
  }
  ~StopSignalsHeld() { sigprocmask(SIG_SETMASK, &before_, nullptr); }
  StopSignalsHeld(const StopSignalsHeld&) = delete;
  StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;

 private:
  sigset_t before_{};
};

// Marks `path` as the temporary file to remove on a signal, or (empty) none.
void NoteTemporary(const QByteArray& path) {
  gHaveTemporary = 0;
  if (path.isEmpty() || path.size() >= static_cast<qsizetype>(sizeof gTemporaryPath)) return;
  std::memcpy(gTemporaryPath, path.constData(), static_cast<std::size_t>(path.size()) + 1);
  gHaveTemporary = 1;
}

// The device and inode at `path`, or {0, 0} when there is nothing there.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(const QString& path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
  return {st.st_dev, st.st_ino};
}

// The path a chain of symbolic links starting at `path` ends at (which need not exist), or an
// empty string for a loop.
QString FollowLinks(const QString& path) {
  QString current = QFileInfo(path).absoluteFilePath();
  for (int hop = 0; hop < kMostLinks; ++hop) {
    const QFileInfo info(current);
    if (!info.isSymLink()) return current;
    current = info.symLinkTarget();
  }
  return {};
}

// Turns a database in WAL mode back to a rollback journal, which checkpoints and removes its
// -wal file; needs every other connection closed. Returns false with `error` set when the mode
// cannot be read or changed.
bool LeaveWalMode(sql::Database& guard, const QString& target, QString* error) {
  sql::Statement mode;
  if (mode.Prepare(guard, "PRAGMA journal_mode") != SQLITE_OK ||
      mode.Step() != sql::StepResult::Row) {
    *error = QStringLiteral("cannot read %1: %2").arg(target, guard.ErrorText());
    return false;
  }
  if (mode.ColumnText(0).compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) return true;
  mode = sql::Statement();
  sql::Statement change;
  if (change.Prepare(guard, "PRAGMA journal_mode = DELETE") != SQLITE_OK ||
      change.Step() != sql::StepResult::Row ||
      change.ColumnText(0).compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0) {
    *error = QStringLiteral(
                 "%1 is in WAL mode and another program has it open; close it there and try "
                 "again")
                 .arg(target);
    return false;
  }
  return true;
}

// Opens `target` on `guard`, takes its write lock and checks that the locked file is still the
// one at the path: another writer may have renamed its new file into place while this one
// waited, and a lock on the replaced file guards nothing. Returns the SQLite result code of the
// open or lock (SQLITE_OK when locked); on SQLITE_OK with `error` set the WAL mode could not be
// left.
int LockTarget(sql::Database& guard, const QString& target, QString* error) {
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    const FileIdentity before = IdentityOf(target);
    int code = guard.Open(target, SQLITE_OPEN_READWRITE);
    if (code != SQLITE_OK) return code;
    guard.SetBusyTimeout(kWriterWaitMs);
    code = guard.Exec("BEGIN IMMEDIATE");
    if (code != SQLITE_OK) return code;
    if (IdentityOf(target) == before && before != FileIdentity{}) {
      // The journal mode can change only outside a transaction; the lock is taken again after.
      guard.Exec("ROLLBACK");
      if (!LeaveWalMode(guard, target, error)) return SQLITE_OK;
      code = guard.Exec("BEGIN IMMEDIATE");
      if (code != SQLITE_OK) return code;
      if (IdentityOf(target) == before) return SQLITE_OK;
    }
    guard.Close();
  }
  guard.NoteError(SQLITE_BUSY);
  return SQLITE_BUSY;
}

QString ErrnoText() {
  return QString::fromLocal8Bit(std::strerror(errno));
}

// Flushes a file or folder to disk. Returns false with `error` set on failure.
bool SyncPath(const QString& path, int flags, QString* error) {
  const QByteArray name = QFile::encodeName(path);
  const int fd = ::open(name.constData(), flags | O_CLOEXEC);
  if (fd < 0) {
    *error = QStringLiteral("cannot open %1 to sync it: %2").arg(path, ErrnoText());
    return false;
  }
  const bool ok = ::fsync(fd) == 0;
  if (!ok) *error = QStringLiteral("cannot sync %1: %2").arg(path, ErrnoText());
  ::close(fd);
  return ok;
}

// Copies the whole database `source` into the open connection `dest` with SQLite's online
// backup, which reads a consistent snapshot even while others use the file.
bool CopyDatabase(const QString& source, sql::Database& dest, QString* error) {
  sql::Database from;
  if (from.Open(source, SQLITE_OPEN_READONLY) != SQLITE_OK) {
    *error = QStringLiteral("cannot open %1: %2").arg(source, from.ErrorText());
    return false;
  }
  from.SetBusyTimeout(2000);
  sqlite3_backup* backup = sqlite3_backup_init(dest.Handle(), "main", from.Handle(), "main");
  if (backup == nullptr) {
    dest.NoteError(SQLITE_ERROR);
    *error = QStringLiteral("cannot copy %1: %2").arg(source, dest.ErrorText());
    return false;
  }
  const int stepped = sqlite3_backup_step(backup, -1);
  const int finished = sqlite3_backup_finish(backup);
  if (stepped != SQLITE_DONE || finished != SQLITE_OK) {
    const int code = stepped != SQLITE_DONE ? stepped : finished;
    *error =
        QStringLiteral("cannot copy %1: %2").arg(source, QString::fromUtf8(sqlite3_errstr(code)));
    return false;
  }
  return true;
}

// Runs the writer inside one transaction on the temporary file and closes it.
bool FillTemporary(const QString& tempPath, const QString& target, AtomicStart start,
                   const DatabaseWriter& write, QString* error) {
  sql::Database db;
  if (db.Open(tempPath, SQLITE_OPEN_READWRITE) != SQLITE_OK) {
    *error = QStringLiteral("cannot open %1: %2").arg(tempPath, db.ErrorText());
    return false;
  }
  // The copy holds whatever schema the old file had: its views and triggers may call only
  // harmless functions.
  sqlite3_db_config(db.Handle(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  sqlite3_db_config(db.Handle(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  // The temporary file is thrown away on any failure, so its journal need not survive a crash.
  if (db.Exec("PRAGMA journal_mode = MEMORY") != SQLITE_OK) {
    *error = QStringLiteral("cannot prepare %1: %2").arg(tempPath, db.ErrorText());
    return false;
  }
  if (start == AtomicStart::CopyOfTarget && !CopyDatabase(target, db, error)) return false;
  if (db.Exec("BEGIN") != SQLITE_OK) {
    *error = QStringLiteral("cannot start writing %1: %2").arg(tempPath, db.ErrorText());
    return false;
  }
  if (!write(db, error)) {
    db.Exec("ROLLBACK");
    return false;
  }
  if (db.Exec("COMMIT") != SQLITE_OK) {
    *error = QStringLiteral("cannot write %1: %2").arg(tempPath, db.ErrorText());
    db.Exec("ROLLBACK");
    return false;
  }
  db.Close();
  return true;
}

}  // namespace

bool WriteDatabaseAtomically(const QString& requested, AtomicStart start,
                             const DatabaseWriter& write, QString* error) {
  QString scratch;
  if (error == nullptr) error = &scratch;
  // Writing through a link replaces the file it leads to, in that file's folder.
  const QString target = FollowLinks(requested);
  if (target.isEmpty()) {
    *error = QStringLiteral("%1: too many levels of symbolic links").arg(requested);
    return false;
  }
  const QFileInfo info(target);
  if (info.exists() && !info.isFile()) {
    *error = QStringLiteral("%1 is not a file").arg(target);
    return false;
  }
  if (start == AtomicStart::CopyOfTarget && !info.exists()) {
    *error = QStringLiteral("%1 does not exist").arg(target);
    return false;
  }
  // Another writer's transaction must not commit into the old file between the copy and the
  // rename, where it would be lost: hold the target's write lock until it has been replaced.
  sql::Database guard;
  if (info.exists()) {
    QString walError;
    const int code = LockTarget(guard, target, &walError);
    if (!walError.isEmpty()) {
      *error = walError;
      return false;
    }
    const int primary = code & 0xff;
    // A file that is not a database yet may be replaced by a new one without a lock.
    if (code != SQLITE_OK && (start == AtomicStart::CopyOfTarget || primary == SQLITE_BUSY ||
                              primary == SQLITE_LOCKED)) {
      *error = QStringLiteral("cannot lock %1: %2").arg(target, guard.ErrorText());
      return false;
    }
  }
  const QString folder = info.absolutePath();
  QTemporaryFile temp(QDir(folder).filePath(QStringLiteral(".%1.XXXXXX.tmp").arg(info.fileName())));
  temp.setAutoRemove(true);  // removes the file on every path that does not rename it
  QString tempPath;
  QByteArray from;
  {
    const StopSignalsHeld held;
    if (!temp.open()) {
      *error = QStringLiteral("cannot create a temporary file in %1: %2")
                   .arg(folder, temp.errorString());
      return false;
    }
    tempPath = temp.fileName();
    from = QFile::encodeName(tempPath);
    NoteTemporary(from);
  }
  temp.close();  // SQLite takes the empty file for a new database

  const auto fail = [] {
    NoteTemporary({});
    return false;
  };
  if (!FillTemporary(tempPath, target, start, write, error)) return fail();
  if (!SyncPath(tempPath, O_RDONLY, error)) return fail();
  const QFileDevice::Permissions permissions =
      info.exists() ? QFile::permissions(target)
                    : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                          QFileDevice::ReadOther;
  QFile::setPermissions(tempPath, permissions);

  const QByteArray to = QFile::encodeName(info.absoluteFilePath());
  {
    const StopSignalsHeld held;
    if (std::rename(from.constData(), to.constData()) != 0) {
      *error = QStringLiteral("cannot replace %1: %2").arg(target, ErrnoText());
      return fail();
    }
    NoteTemporary({});  // the file is the target now
  }
  temp.setAutoRemove(false);  // the file now is the target
  // The rename is durable once the folder is on disk; the new content is in place either way.
  QString ignored;
  SyncPath(folder, O_RDONLY | O_DIRECTORY, &ignored);
  return true;
}

void RemoveTemporaryDatabaseOnSignals() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, RemoveTemporaryAndDie);
}

}  // namespace moraku
