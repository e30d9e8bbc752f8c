#pragma once
// Guessing the character set of text that does not name its own, with uchardet.

#include <QByteArray>
#include <QByteArrayView>

namespace moraku {

// The name uchardet gives the character set of `bytes` ("SHIFT_JIS", "GB18030", "BIG5",
// "EUC-JP", "WINDOWS-1252", "UTF-8", "ASCII", ...), or empty when it recognises none. Reads the
// bytes once. Never fails.
QByteArray DetectCharset(QByteArrayView bytes);

}  // namespace moraku
