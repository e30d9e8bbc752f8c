// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/scrolling_label.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

namespace moraku {

namespace {
constexpr int kTallHeight = 1'000'000;  // room enough for any text when measuring
}  // namespace

ScrollingLabel::ScrollingLabel(QWidget* parent)
    : QLabel(parent), bar_(new QScrollBar(Qt::Vertical, this)) {
  bar_->setObjectName(QStringLiteral("TextScrollBar"));
  bar_->hide();
  bar_->setFocusPolicy(Qt::NoFocus);
  connect(bar_, &QScrollBar::valueChanged, this, [this] { update(); });
}

void ScrollingLabel::SetScrolledText(const QString& text) {
  setText(text);
  UpdateBar();
  bar_->setValue(0);
}

int ScrollingLabel::TextHeightAt(int width) const {
  const QRect box(0, 0, width, kTallHeight);
  return fontMetrics()
      .boundingRect(box, static_cast<int>(alignment()) | Qt::TextWordWrap, text())
      .height();
}

bool ScrollingLabel::Scrolls() const {
  return TextHeightAt(contentsRect().width()) > contentsRect().height();
}

int ScrollingLabel::TextHeight() const {
  const int width = contentsRect().width() - (Scrolls() ? bar_->sizeHint().width() : 0);
  return TextHeightAt(width);
}

void ScrollingLabel::UpdateBar() {
  if (!Scrolls()) {
    bar_->hide();
    bar_->setRange(0, 0);
    return;
  }
  const QRect box = contentsRect();
  const int barWidth = bar_->sizeHint().width();
  bar_->setGeometry(box.right() - barWidth + 1, box.top(), barWidth, box.height());
  bar_->setRange(0, std::max(0, TextHeight() - box.height()));
  bar_->setPageStep(box.height());
  bar_->setSingleStep(fontMetrics().lineSpacing());
  bar_->show();
}

void ScrollingLabel::paintEvent(QPaintEvent* event) {
  if (!bar_->isVisible()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  QRect box = contentsRect();
  box.setRight(box.right() - bar_->width());
  painter.setClipRect(box);
  const QRect textBox(box.left(), box.top() - bar_->value(), box.width(), kTallHeight);
  style()->drawItemText(&painter, textBox, static_cast<int>(alignment()) | Qt::TextWordWrap,
                        palette(), isEnabled(), text(), foregroundRole());
}

void ScrollingLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  UpdateBar();
}

void ScrollingLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateBar();
}

void ScrollingLabel::wheelEvent(QWheelEvent* event) {
  if (!bar_->isVisible()) {
    QLabel::wheelEvent(event);
    return;
  }
  QApplication::sendEvent(bar_, event);
}

}  // namespace moraku
