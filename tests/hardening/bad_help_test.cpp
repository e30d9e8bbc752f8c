// SPDX-License-Identifier: GPL-3.0-or-later
// Instructions files that are missing, not Shift_JIS, or very large: the menu opens without a
// message, every topic can be chosen, and the file stays as it was.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>

#include "../app/app_test_support.h"
#include "app/instructions_window.h"
#include "app/menu_window.h"
#include "hardening/hardening_support.h"
#include "help/help_text.h"

namespace moraku::test {
namespace {

using namespace hardening;

class BadHelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app_.isValid());
    ASSERT_TRUE(QDir(app_.path()).mkpath(QStringLiteral("fld1")));
    QFile::link(Fld2Dir(), app_.filePath(QStringLiteral("fld2")));
    ASSERT_TRUE(QFile::copy(ShippedDatabase(), app_.filePath(QStringLiteral("fld1/goc.db"))));
  }
  QString HelpPath() const { return app_.filePath(QStringLiteral("fld1/resume.txt")); }

  // Opens the menu on the folder, then an instructions window on what the menu read, and
  // chooses every topic in turn. Returns the texts shown.
  QStringList ShowEveryTopic() {
    MessageCatcher catcher;
    QStringList shown;
    {
      MenuWindow menu(app_.path());
      menu.show();
      Settle();
      auto* window = new InstructionsWindow(menu.HelpText());
      window->show();
      auto* combo = window->findChild<QComboBox*>();
      EXPECT_NE(combo, nullptr);
      if (combo != nullptr) {
        for (int i = 0; i < combo->count(); ++i) {
          combo->setCurrentIndex(i);
          Settle();
          QString longest;
          for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->text().size() > longest.size()) longest = label->text();
          }
          shown << longest;
        }
      }
      window->close();
      Settle();
    }
    Settle();
    EXPECT_TRUE(catcher.boxes.isEmpty());
    return shown;
  }

  QTemporaryDir app_;
};

TEST_F(BadHelpTest, MissingFileGivesEmptyTopics) {
  EXPECT_EQ(ReadHelpText(HelpPath()), QString());
  const QStringList shown = ShowEveryTopic();
  EXPECT_EQ(shown.size(), HelpTopics().size());
  EXPECT_FALSE(QFile::exists(HelpPath()));
}

TEST_F(BadHelpTest, FileThatIsNotShiftJisStillOpens) {
  // The UTF-8 source of the instructions, then plain garbage.
  const QByteArray utf8 = ReadBytes(SourceDir() + QStringLiteral("/data/resume.txt"));
  ASSERT_FALSE(utf8.isEmpty());
  for (const QByteArray& bytes : {utf8, RandomBytes(65536, 11)}) {
    ASSERT_TRUE(WriteBytes(HelpPath(), bytes));
    const FileSnapshot before = FileSnapshot::Of(HelpPath());
    const QString text = ReadHelpText(HelpPath());
    EXPECT_FALSE(text.isEmpty());
    for (const QString& topic : HelpTopics()) {
      EXPECT_LE(TopicText(text, topic).size(), text.size());
    }
    EXPECT_EQ(ShowEveryTopic().size(), HelpTopics().size());
    EXPECT_EQ(FileSnapshot::Of(HelpPath()), before);
  }
}

// Ten megabytes: the real text again and again, then markers that almost name a topic, with the
// last topic only at the very end.
TEST_F(BadHelpTest, TenMegabyteFileIsReadAndCut) {
  const QByteArray real = ReadBytes(BuildDir() + QStringLiteral("/fld1/resume.txt"));
  ASSERT_FALSE(real.isEmpty());
  const QByteArray mark("\x81\xa1", 2);  // the topic marker in code page 932
  const qsizetype tenMb = 10 * 1024 * 1024;

  QByteArray repeated;
  while (repeated.size() < tenMb) repeated += real;
  QByteArray nearMisses;
  const QByteArray nearMiss = mark + QByteArray("\x92\xe8\x90\xce", 4);  // "定石" without more
  while (nearMisses.size() < tenMb) nearMisses += nearMiss;
  nearMisses += real;

  for (const QByteArray& bytes : {repeated, nearMisses}) {
    ASSERT_TRUE(WriteBytes(HelpPath(), bytes));
    const FileSnapshot before = FileSnapshot::Of(HelpPath());
    const QString text = ReadHelpText(HelpPath());
    EXPECT_GE(text.size(), tenMb / 2);
    // Every topic of the real text is found in both files.
    for (const QString& topic : HelpTopics()) {
      EXPECT_FALSE(TopicText(text, topic).isEmpty()) << topic.toStdString();
    }
    EXPECT_EQ(ShowEveryTopic().size(), HelpTopics().size());
    EXPECT_EQ(FileSnapshot::Of(HelpPath()), before);
  }
}

}  // namespace
}  // namespace moraku::test
