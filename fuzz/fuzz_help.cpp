// SPDX-License-Identifier: GPL-3.0-or-later
// The instructions text: Shift_JIS decoding, then cutting out each of the topics.

#include <cstdint>

#include "help/help_text.h"
#include "text/charset_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text = moraku::DecodeShiftJis(
      QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  for (const QString& topic : moraku::HelpTopics()) {
    const QString part = moraku::TopicText(text, topic);
    if (part.size() > text.size()) __builtin_trap();
  }
  return 0;
}
