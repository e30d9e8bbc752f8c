// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The joseki window's controls without a window: each control's state is kept in a public
// member and nothing is drawn. moraku-db, the tests, the fuzz targets and the benchmarks run
// the window's procedures with it.

#include <QString>
#include <QStringList>

#include "joseki/joseki_controls.h"

namespace moraku {

class RecordingControls : public JosekiControls {
 public:
  void SetRecordCaption(const QString& text) override { recordCaption = text; }
  void SetComment(const QString& text) override { comment = text; }
  void SetReference(const QString& text) override { reference = text; }
  double TextFontSize() const override { return textFontSize; }
  void SetTextFontSize(double points) override { textFontSize = points; }
  void SetRecordButtonsEnabled(bool enabled) override { recordButtonsEnabled = enabled; }
  void SetJosekiEndMarkVisible(bool visible) override { josekiEndMarkVisible = visible; }
  void SetRecordEndMarkVisible(bool visible) override { recordEndMarkVisible = visible; }
  void SetEndMarkTimerEnabled(bool enabled) override { endMarkTimerEnabled = enabled; }
  void SetHitDeliveryTimerEnabled(bool enabled) override { hitDeliveryTimerEnabled = enabled; }
  void SetListRows(const QStringList& titles) override {
    rows = titles;
    selectedRow = -1;
  }
  int ListRowCount() const override { return static_cast<int>(rows.size()); }
  int SelectedRow() const override { return selectedRow; }
  void SetSelectedRow(int row) override { selectedRow = row; }
  void ShowMessage(const QString& text) override { messages << text; }

  // The window's designed state before its load changes it.
  QString recordCaption = QStringLiteral(" ");
  QString comment;
  QString reference;
  double textFontSize = 11.25;
  bool recordButtonsEnabled = true;
  bool josekiEndMarkVisible = true;
  bool recordEndMarkVisible = true;
  bool endMarkTimerEnabled = false;
  bool hitDeliveryTimerEnabled = false;  // a search hit waits for the timer's tick
  QStringList rows;
  int selectedRow = -1;
  QStringList messages;  // every message box shown, in order
};

}  // namespace moraku
