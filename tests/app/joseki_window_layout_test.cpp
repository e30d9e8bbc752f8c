// SPDX-License-Identifier: GPL-3.0-or-later
// The joseki window's controls read back from the real widgets: every position, caption,
// tooltip, colour, font, state and the tab order, against the designed tables.

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTimer>

#include "app/form_style.h"
#include "app/joseki_window.h"
#include "app_test_support.h"

namespace moraku {
namespace {

using test::MessageCatcher;
using test::Settle;
using test::Snapshot;
using test::TempAppDir;

QColor Bgr(quint32 bgr) {
  return QColor(qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF));
}
QRect Twips(int left, int top, int width, int height) {
  return QRect(left / 15, top / 15, width / 15, height / 15);
}

struct ButtonRow {
  const char* name;
  const char* caption;
  const char* tooltip;
  quint32 back;
  QRect twips;
  bool boldGothic;
};

const ButtonRow kButtons[] = {
    {"Command6", "手順表示開始", "", 0xC0C0FF, {120, 9360, 1215, 375}, false},
    {"Command5", "次手を表示", "", 0xC0C0FF, {1440, 9360, 1095, 375}, false},
    {"Command12", "全手順表示", "", 0xC0C0FF, {2640, 9360, 1095, 375}, false},
    {"Command1", "検索手順の入力開始", "左上隅に入力", 0xFFC0FF, {7920, 6840, 1935, 375}, true},
    {"Command8",
     "検索手順の再表示",
     "最後に入力した検索手順の表示",
     0xFFC0FF,
     {7920, 7260, 1935, 375},
     false},
    {"Command10", "手順を追加する", "追加着手の入力", 0xFFC0FF, {7920, 7680, 1935, 375}, false},
    {"Command9",
     "手順を減らす",
     "クリックのたびに手順を１つ短くします。",
     0xFFC0FF,
     {7920, 8100, 1935, 375},
     false},
    {"Command4", "検 索 実 行", "該当する定石等を検索", 0xFFC0FF, {7920, 8520, 1935, 375}, true},
    {"Command11", "検索中止・終了", "", 0xFFC0FF, {7920, 8940, 1935, 375}, false},
    {"Command7", "メニュー", "", 0xC0FFFF, {7920, 9360, 975, 375}, false},
    {"Command13", "文字拡大", "", 0xC0FFFF, {9000, 9360, 855, 375}, false},
    {"Command2", "棋譜の表示", "キー: End", 0xFFC0C0, {10200, 8400, 1095, 375}, false},
    {"Command22", "初手に戻る", "キー: Home", 0xFFC0C0, {11400, 8400, 1095, 375}, false},
    {"Command3", "１手進む", "キー: → / ホイール", 0xC0FFFF, {10200, 8880, 1095, 375}, false},
    {"Command17", "５手進む", "キー: Page Down", 0xC0FFFF, {11400, 8880, 1095, 375}, false},
    {"Command20", "１手戻る", "キー: ← / ホイール", 0xC0FFC0, {10200, 9360, 1095, 375}, false},
    {"Command21", "５手戻る", "キー: Page Up", 0xC0FFC0, {11400, 9360, 1095, 375}, false},
};

// A window on a database that cannot be opened: every control keeps its designed state.
class JosekiLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = new JosekiWindow(2, app_.Path());
    Settle();
  }
  void TearDown() override {
    delete window_;
    Settle();
  }
  template <typename T = QWidget>
  T* Find(const char* name) {
    return window_->findChild<T*>(QString::fromLatin1(name));
  }

  TempAppDir app_;
  MessageCatcher messages_;
  JosekiWindow* window_ = nullptr;
};

TEST_F(JosekiLayoutTest, WindowFrame) {
  EXPECT_EQ(window_->objectName(), "Form4");
  EXPECT_EQ(window_->windowTitle(), "Moraku定石集");
  EXPECT_EQ(window_->size(), QSize(878, 665));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
  EXPECT_FALSE(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window_->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window_->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(window_->testAttribute(Qt::WA_DeleteOnClose));
  EXPECT_EQ(Snapshot(window_).pixelColor(255, 500), Bgr(0xC0C0C0));  // between label and list
}

TEST_F(JosekiLayoutTest, CommandButtons) {
  for (const ButtonRow& row : kButtons) {
    SCOPED_TRACE(row.name);
    auto* b = Find<QPushButton>(row.name);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->geometry(),
              Twips(row.twips.x(), row.twips.y(), row.twips.width(), row.twips.height()));
    EXPECT_EQ(b->text(), QString::fromUtf8(row.caption));
    EXPECT_EQ(b->toolTip(), QString::fromUtf8(row.tooltip));
    EXPECT_TRUE(b->isVisibleTo(window_));
    EXPECT_TRUE(b->isEnabled());  // the designed state, kept when the load fails
    EXPECT_EQ(Snapshot(b).pixelColor(4, 3), Bgr(row.back));
    EXPECT_EQ(b->font().bold(), row.boldGothic);
    EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 9);
    EXPECT_EQ(b->font().families().value(0), "ＭＳ Ｐゴシック");
  }
}

TEST_F(JosekiLayoutTest, BoardListLabelsAndPictures) {
  auto* display = Find("Display");
  ASSERT_NE(display, nullptr);
  EXPECT_EQ(display->geometry(), QRect(10, 10, 858, 437));
  EXPECT_TRUE(display->hasMouseTracking());

  EXPECT_EQ(Find("List1")->geometry(), Twips(3960, 6840, 3855, 2760));
  EXPECT_TRUE(Find<QListView>("List1")->uniformItemSizes());

  struct LabelRow {
    const char* name;
    QRect twips;
    double points;
  };
  const LabelRow labels[] = {{"Label2", {120, 6840, 3615, 2295}, 11.25},
                             {"Label1", {9960, 6840, 3015, 1575}, 11.25}};
  for (const LabelRow& row : labels) {
    SCOPED_TRACE(row.name);
    auto* label = Find<QLabel>(row.name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(),
              Twips(row.twips.x(), row.twips.y(), row.twips.width(), row.twips.height()));
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), row.points);
    EXPECT_EQ(label->font().families().value(0), "ＭＳ Ｐゴシック");
    const QString used = QFontInfo(label->font()).family();
    EXPECT_TRUE(JapaneseFallbackFonts().contains(used)) << used.toStdString();
    EXPECT_EQ(Snapshot(label).pixelColor(label->width() - 2, label->height() - 2), Bgr(0xC0C0C0));
  }
  EXPECT_EQ(Find<QLabel>("Label2")->text(), "ss");  // its designed caption

  // Label3 sizes itself to its text from its designed top-left corner.
  auto* label3 = Find<QLabel>("Label3");
  EXPECT_EQ(label3->pos(), QPoint(792, 656));
  EXPECT_DOUBLE_EQ(label3->font().pointSizeF(), 8.25);
  window_->SetReference("参考図");
  EXPECT_EQ(label3->text(), "参考図");
  EXPECT_TRUE(label3->toolTip().isEmpty());
  window_->SetReference("参考図の出典は長い名前");
  EXPECT_EQ(label3->x(), 792);
  // Too long for the room to the window's edge: cut with "…", the whole text in the tooltip.
  EXPECT_TRUE(label3->text().startsWith("参考図")) << label3->text().toStdString();
  EXPECT_TRUE(label3->text().endsWith(QChar(0x2026)));
  EXPECT_EQ(label3->toolTip(), "参考図の出典は長い名前");
  EXPECT_LE(label3->x() + label3->width(), 878);
  // The whole line of text stays inside the window, as close to its designed top as it can.
  EXPECT_LE(label3->y(), 656);
  EXPECT_EQ(label3->y() + label3->height(), std::min(665, 656 + label3->height()));

  for (const char* name : {"Image1", "Image2"}) {
    SCOPED_TRACE(name);
    auto* image = Find<QLabel>(name);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), QSize(121, 76));
    EXPECT_EQ(image->pixmap().size(), QSize(121, 76));
    EXPECT_TRUE(image->isVisibleTo(window_));
  }
  EXPECT_EQ(Find("Image1")->pos(), QPoint(80, 456));
  EXPECT_EQ(Find("Image2")->pos(), QPoint(700, 456));

  EXPECT_EQ(Find("Text3")->geometry(), Twips(6420, 120, 255, 6615));
  EXPECT_EQ(Find("Text4")->geometry(), Twips(6450, 120, 270, 6645));
  const QImage shot = Snapshot(window_);
  EXPECT_EQ(shot.pixelColor(428, 200), Bgr(0x004080));  // Text3's edge beside Text4
  EXPECT_EQ(shot.pixelColor(440, 200), Bgr(0xC0C0C0));  // inside Text4

  for (const char* name : {"Timer2", "Timer4"}) {
    SCOPED_TRACE(name);
    auto* timer = window_->findChild<QTimer*>(QString::fromLatin1(name));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_FALSE(timer->isActive());
  }
}

TEST_F(JosekiLayoutTest, FrameLinesAroundTheBoards) {
  const QImage shot = Snapshot(window_);
  struct Sample {
    int x, y;
    quint32 bgr;
  };
  const Sample samples[] = {
      {200, 8, 0xFFFFFF},   {200, 9, 0xFFFFFF},    // Line3, top of the joseki board
      {8, 300, 0xFFFFFF},   {9, 300, 0xFFFFFF},    // Line4, its left side
      {200, 448, 0x004080}, {200, 449, 0x004080},  // Line2, its bottom
      {600, 9, 0xFFFFFF},                          // Line7, top of the record board
      {869, 300, 0x004080}, {870, 300, 0x004080},  // Line6, its right side
      {600, 448, 0x404080}, {600, 449, 0x404080},  // Line5, its bottom
      {200, 451, 0xC0C0C0},                        // the window beneath
  };
  for (const Sample& s : samples) {
    SCOPED_TRACE(testing::Message() << s.x << "," << s.y);
    EXPECT_EQ(shot.pixelColor(s.x, s.y), Bgr(s.bgr));
  }
}

TEST_F(JosekiLayoutTest, TabOrderFollowsTheTabIndexes) {
  const QStringList expected = {"Command6",  "Command3",  "Command7",  "Command17", "Command20",
                                "Command21", "Command22", "Command1",  "Command4",  "Command8",
                                "Command9",  "Command10", "Command2",  "Command5",  "Command12",
                                "Command11", "List1",     "Command13", "Command6"};
  QStringList chain;
  QWidget* w = Find("Command6");
  for (int i = 0; i < expected.size(); ++i) {
    chain << w->objectName();
    do w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus) || w->isHidden());
  }
  EXPECT_EQ(chain, expected);
  EXPECT_EQ(window_->focusWidget(), Find("Command6"));
}

TEST_F(JosekiLayoutTest, DatabaseThatCannotBeOpenedLeavesTheDesignedState) {
  ASSERT_EQ(messages_.boxes.size(), 1);
  const auto& box = messages_.boxes.front();
  EXPECT_EQ(box.title, "Moraku");
  EXPECT_EQ(box.buttons, 1);
  EXPECT_TRUE(box.okButton);
  EXPECT_TRUE(box.text.contains("goc.db")) << box.text.toStdString();

  EXPECT_EQ(window_->ListRowCount(), 0);
  EXPECT_EQ(window_->SelectedRow(), -1);
  EXPECT_FALSE(window_->Session().state.NoBoardInput);
  // Both empty boards are drawn all the same.
  const QImage board = window_->Session().canvas.Display();
  EXPECT_NE(board.pixelColor(5 * 22 + 11, 5 * 23 + 11), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_NE(board.pixelColor(25 * 22 + 11, 5 * 23 + 11), QColor(0xC0, 0xC0, 0xC0));
}

}  // namespace
}  // namespace moraku
