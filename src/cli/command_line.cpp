#include "cli/command_line.h"

#include <sys/stat.h>

#include <QFile>

namespace moraku::cli {

CommandLine::CommandLine(const QString& command, const QString& summary, const QString& operands)
    : command_(command), operands_(operands) {
  parser_.setApplicationDescription(summary);
  parser_.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
  parser_.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                       QStringLiteral("Show this help and exit.")));
}

void CommandLine::AddValueOption(const QString& name, const QString& valueName,
                                 const QString& description) {
  parser_.addOption(QCommandLineOption(name, description, valueName));
}

void CommandLine::AddSectionOption(const QString& what) {
  QStringList numbers;
  QStringList names;
  for (const Section& section : AllSections()) {
    numbers << QString::number(section.index);
    names << QStringLiteral("%1 %2").arg(section.index).arg(QString::fromUtf8(section.caption));
  }
  parser_.addOption(QCommandLineOption(
      QStringLiteral("section"),
      QStringLiteral("%1 %2.").arg(what, names.join(QStringLiteral(", "))), numbers.join(u'|')));
}

void CommandLine::AddFlagOption(const QString& name, const QString& description) {
  parser_.addOption(QCommandLineOption(name, description));
}

void CommandLine::DescribeOperand(const QString& name, const QString& description) {
  parser_.addPositionalArgument(name, description);
}

QString CommandLine::UsageLine() const {
  QString line = QStringLiteral("usage: moraku-db %1 [options]").arg(command_);
  if (!operands_.isEmpty()) line += u' ' + operands_;
  return line;
}

int CommandLine::UsageError(QTextStream& err, const QString& problem) const {
  err << UsageLine() << "\n"
      << "moraku-db " << command_ << ": " << problem << " (--help tells more)\n";
  return kExitUsage;
}

std::optional<int> CommandLine::Parse(const QStringList& args, QTextStream& out, QTextStream& err,
                                      int minOperands, int maxOperands,
                                      const QStringList& required) {
  QStringList argv = args;
  argv.prepend(QStringLiteral("moraku-db ") + command_);
  if (!parser_.parse(argv)) {
    const QStringList unknown = parser_.unknownOptionNames();
    if (!unknown.isEmpty()) {
      const QString& name = unknown.first();
      return UsageError(
          err, QStringLiteral("unknown option '%1%2'")
                   .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
    }
    return UsageError(err, parser_.errorText());
  }
  if (parser_.isSet(QStringLiteral("help"))) {
    QString help = parser_.helpText();
    // Qt's first line names the program; say how the command is written instead.
    const qsizetype firstBreak = help.indexOf(u'\n');
    help = UsageLine() + help.mid(firstBreak);
    out << help;
    return kExitOk;
  }
  for (const QString& name : required) {
    if (!parser_.isSet(name)) return UsageError(err, QStringLiteral("--%1 is required").arg(name));
    if (parser_.values(name).size() > 1) {
      return UsageError(err, QStringLiteral("--%1 is given more than once").arg(name));
    }
  }
  const qsizetype operands = parser_.positionalArguments().size();
  if (operands < minOperands) {
    return UsageError(err, operands_.isEmpty() ? QStringLiteral("missing operands")
                                               : QStringLiteral("expected %1").arg(operands_));
  }
  if (maxOperands >= 0 && operands > maxOperands) {
    return UsageError(err, QStringLiteral("unexpected operand '%1'")
                               .arg(parser_.positionalArguments().value(maxOperands)));
  }
  return std::nullopt;
}

std::optional<qint64> ParseNumber(const QString& text, qint64 least, qint64 most) {
  if (text.isEmpty() || text.size() > 18) return std::nullopt;
  qint64 value = 0;
  for (QChar c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c.unicode() - u'0');
  }
  if (value < least || value > most) return std::nullopt;
  return value;
}

std::optional<int> ParseSection(const QString& text) {
  const std::optional<qint64> n = ParseNumber(text, 1, 99);
  if (!n || FindSection(static_cast<int>(*n)) == nullptr) return std::nullopt;
  return static_cast<int>(*n);
}

QString SectionProblem(const QString& text) {
  QStringList known;
  for (const Section& section : AllSections()) {
    known << QStringLiteral("%1 %2").arg(section.index).arg(QString::fromUtf8(section.caption));
  }
  return QStringLiteral("unknown section '%1' (%2)").arg(text, known.join(QStringLiteral(", ")));
}

bool SameFile(const QString& a, const QString& b) {
  struct stat sa {};
  struct stat sb {};
  if (::stat(QFile::encodeName(a).constData(), &sa) != 0) return false;
  if (::stat(QFile::encodeName(b).constData(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace moraku::cli
