// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the hardening tests: snapshots of files that must not change, bad files of every
// kind, moraku-db run as a separate process, and databases of table gocs written directly.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <csignal>
#include <vector>

#include "data/gocs_row.h"
#include "test_paths.h"

namespace moraku::test::hardening {

// The bytes and modification time of a file, to show that reading it left it as it was.
struct FileSnapshot {
  bool exists = false;
  QByteArray bytes;
  QDateTime modified;

  static FileSnapshot Of(const QString& path) {
    FileSnapshot s;
    QFileInfo info(path);
    s.exists = info.exists();
    if (!s.exists) return s;
    s.modified = info.lastModified();
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) s.bytes = file.readAll();
    return s;
  }
  bool operator==(const FileSnapshot&) const = default;
};

// The names in a folder, to show that nothing was left behind.
inline QStringList FolderListing(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return file.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// `size` bytes from a fixed seed, so that every run sees the same garbage.
inline QByteArray RandomBytes(qsizetype size, quint32 seed) {
  QRandomGenerator gen(seed);
  QByteArray bytes(size, '\0');
  for (char& b : bytes) b = static_cast<char>(gen.bounded(256));
  return bytes;
}

// Runs SQL on a new or existing database file. Returns an empty string or SQLite's message.
inline QString ExecSql(const QString& path, const char* sql) {
  sqlite3* db = nullptr;
  QString error;
  if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) {
    error = QString::fromUtf8(sqlite3_errmsg(db));
  } else {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
      error = QString::fromUtf8(message ? message : "failed");
    }
    sqlite3_free(message);
  }
  sqlite3_close(db);
  return error;
}

// A valid database of `count` entries of section 2 (many pages, for truncation).
inline QString WriteManyEntries(const QString& path, int count) {
  QString sql = QString::fromLatin1(kCreateGocsTable) + QStringLiteral(";BEGIN;");
  for (int i = 1; i <= count; ++i) {
    sql += QStringLiteral(
               "INSERT INTO gocs VALUES (%1,'0','','1','entry %1','ref %1','%2','442361%3',"
               "'cap|1/2|aabb','1%4');")
               .arg(i)
               .arg(QString(200, QChar(u'c')))
               .arg(QString::number(i % 9 + 1).repeated(3))
               .arg(i, 6, 10, QChar(u'0'));
  }
  sql += QStringLiteral("COMMIT;");
  return ExecSql(path, sql.toUtf8().constData());
}

// What one run of moraku-db did.
struct ToolRun {
  bool finished = false;
  int exitCode = -1;
  QString out;
  QString err;
};

// How a run of moraku-db is confined: a file-size limit (RLIMIT_FSIZE, with SIGXFSZ ignored as
// moraku-db itself does, so that writes past it fail as on a full disk) and where its standard
// output goes.
struct ToolLimits {
  qint64 fileSizeLimit = -1;         // bytes; -1 for none
  QString standardOutputFile;        // empty: captured
  bool ignoreFileSizeSignal = true;  // false: SIGXFSZ keeps its default, ending the process
};

inline ToolRun RunTool(const QStringList& args, int timeoutMs = 60000,
                       const ToolLimits& limits = {}) {
  ToolRun run;
  QProcess tool;
  if (limits.fileSizeLimit >= 0) {
    const rlim_t bytes = static_cast<rlim_t>(limits.fileSizeLimit);
    const bool ignore = limits.ignoreFileSizeSignal;
    tool.setChildProcessModifier([bytes, ignore] {
      std::signal(SIGXFSZ, ignore ? SIG_IGN : SIG_DFL);
      const struct rlimit limit { bytes, bytes };
      ::setrlimit(RLIMIT_FSIZE, &limit);
    });
  }
  if (!limits.standardOutputFile.isEmpty()) tool.setStandardOutputFile(limits.standardOutputFile);
  tool.start(DbTool(), args);
  run.finished = tool.waitForFinished(timeoutMs);
  if (!run.finished) {
    tool.kill();
    tool.waitForFinished();
    return run;
  }
  run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
  run.out = QString::fromUtf8(tool.readAllStandardOutput());
  run.err = QString::fromUtf8(tool.readAllStandardError());
  return run;
}

// Runs `sql` on the database at `path` in a child process that then ends without closing it, as a
// writer killed mid-work does: what it wrote is left in the -journal or -wal file beside it.
// Returns false when the child failed.
inline bool RunSqlAndDie(const QString& path, const char* sql) {
  const pid_t child = ::fork();
  if (child == 0) {
    sqlite3* db = nullptr;
    const bool ok = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK &&
                    sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

// Whether a text holds at least one Japanese character (kana or kanji).
inline bool HasJapanese(const QString& text) {
  for (QChar c : text) {
    if (c.unicode() >= 0x3040 && c.unicode() <= 0x9fff) return true;
  }
  return false;
}

}  // namespace moraku::test::hardening
