// ImportSgf: moraku-db import-sgf on generated joseki dictionaries, and the tool's peak memory
// on a 15 MB one.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <vector>

#include "bench_data.h"
#include "cli/commands.h"

namespace moraku::bench {
namespace {

struct Workload {
  QByteArray text;
  int paths;
};

// Imports `file` into a new database per iteration and reports its size and paths.
void RunImport(benchmark::State& state, const Workload& work) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("dictionary.sgf"));
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(work.text) != work.text.size()) {
    state.SkipWithError("cannot write the dictionary");
    return;
  }
  out.close();
  const QString db = dir.filePath(QStringLiteral("goc.db"));
  for (auto _ : state) {
    state.PauseTiming();
    QFile::remove(db);
    QString printed;
    QString complaints;
    QTextStream outStream(&printed);
    QTextStream errStream(&complaints);
    state.ResumeTiming();
    const int status = cli::RunImportSgf(
        {file, QStringLiteral("--db"), db, QStringLiteral("--section"), QStringLiteral("2")},
        outStream, errStream);
    if (status != 0) {
      state.SkipWithError("the import failed");
      return;
    }
  }
  state.counters["bytes"] =
      benchmark::Counter(static_cast<double>(work.text.size()), benchmark::Counter::kDefaults,
                         benchmark::Counter::OneK::kIs1024);
  state.counters["paths"] = work.paths;
}

void BM_ImportDictionary(benchmark::State& state) {
  // 50 answers of 50 lines each, 10 moves deep, a 560-byte comment on every branching node:
  // about 1.5 MB, 2,500 paths.
  static const Workload work{Dictionary(50, 2, 560, 8), 2500};
  RunImport(state, work);
}
BENCHMARK(BM_ImportDictionary)->Name("ImportSgf/dictionary")->Unit(benchmark::kMillisecond);

void BM_Import100000Nodes(benchmark::State& state) {
  // 50 answers of 50 lines each, 41 moves deep: 100,050 nodes, 2,500 paths, no comments.
  static const Workload work{Dictionary(50, 2, 0, 39), 2500};
  RunImport(state, work);
}
BENCHMARK(BM_Import100000Nodes)->Name("ImportSgf/100000nodes")->Unit(benchmark::kMillisecond);

// Peak resident memory of the moraku-db process importing a 15 MB dictionary.
void BM_ImportPeakMemory(benchmark::State& state) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("dictionary.sgf"));
  const QByteArray text = Dictionary(160, 2, 560, 8);  // 25,600 paths
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size()) {
    state.SkipWithError("cannot write the dictionary");
    return;
  }
  out.close();
  const QString db = dir.filePath(QStringLiteral("goc.db"));
  long peakKb = 0;
  for (auto _ : state) {
    QFile::remove(db);
    QElapsedTimer clock;
    clock.start();
    const QByteArray tool = QByteArrayLiteral(MORAKU_DB_TOOL);
    const QByteArray fileArg = QFile::encodeName(file);
    const QByteArray dbArg = QFile::encodeName(db);
    const pid_t child = fork();
    if (child == 0) {
      const int devNull = ::open("/dev/null", O_WRONLY);
      if (devNull >= 0) dup2(devNull, STDOUT_FILENO);
      execl(tool.constData(), tool.constData(), "import-sgf", fileArg.constData(), "--db",
            dbArg.constData(), "--section", "2", static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    rusage usage{};
    const bool ok = child > 0 && wait4(child, &status, 0, &usage) == child && WIFEXITED(status) &&
                    WEXITSTATUS(status) == 0;
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    if (!ok) {
      state.SkipWithError("the import process failed");
      return;
    }
    peakKb = usage.ru_maxrss;  // kilobytes on Linux
  }
  state.counters["file_bytes"] =
      benchmark::Counter(static_cast<double>(text.size()), benchmark::Counter::kDefaults,
                         benchmark::Counter::OneK::kIs1024);
  state.counters["peak_bytes"] =
      benchmark::Counter(static_cast<double>(peakKb) * 1024, benchmark::Counter::kDefaults,
                         benchmark::Counter::OneK::kIs1024);
}
BENCHMARK(BM_ImportPeakMemory)
    ->Name("ImportSgf/peak_memory_15MB")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

}  // namespace
}  // namespace moraku::bench
