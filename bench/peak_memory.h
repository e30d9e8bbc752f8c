// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Peak memory of the program with a section loaded, measured in a child process so that the
// benchmark's own data does not count.

#include <QString>

namespace moraku::bench {

inline constexpr const char* kPeakMemoryChildFlag = "--peak-memory-child";

// The child's work: opens the joseki window on the handicap section of the program folder
// `programDir`, lets it paint, then prints its peak resident set size in bytes (VmHWM) on
// stdout. Returns the process exit code: 0, or 1 when the section did not load.
int RunPeakMemoryChild(const QString& programDir);

}  // namespace moraku::bench
