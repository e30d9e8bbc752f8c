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

// The picture of file `name` at its fixed size, or a null image for an unknown name.
QImage DrawWindowPicture(const QString& name);

// Writes every window picture as PNG into folder `dir` (created when missing). Returns false
// and sets `error` at the first picture that cannot be written.
bool WriteWindowPictures(const QString& dir, QString* error);

}  // namespace moraku::imagegen
