// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the tests of the joseki window's procedures: a session on fake controls, entries
// filled by hand, image-set folders with files left out, and pixel checks of board points
// against the image files themselves.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "board/coords.h"
#include "joseki/joseki_session.h"
#include "joseki/recording_controls.h"
#include "render/image_names.h"
#include "test_paths.h"

namespace moraku::test::joseki_support {

// The 22 x 23 cell image of an image file: the block at pixel (1, 0), as the board draws it.
inline QImage FileCell(const QString& folder, const QString& name) {
  QImage file(folder + QLatin1Char('/') + name);
  if (file.isNull()) return {};
  return file.convertToFormat(QImage::Format_RGB32).copy(1, 0, kCellWidth, kCellHeight);
}

// The block of a board picture that shows point (row, col) of a board.
inline QImage PointBlock(const QImage& picture, Board board, int row, int col) {
  return picture.copy(CellX(board, col), CellY(row), kCellWidth, kCellHeight);
}

// A copy of the image set without the files named, for the behaviour with a missing image.
class PartialImageSet {
 public:
  explicit PartialImageSet(const QStringList& leftOut) {
    for (const QString& name : AllImageNames()) {
      if (leftOut.contains(name)) continue;
      QFile::copy(Fld2Dir() + QLatin1Char('/') + name, dir_.path() + QLatin1Char('/') + name);
    }
  }
  QString Path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

// One joseki window session driven without a screen, with the image set of the build (or a
// partial copy of it).
class SessionTest : public ::testing::Test {
 protected:
  explicit SessionTest(QString folder = Fld2Dir())
      : folder_(std::move(folder)), images_(folder_), session_(ui_, images_) {}

  JosekiState& S() { return session_.state; }

  // Appends an entry (1-based number = its place) with a list row of its own.
  int AddEntry(const Entry& entry) {
    S().Entries.entries.push_back(entry);
    rows_ << entry.title;
    ui_.rows = rows_;
    return S().Entries.Count();
  }

  QImage Cell(const QString& name) {
    auto it = cells_.find(name);
    if (it == cells_.end()) it = cells_.insert(name, FileCell(folder_, name));
    return it.value();
  }

  // Whether point (row, col) of a board shows image file `name` in Master / on screen.
  bool MasterShows(Board board, int row, int col, const QString& name) {
    return PointBlock(session_.canvas.Master(), board, row, col) == Cell(name);
  }
  bool DisplayShows(Board board, int row, int col, const QString& name) {
    return PointBlock(session_.canvas.Display(), board, row, col) == Cell(name);
  }
  // Whether the point shows its empty grid tile on screen.
  bool DisplayEmpty(Board board, int row, int col) {
    return DisplayShows(board, row, col, TileName({row, col}));
  }
  // Number of points of a board that do not show their empty tile on screen.
  int PointsNotEmpty(Board board) {
    int count = 0;
    for (int r = 1; r <= 19; ++r)
      for (int c = 1; c <= 19; ++c) count += DisplayEmpty(board, r, c) ? 0 : 1;
    return count;
  }

  QString folder_;
  RecordingControls ui_;
  ImageStore images_;
  JosekiSession session_;
  QStringList rows_;
  QHash<QString, QImage> cells_;
};

// Move triples on points of a lattice two lines apart, so that no two stones touch and nothing
// is ever captured: (1,1), (1,3), ... row by row.
inline QString LatticeTriples(int count) {
  QString s;
  for (int i = 0; i < count; ++i) {
    const int row = 1 + 2 * (i / 10);
    const int col = 1 + 2 * (i % 10);
    s += CharFromCoord(row);
    s += CharFromCoord(col);
    s += QChar(i % 2 == 0 ? u'1' : u'2');
  }
  return s;
}

// The same points as record move pairs.
inline QString LatticePairs(int count) {
  QString s;
  for (int i = 0; i < count; ++i) {
    s += CharFromCoord(1 + 2 * (i / 10));
    s += CharFromCoord(1 + 2 * (i % 10));
  }
  return s;
}

}  // namespace moraku::test::joseki_support
