// Hostile and damaged databases fed to the section load and the checker, as the window and
// `moraku-db check` read them. The first byte says what the rest is:
// - even: SQL run on a new database first (schemas, views, column sets, rows of any shape);
// - odd: a database file as it lies on disk (seeded with sound files; mutations damage pages).
// Either way every read must end, quickly, without a crash, and a load that fails leaves no
// entries.

#include <sqlite3.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <chrono>
#include <cstdint>

#include "data/section_loader.h"
#include "data/sections.h"
#include "store/entry_checker.h"

namespace {

constexpr std::chrono::milliseconds kBudget{100};

// The file every input is written to, in a folder of its own for this process.
const QString& DatabasePath() {
  static const QString path = [] {
    const QString folder = QDir::temp().filePath(QStringLiteral("moraku_fuzz_db_%1").arg(getpid()));
    QDir().mkpath(folder);
    return folder + QStringLiteral("/goc.db");
  }();
  return path;
}

// Refuses whatever would reach beyond the database file.
int Authorize(void*, int action, const char*, const char*, const char*, const char*) {
  return action == SQLITE_ATTACH || action == SQLITE_DETACH ? SQLITE_DENY : SQLITE_OK;
}

int StopAfterBudget(void* start) {
  const auto begun = *static_cast<std::chrono::steady_clock::time_point*>(start);
  return std::chrono::steady_clock::now() - begun > kBudget ? 1 : 0;
}

// Runs the SQL text on a new database file, within bounds of time, size and reach.
void BuildFromSql(const QByteArray& sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open(QFile::encodeName(DatabasePath()).constData(), &db) == SQLITE_OK) {
    sqlite3_set_authorizer(db, Authorize, nullptr);
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, 1 << 20);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    auto start = std::chrono::steady_clock::now();
    sqlite3_progress_handler(db, 1000, StopAfterBudget, &start);
    sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
  }
  sqlite3_close(db);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const QByteArray rest(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
  const QString& path = DatabasePath();
  QFile::remove(path);
  QFile::remove(path + QStringLiteral("-journal"));
  QFile::remove(path + QStringLiteral("-wal"));
  QFile::remove(path + QStringLiteral("-shm"));
  if (data[0] % 2 == 0) {
    BuildFromSql(rest);
  } else {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(rest) != rest.size()) return 0;
  }

  for (const moraku::Section& section : moraku::AllSections()) {
    const auto start = std::chrono::steady_clock::now();
    const moraku::SectionLoad load = moraku::LoadSection(path, section.index, kBudget);
    // The budget ends every load; what is left is closing the file.
    if (std::chrono::steady_clock::now() - start > 10 * kBudget) __builtin_trap();
    if (!load.error.isEmpty() && load.table.Count() != 0) __builtin_trap();
    for (int k = 1; k <= load.table.Count(); ++k) {
      if (load.table.entries[static_cast<std::size_t>(k)].preset.size() >
          load.table.records[static_cast<std::size_t>(k - 1)].stones.size()) {
        __builtin_trap();
      }
    }
  }
  QSet<QString> seen;
  QString error;
  moraku::ForEachGocsRow(
      path,
      [&seen](const moraku::GocsRow& entry) {
        const int problems = moraku::ReportEntryProblems(entry, seen, [](const QString& line) {
          if (line.size() > 1000) __builtin_trap();  // titles are cut, problems are short
        });
        (void)problems;
      },
      &error, kBudget);
  return 0;
}
