// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Units, colours, fonts and frame lines shared by the program's windows. Window tables give
// positions in twips (15 to a pixel) and colours as 0xBBGGRR.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <span>

class QPainter;
class QPushButton;
class QWidget;

namespace moraku {

// Pixels of a length in twips (15 twips to a pixel).
constexpr int Px(int twips) {
  return twips / 15;
}

// A rectangle given in twips, in pixels.
inline QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(Px(left), Px(top), Px(width), Px(height));
}

// The colour of a 0xBBGGRR value (blue in the high byte, red in the low byte).
constexpr QRgb FromBgr(quint32 bgr) {
  return qRgb(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
              static_cast<int>((bgr >> 16) & 0xFF));
}

// Fonts named in the window tables, followed by the installed Japanese fonts that stand in for
// them when they are missing.
inline constexpr const char* kGothicFont = "ＭＳ Ｐゴシック";
inline constexpr const char* kRoundGothicFont = "HG丸ｺﾞｼｯｸM-PRO";
QStringList JapaneseFallbackFonts();

// A font of `family` with the Japanese fallbacks after it.
QFont UiFont(const QString& family, double points, bool bold = false);

// Registers the Japanese fallbacks as substitutes for the two named fonts and makes the first
// of them the application font. Call once after the QApplication exists.
void InstallFontFallbacks();

// Fills the widget's background with `colour` (its window colour).
void SetBackColour(QWidget* widget, QColor colour);

// Moves a window so that its frame is centred on its screen, keeping its title bar on the
// screen when the window is larger than the screen.
void CentreOnScreen(QWidget* window);

// Gives a command button a solid back colour with a raised three-dimensional border that sinks
// when pressed; disabled buttons show grey text.
void StyleGraphicalButton(QPushButton* button, QColor back);

// A straight frame line in twips, from (x1, y1) to (x2, y2), `width` pixels wide, drawn to the
// right of a vertical line and below a horizontal one.
struct FrameLine {
  int x1, y1, x2, y2;
  int width;
  quint32 bgr;
};

// Paints the lines on a window's surface (under its child widgets).
void PaintFrameLines(QPainter& painter, std::span<const FrameLine> lines);

}  // namespace moraku
