// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole board image set: which drawing makes each file, and writing the files.

#include <QImage>
#include <QString>

namespace moraku::imagegen {

// The 22 x 23 cell image of image-set file `name`, or a null image for an unknown name.
QImage DrawCellImage(const QString& name);

// Writes every file of the image set into folder `dir` (created when missing): tiles as
// high-quality JPEG, everything else as GIF, each 23 x 23 with its cell at (1, 0). Returns
// false and sets `error` at the first file that cannot be drawn or written.
bool WriteImageSet(const QString& dir, QString* error);

// Writes the set again at each of kScaledImageSets into its subfolder of `dir`, drawn at that
// scale. Leaves the drawing scale at 1.
bool WriteScaledImageSets(const QString& dir, QString* error);

}  // namespace moraku::imagegen
