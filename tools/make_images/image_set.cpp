// SPDX-License-Identifier: GPL-3.0-or-later
#include "image_set.h"

#include <QDir>
#include <QImageWriter>
#include <QRegularExpression>

#include "board_look.h"
#include "gif_writer.h"
#include "markers.h"
#include "render/image_names.h"
#include "stones.h"
#include "tiles.h"

namespace moraku::imagegen {

namespace {
bool WriteJpeg(const QString& path, const QImage& image, QString* error) {
  QImageWriter writer(path, "jpg");
  writer.setQuality(100);
  if (writer.write(image)) return true;
  *error = path + QStringLiteral(": ") + writer.errorString();
  return false;
}
}  // namespace

QImage DrawCellImage(const QString& name) {
  if (name.endsWith(QLatin1String(".jpg"))) return DrawTile(name);
  static const QRegularExpression numbered(QStringLiteral("^z(kuro|shiro)([1-9][0-9]?)\\.gif$"));
  if (const auto match = numbered.match(name); match.hasMatch()) {
    const int number = match.captured(2).toInt();
    if (number > 55) return QImage();
    return DrawNumberedStone(match.captured(1) == QLatin1String("kuro"), number);
  }
  if (name == RedMarkedStoneImage(true)) return DrawRedMarkedStone(true);
  if (name == RedMarkedStoneImage(false)) return DrawRedMarkedStone(false);
  if (name == BlackStoneImage()) return DrawPlainStone(StoneKind::Black);
  if (name == WhiteStoneImage()) return DrawPlainStone(StoneKind::White);
  if (name == GoldStoneImage()) return DrawPlainStone(StoneKind::Gold);
  if (name == StoneMarkImage(true)) return DrawSmallStone(true);
  if (name == StoneMarkImage(false)) return DrawSmallStone(false);
  static const QRegularExpression letter(QStringLiteral("^a([a-e])\\.gif$"));
  if (const auto match = letter.match(name); match.hasMatch())
    return DrawLetterMark(match.captured(1).at(0).toUpper());
  if (name == FirstMoveMarkImage()) return DrawFirstMoveMark();
  if (name == TenukiMarkImage()) return DrawTenukiMark();
  return QImage();
}

bool WriteImageSet(const QString& dir, QString* error) {
  if (!QDir().mkpath(dir)) {
    *error = dir + QStringLiteral(": cannot create the folder");
    return false;
  }
  for (const QString& name : AllImageNames()) {
    const QImage cell = DrawCellImage(name);
    if (cell.isNull()) {
      *error = name + QStringLiteral(": no drawing for this file");
      return false;
    }
    const QString path = dir + QLatin1Char('/') + name;
    const bool ok = name.endsWith(QLatin1String(".jpg"))
                        ? WriteJpeg(path, ToFileImage(cell, kTileHiddenColumn), error)
                        : WriteGif(path, ToFileImage(cell, kHiddenColumn), error);
    if (!ok) return false;
  }
  return true;
}

bool WriteScaledImageSets(const QString& dir, QString* error) {
  bool ok = true;
  for (double scale : kScaledImageSets) {
    SetDrawingScale(scale);
    ok = WriteImageSet(dir + QLatin1Char('/') + ScaledSetFolder(scale), error);
    if (!ok) break;
  }
  SetDrawingScale(1);
  return ok;
}

}  // namespace moraku::imagegen
