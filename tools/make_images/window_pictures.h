// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's own pictures: end-of-sequence sign, menu title, menu button faces, the child at
// the board, and the application icon.

#include <QImage>
#include <QString>
#include <QStringList>

namespace moraku::imagegen {

// File names of the window's pictures, as the program's resources name them.
QStringList WindowPictureNames();

// The pictures that are also drawn at the larger display scales (all but the icon, which the
// desktop scales from its own large size).
QStringList ScaledWindowPictureNames();

// The picture of file `name` at its fixed size times `scale` (each side rounded up, with that
// device pixel ratio), or a null image for an unknown name or a picture without scaled twins.
QImage DrawWindowPicture(const QString& name, double scale = 1);

// Writes every window picture as PNG into folder `dir` (created when missing), and the scaled
// pictures of each of kScaledImageSets into its subfolder ("150", "200"). Returns false and sets
// `error` at the first picture that cannot be written.
bool WriteWindowPictures(const QString& dir, QString* error);

}  // namespace moraku::imagegen
