// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls of the joseki window that its procedures touch. The window implements it with
// real widgets; RecordingControls stands in for them without a screen.

#include <QString>
#include <QStringList>

namespace moraku {

class JosekiControls {
 public:
  virtual ~JosekiControls() = default;

  virtual void SetRecordCaption(const QString& text) = 0;  // above the record board
  virtual void SetComment(const QString& text) = 0;        // the entry's comment
  virtual void SetReference(const QString& text) = 0;      // the entry's reference text

  // Font size in points of the record caption and the comment (both change together).
  virtual double TextFontSize() const = 0;
  virtual void SetTextFontSize(double points) = 0;

  // The six buttons that step through the record.
  virtual void SetRecordButtonsEnabled(bool enabled) = 0;

  // The end marks: the pictures that say the joseki (joseki board) or the record (record
  // board) has no further move.
  virtual void SetJosekiEndMarkVisible(bool visible) = 0;
  virtual void SetRecordEndMarkVisible(bool visible) = 0;

  // The two one-second timers: one hides the end marks, one delivers the entry a search found.
  virtual void SetEndMarkTimerEnabled(bool enabled) = 0;
  virtual void SetHitDeliveryTimerEnabled(bool enabled) = 0;

  // The entry list. SetListRows replaces all rows; SetSelectedRow selects a row (-1: none)
  // without raising the list's click handling, which the procedures run themselves.
  virtual void SetListRows(const QStringList& titles) = 0;
  virtual int ListRowCount() const = 0;
  virtual int SelectedRow() const = 0;
  virtual void SetSelectedRow(int row) = 0;

  // A message box with one OK button.
  virtual void ShowMessage(const QString& text) = 0;
};

}  // namespace moraku
