// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the fuzz targets that drive the joseki window's procedures: a Qt application on
// the offscreen platform, a session over the build's image set, and one entry built the way
// the section loader builds it from a table row.

#include <QGuiApplication>
#include <QString>
#include <algorithm>

#include "board/coords.h"
#include "data/sections.h"
#include "joseki/entry_selection.h"
#include "joseki/joseki_session.h"
#include "joseki/recording_controls.h"

namespace moraku::fuzz {

// Starts the Qt application once per process (image plugins and painting need it).
inline void StartQt() {
  static int argc = 1;
  static char name[] = "moraku_fuzz";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
}

// The image store lives for the process, so each file is read once.
inline ImageStore& Images() {
  static ImageStore store(QStringLiteral(MORAKU_FUZZ_FLD2));
  return store;
}

// An entry from the fields of one row of gocs, split as the section loader splits it.
inline Entry EntryFromFields(const QString& presetField, const QString& stones,
                             const QString& marks, const QString& record) {
  Entry entry;
  entry.title = QStringLiteral("fuzz");
  entry.marks = marks;
  entry.record = record;
  entry.presetCount = std::max(0, CoordFromChar(presetField));
  const qsizetype split =
      std::min<qsizetype>(3 * static_cast<qsizetype>(entry.presetCount), stones.size());
  entry.preset = stones.left(split);
  entry.moves = stones.mid(split);
  return entry;
}

// A session holding one entry, selected as a click on the list selects it. The controls and
// the state start afresh for every input; the canvas is kept from one input to the next (it is
// fully redrawn by each entry), which saves drawing both empty boards every time.
class OneEntrySession {
 public:
  OneEntrySession(const Entry& entry, const QString& stones) {
    static RecordingControls ui;
    static JosekiSession session(ui, Images());
    static bool drawn = false;
    ui = RecordingControls{};
    ui.rows = QStringList{entry.title};
    session.state = JosekiState{};
    session.state.SectionIndex = kStarPointSection;
    session.state.Entries.entries.push_back(entry);
    session.state.Entries.records.push_back({QStringLiteral("1"), stones});
    if (!drawn) {
      ClearJosekiBoard(session);
      ClearRecordBoard(session);
      drawn = true;
    }
    ui.SetSelectedRow(0);
    SelectEntry(session);
    session_ = &session;
  }

  JosekiSession& Session() { return *session_; }

 private:
  JosekiSession* session_;
};

}  // namespace moraku::fuzz
