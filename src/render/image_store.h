// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loads the cell images of the fld2 folder, keeping each one after its first load.

#include <QHash>
#include <QImage>
#include <QString>

namespace moraku {

class ImageStore {
 public:
  // folder: the fld2 directory. With caching off every Load reads the file again, as a
  // program without a cache would.
  explicit ImageStore(QString folder, bool caching = true);

  // The image of file `name` in the folder, converted to RGB32, or nullptr when the file is
  // missing or is not a readable image. A failed load is not remembered: the next call tries
  // the file again. The pointer stays valid until the next Load of another name when caching
  // is off, and for the store's lifetime when it is on.
  const QImage* Load(const QString& name);

  const QString& Folder() const { return folder_; }

 private:
  QString folder_;
  bool caching_;
  QHash<QString, QImage> cache_;
  QImage uncached_;
};

}  // namespace moraku
