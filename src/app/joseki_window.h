#pragma once
// The joseki window (Form4): the board picture, the entry list, the labels and the command
// buttons laid out as designed, with every event forwarded to the window's procedures.

#include <QHash>
#include <QString>
#include <QWidget>
#include <functional>

#include "joseki/joseki_controls.h"
#include "joseki/joseki_session.h"
#include "render/image_store.h"

class QLabel;
class QListView;
class QPushButton;
class QStringListModel;
class QTimer;

namespace moraku {

class BoardView;

class JosekiWindow : public QWidget, public JosekiControls {
  Q_OBJECT
 public:
  // Builds the window for section `sectionIndex` with its data in appDir/fld1 and appDir/fld2,
  // draws both empty boards and loads the section. When the database cannot be read the window
  // still opens, with an empty list, and the reason is shown in a message box once the event
  // loop runs. The window deletes itself when closed.
  JosekiWindow(int sectionIndex, const QString& appDir, QWidget* parent = nullptr);
  ~JosekiWindow() override;

  JosekiSession& Session() { return session_; }

  // JosekiControls, implemented with the window's widgets.
  void SetLabel1(const QString& text) override;
  QString Label1() const override;
  void SetLabel2(const QString& text) override;
  void SetLabel3(const QString& text) override;
  double LabelFontSize() const override;
  void SetLabelFontSize(double points) override;
  void SetRecordButtonsEnabled(bool enabled) override;
  void SetImage1Visible(bool visible) override;
  void SetImage2Visible(bool visible) override;
  void SetTimer2Enabled(bool enabled) override;
  void SetTimer4Enabled(bool enabled) override;
  void SetListRows(const QStringList& titles) override;
  int ListRowCount() const override;
  int SelectedRow() const override;
  void SetSelectedRow(int row) override;
  void ShowMessage(const QString& text) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildButtons();
  void BuildOtherControls();
  void SetTabOrder();
  void Wire();
  // Runs one procedure on the session; nothing it throws leaves the event handler.
  void Run(const std::function<void(JosekiSession&)>& procedure);
  // The list's selection moved (by a click, a key or from code).
  void OnCurrentRowChanged();

  ImageStore images_;
  JosekiSession session_;
  bool centred_ = false;

  // Selecting a row from code must not raise the list's click handling.
  bool selectingFromCode_ = false;
  // Set when a mouse press on the list changed the selection, so that the click that follows
  // does not run the handling a second time.
  bool rowChangedByPress_ = false;

  QHash<QString, QPushButton*> buttons_;  // by control name ("Command1" ...)
  BoardView* display_ = nullptr;
  QListView* list1_ = nullptr;
  QStringListModel* listModel_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* image1_ = nullptr;
  QLabel* image2_ = nullptr;
  QTimer* timer2_ = nullptr;
  QTimer* timer4_ = nullptr;
};

}  // namespace moraku
