// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word-wrapped plain-text label that never hides text: when its text is taller than its box,
// a scroll bar appears at its right edge and the wheel or the bar scrolls the text. A text that
// fits is drawn exactly as a plain QLabel draws it.

#include <QLabel>

class QScrollBar;

namespace moraku {

class ScrollingLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ScrollingLabel(QWidget* parent = nullptr);

  // Sets the text and scrolls back to its top.
  void SetScrolledText(const QString& text);

  // True when the text is taller than the box, so that the scroll bar shows.
  bool Scrolls() const;
  // The height in pixels of the whole text laid out at the label's width (less the bar's width
  // when it scrolls).
  int TextHeight() const;
  // The scroll bar.
  QScrollBar* Bar() const { return bar_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Height of the text laid out at `width` pixels.
  int TextHeightAt(int width) const;
  // Shows or hides the bar and sets its range for the text and the box.
  void UpdateBar();

  QScrollBar* bar_;
};

}  // namespace moraku
