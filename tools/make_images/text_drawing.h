// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fonts of the image set and text placed by its visible outline rather than its line box.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QString>

namespace moraku::imagegen {

// The bold font of move numbers and letter marks, `pixelSize` high, squeezed horizontally to
// `stretch` percent so that two digits fit on a stone.
QFont MarkFont(int pixelSize, int stretch = 100);

// The Japanese font of the window's pictures: the sans-serif face, or the serif one for
// brush-like signs.
QFont JapaneseFont(int pixelSize, bool bold, bool serif = false);

// Draws `text` so that the middle of its inked outline lies on `centre`, moved to whole
// pixels so that hinted glyphs stay sharp.
void DrawCentredText(QPainter& painter, QPointF centre, const QString& text, const QFont& font,
                     const QColor& colour);

}  // namespace moraku::imagegen
