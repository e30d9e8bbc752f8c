// moraku-db: the command-line tool for the joseki database.

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "cli/commands.h"

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
     "import-sgf FILE... --db DB [--section 1|2|3] [--preset N] [--strict]"},
    {"export-sgf", moraku::cli::RunExportSgf,
     "export-sgf --db DB [--section 1|2|3] --out FILE.sgf"},
    {"verify", moraku::cli::RunVerify,
     "verify --engine gnugo --db DB [--section 1|2|3] [--verbose]   judge every line with GNU Go"},
};

void PrintUsage(QTextStream& err) {
  err << "usage: moraku-db COMMAND [ARGUMENTS]\n";
  for (const CommandEntry& c : kCommands) err << "  moraku-db " << c.usage << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  QStringList args = app.arguments().mid(1);
  if (args.isEmpty() || args.first() == "--help" || args.first() == "-h") {
    PrintUsage(err);
    return args.isEmpty() ? 2 : 0;
  }
  const QString name = args.takeFirst();
  for (const CommandEntry& c : kCommands) {
    if (name == QLatin1String(c.name)) {
      const int status = c.run(args, out, err);
      out.flush();
      err.flush();
      return status;
    }
  }
  err << "moraku-db: unknown command '" << name << "'\n";
  PrintUsage(err);
  return 2;
}
