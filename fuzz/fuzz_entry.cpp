// SPDX-License-Identifier: GPL-3.0-or-later
// The stone, marker and preset strings of an entry through ShowEntry, the next-move hint and
// the search over a section that holds them. Input: preset field, hint presses, markers,
// search text, mirror text, then the stone string (each UTF-8).

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "joseki/entry_display.h"
#include "joseki/next_move_hint.h"
#include "search/search_run.h"

using namespace moraku;

namespace {

QString Utf8(const std::string& bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::StartQt();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const QString preset = Utf8(in.ConsumeRandomLengthString(4));
  const int presses = in.ConsumeIntegralInRange<int>(0, 40);
  const QString marks = Utf8(in.ConsumeRandomLengthString(256));
  const QString search = Utf8(in.ConsumeRandomLengthString(256));
  const QString mirror = Utf8(in.ConsumeRandomLengthString(256));
  const QString stones = Utf8(in.ConsumeRemainingBytesAsString());

  fuzz::OneEntrySession one(fuzz::EntryFromFields(preset, stones, marks, QString()), stones);
  JosekiSession& s = one.Session();
  StartHint(s);
  for (int i = 0; i < presses; ++i) ShowNextMove(s);

  s.state.SearchText = search;
  s.state.MirrorText = mirror;
  RunSearch(s);
  if (s.state.FallbackFound) FoundEntryTick(s);
  EndSearch(s);
  return 0;
}
