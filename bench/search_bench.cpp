// SPDX-License-Identifier: GPL-3.0-or-later
// WorstSearch: RunSearch with twelve stones that match nothing, so that every fallback scan
// runs, over a whole section.

#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "data/section_loader.h"
#include "joseki/joseki_session.h"
#include "joseki/recording_controls.h"
#include "render/image_store.h"
#include "search/search_run.h"
#include "search/search_scan.h"

namespace moraku::bench {
namespace {

void BM_WorstSearch(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  const ProgramDir& program = SyntheticProgram(entries);
  RecordingControls ui;
  ImageStore images(Fld2Dir());
  JosekiSession session(ui, images);
  SectionLoad load = LoadSection(program.databasePath, kHandicapSection);
  if (load.table.Count() != entries) {
    state.SkipWithError("the section did not load");
    return;
  }
  session.state.Entries = std::move(load.table);
  session.state.SearchText = WorstSearchText();
  session.state.MirrorText = MirrorOf(session.state.SearchText);
  for (auto _ : state) {
    RunSearch(session);
  }
  // Twelve stones dropped to four: eight drops, the last one not searched, nothing found.
  if (session.state.FallbackFound || session.state.DroppedStones != 8 ||
      ui.messages.value(ui.messages.size() - 1) != SearchFailureMessage(8)) {
    state.SkipWithError("the search was not the worst case");
  }
}
BENCHMARK(BM_WorstSearch)
    ->Name("WorstSearch")
    ->Arg(1200)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moraku::bench
