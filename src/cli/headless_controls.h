#pragma once
// The joseki window's controls without a window, for running the window's procedures from the
// command line: they keep the state the commands read back and draw nothing.

#include <QString>
#include <QStringList>

#include "joseki/joseki_controls.h"

namespace moraku::cli {

class HeadlessControls : public JosekiControls {
 public:
  void SetLabel1(const QString& text) override { label1_ = text; }
  QString Label1() const override { return label1_; }
  void SetLabel2(const QString&) override {}
  void SetLabel3(const QString&) override {}
  double LabelFontSize() const override { return font_size_; }
  void SetLabelFontSize(double points) override { font_size_ = points; }
  void SetRecordButtonsEnabled(bool) override {}
  void SetImage1Visible(bool) override {}
  void SetImage2Visible(bool) override {}
  void SetTimer2Enabled(bool) override {}
  void SetTimer4Enabled(bool enabled) override { timer4_enabled_ = enabled; }
  void SetListRows(const QStringList& titles) override {
    row_count_ = static_cast<int>(titles.size());
    selected_row_ = -1;
  }
  int ListRowCount() const override { return row_count_; }
  int SelectedRow() const override { return selected_row_; }
  void SetSelectedRow(int row) override { selected_row_ = row; }
  void ShowMessage(const QString& text) override { messages_ << text; }

  // Whether a search hit is waiting for Timer4's tick.
  bool Timer4Enabled() const { return timer4_enabled_; }
  // Every message box shown, in order.
  const QStringList& Messages() const { return messages_; }

 private:
  QString label1_ = QStringLiteral(" ");
  double font_size_ = 11.25;
  bool timer4_enabled_ = false;
  int row_count_ = 0;
  int selected_row_ = -1;
  QStringList messages_;
};

}  // namespace moraku::cli
