// moraku-db verify --engine gnugo --db DB [--section N] [--verbose] [--timeout SECONDS]:
// replays every entry on a Go engine and reports lines that end with an unsettled or dead group,
// a stone left in atari, or the same stones as another entry.

#include <QFileInfo>

#include "cli/commands.h"
#include "data/sections.h"
#include "store/entry_checker.h"
#include "store/gtp_engine.h"
#include "store/joseki_verifier.h"

namespace moraku::cli {

namespace {

constexpr int kEngineUnavailable = 3;

struct VerifyArgs {
  QString engine;
  QString db;
  int section = 0;  // 0: every entry
  bool verbose = false;
  int timeoutSeconds = 60;
};

const char kUsage[] =
    "usage: moraku-db verify --engine gnugo|PROGRAM --db DB [--section 1|2|3] [--verbose] "
    "[--timeout SECONDS]\n";

// Reads the options; returns an empty string or the complaint about the arguments.
QString ParseArgs(const QStringList& args, VerifyArgs& v) {
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& option = args[i];
    if (option == QLatin1String("--verbose")) {
      v.verbose = true;
      continue;
    }
    if (i + 1 >= args.size()) return QStringLiteral("option %1 needs a value").arg(option);
    const QString& value = args[++i];
    bool ok = true;
    if (option == QLatin1String("--engine")) {
      v.engine = value;
    } else if (option == QLatin1String("--db")) {
      v.db = value;
    } else if (option == QLatin1String("--section")) {
      v.section = value.toInt(&ok);
      if (!ok || FindSection(v.section) == nullptr)
        return QStringLiteral("unknown section '%1' (1 handicap, 2 star point, 3 3-4 point)")
            .arg(value);
    } else if (option == QLatin1String("--timeout")) {
      v.timeoutSeconds = value.toInt(&ok);
      if (!ok || v.timeoutSeconds < 1 || v.timeoutSeconds > 3600)
        return QStringLiteral("--timeout needs 1..3600 seconds, not '%1'").arg(value);
    } else {
      return QStringLiteral("unknown option '%1'").arg(option);
    }
  }
  if (v.engine.isEmpty()) return QStringLiteral("--engine is required");
  if (v.db.isEmpty()) return QStringLiteral("--db is required");
  return {};
}

// The engine program: GNU Go found on the system for "gnugo", else the path given.
QString EngineProgram(const QString& engine) {
  return engine == QLatin1String("gnugo") ? FindGnuGo() : engine;
}

}  // namespace

int RunVerify(const QStringList& args, QTextStream& out, QTextStream& err) {
  VerifyArgs v;
  if (const QString problem = ParseArgs(args, v); !problem.isEmpty()) {
    err << "moraku-db verify: " << problem << "\n" << kUsage;
    return 2;
  }
  std::vector<RawEntry> entries;
  QString error;
  if (!ReadRawEntries(v.db, &entries, &error)) {
    err << "moraku-db verify: cannot read the joseki database " << error << "\n";
    return 1;
  }
  if (v.section != 0) {
    const QChar code(FindSection(v.section)->code);
    std::erase_if(entries, [code](const RawEntry& e) { return !e.five.startsWith(code); });
  }

  const QString program = EngineProgram(v.engine);
  if (program.isEmpty()) {
    err << "moraku-db verify: GNU Go is not installed (Debian package gnugo; scripts/deps "
           "installs it)\n";
    return kEngineUnavailable;
  }
  GtpEngine engine;
  engine.SetTimeout(v.timeoutSeconds * 1000);
  if (!engine.Start(program, GnuGoArguments(), &error)) {
    err << "moraku-db verify: cannot start the engine " << error << "\n";
    return kEngineUnavailable;
  }
  const VerifyResult result = VerifyEntries(entries, engine);
  if (!result.engineLost.isEmpty()) {
    err << "moraku-db verify: the engine stopped after " << result.entriesVerified << " of "
        << entries.size() << " entries: " << result.engineLost << "\n";
    return kEngineUnavailable;
  }
  for (const VerifyFinding& f : result.findings) {
    switch (f.severity) {
      case VerifyFinding::Severity::Problem:
        out << f.line << "\n";
        break;
      case VerifyFinding::Severity::Notice:
        out << "note: " << f.line << "\n";
        break;
      case VerifyFinding::Severity::Detail:
        if (v.verbose) out << "note: " << f.line << "\n";
        break;
    }
  }
  const int problems = result.ProblemCount();
  out << entries.size() << (entries.size() == 1 ? " entry verified, " : " entries verified, ");
  if (problems == 0) {
    out << "no problems\n";
    return 0;
  }
  out << problems << (problems == 1 ? " problem\n" : " problems\n");
  return 1;
}

}  // namespace moraku::cli
