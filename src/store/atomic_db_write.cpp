#include "store/atomic_db_write.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace moraku {

namespace {

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

bool WriteDatabaseAtomically(const QString& target, AtomicStart start, const DatabaseWriter& write,
                             QString* error) {
  QString scratch;
  if (error == nullptr) error = &scratch;
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
    int code = guard.Open(target, SQLITE_OPEN_READWRITE);
    if (code == SQLITE_OK) {
      guard.SetBusyTimeout(2000);
      code = guard.Exec("BEGIN IMMEDIATE");
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
  if (!temp.open()) {
    *error =
        QStringLiteral("cannot create a temporary file in %1: %2").arg(folder, temp.errorString());
    return false;
  }
  const QString tempPath = temp.fileName();
  temp.close();  // SQLite takes the empty file for a new database

  if (!FillTemporary(tempPath, target, start, write, error)) return false;
  if (!SyncPath(tempPath, O_RDONLY, error)) return false;
  const QFileDevice::Permissions permissions =
      info.exists() ? QFile::permissions(target)
                    : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                          QFileDevice::ReadOther;
  QFile::setPermissions(tempPath, permissions);

  const QByteArray from = QFile::encodeName(tempPath);
  const QByteArray to = QFile::encodeName(info.absoluteFilePath());
  if (std::rename(from.constData(), to.constData()) != 0) {
    *error = QStringLiteral("cannot replace %1: %2").arg(target, ErrnoText());
    return false;
  }
  temp.setAutoRemove(false);  // the file now is the target
  // The rename is durable once the folder is on disk; the new content is in place either way.
  QString ignored;
  SyncPath(folder, O_RDONLY | O_DIRECTORY, &ignored);
  return true;
}

}  // namespace moraku
