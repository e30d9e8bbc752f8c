#pragma once
// The argument handling every moraku-db command shares: one parser (Qt's QCommandLineParser)
// with the same option spellings, `--help` on standard output, and the same exit statuses.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

#include "data/sections.h"

namespace moraku::cli {

// Exit statuses of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// One command's options and operands. Add the options, call Parse, then read the values.
class CommandLine {
 public:
  // `command` is the command's name after "moraku-db"; `summary` one line on what it does;
  // `operands` how its operands are written in the usage line ("CSV DB", "FILE...", or "").
  CommandLine(const QString& command, const QString& summary, const QString& operands = {});

  // An option `--name VALUE` (also written `--name=VALUE`).
  void AddValueOption(const QString& name, const QString& valueName, const QString& description);
  // The option `--section N` of the commands that work on one section, with the sections of the
  // section table; `what` says what it chooses ("The section to add to.").
  void AddSectionOption(const QString& what);
  // An option `--name` without a value.
  void AddFlagOption(const QString& name, const QString& description);
  // Describes one kind of operand for the help text.
  void DescribeOperand(const QString& name, const QString& description);

  // Parses the arguments after the command's name. Returns nullopt when the command should run;
  // otherwise the exit status to return at once: kExitOk after printing the help to `out`
  // (`--help`, `-h`), kExitUsage after printing the usage line and the complaint to `err`.
  // `minOperands`/`maxOperands` bound the operands (maxOperands < 0: no upper bound), and every
  // name in `required` must be given.
  std::optional<int> Parse(const QStringList& args, QTextStream& out, QTextStream& err,
                           int minOperands = 0, int maxOperands = 0,
                           const QStringList& required = {});

  bool IsSet(const QString& name) const { return parser_.isSet(name); }
  QString Value(const QString& name) const { return parser_.value(name); }
  QStringList Operands() const { return parser_.positionalArguments(); }

  // Prints the usage line and "moraku-db COMMAND: <problem>" to `err`; returns kExitUsage. For
  // a value that Parse could not judge (a number out of range, an unknown section).
  int UsageError(QTextStream& err, const QString& problem) const;

  // The one-line usage: "moraku-db COMMAND [options] OPERANDS".
  QString UsageLine() const;

 private:
  QString command_;
  QString operands_;
  QCommandLineParser parser_;
};

// The section number written on the command line: the menu number of a section of the section
// table ("1" handicap, "2" star point, "3" the 3-4 point), leading zeros allowed ("02"). nullopt
// for anything else.
std::optional<int> ParseSection(const QString& text);

// A whole decimal number from `least` to `most`, nothing else (no sign, no spaces).
std::optional<qint64> ParseNumber(const QString& text, qint64 least, qint64 most);

// The complaint about a section that ParseSection refused.
QString SectionProblem(const QString& text);

// Whether the two paths name the same existing file (the same device and inode, so also
// through links). A path that does not exist is nobody's input.
bool SameFile(const QString& a, const QString& b);

}  // namespace moraku::cli
