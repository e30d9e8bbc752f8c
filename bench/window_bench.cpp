// SPDX-License-Identifier: GPL-3.0-or-later
// OpenWindow: the real joseki window opening on a section offscreen: load, list filled, entry 1
// drawn and painted; on synthetic sections of growing size, on each section of the shipped
// database, and on the star-point section imported from a 15 MB joseki dictionary.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <memory>

#include "app/joseki_window.h"
#include "bench_data.h"
#include "data/section_loader.h"
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

// Opens the joseki window on `section` of the program folder `program` (its fld1/goc.db) and
// closes it again, timing the opening only.
void TimeOpening(benchmark::State& state, int section, const QString& program) {
  const SectionLoad load = LoadSection(program + QStringLiteral("/fld1/goc.db"), section);
  const int entries = load.table.Count();
  if (!load.error.isEmpty() || entries == 0) {
    state.SkipWithError("the section has no entries");
    return;
  }
  state.counters["entries"] = entries;
  for (auto _ : state) {
    auto window = std::make_unique<JosekiWindow>(section, program);
    window->show();
    QCoreApplication::processEvents();
    state.PauseTiming();
    const bool opened =
        window->ListRowCount() == entries && window->Session().state.CurrentEntry == 1;
    window.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
    if (!opened) {
      state.SkipWithError("the window did not open on the whole section with entry 1 shown");
      break;
    }
  }
}

// The section numbered state.range(0) of the database the build ships (fld1/goc.db beside the
// build's programs).
void BM_OpenShippedSection(benchmark::State& state) {
  TimeOpening(state, static_cast<int>(state.range(0)), QStringLiteral(MORAKU_BUILD_DIR));
}
BENCHMARK(BM_OpenShippedSection)
    ->Name("OpenWindow/shipped")
    ->ArgName("section")
    ->Arg(kHandicapSection)
    ->Arg(kStarPointSection)
    ->Arg(kThreeFourSection)
    ->Unit(benchmark::kMillisecond);

// The star-point section that moraku-db import-sgf makes of a 15 MB dictionary: 25,600 lines,
// each with its own 560-byte comment.
void BM_OpenDictionarySection(benchmark::State& state) {
  TimeOpening(state, kStarPointSection, DictionaryProgram().path);
}
BENCHMARK(BM_OpenDictionarySection)
    ->Name("OpenWindow/dictionary15MB")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moraku::bench
