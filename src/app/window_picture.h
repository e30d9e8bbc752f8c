// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows' own pictures (menu title, menu button faces, end indicator, the child at the
// board), built into the program at 100 %, 150 % and 200 %.

#include <QPixmap>
#include <QString>

namespace moraku {

// The picture of file `name` (":/pictures/<name>") for a screen of `deviceRatio` device pixels
// per pixel: above 1, the version drawn at that display scale, carrying that device pixel ratio
// so that it takes the 100 % picture's place one image pixel per screen pixel. Null when the
// program has no such picture.
QPixmap WindowPicture(const QString& name, double deviceRatio);

}  // namespace moraku
