// SPDX-License-Identifier: GPL-3.0-or-later
#include "gif_writer.h"

#include <gif_lib.h>

#include <QFile>
#include <QMap>
#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace moraku::imagegen {

namespace {
struct WeightedColour {
  QRgb rgb;
  qint64 count;
};

int Channel(QRgb c, int ch) {
  return ch == 0 ? qRed(c) : ch == 1 ? qGreen(c) : qBlue(c);
}

// A set of colours of one median-cut box: a range [begin, end) of the colour list.
struct Box {
  int begin;
  int end;
  int Spread(const std::vector<WeightedColour>& colours, int* channel) const {
    int best = -1;
    for (int ch = 0; ch < 3; ++ch) {
      int lo = 255, hi = 0;
      for (int i = begin; i < end; ++i) {
        lo = std::min(lo, Channel(colours[i].rgb, ch));
        hi = std::max(hi, Channel(colours[i].rgb, ch));
      }
      if (hi - lo > best) {
        best = hi - lo;
        *channel = ch;
      }
    }
    return best;
  }
};

QRgb Average(const std::vector<WeightedColour>& colours, const Box& box) {
  qint64 sum[3] = {0, 0, 0};
  qint64 total = 0;
  for (int i = box.begin; i < box.end; ++i) {
    for (int ch = 0; ch < 3; ++ch) sum[ch] += Channel(colours[i].rgb, ch) * colours[i].count;
    total += colours[i].count;
  }
  auto mean = [&](int ch) { return static_cast<int>((sum[ch] + total / 2) / total); };
  return qRgb(mean(0), mean(1), mean(2));
}

int Distance(QRgb a, QRgb b) {
  const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

std::vector<WeightedColour> CountColours(const QImage& image) {
  QMap<QRgb, qint64> counts;  // ordered, so that the result does not depend on hashing
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) ++counts[line[x] | 0xFF000000u];
  }
  std::vector<WeightedColour> colours;
  colours.reserve(static_cast<size_t>(counts.size()));
  for (auto it = counts.cbegin(); it != counts.cend(); ++it)
    colours.push_back({it.key(), it.value()});
  return colours;
}

QVector<QRgb> MedianCut(std::vector<WeightedColour>& colours, int maxColours) {
  std::vector<Box> boxes = {{0, static_cast<int>(colours.size())}};
  while (static_cast<int>(boxes.size()) < maxColours) {
    // Split the box whose colours spread widest; ties go to the earlier box.
    int pick = -1, pickChannel = 0, pickSpread = 0;
    for (int b = 0; b < static_cast<int>(boxes.size()); ++b) {
      if (boxes[b].end - boxes[b].begin < 2) continue;
      int channel = 0;
      const int spread = boxes[b].Spread(colours, &channel);
      if (spread > pickSpread) {
        pick = b;
        pickChannel = channel;
        pickSpread = spread;
      }
    }
    if (pick < 0) break;
    Box& box = boxes[pick];
    std::stable_sort(colours.begin() + box.begin, colours.begin() + box.end,
                     [&](const WeightedColour& a, const WeightedColour& b) {
                       return Channel(a.rgb, pickChannel) < Channel(b.rgb, pickChannel);
                     });
    qint64 total = 0;
    for (int i = box.begin; i < box.end; ++i) total += colours[i].count;
    // Cut at the weighted median, keeping at least one colour on each side.
    int cut = box.begin + 1;
    qint64 seen = colours[box.begin].count;
    while (cut < box.end - 1 && seen * 2 < total) seen += colours[cut++].count;
    const Box upper = {cut, box.end};
    box.end = cut;
    boxes.push_back(upper);
  }
  QVector<QRgb> palette;
  for (const Box& box : boxes) palette.push_back(Average(colours, box));
  return palette;
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    EGifCloseFile(gif, &error);
  }
};
struct MapFreer {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
}  // namespace

IndexedImage Quantise(const QImage& source, int maxColours) {
  maxColours = std::clamp(maxColours, 1, 256);
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  IndexedImage out;
  out.width = image.width();
  out.height = image.height();
  std::vector<WeightedColour> colours = CountColours(image);
  if (colours.empty()) return out;
  if (static_cast<int>(colours.size()) <= maxColours) {
    for (const WeightedColour& c : colours) out.palette.push_back(c.rgb);
  } else {
    out.palette = MedianCut(colours, maxColours);
  }
  QMap<QRgb, std::uint8_t> nearest;
  out.pixels.reserve(out.width * out.height);
  for (int y = 0; y < out.height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < out.width; ++x) {
      const QRgb rgb = line[x] | 0xFF000000u;
      auto it = nearest.constFind(rgb);
      if (it == nearest.constEnd()) {
        int best = 0;
        for (int i = 1; i < out.palette.size(); ++i)
          if (Distance(rgb, out.palette[i]) < Distance(rgb, out.palette[best])) best = i;
        it = nearest.insert(rgb, static_cast<std::uint8_t>(best));
      }
      out.pixels.push_back(it.value());
    }
  }
  return out;
}

bool WriteGif(const QString& path, const QImage& image, QString* error) {
  auto fail = [&](const QString& why) {
    if (error != nullptr) *error = path + QStringLiteral(": ") + why;
    return false;
  };
  if (image.isNull()) return fail(QStringLiteral("empty image"));
  const IndexedImage indexed = Quantise(image);
  // giflib wants a colour table of a power of two entries; unused ones stay black.
  int bits = 1;
  while ((1 << bits) < indexed.palette.size()) ++bits;
  std::vector<GifColorType> table(static_cast<size_t>(1) << bits, GifColorType{0, 0, 0});
  for (int i = 0; i < indexed.palette.size(); ++i) {
    const QRgb c = indexed.palette[i];
    table[i] = GifColorType{static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                            static_cast<GifByteType>(qBlue(c))};
  }
  std::unique_ptr<ColorMapObject, MapFreer> map(
      GifMakeMapObject(static_cast<int>(table.size()), table.data()));
  if (!map) return fail(QStringLiteral("cannot make the colour table"));

  const QByteArray name = QFile::encodeName(path);
  int openError = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(
      EGifOpenFileName(name.constData(), false, &openError));
  if (!gif) return fail(QString::fromUtf8(GifErrorString(openError)));
  if (EGifPutScreenDesc(gif.get(), indexed.width, indexed.height, bits, 0, map.get()) ==
          GIF_ERROR ||
      EGifPutImageDesc(gif.get(), 0, 0, indexed.width, indexed.height, false, nullptr) ==
          GIF_ERROR) {
    return fail(QString::fromUtf8(GifErrorString(gif->Error)));
  }
  std::vector<GifPixelType> line(static_cast<size_t>(indexed.width));
  for (int y = 0; y < indexed.height; ++y) {
    std::copy_n(indexed.pixels.constData() + y * indexed.width, indexed.width, line.begin());
    if (EGifPutLine(gif.get(), line.data(), indexed.width) == GIF_ERROR)
      return fail(QString::fromUtf8(GifErrorString(gif->Error)));
  }
  int closeError = 0;
  if (EGifCloseFile(gif.release(), &closeError) == GIF_ERROR)
    return fail(QString::fromUtf8(GifErrorString(closeError)));
  return true;
}

}  // namespace moraku::imagegen
