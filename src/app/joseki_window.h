// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The joseki window: the board picture, the entry list, the texts and the command buttons laid
// out as designed, with every event forwarded to the window's procedures. Each widget carries
// its form name as its objectName (docs/ARCHITECTURE.md lists them).

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "games/next_moves.h"
#include "joseki/joseki_controls.h"
#include "joseki/joseki_session.h"
#include "render/image_store.h"

class QKeyEvent;
class QLabel;
class QListView;
class QPushButton;
class QStringListModel;
class QTimer;

namespace moraku {

class BoardView;
class ScrollingLabel;
namespace games {
class ExampleMode;
}

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

  // Shows the list's entry `entry` (1-based) as a click on its row would. Returns false, changing
  // nothing, when the list has no such entry.
  bool ShowEntryAt(int entry);
  // Turns 文字拡大 on when `large` and it is off (as its button would).
  void RestoreLargeText(bool large);

  // The 実戦例 mode of the record board (null until the window has loaded its section).
  games::ExampleMode* Examples() const { return examples_.get(); }

  // The command buttons by what they do.
  enum class Button {
    StartHint,                 // "手順表示開始"
    ShowNextMove,              // "次手を表示"
    ShowWholeEntry,            // "全手順表示"
    StartSearchInput,          // "検索手順の入力開始"
    RedisplaySearch,           // "検索手順の再表示"
    AddSearchMoves,            // "手順を追加する"
    ShortenSearch,             // "手順を減らす"
    RunSearch,                 // "検 索 実 行"
    EndSearch,                 // "検索中止・終了"
    Menu,                      // "メニュー"
    EnlargeText,               // "文字拡大"
    RecordToLastNumberedMove,  // "棋譜の表示"
    RecordFirstMove,           // "初手に戻る"
    RecordForwardOne,          // "１手進む"
    RecordForwardFive,         // "５手進む"
    RecordBackOne,             // "１手戻る"
    RecordBackFive,            // "５手戻る"
  };
  static constexpr int kButtonCount = 17;

  // JosekiControls, implemented with the window's widgets.
  void SetRecordCaption(const QString& text) override;
  void SetComment(const QString& text) override;
  void SetReference(const QString& text) override;
  double TextFontSize() const override;
  void SetTextFontSize(double points) override;
  void SetRecordButtonsEnabled(bool enabled) override;
  void SetJosekiEndMarkVisible(bool visible) override;
  void SetRecordEndMarkVisible(bool visible) override;
  void SetEndMarkTimerEnabled(bool enabled) override;
  void SetHitDeliveryTimerEnabled(bool enabled) override;
  void SetListRows(const QStringList& titles) override;
  int ListRowCount() const override;
  int SelectedRow() const override;
  void SetSelectedRow(int row) override;
  void ShowMessage(const QString& text) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildButtons();
  // Draws the boards also from the image set made for the screen's pixel ratio (the display
  // scale) when it is above 1, so that they stay sharp.
  void UseSharpImagesForScreen(const QString& appDir);
  void BuildOtherControls();
  void SetTabOrder();
  void Wire();
  // Runs one procedure on the session; nothing it throws leaves the event handler. Afterwards
  // the 実戦例 controls follow the entry shown.
  void Run(const std::function<void(JosekiSession&)>& procedure);
  // The same for a procedure that draws the record board or the entry itself: the 実戦例 mode
  // ends first, giving the entry its own record back, and so do the marks of the search input's
  // next moves. A procedure that `entersSearchInput` has them shown again afterwards.
  void RunOutsideExamples(const std::function<void(JosekiSession&)>& procedure,
                          bool entersSearchInput = false);
  // The list's selection moved (by a click, a key or from code).
  void OnCurrentRowChanged();
  // Presses the record button bound to the key, when there is one, and says whether there was.
  bool PressRecordButtonForKey(const QKeyEvent& key);
  // The wheel turned over the board picture at pixel column x.
  void OnWheelTurned(int x, int notches);

  // The 実戦例 controls: made beside the record buttons and over the joseki board's lowest
  // lines, shown only for an entry that has games.
  void BuildExampleControls();
  // After every procedure: when another entry is shown, hides the controls and queues the
  // lookup of its games (so that neither opening nor moving through the list waits for it).
  void FollowShownEntry();
  void LookUpShownEntry();
  void UpdateExampleControls();
  void ToggleExamples();
  void ShowNextExample();

  // The moves the collection played next after the search sequence entered so far: marked on
  // the record board's free points and listed as in the 実戦例 mode. Called after every change
  // of the sequence; takes the previous marks off first.
  void ShowSearchNextMoves(JosekiSession& session);
  // Ends the search input's marks and list (before a procedure draws the record board anew).
  void EndSearchNextMoves(JosekiSession& session);

  ImageStore images_;
  JosekiSession session_;
  bool centred_ = false;

  // Selecting a row from code must not raise the list's click handling.
  bool selectingFromCode_ = false;
  // Set when a mouse press on the list changed the selection, so that the click that follows
  // does not run the handling a second time.
  bool rowChangedByPress_ = false;

  QPushButton* ButtonFor(Button button) const { return buttons_[static_cast<std::size_t>(button)]; }

  std::array<QPushButton*, kButtonCount> buttons_{};  // by Button
  BoardView* boardView_ = nullptr;
  QListView* entryList_ = nullptr;
  QStringListModel* listModel_ = nullptr;
  ScrollingLabel* recordCaption_ = nullptr;
  ScrollingLabel* comment_ = nullptr;
  QLabel* reference_ = nullptr;
  QLabel* josekiEndMark_ = nullptr;
  QLabel* recordEndMark_ = nullptr;
  QTimer* endMarkTimer_ = nullptr;
  QTimer* hitDeliveryTimer_ = nullptr;

  std::unique_ptr<games::ExampleMode> examples_;
  bool lookupQueued_ = false;
  QPushButton* examplesButton_ = nullptr;     // "実戦例" / "定石譜"
  QPushButton* nextExampleButton_ = nullptr;  // "次の例"
  ScrollingLabel* nextMovesList_ = nullptr;   // the moves played next, beside their marks
  bool nextMovesMarked_ = false;              // the joseki board shows their marks
  // The search input's next moves, and their marks on the record board while they are shown.
  std::vector<games::NextMove> searchNext_;
  QString searchMarks_;
};

}  // namespace moraku
