// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/charset_decoder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringEncoder>
#include <string>

#include "test_paths.h"

namespace moraku {
namespace {

std::string U8(const QString& text) {
  return text.toStdString();
}

// Decoded the same way by the exact decoder and by the one that stands in for it.
void ExpectBoth(const QByteArray& bytes, const std::string& expected) {
  EXPECT_EQ(U8(DecodeShiftJis(bytes)), expected);
  EXPECT_EQ(U8(DecodeShiftJisWithIconv(bytes).value_or(QStringLiteral("no iconv"))), expected);
  EXPECT_EQ(U8(DecodeShiftJisWithQt(bytes).value_or(QStringLiteral("no codec"))), expected);
}

TEST(DecodeShiftJis, ReadsAsciiKanaAndKanji) {
  ExpectBoth("abc 123\r\n", "abc 123\r\n");
  ExpectBoth("\x81\xA1", "■");
  ExpectBoth("\xB1\xB2", "ｱｲ");  // half-width katakana are single bytes
  // Second bytes equal to '\' belong to the character, they are no escape.
  ExpectBoth("\x95\x5C\x83\x5C", "表ソ");
  ExpectBoth("\x82\xA0\x8C\xE9\x90\xCE\x81\x40\x82\x50", "あ碁石　１");
  ExpectBoth("", "");
}

TEST(DecodeShiftJis, ReadsTheWindowsCodePageCharacters) {
  ExpectBoth("\x87\x40", "①");   // NEC special character
  ExpectBoth("\x81\x60", "～");  // code page 932 reads the tilde as full-width
  ExpectBoth("\x81\x5C", "―");
  ExpectBoth("\x81\x7C", "－");
  // Control codes come through unchanged in the exact decoding.
  EXPECT_EQ(U8(DecodeShiftJis("\x1A\x1C\x7F")), "\x1A\x1C\x7F");
}

TEST(DecodeShiftJis, ReplacesInvalidBytesAndGoesOn) {
  ExpectBoth(
      "a\xFF"
      "b",
      "a\uFFFDb");
  ExpectBoth("a\x81", "a\uFFFD");  // lead byte cut off at the end
  ExpectBoth("\x81\x0A", "\uFFFD\n");
  ExpectBoth("x\xA0\x81\xA1y", "x\uFFFD■y");
}

TEST(DecodeShiftJis, BothDecodersAgreeOnTheShippedInstructions) {
  QFile file(test::BuildDir() + QStringLiteral("/fld1/resume.txt"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  const QString exact = DecodeShiftJis(bytes);
  EXPECT_FALSE(exact.contains(QChar::ReplacementCharacter));
  EXPECT_EQ(exact, DecodeShiftJisWithQt(bytes).value_or(QString()));
  // Encoding the text again gives the same bytes: no character was read as a lookalike.
  QStringEncoder encoder("Shift_JIS");
  if (encoder.isValid()) {
    EXPECT_EQ(QByteArray(encoder.encode(exact)), bytes);
  }
}

}  // namespace
}  // namespace moraku
