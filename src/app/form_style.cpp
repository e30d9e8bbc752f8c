// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form_style.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace moraku {

QStringList JapaneseFallbackFonts() {
  return {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
          QStringLiteral("IPAPGothic"), QStringLiteral("Droid Sans Fallback")};
}

QFont UiFont(const QString& family, double points, bool bold) {
  QFont font;
  font.setFamilies(QStringList{family} + JapaneseFallbackFonts());
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

void InstallFontFallbacks() {
  QFont::insertSubstitutions(QString::fromUtf8(kGothicFont), JapaneseFallbackFonts());
  QFont::insertSubstitutions(QString::fromUtf8(kRoundGothicFont), JapaneseFallbackFonts());
  QApplication::setFont(UiFont(QString::fromUtf8(kGothicFont), 9));
}

void SetBackColour(QWidget* widget, QColor colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void CentreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  QRect frame = window->frameGeometry();
  frame.moveCenter(area.center());
  window->move(std::max(frame.left(), area.left()), std::max(frame.top(), area.top()));
}

void StyleGraphicalButton(QPushButton* button, QColor back) {
  button->setStyleSheet(
      QStringLiteral("QPushButton { background-color: %1; color: black; padding: 0px;"
                     " border-style: solid; border-width: 2px;"
                     " border-color: #ffffff #404040 #404040 #ffffff; }"
                     "QPushButton:focus { border-color: #202020; }"
                     "QPushButton:pressed { border-color: #404040 #ffffff #ffffff #404040; }"
                     "QPushButton:disabled { color: #808080; }")
          .arg(back.name()));
}

void PaintFrameLines(QPainter& painter, std::span<const FrameLine> lines) {
  for (const FrameLine& line : lines) {
    const int x1 = Px(std::min(line.x1, line.x2));
    const int x2 = Px(std::max(line.x1, line.x2));
    const int y1 = Px(std::min(line.y1, line.y2));
    const int y2 = Px(std::max(line.y1, line.y2));
    // A line covers its end points; its width grows to the right or downwards.
    const QRect rect = (y1 == y2) ? QRect(x1, y1, x2 - x1 + 1, line.width)
                                  : QRect(x1, y1, line.width, y2 - y1 + 1);
    painter.fillRect(rect, QColor(FromBgr(line.bgr)));
  }
}

}  // namespace moraku
