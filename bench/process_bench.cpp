// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-process figures: the time from starting the program to its menu window on screen, and
// the peak memory of a process holding a section of 100,000 entries.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "app/joseki_window.h"
#include "bench_data.h"
#include "data/entry_table.h"
#include "data/sections.h"
#include "peak_memory.h"

namespace moraku::bench {

namespace {

constexpr int kProcessTimeoutMs = 60000;

// VmHWM of /proc/self/status in bytes, or 0 when it cannot be read.
qint64 PeakResidentBytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) return 0;
  for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
    if (!line.startsWith("VmHWM:")) continue;
    const QList<QByteArray> parts = line.mid(6).simplified().split(' ');
    return parts.value(0).toLongLong() * 1024;  // the kernel reports kB
  }
  return 0;
}

void BM_StartToMenu(benchmark::State& state) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  // The program quits as soon as its menu window has been painted.
  env.insert(QStringLiteral("MORAKU_EXIT_AFTER_SHOWN"), QStringLiteral("1"));
  // Settings of its own, so that the user's (a remembered 200 % scale, say) do not change the
  // figure; the first start stores the menu's place and later ones find it unchanged.
  QTemporaryDir settingsDir;
  env.insert(QStringLiteral("MORAKU_SETTINGS_FILE"),
             settingsDir.filePath(QStringLiteral("moraku.ini")));
  for (auto _ : state) {
    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    program.start(QStringLiteral(MORAKU_PROGRAM), {});
    const bool finished = program.waitForFinished(kProcessTimeoutMs);
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    if (!finished || program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0) {
      program.kill();
      program.waitForFinished();
      state.SkipWithError("the program did not quit after showing its menu");
      break;
    }
  }
}
BENCHMARK(BM_StartToMenu)->Name("StartToMenu")->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_PeakMemory(benchmark::State& state) {
  const ProgramDir& program = SyntheticProgram(static_cast<int>(state.range(0)));
  qint64 bytes = 0;
  for (auto _ : state) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(kPeakMemoryChildFlag), program.path});
    const bool finished = child.waitForFinished(kProcessTimeoutMs);
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    bytes = child.readAllStandardOutput().trimmed().toLongLong();
    if (!finished || child.exitCode() != 0 || bytes <= 0) {
      state.SkipWithError("the measuring process failed");
      return;
    }
  }
  state.counters["bytes"] = benchmark::Counter(
      static_cast<double>(bytes), benchmark::Counter::kDefaults, benchmark::Counter::OneK::kIs1024);
}
BENCHMARK(BM_PeakMemory)
    ->Name("PeakMemory")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

}  // namespace

int RunPeakMemoryChild(const QString& programDir) {
  auto window = std::make_unique<JosekiWindow>(kHandicapSection, programDir);
  window->show();
  QCoreApplication::processEvents();
  const bool loaded = window->ListRowCount() > 0;
  const qint64 bytes = PeakResidentBytes();
  std::printf("%lld\n", static_cast<long long>(bytes));
  return loaded && bytes > 0 ? 0 : 1;
}

}  // namespace moraku::bench
