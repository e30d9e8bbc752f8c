// SPDX-License-Identifier: GPL-3.0-or-later
#include "make_images/gif_writer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QTemporaryDir>

#include "render/render_test_support.h"

namespace moraku::imagegen {
namespace {

using test::ChannelDistance;

QImage ReadBack(const QString& path) {
  QImageReader reader(path);
  EXPECT_EQ(reader.format(), "gif");
  return reader.read().convertToFormat(QImage::Format_RGB32);
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(GifWriter, ImagesOfFewColoursComeBackExactly) {
  QTemporaryDir dir;
  // 256 colours exactly (the largest palette), and a single colour (the smallest).
  QImage many(23, 23, QImage::Format_RGB32);
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 23; ++x) {
      const int k = (y * 23 + x) % 256;
      many.setPixel(x, y, qRgb(k, 255 - k, (k * 7) % 256));
    }
  QImage one(23, 23, QImage::Format_RGB32);
  one.fill(qRgb(222, 186, 132));
  for (const QImage& image : {many, one}) {
    const QString path = dir.path() + QStringLiteral("/exact.gif");
    QString error;
    ASSERT_TRUE(WriteGif(path, image, &error)) << qPrintable(error);
    const QImage back = ReadBack(path);
    ASSERT_EQ(back.size(), image.size());
    EXPECT_EQ(back, image);
  }
}

TEST(GifWriter, ManyColoursAreReducedToACloseImage) {
  QTemporaryDir dir;
  // A two-way gradient of 4096 colours, like a shaded stone but harder.
  QImage image(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) * 2));
  const IndexedImage indexed = Quantise(image);
  EXPECT_EQ(indexed.palette.size(), 256);
  EXPECT_EQ(indexed.pixels.size(), 64 * 64);

  const QString path = dir.path() + QStringLiteral("/gradient.gif");
  ASSERT_TRUE(WriteGif(path, image));
  const QImage back = ReadBack(path);
  long total = 0;
  int worst = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const int d = ChannelDistance(back.pixel(x, y), image.pixel(x, y));
      total += d;
      worst = std::max(worst, d);
    }
  EXPECT_LE(worst, 24);
  EXPECT_LE(total / (64 * 64), 8);
}

TEST(GifWriter, RareColourKeepsItsOwnPaletteEntry) {
  // A small red mark on a stone of many greys must stay red.
  QImage image(40, 40, QImage::Format_RGB32);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      image.setPixel(x, y, qRgb((x * 40 + y) % 256, (x * 40 + y) % 256, (x * 40 + y) % 256));
  image.setPixel(20, 20, qRgb(230, 20, 20));
  const IndexedImage indexed = Quantise(image);
  ASSERT_LE(indexed.palette.size(), 256);
  const QRgb mark = indexed.palette[indexed.pixels[20 * 40 + 20]];
  EXPECT_LE(ChannelDistance(mark, qRgb(230, 20, 20)), 10);
}

TEST(GifWriter, SmallPaletteLimitIsKept) {
  QImage image(16, 16, QImage::Format_RGB32);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) image.setPixel(x, y, qRgb(x * 16, y * 16, 0));
  const IndexedImage indexed = Quantise(image, 8);
  EXPECT_EQ(indexed.palette.size(), 8);
  QSet<int> used;
  for (auto index : indexed.pixels) used << index;
  EXPECT_EQ(used.size(), 8);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      EXPECT_LE(ChannelDistance(indexed.palette[indexed.pixels[y * 16 + x]], image.pixel(x, y)),
                128);
}

TEST(GifWriter, SameImageGivesTheSameBytes) {
  QTemporaryDir dir;
  QImage image(30, 30, QImage::Format_RGB32);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) image.setPixel(x, y, qRgb(x * 8, y * 8, (x * y) % 256));
  const QString a = dir.path() + QStringLiteral("/a.gif");
  const QString b = dir.path() + QStringLiteral("/b.gif");
  ASSERT_TRUE(WriteGif(a, image));
  ASSERT_TRUE(WriteGif(b, image));
  EXPECT_FALSE(FileBytes(a).isEmpty());
  EXPECT_EQ(FileBytes(a), FileBytes(b));
}

TEST(GifWriter, FailureNamesTheFile) {
  QImage image(23, 23, QImage::Format_RGB32);
  image.fill(Qt::black);
  QString error;
  const QString path = QStringLiteral("/nonexistent-moraku-dir/x.gif");
  EXPECT_FALSE(WriteGif(path, image, &error));
  EXPECT_TRUE(error.startsWith(path)) << qPrintable(error);
  EXPECT_FALSE(WriteGif(QStringLiteral("/tmp/never.gif"), QImage(), &error));
  EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/never.gif")));
}

}  // namespace
}  // namespace moraku::imagegen
