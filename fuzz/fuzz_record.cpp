// SPDX-License-Identifier: GPL-3.0-or-later
// The record text of an entry through ParseRecord/ShowRecord and the six record buttons.
// Input: up to 48 button presses, then the record text (UTF-8).

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "joseki/entry_display.h"
#include "joseki/playback.h"

using namespace moraku;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::StartQt();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::vector<std::uint8_t> presses =
      in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 48));
  const std::string text = in.ConsumeRemainingBytesAsString();
  const QString record = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const QString stones = QStringLiteral("442");
  fuzz::OneEntrySession one(fuzz::EntryFromFields(QStringLiteral("1"), stones, {}, record), stones);
  JosekiSession& s = one.Session();
  for (std::uint8_t press : presses) {
    switch (press % 9) {
      case 0:
        ShowRecordToLastNumberedMove(s);
        break;
      case 1:
        StepForwardOne(s);
        break;
      case 2:
        StepForwardFive(s);
        break;
      case 3:
        StepBackOne(s);
        break;
      case 4:
        StepBackFive(s);
        break;
      case 5:
        BackToFirstMove(s);
        break;
      case 6:
        ParseRecord(s);
        break;
      case 7:
        ShowRecord(s);
        break;
      default:
        EndIndicatorTick(s);
        break;
    }
  }
  return 0;
}
