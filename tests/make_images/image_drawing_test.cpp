// SPDX-License-Identifier: GPL-3.0-or-later
// Checks of the image generator's drawings before they are written, and of the window
// pictures built into the program.

#include <gtest/gtest.h>

#include <QImage>
#include <QSet>

#include "make_images/image_set.h"
#include "make_images/window_pictures.h"
#include "render/image_names.h"
#include "render/render_test_support.h"

namespace moraku::imagegen {
namespace {

TEST(ImageDrawing, EveryNameOfTheSetHasACellAndNothingElseDoes) {
  for (const QString& name : AllImageNames()) {
    const QImage cell = DrawCellImage(name);
    ASSERT_FALSE(cell.isNull()) << qPrintable(name);
    EXPECT_EQ(cell.size(), QSize(22, 23)) << qPrintable(name);
    // The same name draws the same picture every time.
    EXPECT_EQ(DrawCellImage(name), cell) << qPrintable(name);
  }
  for (const char* name : {"zkuro0.gif", "zkuro56.gif", "zshiro100.gif", "zkuro01.gif", "af.gif",
                           "cross.jpg", "zkuro7.jpg", "", "mygold.png"})
    EXPECT_TRUE(DrawCellImage(QString::fromLatin1(name)).isNull()) << name;
}

TEST(ImageDrawing, WritingTheSetFailsCleanlyOnAnUnwritableFolder) {
  QString error;
  EXPECT_FALSE(WriteImageSet(QStringLiteral("/proc/moraku-cannot-be-here"), &error));
  EXPECT_FALSE(error.isEmpty());
}

struct PictureSize {
  const char* name;
  int width;
  int height;
};
constexpr PictureSize kPictures[] = {
    {"end_indicator.png", 121, 76},
    {"menu_title.png", 400, 300},
    {"button_instructions.png", 172, 35},
    {"button_quit.png", 172, 35},
    {"child.png", 69, 79},
    {"moraku.png", 128, 128},
};

int DistinctColours(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) colours << image.pixel(x, y);
  return colours.size();
}

TEST(WindowPictures, BuiltInPicturesHaveTheirSizesAndContent) {
  EXPECT_EQ(WindowPictureNames().size(), static_cast<int>(std::size(kPictures)));
  QSet<QByteArray> seen;
  for (const PictureSize& p : kPictures) {
    const QString name = QString::fromLatin1(p.name);
    EXPECT_TRUE(WindowPictureNames().contains(name)) << p.name;
    const QImage built = QImage(QStringLiteral(":/pictures/") + name);
    ASSERT_FALSE(built.isNull()) << p.name << " is not among the program's resources";
    EXPECT_EQ(built.size(), QSize(p.width, p.height)) << p.name;
    // The program carries the picture the generator draws, and it is not a flat fill.
    EXPECT_EQ(built.convertToFormat(QImage::Format_ARGB32),
              DrawWindowPicture(name).convertToFormat(QImage::Format_ARGB32))
        << p.name;
    EXPECT_GT(DistinctColours(built), 40) << p.name;
  }
  // The two buttons read differently.
  EXPECT_NE(DrawWindowPicture(QStringLiteral("button_instructions.png")),
            DrawWindowPicture(QStringLiteral("button_quit.png")));
  EXPECT_TRUE(DrawWindowPicture(QStringLiteral("nothing.png")).isNull());
}

TEST(WindowPictures, IconAndSignAreOpaqueInsideAndClearAtTheCorners) {
  for (const char* name : {"moraku.png", "end_indicator.png"}) {
    const QImage image = DrawWindowPicture(QString::fromLatin1(name));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << name;
    EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0) << name;
    EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255) << name;
  }
}

}  // namespace
}  // namespace moraku::imagegen
