// SPDX-License-Identifier: GPL-3.0-or-later
// WorstSearch: RunSearch with twelve stones that match nothing, so that every fallback scan
// runs, over a whole section: synthetic ones, and the star-point section imported from a 15 MB
// joseki dictionary.

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

// Runs the search `text` over section `section` of `program`'s database until the state is done.
void RunWorstSearch(benchmark::State& state, const ProgramDir& program, int section, int entries,
                    const QString& text) {
  RecordingControls ui;
  ImageStore images(Fld2Dir());
  JosekiSession session(ui, images);
  SectionLoad load = LoadSection(program.databasePath, section);
  if (load.table.Count() != entries || entries == 0) {
    state.SkipWithError("the section did not load");
    return;
  }
  session.state.Entries = std::move(load.table);
  session.state.SearchText = text.isEmpty() ? WorstSearchText() : text;
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

void BM_WorstSearch(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  RunWorstSearch(state, SyntheticProgram(entries), kHandicapSection, entries, QString());
}
BENCHMARK(BM_WorstSearch)
    ->Name("WorstSearch")
    ->Arg(1200)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

// The first four stones of the section's first line, shared by many lines, then eight stones
// whose colour code no stone string holds.
void BM_WorstSearchDictionary(benchmark::State& state) {
  const ProgramDir& program = DictionaryProgram();
  const SectionLoad load = LoadSection(program.databasePath, kStarPointSection);
  if (load.table.records.empty()) {
    state.SkipWithError("the dictionary's section did not load");
    return;
  }
  QString text = load.table.records.front().stones.left(12);
  for (int i = 0; i < 8; ++i) text += QStringLiteral("GG") + QChar(u'4' + i);
  RunWorstSearch(state, program, kStarPointSection, load.table.Count(), text);
}
BENCHMARK(BM_WorstSearchDictionary)
    ->Name("WorstSearch/dictionary15MB")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moraku::bench
