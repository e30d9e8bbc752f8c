// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db: the command-line tool for the joseki database.

#include <QCoreApplication>
#include <QIODevice>
#include <QTextStream>
#include <csignal>
#include <cstdio>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "store/atomic_db_write.h"

namespace {

using Command = int (*)(const QStringList&, QTextStream&, QTextStream&);

struct CommandEntry {
  const char* name;
  Command run;
  const char* usage;
};

constexpr CommandEntry kCommands[] = {
    {"load", moraku::cli::RunLoad,
     "load CSV DB                      build the database DB from CSV"},
    {"check", moraku::cli::RunCheck, "check --db DB                    verify every entry"},
    {"search", moraku::cli::RunSearch,
     "search --db DB --section 1|2|3 POINTS   search as the window does (POINTS: row,col or ?)"},
    {"render", moraku::cli::RunRender,
     "render --db DB --section 1|2|3 --entry N [--record-move M] --out FILE.png"},
    {"board", moraku::cli::RunBoard, "board --record TEXT [--to M]     print the record board"},
    {"import-sgf", moraku::cli::RunImportSgf,
     "import-sgf FILE|DIR... --db DB [--section 1|2|3] [--preset N] [--strict] [--max-entries N]"},
    {"export-sgf", moraku::cli::RunExportSgf,
     "export-sgf --db DB [--section 1|2|3] --out FILE.sgf"},
    {"verify", moraku::cli::RunVerify,
     "verify --engine gnugo --db DB [--section 1|2|3] [--verbose]   judge every line with GNU Go"},
    {"import-games", moraku::cli::RunImportGames,
     "import-games FILE|DIR... --db DB   add SGF game records to the game collection"},
    {"games", moraku::cli::RunGames,
     "games --db DB [--count | --remove ID... | --entry N --section 1|2|3]"},
    {"next", moraku::cli::RunNext,
     "next --db DB --section 1|2|3 POINTS   the moves played next in the collection"},
};

void PrintUsage(QTextStream& stream) {
  stream << "usage: moraku-db COMMAND [ARGUMENTS]\n";
  for (const CommandEntry& c : kCommands) stream << "  moraku-db " << c.usage << "\n";
  stream << "Every command takes --help. Exit status: 0 success, 1 failure, 2 wrong usage.\n";
}

// Flushes standard output; false when something written there was lost (a full disk, a closed
// pipe), with the reason in `why`.
bool FlushOutput(QTextStream& out, QString* why) {
  out.flush();
  if (out.status() != QTextStream::Ok) {
    *why = out.device() != nullptr ? out.device()->errorString() : QStringLiteral("write failed");
    return false;
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    *why = QStringLiteral("write failed");
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit makes writes fail with a reason instead of killing the process, so the
  // temporary file is removed and the failure reported.
  std::signal(SIGXFSZ, SIG_IGN);
  moraku::RemoveTemporaryDatabaseOnSignals();
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  QStringList args = app.arguments().mid(1);
  int status = moraku::cli::kExitUsage;
  if (args.isEmpty()) {
    PrintUsage(err);
  } else if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
    PrintUsage(out);
    status = moraku::cli::kExitOk;
  } else {
    const QString name = args.takeFirst();
    const CommandEntry* command = nullptr;
    for (const CommandEntry& c : kCommands) {
      if (name == QLatin1String(c.name)) command = &c;
    }
    if (command != nullptr) {
      status = command->run(args, out, err);
    } else {
      err << "moraku-db: unknown command '" << name << "'\n";
      PrintUsage(err);
    }
  }
  QString why;
  if (!FlushOutput(out, &why)) {
    err << "moraku-db: cannot write standard output: " << why << "\n";
    if (status == moraku::cli::kExitOk) status = moraku::cli::kExitFailure;
  }
  err.flush();
  return status;
}
