#pragma once
// A recording stand-in for the joseki window's controls, for driving the window's procedures
// without a screen.

#include <QString>
#include <QStringList>

#include "joseki/joseki_controls.h"

namespace moraku::test {

class FakeControls : public JosekiControls {
 public:
  void SetLabel1(const QString& text) override { label1 = text; }
  QString Label1() const override { return label1; }
  void SetLabel2(const QString& text) override { label2 = text; }
  void SetLabel3(const QString& text) override { label3 = text; }
  double LabelFontSize() const override { return fontSize; }
  void SetLabelFontSize(double points) override { fontSize = points; }
  void SetRecordButtonsEnabled(bool enabled) override { recordButtonsEnabled = enabled; }
  void SetImage1Visible(bool visible) override { image1Visible = visible; }
  void SetImage2Visible(bool visible) override { image2Visible = visible; }
  void SetTimer2Enabled(bool enabled) override { timer2Enabled = enabled; }
  void SetTimer4Enabled(bool enabled) override { timer4Enabled = enabled; }
  void SetListRows(const QStringList& titles) override {
    rows = titles;
    selectedRow = -1;
  }
  int ListRowCount() const override { return static_cast<int>(rows.size()); }
  int SelectedRow() const override { return selectedRow; }
  void SetSelectedRow(int row) override { selectedRow = row; }
  void ShowMessage(const QString& text) override { messages << text; }

  QString label1 = QStringLiteral(" ");
  QString label2;
  QString label3;
  double fontSize = 11.25;
  // The designed state of the controls before the window's load changes them.
  bool recordButtonsEnabled = true;
  bool image1Visible = true;
  bool image2Visible = true;
  bool timer2Enabled = false;
  bool timer4Enabled = false;
  QStringList rows;
  int selectedRow = -1;
  QStringList messages;
};

}  // namespace moraku::test
