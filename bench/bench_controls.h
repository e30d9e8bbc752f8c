#pragma once
// Controls of the joseki window that keep only what the benchmarks check: the list rows, the
// selection and the messages shown.

#include <QString>
#include <QStringList>

#include "joseki/joseki_controls.h"

namespace moraku::bench {

class QuietControls : public JosekiControls {
 public:
  void SetLabel1(const QString& text) override { label1_ = text; }
  QString Label1() const override { return label1_; }
  void SetLabel2(const QString&) override {}
  void SetLabel3(const QString&) override {}
  double LabelFontSize() const override { return 11.25; }
  void SetLabelFontSize(double) override {}
  void SetRecordButtonsEnabled(bool enabled) override { recordButtons = enabled; }
  void SetImage1Visible(bool) override {}
  void SetImage2Visible(bool) override {}
  void SetTimer2Enabled(bool) override {}
  void SetTimer4Enabled(bool enabled) override { timer4 = enabled; }
  void SetListRows(const QStringList& titles) override {
    rows_ = titles;
    selected_ = -1;
  }
  int ListRowCount() const override { return static_cast<int>(rows_.size()); }
  int SelectedRow() const override { return selected_; }
  void SetSelectedRow(int row) override { selected_ = row; }
  void ShowMessage(const QString& text) override { lastMessage = text; }

  bool recordButtons = true;
  bool timer4 = false;
  QString lastMessage;

 private:
  QString label1_;
  QStringList rows_;
  int selected_ = -1;
};

}  // namespace moraku::bench
