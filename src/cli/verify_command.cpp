// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db verify --engine gnugo --db DB [--section N] [--verbose] [--timeout SECONDS]:
// replays every entry on a Go engine and reports lines that end with an unsettled or dead group,
// a stone left in atari, or the same stones as another entry.

#include <QFileInfo>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "data/sections.h"
#include "store/entry_checker.h"
#include "store/gtp_engine.h"
#include "store/joseki_verifier.h"

namespace moraku::cli {

namespace {

constexpr int kEngineUnavailable = 3;

// The engine program: GNU Go found on the system for "gnugo", else the path given.
QString EngineProgram(const QString& engine) {
  return engine == QLatin1String("gnugo") ? FindGnuGo() : engine;
}

}  // namespace

int RunVerify(const QStringList& args, QTextStream& out, QTextStream& err) {
  CommandLine line(QStringLiteral("verify"),
                   QStringLiteral("Replays every entry on a Go engine and reports lines that end "
                                  "with an unsettled or dead group, a stone left in atari, or the "
                                  "same stones as another entry. Exit status 3: the engine is "
                                  "missing, died or did not answer."));
  line.AddValueOption(QStringLiteral("engine"), QStringLiteral("gnugo|PROGRAM"),
                      QStringLiteral("The engine: GNU Go found on the system, or a GTP program."));
  line.AddValueOption(QStringLiteral("db"), QStringLiteral("DB"),
                      QStringLiteral("The joseki database."));
  line.AddSectionOption(QStringLiteral("Only the entries of this section (default: every entry):"));
  line.AddFlagOption(QStringLiteral("verbose"),
                     QStringLiteral("Also list the small groups given up."));
  line.AddValueOption(QStringLiteral("timeout"), QStringLiteral("SECONDS"),
                      QStringLiteral("How long the engine may take for one answer, 1-3600 "
                                     "(default 60)."));
  if (const std::optional<int> status =
          line.Parse(args, out, err, 0, 0, {QStringLiteral("engine"), QStringLiteral("db")})) {
    return *status;
  }
  const QString dbPath = line.Value(QStringLiteral("db"));
  const bool verbose = line.IsSet(QStringLiteral("verbose"));
  int section = 0;  // 0: every entry
  if (line.IsSet(QStringLiteral("section"))) {
    const std::optional<int> parsed = ParseSection(line.Value(QStringLiteral("section")));
    if (!parsed) {
      return line.UsageError(err, SectionProblem(line.Value(QStringLiteral("section"))));
    }
    section = *parsed;
  }
  int timeoutSeconds = 60;
  if (line.IsSet(QStringLiteral("timeout"))) {
    const std::optional<qint64> seconds =
        ParseNumber(line.Value(QStringLiteral("timeout")), 1, 3600);
    if (!seconds) {
      return line.UsageError(err, QStringLiteral("--timeout needs 1..3600 seconds, not '%1'")
                                      .arg(line.Value(QStringLiteral("timeout"))));
    }
    timeoutSeconds = static_cast<int>(*seconds);
  }
  std::vector<GocsRow> entries;
  QString error;
  if (!ReadGocsRows(dbPath, &entries, &error)) {
    err << "moraku-db verify: cannot read the joseki database " << error << "\n";
    return kExitFailure;
  }
  if (section != 0) {
    const QChar code(FindSection(section)->code);
    std::erase_if(entries, [code](const GocsRow& e) { return !e.five.startsWith(code); });
  }

  const QString program = EngineProgram(line.Value(QStringLiteral("engine")));
  if (program.isEmpty()) {
    err << "moraku-db verify: GNU Go is not installed (Debian package gnugo; scripts/deps "
           "installs it)\n";
    return kEngineUnavailable;
  }
  GtpEngine engine;
  engine.SetTimeout(timeoutSeconds * 1000);
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
        if (verbose) out << "note: " << f.line << "\n";
        break;
    }
  }
  const int problems = result.ProblemCount();
  out << entries.size() << (entries.size() == 1 ? " entry verified, " : " entries verified, ");
  if (problems == 0) {
    out << "no problems\n";
    return kExitOk;
  }
  out << problems << (problems == 1 ? " problem\n" : " problems\n");
  return kExitFailure;
}

}  // namespace moraku::cli
