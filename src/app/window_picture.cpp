// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_picture.h"

#include "render/image_names.h"

namespace moraku {

QPixmap WindowPicture(const QString& name, double deviceRatio) {
  const double scale = ImageScaleFor(deviceRatio);
  if (scale == 1) return QPixmap(QStringLiteral(":/pictures/") + name);
  QPixmap picture(QStringLiteral(":/pictures/") + ScaledSetFolder(scale) + QLatin1Char('/') + name);
  picture.setDevicePixelRatio(scale);
  return picture;
}

}  // namespace moraku
