// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decoding Shift_JIS (code page 932) and other legacy character sets into Unicode text.

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace moraku {

// `bytes` decoded as code page 932, every character kept (CR LF stays CR LF). Each byte that
// does not start a valid character, and a lead byte cut off at the end, becomes U+FFFD and the
// decoding goes on. Uses the C library's iconv, or Qt's codec where iconv has no code page 932.
QString DecodeShiftJis(QByteArrayView bytes);

// `bytes` decoded from `charset` with the C library's iconv; each byte that does not start a valid
// character becomes U+FFFD and the decoding goes on. Empty when iconv has no such character set.
std::optional<QString> DecodeWithIconv(QByteArrayView bytes, const char* charset);

// Whether the C library's iconv can decode `charset`.
bool IconvKnows(const char* charset);

// Exact code page 932 through iconv ("CP932"), invalid bytes as above. Empty when the C library
// has no such conversion.
std::optional<QString> DecodeShiftJisWithIconv(QByteArrayView bytes);

// Qt's Shift_JIS codec (ICU), invalid bytes as above. It reads every printable character as
// code page 932 does but swaps the control codes 0x1A, 0x1C and 0x7F (IBM mapping), so it only
// stands in for iconv. Empty when this Qt build has no Shift_JIS codec.
std::optional<QString> DecodeShiftJisWithQt(QByteArrayView bytes);

}  // namespace moraku
