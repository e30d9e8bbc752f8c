// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_options.h"

#include <algorithm>
#include <cmath>

namespace moraku {

namespace {

// A whole number from 1, or 0 for anything else.
int PositiveNumber(const QString& text) {
  bool ok = false;
  const int value = text.toInt(&ok);
  return ok && value >= 1 ? value : 0;
}

// A display scale from "100", "150 %", "1.5" and the like, or 0.
double ScaleValue(QString text) {
  text = text.trimmed();
  const bool percent = text.endsWith(QLatin1Char('%'));
  if (percent) text.chop(1);
  bool ok = false;
  double value = text.trimmed().toDouble(&ok);
  if (!ok) return 0;
  if (percent || value >= 10) value /= 100;
  return IsDisplayScale(value) ? value : 0;
}

}  // namespace

bool IsDisplayScale(double scale) {
  return std::any_of(std::begin(kDisplayScales), std::end(kDisplayScales),
                     [scale](double s) { return std::abs(s - scale) < 1e-9; });
}

StartOptions ParseStartOptions(const QStringList& arguments, int sectionCount) {
  StartOptions options;
  auto fail = [&options](const QString& message) {
    options.error = message;
    return options;
  };
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    QString option = arguments[i];
    QString value;
    bool hasValue = false;
    if (const qsizetype eq = option.indexOf(QLatin1Char('=')); option.startsWith(u"--") && eq > 0) {
      value = option.mid(eq + 1);
      option = option.left(eq);
      hasValue = true;
    }
    if (option == u"--help" || option == u"-h") {
      options.help = true;
      continue;
    }
    if (option != u"--section" && option != u"--entry" && option != u"--scale")
      return fail(QStringLiteral("unknown option '%1'").arg(arguments[i]));
    if (!hasValue) {
      if (i + 1 >= arguments.size()) return fail(QStringLiteral("%1 needs a value").arg(option));
      value = arguments[++i];
    }
    if (option == u"--section") {
      options.section = PositiveNumber(value);
      if (options.section < 1 || options.section > sectionCount) {
        return fail(QStringLiteral("--section needs a section number from 1 to %1, not '%2'")
                        .arg(sectionCount)
                        .arg(value));
      }
    } else if (option == u"--entry") {
      options.entry = PositiveNumber(value);
      if (options.entry < 1)
        return fail(QStringLiteral("--entry needs an entry number from 1, not '%1'").arg(value));
    } else {
      options.scale = ScaleValue(value);
      if (options.scale == 0)
        return fail(
            QStringLiteral("--scale needs 100, 150 or 200 (per cent), not '%1'").arg(value));
    }
  }
  if (options.entry > 0 && options.section == 0 && !options.help)
    return fail(QStringLiteral("--entry needs --section"));
  return options;
}

QString StartOptionsHelp(int sectionCount) {
  return QStringLiteral(
             "usage: moraku [--section N [--entry K]] [--scale S]\n"
             "  --section N  open the joseki window on section N (1 to %1, as numbered in the\n"
             "               menu) without showing the menu first\n"
             "  --entry K    show the K-th entry of the section's list (default: the entry shown\n"
             "               last in that section, else the first)\n"
             "  --scale S    display scale in per cent: 100, 150 or 200 (default: the scale\n"
             "               chosen last in the menu)\n"
             "  --help       print this text\n")
      .arg(sectionCount);
}

}  // namespace moraku
