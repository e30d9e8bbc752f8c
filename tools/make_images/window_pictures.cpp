// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_pictures.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "board_look.h"
#include "render/image_names.h"
#include "text_drawing.h"

namespace moraku::imagegen {

namespace {
const QColor kInk(28, 18, 8);

// A stone with the same shading as the board's, at any size.
void PaintBigStone(QPainter& painter, QPointF centre, double radius, bool black) {
  QRadialGradient gradient(centre, radius, centre + QPointF(-radius * 0.35, -radius * 0.4));
  if (black) {
    gradient.setColorAt(0.0, QColor(120, 120, 120));
    gradient.setColorAt(0.45, QColor(40, 40, 42));
    gradient.setColorAt(1.0, QColor(6, 6, 6));
    painter.setPen(Qt::NoPen);
  } else {
    gradient.setColorAt(0.0, QColor(255, 255, 255));
    gradient.setColorAt(0.45, QColor(238, 238, 232));
    gradient.setColorAt(1.0, QColor(178, 176, 168));
    painter.setPen(QPen(QColor(110, 104, 92, 200), std::max(0.8, radius / 14)));
  }
  painter.setBrush(gradient);
  painter.drawEllipse(centre, radius, radius);
}

// Wood with faint grain running across, inside `rect`.
void PaintWood(QPainter& painter, const QRectF& rect) {
  QLinearGradient base(rect.topLeft(), rect.bottomRight());
  base.setColorAt(0.0, QColor(232, 190, 118));
  base.setColorAt(1.0, QColor(214, 166, 94));
  painter.fillRect(rect, base);
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  for (int i = 0; i < 24; ++i) {
    const double y = rect.top() + rect.height() * ((i * 37) % 101) / 101.0;
    painter.setPen(QPen(QColor(160, 110, 50, 18 + (i * 13) % 20), 1.0 + (i % 3) * 0.6));
    QPainterPath grain(QPointF(rect.left(), y));
    grain.cubicTo(QPointF(rect.left() + rect.width() * 0.3, y - 3 - i % 4),
                  QPointF(rect.left() + rect.width() * 0.7, y + 3 + i % 5),
                  QPointF(rect.right(), y + (i % 3) - 1));
    painter.drawPath(grain);
  }
  painter.restore();
}

// Grid lines `spacing` apart starting at `origin`, filling `rect`; lines start at the origin
// so that the upper-left corner of a board shows.
void PaintGrid(QPainter& painter, const QRectF& rect, QPointF origin, double spacing,
               double width) {
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.setPen(QPen(kInk, width, Qt::SolidLine, Qt::FlatCap));
  for (double x = origin.x(); x <= rect.right(); x += spacing)
    painter.drawLine(QPointF(x, origin.y()), QPointF(x, rect.bottom()));
  for (double y = origin.y(); y <= rect.bottom(); y += spacing)
    painter.drawLine(QPointF(origin.x(), y), QPointF(rect.right(), y));
  painter.restore();
}

// A picture of w x h pixels at 100 %, drawn at `scale`: ScaledImageLength pixels each way with
// that device pixel ratio, so that the drawing code works in 100 % pixels at every scale.
QImage NewPicture(int w, int h, double scale, bool transparent = false) {
  QImage image(ScaledImageLength(w, scale), ScaledImageLength(h, scale),
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  image.fill(transparent ? Qt::transparent : Qt::white);
  return image;
}

QImage EndIndicator(double scale) {
  QImage image = NewPicture(121, 76, scale, true);
  QPainter painter(&image);
  SetSmooth(painter);
  const QRectF plaque(1.5, 1.5, 118, 73);
  QPainterPath outline;
  outline.addRoundedRect(plaque, 9, 9);
  painter.setClipPath(outline);
  PaintWood(painter, plaque);
  painter.setClipping(false);
  painter.setPen(QPen(QColor(90, 50, 18), 3));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(outline);
  painter.setPen(QPen(QColor(120, 70, 26), 1));
  painter.drawRoundedRect(plaque.adjusted(5, 5, -5, -5), 5, 5);
  DrawCentredText(painter, QPointF(44, 38), QStringLiteral("終"), JapaneseFont(46, true, true),
                  QColor(150, 16, 16));
  const QFont small = JapaneseFont(14, true);
  DrawCentredText(painter, QPointF(93, 20), QStringLiteral("お"), small, kInk);
  DrawCentredText(painter, QPointF(93, 38), QStringLiteral("わ"), small, kInk);
  DrawCentredText(painter, QPointF(93, 56), QStringLiteral("り"), small, kInk);
  return image;
}

QImage MenuTitle(double scale) {
  QImage image = NewPicture(400, 300, scale);
  QPainter painter(&image);
  SetSmooth(painter);
  const QRectF all(0, 0, 400, 300);
  PaintWood(painter, all);
  // The menu shows only the top-left 321 x 233 pixels of the picture: keep everything there.
  const double step = 24;
  const QPointF origin(22, 20);
  PaintGrid(painter, all, origin, step, 1.4);
  auto at = [&](int col, int row) {
    return QPointF(origin.x() + (col - 1) * step, origin.y() + (row - 1) * step);
  };
  painter.setPen(Qt::NoPen);
  painter.setBrush(kInk);
  for (int col : {4, 10}) painter.drawEllipse(at(col, 4), 3.5, 3.5);
  // The 3-3 invasion under the 4-4 stone, and a stone on the side star point.
  const struct {
    int col, row;
    bool black;
  } stones[] = {{4, 4, true},  {3, 3, false}, {4, 3, true},  {3, 4, false}, {3, 5, true},
                {2, 5, false}, {2, 6, true},  {2, 4, false}, {10, 4, true}};
  for (const auto& s : stones) PaintBigStone(painter, at(s.col, s.row), step * 0.47, s.black);
  // Title banner across the lower part of the visible area.
  const QRectF banner(0, 158, 321, 68);
  QLinearGradient shade(banner.topLeft(), banner.bottomLeft());
  shade.setColorAt(0.0, QColor(40, 20, 6, 215));
  shade.setColorAt(1.0, QColor(20, 10, 2, 235));
  painter.fillRect(banner, shade);
  painter.setPen(QPen(QColor(230, 190, 90), 2));
  painter.drawLine(QPointF(0, banner.top() + 4), QPointF(banner.right(), banner.top() + 4));
  painter.drawLine(QPointF(0, banner.bottom() - 4), QPointF(banner.right(), banner.bottom() - 4));
  QFont latin(QStringLiteral("DejaVu Serif"));
  latin.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Noto Serif CJK JP")});
  latin.setPixelSize(36);
  latin.setBold(true);
  DrawCentredText(painter, QPointF(92, banner.center().y()), QStringLiteral("Moraku"), latin,
                  QColor(250, 236, 200));
  DrawCentredText(painter, QPointF(243, banner.center().y()), QStringLiteral("定石集"),
                  JapaneseFont(40, true, true), QColor(255, 214, 110));
  return image;
}

QImage ButtonFace(const QString& text, double scale) {
  QImage image = NewPicture(172, 35, scale);
  QPainter painter(&image);
  SetSmooth(painter);
  const QRectF face(0.5, 0.5, 171, 34);
  QLinearGradient fill(face.topLeft(), face.bottomLeft());
  fill.setColorAt(0.0, QColor(150, 92, 40));
  fill.setColorAt(0.5, QColor(112, 62, 22));
  fill.setColorAt(1.0, QColor(84, 44, 14));
  painter.setPen(QPen(QColor(54, 28, 8), 1));
  painter.setBrush(fill);
  painter.drawRoundedRect(face, 5, 5);
  painter.setPen(QPen(QColor(220, 170, 110, 140), 1));
  painter.drawLine(QPointF(5, 2.5), QPointF(167, 2.5));
  DrawCentredText(painter, QPointF(86, 17.5), text, JapaneseFont(19, true), QColor(255, 244, 220));
  return image;
}

QImage Child(double scale) {
  QImage image = NewPicture(69, 79, scale);
  QPainter painter(&image);
  SetSmooth(painter);
  painter.fillRect(image.rect(), QColor(246, 240, 226));
  // Body: a blue shirt behind the board.
  painter.setPen(QPen(QColor(30, 50, 110), 1));
  painter.setBrush(QColor(70, 110, 200));
  QPainterPath body;
  body.moveTo(13, 60);
  body.cubicTo(14, 42, 24, 38, 34.5, 38);
  body.cubicTo(45, 38, 55, 42, 56, 60);
  body.closeSubpath();
  painter.drawPath(body);
  // Head, hair, face.
  painter.setPen(QPen(QColor(150, 100, 70), 1));
  painter.setBrush(QColor(252, 214, 180));
  painter.drawEllipse(QPointF(34.5, 23), 13, 14);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(30, 22, 18));
  QPainterPath hair;
  hair.moveTo(21.5, 23);
  hair.cubicTo(20, 6, 49, 6, 47.5, 23);
  hair.cubicTo(44, 15, 38, 13, 34, 16);
  hair.cubicTo(30, 13, 25, 15, 21.5, 23);
  painter.drawPath(hair);
  painter.drawEllipse(QPointF(29.5, 25), 1.6, 1.9);
  painter.drawEllipse(QPointF(39.5, 25), 1.6, 1.9);
  painter.setBrush(QColor(240, 150, 140, 160));
  painter.drawEllipse(QPointF(26.5, 30), 2.6, 1.6);
  painter.drawEllipse(QPointF(42.5, 30), 2.6, 1.6);
  painter.setPen(QPen(QColor(150, 60, 50), 1.2, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawArc(QRectF(31, 27.5, 7, 5), 200 * 16, 140 * 16);
  // The board in front, seen from above at a slant, with its legs.
  painter.setPen(QPen(QColor(110, 70, 30), 1));
  painter.setBrush(QColor(200, 150, 80));
  painter.drawRect(QRectF(10, 71, 4, 6));
  painter.drawRect(QRectF(55, 71, 4, 6));
  QPolygonF top;
  top << QPointF(12, 54) << QPointF(57, 54) << QPointF(65, 66) << QPointF(4, 66);
  painter.setBrush(QColor(226, 182, 108));
  painter.drawPolygon(top);
  painter.setBrush(QColor(186, 132, 64));
  painter.drawRect(QRectF(4, 66, 61, 6));
  painter.setPen(QPen(QColor(90, 60, 30, 200), 0.7));
  for (int i = 1; i < 6; ++i) {
    const double t = i / 6.0;
    painter.drawLine(QPointF(12 + 45 * t, 54), QPointF(4 + 61 * t, 66));
  }
  for (int i = 1; i < 4; ++i) {
    const double t = i / 4.0;
    painter.drawLine(QPointF(12 - 8 * t, 54 + 12 * t), QPointF(57 + 8 * t, 54 + 12 * t));
  }
  // A hand reaching to the board, and stones on it.
  painter.setPen(QPen(QColor(150, 100, 70), 0.8));
  painter.setBrush(QColor(252, 214, 180));
  painter.drawEllipse(QPointF(44, 55), 3.2, 2.6);
  PaintBigStone(painter, QPointF(25, 60), 2.6, true);
  PaintBigStone(painter, QPointF(36, 63), 2.8, false);
  PaintBigStone(painter, QPointF(47, 60), 2.6, true);
  PaintBigStone(painter, QPointF(20, 57), 2.4, false);
  return image;
}

QImage AppIcon() {
  QImage image = NewPicture(128, 128, 1, true);
  QPainter painter(&image);
  SetSmooth(painter);
  const QRectF tile(4, 4, 120, 120);
  QPainterPath outline;
  outline.addRoundedRect(tile, 18, 18);
  painter.setClipPath(outline);
  PaintWood(painter, tile);
  const double step = 24;
  const QPointF origin(28, 28);
  PaintGrid(painter, tile, origin, step, 2.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kInk);
  painter.drawEllipse(origin + QPointF(3 * step, 3 * step), 3.5, 3.5);
  auto at = [&](int col, int row) { return origin + QPointF((col - 1) * step, (row - 1) * step); };
  PaintBigStone(painter, at(3, 3), step * 0.48, true);
  PaintBigStone(painter, at(4, 2), step * 0.48, false);
  PaintBigStone(painter, at(3, 2), step * 0.48, true);
  PaintBigStone(painter, at(2, 4), step * 0.48, false);
  painter.setClipping(false);
  painter.setPen(QPen(QColor(90, 50, 18), 3));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(outline);
  return image;
}
}  // namespace

QStringList WindowPictureNames() {
  return {QStringLiteral("end_indicator.png"),
          QStringLiteral("menu_title.png"),
          QStringLiteral("button_instructions.png"),
          QStringLiteral("button_quit.png"),
          QStringLiteral("child.png"),
          QStringLiteral("moraku.png")};
}

QStringList ScaledWindowPictureNames() {
  QStringList names = WindowPictureNames();
  names.removeAll(QStringLiteral("moraku.png"));
  return names;
}

QImage DrawWindowPicture(const QString& name, double scale) {
  if (name == QLatin1String("end_indicator.png")) return EndIndicator(scale);
  if (name == QLatin1String("menu_title.png")) return MenuTitle(scale);
  if (name == QLatin1String("button_instructions.png"))
    return ButtonFace(QStringLiteral("操作説明"), scale);
  if (name == QLatin1String("button_quit.png"))
    return ButtonFace(QStringLiteral("プログラム終了"), scale);
  if (name == QLatin1String("child.png")) return Child(scale);
  if (name == QLatin1String("moraku.png") && scale == 1) return AppIcon();
  return QImage();
}

namespace {
bool WritePictures(const QString& dir, const QStringList& names, double scale, QString* error) {
  if (!QDir().mkpath(dir)) {
    *error = dir + QStringLiteral(": cannot create the folder");
    return false;
  }
  for (const QString& name : names) {
    const QString path = dir + QLatin1Char('/') + name;
    if (!DrawWindowPicture(name, scale).save(path, "PNG")) {
      *error = path + QStringLiteral(": cannot write the picture");
      return false;
    }
  }
  return true;
}
}  // namespace

bool WriteWindowPictures(const QString& dir, QString* error) {
  if (!WritePictures(dir, WindowPictureNames(), 1, error)) return false;
  for (double scale : kScaledImageSets) {
    const QString scaledDir = dir + QLatin1Char('/') + ScaledSetFolder(scale);
    if (!WritePictures(scaledDir, ScaledWindowPictureNames(), scale, error)) return false;
  }
  return true;
}

}  // namespace moraku::imagegen
