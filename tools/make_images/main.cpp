// SPDX-License-Identifier: GPL-3.0-or-later
// make_images FLD2_DIR PICTURES_DIR: draws the board image set into FLD2_DIR and the window's
// own pictures into PICTURES_DIR; the sets drawn at 150 % and 200 % go into subfolders of
// FLD2_DIR.

#include <QGuiApplication>
#include <QString>
#include <cstdio>

#include "image_set.h"
#include "window_pictures.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_images FLD2_DIR PICTURES_DIR\n");
    return 2;
  }
  QString error;
  const QString fld2 = QString::fromLocal8Bit(argv[1]);
  if (!moraku::imagegen::WriteImageSet(fld2, &error) ||
      !moraku::imagegen::WriteScaledImageSets(fld2, &error) ||
      !moraku::imagegen::WriteWindowPictures(QString::fromLocal8Bit(argv[2]), &error)) {
    std::fprintf(stderr, "make_images: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
