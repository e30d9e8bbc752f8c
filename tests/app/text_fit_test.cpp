// SPDX-License-Identifier: GPL-3.0-or-later
// Every comment, record caption and reference of the shipped database can be read whole in the
// joseki window at both text sizes: it fits its box, or its box scrolls far enough to show its
// last line, or (references) it is cut with "…" and the whole text is in the tooltip.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "app/joseki_window.h"
#include "app/scrolling_label.h"
#include "app_test_support.h"
#include "data/entry_table.h"
#include "data/sections.h"
#include "test_paths.h"

namespace moraku {
namespace {

// Height the text needs at `width` pixels in the label's font, measured apart from the label.
int NeededHeight(const QLabel& label, int width) {
  return QFontMetrics(label.font())
      .boundingRect(QRect(0, 0, width, 1'000'000), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                    label.text())
      .height();
}

// The label shows its whole text, now or by scrolling.
void ExpectReadable(const ScrollingLabel& label, const QString& what) {
  const int box = label.contentsRect().height();
  const int width = label.contentsRect().width();
  if (NeededHeight(label, width) <= box) {
    EXPECT_FALSE(label.Bar()->isVisible()) << what.toStdString();
    return;
  }
  ASSERT_TRUE(label.Bar()->isVisibleTo(label.parentWidget())) << what.toStdString();
  const int shownWidth = width - label.Bar()->width();
  EXPECT_GE(label.Bar()->maximum() + box, NeededHeight(label, shownWidth)) << what.toStdString();
}

TEST(TextFit, EveryShippedEntryIsReadableAtBothSizes) {
  test::MessageCatcher messages;
  for (const Section& shipped : AllSections()) {
    const int section = shipped.index;
    JosekiWindow window(section, test::BuildDir());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    test::Settle();
    ASSERT_GT(window.ListRowCount(), 0) << section;
    auto* comment = window.findChild<ScrollingLabel*>("Label2");
    auto* caption = window.findChild<ScrollingLabel*>("Label1");
    auto* reference = window.findChild<QLabel*>("Label3");
    ASSERT_TRUE(comment && caption && reference);
    int scrolled = 0;
    for (bool large : {false, true}) {
      if (large) window.findChild<QPushButton*>("Command13")->click();
      ASSERT_EQ(comment->font().pointSizeF(), large ? 14 : 11.25);
      for (int k = 1; k <= window.ListRowCount(); ++k) {
        ASSERT_TRUE(window.ShowEntryAt(k));
        const Entry& entry = window.Session().state.Entries.entries[static_cast<size_t>(k)];
        const QString what =
            QStringLiteral("section %1 entry %2 %3").arg(section).arg(k).arg(entry.title);
        EXPECT_EQ(comment->text(), entry.comment) << what.toStdString();
        ExpectReadable(*comment, what);
        ExpectReadable(*caption, what + QStringLiteral(" caption"));
        if (comment->Bar()->isVisible()) ++scrolled;
        // The reference ends inside the window; cut, it keeps its whole text in the tooltip.
        EXPECT_LE(reference->geometry().right(), window.width() - 1) << what.toStdString();
        if (reference->text() != entry.ref) {
          EXPECT_TRUE(reference->text().endsWith(QChar(0x2026))) << what.toStdString();
          EXPECT_EQ(reference->toolTip(), entry.ref) << what.toStdString();
        } else {
          EXPECT_TRUE(reference->toolTip().isEmpty()) << what.toStdString();
        }
      }
    }
    // The test looks at texts that do not fit (the large size cuts many comments).
    if (section == kHandicapSection) {
      EXPECT_GT(scrolled, 0);
    }
  }
}

TEST(TextFit, ALongTextScrollsToItsLastLine) {
  JosekiWindow window(1, test::BuildDir());
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  window.show();
  test::Settle();
  auto* comment = window.findChild<ScrollingLabel*>("Label2");
  QString text;
  for (int i = 1; i <= 20; ++i) text += QStringLiteral("第%1行の説明。").arg(i);
  window.SetComment(text);
  ASSERT_TRUE(comment->Bar()->isVisible());
  const QImage top = comment->grab().toImage();
  comment->Bar()->setValue(comment->Bar()->maximum());
  EXPECT_NE(comment->grab().toImage(), top);
  // A short text drops the bar and draws as before.
  window.SetComment(QStringLiteral("短い"));
  EXPECT_FALSE(comment->Bar()->isVisible());
  EXPECT_EQ(comment->Bar()->value(), 0);
}

}  // namespace
}  // namespace moraku
