// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing on the boards: one record navigation step (the record board cleared and 300 moves
// with captures replayed into Master and presented) with the image cache on and off, and the
// display of one entry.

#include <benchmark/benchmark.h>

#include <chrono>

#include "bench_data.h"
#include "joseki/entry_display.h"
#include "joseki/joseki_session.h"
#include "joseki/playback.h"
#include "joseki/recording_controls.h"
#include "render/image_store.h"

namespace moraku::bench {
namespace {

constexpr int kReplayMoves = 300;

// A session showing a record of 300 legal moves with captures, all of them numbered.
struct RecordSession {
  explicit RecordSession(bool caching) : images(Fld2Dir(), caching), session(ui, images) {
    JosekiState& s = session.state;
    s.RecordMoves = LegalGameMoves(kReplayMoves, 5);
    s.RecordText = RecordText(QStringLiteral("実戦譜"), 1, kReplayMoves, s.RecordMoves);
    s.NumberLimit = 1;
    s.RecordLength = kReplayMoves;
  }

  // What the navigation buttons do: clear the record board, replay up to the target.
  void Step() {
    session.state.TargetMove = kReplayMoves;
    ClearRecordBoard(session);
    ReplayRecord(session, session.state.TargetMove);
  }

  RecordingControls ui;
  ImageStore images;
  JosekiSession session;
};

double SecondsPerStep(RecordSession& record, int steps) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < steps; ++i) record.Step();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / steps;
}

void BM_NavigationStep(benchmark::State& state, bool caching) {
  RecordSession record(caching);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) record.Step();
  const double perStep =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
      static_cast<double>(state.iterations());
  if (record.session.state.MoveCount != kReplayMoves) {
    state.SkipWithError("the replay did not reach its target");
    return;
  }
  // The other path measured here too, so that each run carries the ratio of the two.
  RecordSession other(!caching);
  const double otherPerStep = SecondsPerStep(other, caching ? 10 : 200);
  if (other.session.canvas.Display() != record.session.canvas.Display()) {
    state.SkipWithError("cached and uncached replays drew different pictures");
    return;
  }
  const double uncached = caching ? otherPerStep : perStep;
  const double cached = caching ? perStep : otherPerStep;
  state.counters["uncached_over_cached"] = uncached / cached;
}
BENCHMARK_CAPTURE(BM_NavigationStep, cached, true)
    ->Name("NavigationStep/cached")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NavigationStep, uncached, false)
    ->Name("NavigationStep/uncached")
    ->Unit(benchmark::kMicrosecond);

void BM_ShowEntry(benchmark::State& state) {
  RecordingControls ui;
  ImageStore images(Fld2Dir());
  JosekiSession session(ui, images);
  JosekiState& s = session.state;
  const QString stones = CornerStones(31, 11);  // the preset stone and 30 joseki moves
  s.PresetStones = stones.left(3);
  s.JosekiMoves = stones.mid(3);
  s.Marks = FiveMarkers();
  s.RecordText = RecordText(QStringLiteral("実戦譜"), 1, 250, LegalGameMoves(250, 9));
  for (auto _ : state) ShowEntry(session);
  if (!ui.recordButtonsEnabled || s.MoveCount != 250)
    state.SkipWithError("the entry was not drawn");
}
BENCHMARK(BM_ShowEntry)->Name("ShowEntry")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moraku::bench
