// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/image_store.h"

#include <QImageReader>
#include <utility>

namespace moraku {

namespace {
QImage ReadImage(const QString& path) {
  QImageReader reader(path);
  QImage image = reader.read();
  if (image.isNull()) return image;
  return image.convertToFormat(QImage::Format_RGB32);
}
}  // namespace

ImageStore::ImageStore(QString folder, bool caching)
    : folder_(std::move(folder)), caching_(caching) {}

const QImage* ImageStore::Load(const QString& name) {
  if (caching_) {
    auto it = cache_.constFind(name);
    if (it != cache_.constEnd()) return &it.value();
  }
  QImage image = ReadImage(folder_ + QLatin1Char('/') + name);
  if (image.isNull()) return nullptr;
  if (!caching_) {
    uncached_ = std::move(image);
    return &uncached_;
  }
  return &cache_.insert(name, std::move(image)).value();
}

}  // namespace moraku
