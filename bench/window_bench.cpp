// OpenWindow: the real joseki window opening on a section offscreen: load, list filled, entry 1
// drawn and painted.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <memory>

#include "app/joseki_window.h"
#include "bench_data.h"
#include "data/entry_table.h"
#include "data/sections.h"

namespace moraku::bench {
namespace {

void BM_OpenWindow(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  const ProgramDir& program = SyntheticProgram(entries);
  for (auto _ : state) {
    auto window = std::make_unique<JosekiWindow>(kHandicapSection, program.path);
    window->show();
    QCoreApplication::processEvents();  // the first paint of the window
    state.PauseTiming();
    const bool opened = window->ListRowCount() == entries &&
                        window->Session().state.CurrentEntry == 1 &&
                        window->Session().state.MoveCount > 0;
    window.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
    if (!opened) {
      state.SkipWithError("the window did not open on the whole section with entry 1 shown");
      break;
    }
  }
}
BENCHMARK(BM_OpenWindow)->Name("OpenWindow")->Arg(1200)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moraku::bench
