// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A joseki session over an image set whose every file is one flat colour of its own, so that a
// test can tell from a pixel of the board picture which image was drawn there.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "board/coords.h"
#include "data/sections.h"
#include "joseki/joseki_session.h"
#include "joseki/recording_controls.h"
#include "render/image_names.h"
#include "search/search_input.h"

namespace moraku::test {

class ColouredImageSet {
 public:
  ColouredImageSet() : names_(AllImageNames()) {
    for (int i = 0; i < names_.size(); ++i) {
      QImage image(23, 23, QImage::Format_RGB32);
      image.fill(ColourOf(i));
      image.save(dir_.filePath(names_[i]), "PNG");
    }
  }

  QString Folder() const { return dir_.path(); }

  // Deletes one file of the set, as if it were missing from the folder.
  void Remove(const QString& name) { QFile::remove(dir_.filePath(name)); }

  // The name of the image whose colour `picture` has at pixel (x, y), or "?" for none.
  QString NameAt(const QImage& picture, int x, int y) const {
    const QRgb pixel = picture.pixel(x, y);
    for (int i = 0; i < names_.size(); ++i) {
      if (ColourOf(i) == pixel) return names_[i];
    }
    return QStringLiteral("?");
  }

 private:
  static QRgb ColourOf(int index) { return qRgb(index + 1, 0x5A, 0xA5); }

  QTemporaryDir dir_;
  QStringList names_;
};

// A session on the coloured image set, with the input open and section 1 chosen.
class SearchSessionTest : public ::testing::Test {
 protected:
  SearchSessionTest()
      : store_(std::make_unique<ImageStore>(images_.Folder())), session_(controls_, *store_) {
    session_.state.SectionIndex = kHandicapSection;
  }

  // Moves the pointer to the middle of point (row, col) of the record board and clicks.
  void Click(int row, int col) {
    TrackPointer(session_, CellX(Board::Record, col) + 11, CellY(row) + 11);
    AddSearchStone(session_);
  }

  // The image shown in the middle of point (row, col) of the record board.
  QString ShownAt(int row, int col) const {
    return images_.NameAt(session_.canvas.Display(), CellX(Board::Record, col) + 11,
                          CellY(row) + 11);
  }

  // The image shown at a pixel of the board picture.
  QString ShownAtPixel(int x, int y) const {
    return images_.NameAt(session_.canvas.Display(), x, y);
  }

  ColouredImageSet images_;
  RecordingControls controls_;
  std::unique_ptr<ImageStore> store_;
  JosekiSession session_;
  JosekiState& st_ = session_.state;
};

}  // namespace moraku::test
