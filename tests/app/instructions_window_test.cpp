// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instructions_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <memory>
#include <string>

#include "help/help_text.h"
#include "test_paths.h"

namespace moraku {
namespace {

std::string U8(const QString& text) {
  return text.toStdString();
}

const QString kHelp = QStringLiteral("■はじめに\r\n一行目\r\n■内容説明\r\n二行目\r\n■");

struct Controls {
  QComboBox* topicList;
  QLabel* topicText;
  QPushButton* backButton;
};

Controls Find(const QWidget& window) {
  Controls c{window.findChild<QComboBox*>(QStringLiteral("Combo1")),
             window.findChild<QLabel*>(QStringLiteral("Label1")),
             window.findChild<QPushButton*>(QStringLiteral("Command1"))};
  EXPECT_NE(c.topicList, nullptr);
  EXPECT_NE(c.topicText, nullptr);
  EXPECT_NE(c.backButton, nullptr);
  return c;
}

// Deletes a window that a test left open, unless it already deleted itself.
struct WindowGuard {
  QPointer<InstructionsWindow> window;
  ~WindowGuard() { delete window.data(); }
};

TEST(InstructionsWindow, HasTheCaptionSizeAndControls) {
  InstructionsWindow window(kHelp);
  EXPECT_EQ(window.objectName(), QStringLiteral("Form5"));
  EXPECT_EQ(U8(window.windowTitle()), "操作説明");
  EXPECT_EQ(window.size(), QSize(593, 545));
  EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "fixed size";
  EXPECT_TRUE(window.isWindow());
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window.testAttribute(Qt::WA_DeleteOnClose));

  const Controls c = Find(window);
  ASSERT_TRUE(c.topicList && c.topicText && c.backButton);
  // The designed places, widened only as far as the texts need: every topic and the button's
  // caption show whole, and the two do not overlap.
  EXPECT_EQ(c.topicList->geometry().topLeft(), QPoint(40, 24));
  EXPECT_EQ(c.topicList->height(), 24);
  EXPECT_GE(c.topicList->width(), 297);
  EXPECT_EQ(c.topicText->geometry(), QRect(40, 56, 521, 465));
  EXPECT_EQ(c.backButton->geometry().right(), 464 + 89 - 1);
  EXPECT_EQ(c.backButton->geometry().top(), 24);
  EXPECT_EQ(c.backButton->height(), 25);
  EXPECT_GE(c.backButton->width(), 89);
  EXPECT_LT(c.topicList->geometry().right(), c.backButton->geometry().left());
  EXPECT_GE(c.backButton->width(), c.backButton->sizeHint().width());
  for (int i = 0; i < c.topicList->count(); ++i) {
    c.topicList->setCurrentIndex(i);
    EXPECT_GE(c.topicList->width(), c.topicList->sizeHint().width())
        << U8(c.topicList->itemText(i));
  }
  c.topicList->setCurrentIndex(-1);
  EXPECT_EQ(U8(c.backButton->text()), "メニューに戻り");

  EXPECT_FALSE(c.topicList->isEditable());
  ASSERT_EQ(c.topicList->count(), HelpTopics().size());
  for (int i = 0; i < c.topicList->count(); ++i)
    EXPECT_EQ(c.topicList->itemText(i), HelpTopics()[i]);
  EXPECT_TRUE(c.topicText->wordWrap());
  EXPECT_EQ(c.topicText->textFormat(), Qt::PlainText);
  for (const QWidget* w :
       {static_cast<QWidget*>(c.topicList), static_cast<QWidget*>(c.topicText)}) {
    EXPECT_EQ(U8(w->font().families().value(0)), "ＭＳ Ｐゴシック");
    EXPECT_TRUE(w->font().families().contains(QStringLiteral("Noto Sans CJK JP")));
    EXPECT_EQ(w->font().pointSizeF(), 12.0);
  }
}

TEST(InstructionsWindow, StartsWithTheInitialTextAndAnEmptyLabel) {
  InstructionsWindow window(kHelp);
  const Controls c = Find(window);
  ASSERT_TRUE(c.topicList && c.topicText);
  EXPECT_EQ(c.topicList->currentIndex(), -1);
  EXPECT_EQ(U8(c.topicList->placeholderText()), "ボタンをクリック→");
  EXPECT_TRUE(c.topicText->text().isEmpty());
}

TEST(InstructionsWindow, ChoosingATopicShowsItsText) {
  InstructionsWindow window(kHelp);
  window.show();
  const Controls c = Find(window);
  ASSERT_TRUE(c.topicList && c.topicText);
  // The keyboard chooses the first topic, as a click on the list does.
  c.topicList->setFocus();
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(c.topicList, &down);
  ASSERT_EQ(c.topicList->currentIndex(), 0);
  EXPECT_EQ(U8(c.topicText->text()), "一行目\r\n");

  c.topicList->setCurrentIndex(1);
  Q_EMIT c.topicList->activated(1);
  EXPECT_EQ(U8(c.topicText->text()), "二行目\r\n");

  // A topic the text does not hold clears the label.
  c.topicList->setCurrentIndex(17);
  Q_EMIT c.topicList->activated(17);
  EXPECT_TRUE(c.topicText->text().isEmpty());
}

TEST(InstructionsWindow, BackToTheMenuClosesAndAReopenedWindowStartsEmpty) {
  WindowGuard guard{new InstructionsWindow(kHelp)};
  guard.window->show();
  Controls c = Find(*guard.window);
  ASSERT_TRUE(c.topicList && c.topicText && c.backButton);
  c.topicList->setCurrentIndex(0);
  Q_EMIT c.topicList->activated(0);
  ASSERT_FALSE(c.topicText->text().isEmpty());

  c.backButton->click();
  EXPECT_FALSE(guard.window && guard.window->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(guard.window.isNull()) << "the window deletes itself when closed";

  WindowGuard again{new InstructionsWindow(kHelp)};
  again.window->show();
  c = Find(*again.window);
  ASSERT_TRUE(c.topicList && c.topicText);
  EXPECT_EQ(c.topicList->currentIndex(), -1);
  EXPECT_TRUE(c.topicText->text().isEmpty());
}

TEST(InstructionsWindow, EveryShippedTopicFitsTheLabel) {
  const QString help = ReadHelpText(test::BuildDir() + QStringLiteral("/fld1/resume.txt"));
  InstructionsWindow window(help);
  window.show();
  const Controls c = Find(window);
  ASSERT_TRUE(c.topicList && c.topicText);
  for (int i = 0; i < c.topicList->count(); ++i) {
    c.topicList->setCurrentIndex(i);
    Q_EMIT c.topicList->activated(i);
    EXPECT_FALSE(c.topicText->text().isEmpty()) << U8(c.topicList->itemText(i));
    EXPECT_LE(c.topicText->heightForWidth(c.topicText->width()), c.topicText->height())
        << U8(c.topicList->itemText(i)) << " is longer than the label";
  }
}

}  // namespace
}  // namespace moraku
