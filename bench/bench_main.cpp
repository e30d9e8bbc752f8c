// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmark program: a QApplication on the offscreen platform, then every benchmark; or,
// started with --peak-memory-child DIR, the child process that PeakMemory measures.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstring>

#include "peak_memory.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc == 3 && std::strcmp(argv[1], moraku::bench::kPeakMemoryChildFlag) == 0)
    return moraku::bench::RunPeakMemoryChild(QString::fromLocal8Bit(argv[2]));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
