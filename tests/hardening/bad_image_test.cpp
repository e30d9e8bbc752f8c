// SPDX-License-Identifier: GPL-3.0-or-later
// Image files of the board set that cannot be loaded: missing, empty or not an image, each of
// the set in turn. The window opens all the same, and an empty file or one that is not an image
// draws exactly what a missing file draws (the previous picture stays in use).

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "../app/app_test_support.h"
#include "app/joseki_window.h"
#include "data/sections.h"
#include "hardening/hardening_support.h"
#include "joseki/next_move_hint.h"
#include "joseki/playback.h"
#include "joseki/recording_controls.h"
#include "joseki/window_load.h"
#include "render/image_names.h"

namespace moraku::test {
namespace {

using namespace hardening;

// Opens the star-point section on image folder `fld2`, steps through the hint and the record
// of the first entry, and returns what the screen shows at the end.
QImage OpenAndPlay(const QString& fld2, QString* message) {
  RecordingControls ui;
  ImageStore images(fld2);
  JosekiSession session(ui, images);
  session.state.SectionIndex = kStarPointSection;
  *message = OpenSection(session, ShippedDatabase());
  StartHint(session);
  for (int i = 0; i < 3; ++i) ShowNextMove(session);
  ShowRecordToLastNumberedMove(session);
  StepBackOne(session);
  return session.canvas.Display();
}

class BadImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    for (const QString& name : AllImageNames()) {
      ASSERT_TRUE(QFile::copy(Fld2Dir() + QLatin1Char('/') + name, Path(name)))
          << name.toStdString();
    }
  }
  QString Path(const QString& name) const { return dir_.filePath(name); }

  QTemporaryDir dir_;
};

TEST_F(BadImageTest, EachFileEmptyOrNotAnImageBehavesAsMissing) {
  const QStringList names = AllImageNames();
  ASSERT_EQ(names.size(), 134);
  const QByteArray notAnImage = QByteArray("GIF89a this is not a picture\n") + RandomBytes(300, 3);
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    const QByteArray good = ReadBytes(Path(name));
    QString message;

    ASSERT_TRUE(QFile::remove(Path(name)));
    const QImage missing = OpenAndPlay(dir_.path(), &message);
    EXPECT_EQ(message, QString());
    EXPECT_FALSE(QFile::exists(Path(name)));

    ASSERT_TRUE(WriteBytes(Path(name), QByteArray()));
    FileSnapshot before = FileSnapshot::Of(Path(name));
    EXPECT_EQ(OpenAndPlay(dir_.path(), &message), missing);
    EXPECT_EQ(FileSnapshot::Of(Path(name)), before);

    ASSERT_TRUE(WriteBytes(Path(name), notAnImage));
    before = FileSnapshot::Of(Path(name));
    EXPECT_EQ(OpenAndPlay(dir_.path(), &message), missing);
    EXPECT_EQ(FileSnapshot::Of(Path(name)), before);

    ASSERT_TRUE(WriteBytes(Path(name), good));
  }
}

// The real window on a program folder whose images are all empty files: it opens, lists the
// section and answers a click on the list.
TEST_F(BadImageTest, WindowOpensWhenNoImageCanBeLoaded) {
  QTemporaryDir app;
  ASSERT_TRUE(QDir(app.path()).mkpath(QStringLiteral("fld1")));
  ASSERT_TRUE(QDir(app.path()).mkpath(QStringLiteral("fld2")));
  ASSERT_TRUE(QFile::copy(ShippedDatabase(), app.filePath(QStringLiteral("fld1/goc.db"))));
  for (const QString& name : AllImageNames()) {
    ASSERT_TRUE(WriteBytes(app.filePath(QStringLiteral("fld2/") + name), QByteArray()));
  }
  MessageCatcher catcher;
  auto* window = new JosekiWindow(kStarPointSection, app.path());
  window->show();
  Wait(200);
  EXPECT_TRUE(window->isVisible());
  EXPECT_GT(window->ListRowCount(), 0);
  window->SetSelectedRow(1);
  Settle();
  EXPECT_TRUE(catcher.boxes.isEmpty());
  window->close();
  Settle();
}

}  // namespace
}  // namespace moraku::test
