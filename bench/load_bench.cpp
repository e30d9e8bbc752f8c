// SPDX-License-Identifier: GPL-3.0-or-later
// LoadSection: opening the database, the section query and the entry table.

#include <benchmark/benchmark.h>

#include <utility>

#include "bench_data.h"
#include "data/section_loader.h"

namespace moraku::bench {
namespace {

void BM_LoadSection(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  const ProgramDir& program = SyntheticProgram(entries);
  for (auto _ : state) {
    SectionLoad load = LoadSection(program.databasePath, kHandicapSection);
    state.PauseTiming();
    const bool complete = load.error.isEmpty() && load.table.Count() == entries;
    { SectionLoad discarded = std::move(load); }  // freeing the table is not part of the load
    state.ResumeTiming();
    if (!complete) {
      state.SkipWithError("the section did not load completely");
      break;
    }
  }
}
BENCHMARK(BM_LoadSection)
    ->Name("LoadSection")
    ->Arg(1200)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moraku::bench
