// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/charset_decoder.h"

#include <iconv.h>

#include <QByteArray>
#include <QStringDecoder>
#include <QSysInfo>
#include <cerrno>
#include <memory>

namespace moraku {
namespace {

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

// iconv's name for UTF-16 in this machine's byte order, so its output is a QString's units.
const char* Utf16Name() {
  return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

}  // namespace

std::optional<QString> DecodeWithIconv(QByteArrayView bytes, const char* charset) {
  iconv_t raw = iconv_open(Utf16Name(), charset);
  if (raw == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  const std::unique_ptr<void, IconvCloser> cd(raw);

  QString out;
  out.reserve(bytes.size());
  char16_t chunk[4096];
  // iconv takes a non-const input pointer but never writes through it.
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = static_cast<size_t>(bytes.size());
  while (inLeft > 0) {
    char* outPtr = reinterpret_cast<char*>(chunk);
    size_t outLeft = sizeof chunk;
    const size_t result = iconv(raw, &in, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    out.append(QStringView(chunk, static_cast<qsizetype>((sizeof chunk - outLeft) / 2)));
    if (result != static_cast<size_t>(-1) || error == E2BIG) continue;
    // EILSEQ (not in the character set) or EINVAL (cut off at the end): replace one byte, go on.
    out.append(QChar::ReplacementCharacter);
    ++in;
    --inLeft;
    iconv(raw, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

bool IconvKnows(const char* charset) {
  iconv_t probe = iconv_open(Utf16Name(), charset);
  if (probe == reinterpret_cast<iconv_t>(-1)) return false;
  iconv_close(probe);
  return true;
}

std::optional<QString> DecodeShiftJisWithIconv(QByteArrayView bytes) {
  return DecodeWithIconv(bytes, "CP932");
}

std::optional<QString> DecodeShiftJisWithQt(QByteArrayView bytes) {
  QStringDecoder decoder("Shift_JIS");
  if (!decoder.isValid()) return std::nullopt;
  // A line feed is never a second byte, so it flushes a lead byte cut off at the end into the
  // substitution character instead of leaving it unread in the decoder.
  QByteArray flushed(bytes.data(), bytes.size());
  flushed.append('\n');
  QString text = decoder.decode(flushed);
  text.chop(1);
  // ICU writes SUB (U+001A) for an invalid sequence.
  text.replace(QChar(u'\x1A'), QChar::ReplacementCharacter);
  return text;
}

QString DecodeShiftJis(QByteArrayView bytes) {
  if (std::optional<QString> text = DecodeShiftJisWithIconv(bytes)) return *std::move(text);
  return DecodeShiftJisWithQt(bytes).value_or(QString());
}

}  // namespace moraku
