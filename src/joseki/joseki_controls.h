#pragma once
// The controls of the joseki window that its procedures touch. The window implements it with
// real widgets; tests implement it with a recording fake.

#include <QString>
#include <QStringList>

namespace moraku {

class JosekiControls {
 public:
  virtual ~JosekiControls() = default;

  virtual void SetLabel1(const QString& text) = 0;  // the record's caption
  virtual QString Label1() const = 0;
  virtual void SetLabel2(const QString& text) = 0;  // the entry's comment
  virtual void SetLabel3(const QString& text) = 0;  // the entry's reference text

  // Font size in points of Label1 and Label2 (both change together).
  virtual double LabelFontSize() const = 0;
  virtual void SetLabelFontSize(double points) = 0;

  // The six record buttons Command2, Command3, Command17, Command20, Command21, Command22.
  virtual void SetRecordButtonsEnabled(bool enabled) = 0;

  // Image1 (joseki board) and Image2 (record board): the end indicator pictures.
  virtual void SetImage1Visible(bool visible) = 0;
  virtual void SetImage2Visible(bool visible) = 0;

  // Timer2 hides the end indicators, Timer4 delivers a search hit; both tick after 1000 ms.
  virtual void SetTimer2Enabled(bool enabled) = 0;
  virtual void SetTimer4Enabled(bool enabled) = 0;

  // List1. SetListRows replaces all rows; SetSelectedRow selects a row (-1: none) without
  // raising the list's click handling, which the procedures run themselves.
  virtual void SetListRows(const QStringList& titles) = 0;
  virtual int ListRowCount() const = 0;
  virtual int SelectedRow() const = 0;
  virtual void SetSelectedRow(int row) = 0;

  // A message box with one OK button.
  virtual void ShowMessage(const QString& text) = 0;
};

}  // namespace moraku
