// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db import-games FILE|DIR... --db DB: adds the SGF game records of files and folders
// (folders searched recursively for *.sgf) to the game collection of the database.

#include <unistd.h>
#include <QFileInfo>
#include <array>
#include <cstdio>
#include <map>
#include <string>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/input_file.h"
#include "games/game_record.h"
#include "games/game_store.h"
#include "store/atomic_db_write.h"
#include "store/gocs_table.h"

namespace moraku::cli {

namespace {

// A progress bar on stderr, drawn only when stderr is a terminal.
class Progress {
 public:
  explicit Progress(int total) : total_(total), shown_(isatty(fileno(stderr)) != 0) {}
  void Step(int done) {
    if (!shown_ || total_ == 0) return;
    const int width = 40;
    const int filled = done * width / total_;
    if (filled == lastFilled_ && done != total_) return;
    lastFilled_ = filled;
    std::fprintf(stderr, "\r[%s%s] %d/%d files", std::string(filled, '#').c_str(),
                 std::string(width - filled, '.').c_str(), done, total_);
    if (done == total_) std::fputc('\n', stderr);
    std::fflush(stderr);
  }

 private:
  int total_;
  bool shown_;
  int lastFilled_ = -1;
};

}  // namespace

int RunImportGames(const QStringList& args, QTextStream& out, QTextStream& err) {
  CommandLine line(QStringLiteral("import-games"),
                   QStringLiteral("Adds SGF game records to the game collection of a joseki "
                                  "database, in one transaction."),
                   QStringLiteral("FILE|DIR..."));
  line.AddValueOption(QStringLiteral("db"), QStringLiteral("DB"),
                      QStringLiteral("The joseki database (made when missing)."));
  line.DescribeOperand(QStringLiteral("FILE|DIR"),
                       QStringLiteral("An SGF file of at most 64 MiB, or a folder searched "
                                      "recursively for *.sgf files."));
  if (const std::optional<int> status = line.Parse(args, out, err, 1, -1, {QStringLiteral("db")}))
    return *status;
  const QStringList paths = line.Operands();
  const QString dbPath = line.Value(QStringLiteral("db"));

  const QStringList files = SgfFilesOf(paths);
  int imported = 0;
  int duplicates = 0;
  std::map<QString, int> skipped;  // reason -> games or files
  const bool exists = QFileInfo::exists(dbPath);
  QString error;
  // One transaction over the whole batch: the database gains every game or none. A file that
  // cannot be read is counted and passed over.
  const bool written = WriteDatabaseAtomically(
      dbPath, exists ? AtomicStart::CopyOfTarget : AtomicStart::Empty,
      [&](sql::Database& db, QString* why) {
        if (!exists && !CreateGocsTable(db, why)) return false;
        if (!games::CreateGameTables(db, why)) return false;
        games::GameWriter writer;
        if (!writer.Prepare(db, why)) return false;
        Progress progress(static_cast<int>(files.size()));
        int done = 0;
        for (const QString& path : files) {
          progress.Step(done++);
          QByteArray bytes;
          QString unreadable;
          if (!ReadInputFile(path, kMaxInputBytes, &bytes, &unreadable)) {
            err << "moraku-db: " << unreadable << "\n";
            ++skipped[QStringLiteral("unreadable file")];
            continue;
          }
          const games::GameFileRead read = games::ReadGames(bytes, path);
          if (!read.error.isEmpty()) {
            err << "moraku-db: " << path << ":" << read.error << "\n";
            ++skipped[QStringLiteral("not SGF")];
            continue;
          }
          for (const games::ReadGame& game : read.games) {
            if (game.skipped != games::SkipReason::None) {
              ++skipped[QString::fromLatin1(games::SkipReasonText(game.skipped))];
              continue;
            }
            switch (writer.Add(game.game, why)) {
              case games::GameWriter::Outcome::Added:
                ++imported;
                break;
              case games::GameWriter::Outcome::Duplicate:
                ++duplicates;
                break;
              case games::GameWriter::Outcome::Failed:
                return false;
            }
          }
        }
        progress.Step(done);
        return true;
      },
      &error);
  if (!written) {
    err << "moraku-db: " << dbPath << ": " << error << "\n";
    return kExitFailure;
  }
  int skippedTotal = 0;
  QStringList reasons;
  for (const auto& [reason, count] : skipped) {
    skippedTotal += count;
    reasons << QStringLiteral("%1 %2").arg(count).arg(reason);
  }
  out << QFileInfo(dbPath).fileName() << ": " << imported << " imported, " << duplicates
      << " duplicate, " << skippedTotal << " skipped";
  if (!reasons.isEmpty()) out << " (" << reasons.join(QLatin1String(", ")) << ")";
  out << "\n";
  return kExitOk;
}

}  // namespace moraku::cli
