// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's command line: `moraku [--section N [--entry K]] [--scale S]` and `--help`.

#include <QString>
#include <QStringList>

namespace moraku {

// What the command line asks for.
struct StartOptions {
  int section = 0;    // 1, 2, ... as numbered in the menu; 0 starts on the menu
  int entry = 0;      // 1-based row of the section's list; 0: as the menu's button opens it
  double scale = 0;   // 1, 1.5 or 2; 0 when not given (the remembered scale applies)
  bool help = false;  // print the usage and end
  QString error;      // a bad option or value, in words; empty when the line is good
};

// The display scales offered: 100 %, 150 % and 200 %.
inline constexpr double kDisplayScales[] = {1.0, 1.5, 2.0};

// True when `scale` is one of kDisplayScales.
bool IsDisplayScale(double scale);

// Reads the arguments after the program name. `sectionCount` is the number of sections the
// menu offers. Scales are written as 100, 150, 200 (a trailing % allowed) or 1, 1.5, 2.
StartOptions ParseStartOptions(const QStringList& arguments, int sectionCount);

// The usage text printed by --help.
QString StartOptionsHelp(int sectionCount);

}  // namespace moraku
