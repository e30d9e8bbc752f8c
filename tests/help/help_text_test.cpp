// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_text.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "test_paths.h"

namespace moraku {
namespace {

std::string U8(const QString& text) {
  return text.toStdString();
}

// Shift_JIS bytes of the pieces the tests put together.
const QByteArray kMark("\x81\xA1");                              // ■
const QByteArray kHajimeni("\x82\xCD\x82\xB6\x82\xDF\x82\xC9");  // はじめに
const QByteArray kNaiyou("\x93\xE0\x97\x65\x90\xE0\x96\xBE");    // 内容説明
const QByteArray kLine1("\x88\xEA\x8D\x73\x96\xDA");             // 一行目
const QByteArray kLine2("\x93\xF1\x8D\x73\x96\xDA");             // 二行目
const QByteArray kCrLf("\r\n");

// The smallest sound file: two topics, one line each, and the closing mark.
QByteArray TwoTopicFile() {
  return kMark + kHajimeni + kCrLf + kLine1 + kCrLf + kMark + kNaiyou + kCrLf + kLine2 + kCrLf +
         kMark;
}

QString WriteFile(const QTemporaryDir& dir, const QByteArray& bytes) {
  const QString path = dir.filePath(QStringLiteral("resume.txt"));
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return path;
}

TEST(HelpTopics, AreTheNineteenTopicsOfTheWindowInOrder) {
  const QStringList& topics = HelpTopics();
  ASSERT_EQ(topics.size(), 19);
  EXPECT_EQ(U8(topics.front()), "はじめに");
  EXPECT_EQ(U8(topics[1]), "内容説明");
  // Full-width brackets and digit, as the instructions file writes them.
  EXPECT_EQ(U8(topics[3]), "プログラムのアンインストール（削除）");
  EXPECT_EQ(U8(topics[7]), "小目定石");
  EXPECT_EQ(U8(topics[12]), "検索手順の入力（１）");
  EXPECT_EQ(U8(topics[13]), "検索手順の入力（２）");
  EXPECT_EQ(U8(topics.back()), "著作権");
  QStringList unique = topics;
  EXPECT_EQ(unique.removeDuplicates(), 0) << "every topic must be found by its own name";
  for (const QString& topic : topics) EXPECT_FALSE(topic.contains(u'■'));
}

TEST(ReadHelpText, DecodesShiftJisAndKeepsTheLineBreaks) {
  QTemporaryDir dir;
  const QString path = WriteFile(dir, TwoTopicFile());
  EXPECT_EQ(U8(ReadHelpText(path)), "■はじめに\r\n一行目\r\n■内容説明\r\n二行目\r\n■");
}

TEST(ReadHelpText, MissingOrUnreadableFileGivesEmptyText) {
  QTemporaryDir dir;
  EXPECT_TRUE(ReadHelpText(dir.filePath(QStringLiteral("none.txt"))).isEmpty());
  EXPECT_TRUE(ReadHelpText(dir.path()).isEmpty()) << "a folder is not a text file";
  EXPECT_TRUE(ReadHelpText(QString()).isEmpty());
  EXPECT_TRUE(ReadHelpText(WriteFile(dir, QByteArray())).isEmpty());
}

TEST(ReadHelpText, InvalidBytesAreReplacedAndTheRestStillReads) {
  QTemporaryDir dir;
  const QByteArray bytes = kMark + kHajimeni + kCrLf +
                           QByteArray(
                               "a\xFF"
                               "b\xA0") +
                           kLine1 + kCrLf + kMark +
                           QByteArray("\x81");  // cut off after a lead byte
  const QString text = ReadHelpText(WriteFile(dir, bytes));
  EXPECT_TRUE(text.startsWith(QStringLiteral("■はじめに\r\na\uFFFDb\uFFFD一行目\r\n■")))
      << U8(text);
  EXPECT_TRUE(text.endsWith(QChar::ReplacementCharacter));
  EXPECT_EQ(U8(TopicText(text, QStringLiteral("はじめに"))), "a\uFFFDb\uFFFD一行目\r\n");
}

TEST(ReadHelpText, ReadsATenMegabyteFileWhole) {
  QTemporaryDir dir;
  QByteArray bytes;
  bytes.reserve(10 * 1024 * 1024 + 64);
  const QByteArray line = kLine1 + QByteArray(" abc ") + kLine2 + kCrLf;  // 19 bytes, 13 chars
  int lines = 0;
  while (bytes.size() + line.size() <= 10 * 1024 * 1024) {
    bytes += line;
    ++lines;
  }
  bytes = kMark + kHajimeni + kCrLf + bytes + kMark + kNaiyou + kCrLf + kLine2 + kCrLf + kMark;
  const QString text = ReadHelpText(WriteFile(dir, bytes));
  const QString first = TopicText(text, QStringLiteral("はじめに"));
  EXPECT_EQ(first.size(), qsizetype(lines) * 13);
  EXPECT_TRUE(first.endsWith(QStringLiteral("二行目\r\n")));
  EXPECT_EQ(U8(TopicText(text, QStringLiteral("内容説明"))), "二行目\r\n");
}

TEST(TopicText, CutsEachTopicOfTheTwoTopicFile) {
  QTemporaryDir dir;
  const QString text = ReadHelpText(WriteFile(dir, TwoTopicFile()));
  EXPECT_EQ(U8(TopicText(text, QStringLiteral("はじめに"))), "一行目\r\n");
  EXPECT_EQ(U8(TopicText(text, QStringLiteral("内容説明"))), "二行目\r\n");
}

TEST(TopicText, TakesTheFirstOccurrenceOfTheTopic) {
  const QString text = QStringLiteral("■A\r\nfirst\r\n■B\r\nb\r\n■A\r\nsecond\r\n■");
  EXPECT_EQ(U8(TopicText(text, QStringLiteral("A"))), "first\r\n");
  EXPECT_EQ(U8(TopicText(text, QStringLiteral("B"))), "b\r\n");
}

TEST(TopicText, TopicNotInTheTextGivesEmptyText) {
  const QString text = QStringLiteral("■A\r\nfirst\r\n■");
  EXPECT_TRUE(TopicText(text, QStringLiteral("Z")).isEmpty());
  EXPECT_TRUE(TopicText(text, QStringLiteral("a")).isEmpty()) << "names are case-sensitive";
  EXPECT_TRUE(TopicText(QStringLiteral("A\r\nfirst\r\n"), QStringLiteral("A")).isEmpty())
      << "a name without its mark is no topic";
  EXPECT_TRUE(TopicText(QString(), QStringLiteral("A")).isEmpty());
  EXPECT_TRUE(TopicText(QString(), QString()).isEmpty());
}

TEST(TopicText, WithoutAClosingMarkRunsToTheEnd) {
  EXPECT_EQ(U8(TopicText(QStringLiteral("■A\r\nline one\r\nline two"), QStringLiteral("A"))),
            "line one\r\nline two");
}

TEST(TopicText, TopicAtTheVeryEndGivesEmptyText) {
  EXPECT_TRUE(TopicText(QStringLiteral("■A"), QStringLiteral("A")).isEmpty());
  EXPECT_TRUE(TopicText(QStringLiteral("■A\r"), QStringLiteral("A")).isEmpty());
  EXPECT_TRUE(TopicText(QStringLiteral("■A\r\n"), QStringLiteral("A")).isEmpty());
  EXPECT_TRUE(TopicText(QStringLiteral("■A\r\n■"), QStringLiteral("A")).isEmpty());
  EXPECT_EQ(U8(TopicText(QStringLiteral("■A\r\nx"), QStringLiteral("A"))), "x");
}

TEST(TopicText, EveryCutOfAFileGivesAPieceOfIt) {
  const QString full = QStringLiteral("■はじめに\r\n一行目\r\n■内容説明\r\n二行目\r\n■");
  for (qsizetype n = 0; n <= full.size(); ++n) {
    const QString text = full.left(n);
    for (const QString& topic :
         {QStringLiteral("はじめに"), QStringLiteral("内容説明"), QString(), QStringLiteral("■")}) {
      const QString piece = TopicText(text, topic);
      EXPECT_TRUE(text.contains(piece)) << n;
      EXPECT_FALSE(piece.contains(u'■')) << n;
    }
  }
}

// The instructions file the build ships.
class ShippedHelpText : public ::testing::Test {
 protected:
  static QString Path() { return test::BuildDir() + QStringLiteral("/fld1/resume.txt"); }
};

TEST_F(ShippedHelpText, HasEveryTopicInOrderAndAClosingMark) {
  const QString text = ReadHelpText(Path());
  ASSERT_FALSE(text.isEmpty()) << U8(Path());
  EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
  EXPECT_TRUE(text.endsWith(u'■'));
  // The blocks, split at the marks: nothing before the first, the 18 topics, nothing after the
  // last. So no mark stands inside a topic's text.
  const QStringList blocks = text.split(u'■');
  ASSERT_EQ(blocks.size(), HelpTopics().size() + 2);
  EXPECT_TRUE(blocks.front().isEmpty());
  EXPECT_TRUE(blocks.back().isEmpty());
  for (qsizetype i = 0; i < HelpTopics().size(); ++i) {
    const QString& topic = HelpTopics()[i];
    EXPECT_TRUE(blocks[i + 1].startsWith(topic + QStringLiteral("\r\n"))) << U8(topic);
    const QString body = TopicText(text, topic);
    EXPECT_GE(body.size(), 120) << U8(topic) << " needs a real page of text";
    EXPECT_TRUE(body.endsWith(QStringLiteral("\r\n"))) << U8(topic);
  }
}

TEST_F(ShippedHelpText, UsesCrLfLineBreaksOnly) {
  QFile file(Path());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF")) << "no UTF-8 byte order mark";
  EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
  EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n"));
  EXPECT_TRUE(bytes.startsWith(QByteArray("\x81\xA1") + kHajimeni + kCrLf));
}

}  // namespace
}  // namespace moraku
