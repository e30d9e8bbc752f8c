// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/joseki_window.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <exception>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "app/board_view.h"
#include "app/button_keys.h"
#include "app/form_style.h"
#include "app/remembered_settings.h"
#include "app/scrolling_label.h"
#include "app/window_picture.h"
#include "board/coords.h"
#include "games/example_mode.h"
#include "games/next_moves.h"
#include "joseki/entry_display.h"
#include "joseki/entry_selection.h"
#include "joseki/next_move_hint.h"
#include "joseki/playback.h"
#include "joseki/window_load.h"
#include "render/image_names.h"
#include "search/search_input.h"
#include "search/search_run.h"

namespace moraku {

namespace {

constexpr int kClientWidth = 878;
constexpr int kClientHeight = 665;
constexpr quint32 kWindowBack = 0xC0C0C0;
constexpr double kTextPoints = 11.25;
constexpr double kLargeTextPoints = 14;  // "文字拡大"
constexpr int kReferenceLeft = 11880 / 15;
constexpr int kReferenceTop = 9840 / 15;
constexpr int kTimerInterval = 1000;

using Button = JosekiWindow::Button;

// The command buttons: role, form name, caption, tooltip, back colour, position in twips, tab
// index.
struct ButtonLayout {
  Button role;
  const char* name;
  const char* caption;
  const char* tooltip;
  quint32 back;
  int left, top, width, height;
  int tab;
  bool boldGothic;  // "ＭＳ Ｐゴシック" bold 9 points instead of the window's font
};

constexpr std::array<ButtonLayout, JosekiWindow::kButtonCount> kButtons{{
    {Button::StartHint, "Command6", "手順表示開始", "", 0xC0C0FF, 120, 9360, 1215, 375, 7, false},
    {Button::ShowNextMove, "Command5", "次手を表示", "", 0xC0C0FF, 1440, 9360, 1095, 375, 25,
     false},
    {Button::ShowWholeEntry, "Command12", "全手順表示", "", 0xC0C0FF, 2640, 9360, 1095, 375, 26,
     false},
    {Button::StartSearchInput, "Command1", "検索手順の入力開始", "左上隅に入力", 0xFFC0FF, 7920,
     6840, 1935, 375, 18, true},
    {Button::RedisplaySearch, "Command8", "検索手順の再表示", "最後に入力した検索手順の表示",
     0xFFC0FF, 7920, 7260, 1935, 375, 21, false},
    {Button::AddSearchMoves, "Command10", "手順を追加する", "追加着手の入力", 0xFFC0FF, 7920, 7680,
     1935, 375, 23, false},
    {Button::ShortenSearch, "Command9", "手順を減らす", "クリックのたびに手順を１つ短くします。",
     0xFFC0FF, 7920, 8100, 1935, 375, 22, false},
    {Button::RunSearch, "Command4", "検 索 実 行", "該当する定石等を検索", 0xFFC0FF, 7920, 8520,
     1935, 375, 19, true},
    {Button::EndSearch, "Command11", "検索中止・終了", "", 0xFFC0FF, 7920, 8940, 1935, 375, 28,
     false},
    {Button::Menu, "Command7", "メニュー", "", 0xC0FFFF, 7920, 9360, 975, 375, 9, false},
    {Button::EnlargeText, "Command13", "文字拡大", "", 0xC0FFFF, 9000, 9360, 855, 375, 31, false},
    {Button::RecordToLastNumberedMove, "Command2", "棋譜の表示", "", 0xFFC0C0, 10200, 8400, 1095,
     375, 24, false},
    {Button::RecordFirstMove, "Command22", "初手に戻る", "", 0xFFC0C0, 11400, 8400, 1095, 375, 13,
     false},
    {Button::RecordForwardOne, "Command3", "１手進む", "", 0xC0FFFF, 10200, 8880, 1095, 375, 8,
     false},
    {Button::RecordForwardFive, "Command17", "５手進む", "", 0xC0FFFF, 11400, 8880, 1095, 375, 10,
     false},
    {Button::RecordBackOne, "Command20", "１手戻る", "", 0xC0FFC0, 10200, 9360, 1095, 375, 11,
     false},
    {Button::RecordBackFive, "Command21", "５手戻る", "", 0xC0FFC0, 11400, 9360, 1095, 375, 12,
     false},
}};

// The six buttons that step through the record.
constexpr std::array<Button, 6> kRecordButtons{
    Button::RecordToLastNumberedMove, Button::RecordForwardOne,
    Button::RecordForwardFive,        Button::RecordBackOne,
    Button::RecordBackFive,           Button::RecordFirstMove};

// The keys that press the record buttons, each with its name for the button's tooltip. Up and
// Down stay with the entry list.
struct RecordKey {
  int key;
  Button button;
  const char* keyName;
};

constexpr std::array<RecordKey, 6> kRecordKeys{{
    {Qt::Key_Right, Button::RecordForwardOne, "→ / ホイール"},
    {Qt::Key_Left, Button::RecordBackOne, "← / ホイール"},
    {Qt::Key_PageDown, Button::RecordForwardFive, "Page Down"},
    {Qt::Key_PageUp, Button::RecordBackFive, "Page Up"},
    {Qt::Key_Home, Button::RecordFirstMove, "Home"},
    {Qt::Key_End, Button::RecordToLastNumberedMove, "End"},
}};

// The 実戦例 buttons: in the free column right of the record buttons, in their style.
struct ExampleButtonLayout {
  const char* name;
  const char* tooltip;
  int top;
};
constexpr int kExampleButtonLeft = 12555;
constexpr int kExampleButtonWidth = 600;
constexpr quint32 kExampleButtonBack = 0xFFC0C0;
constexpr ExampleButtonLayout kExamplesButton{"Command23", "", 8400};
constexpr ExampleButtonLayout kNextExampleButton{"Command24", "次の対局", 8880};
const char* const kShowGamesCaption = "実戦例";
const char* const kShowGamesTooltip = "この定石が打たれた対局を棋譜盤に並べる";
const char* const kBackToRecordCaption = "定石譜";
const char* const kBackToRecordTooltip = "この定石の棋譜に戻る";

// The list of next moves lies over the joseki board's three lowest lines, which no joseki and
// no handicap stone reaches.
constexpr int kNextMovesFirstRow = 17;
constexpr double kNextMovesPoints = 8.25;  // a heading and three moves fit

// Frame lines around the two boards: light at the top and left, dark at the bottom and right.
constexpr std::array<FrameLine, 7> kFrameLines{{
    {120, 120, 6420, 120, 2, 0xFFFFFF},      // joseki board, top
    {120, 120, 120, 6720, 2, 0xFFFFFF},      // joseki board, left
    {120, 6720, 6420, 6720, 2, 0x004080},    // joseki board, bottom
    {6435, 120, 6435, 6720, 2, 0x004080},    // joseki board, right
    {6720, 135, 13005, 135, 2, 0xFFFFFF},    // record board, top
    {13035, 135, 13035, 6720, 2, 0x004080},  // record board, right
    {6750, 6720, 13020, 6720, 2, 0x404080},  // record board, bottom
}};

template <typename Label = QLabel>
Label* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, double points) {
  auto* label = new Label(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  label->setFont(UiFont(QString::fromUtf8(kGothicFont), points));
  SetBackColour(label, QColor(FromBgr(kWindowBack)));
  return label;
}

QLabel* MakeEndIndicator(QWidget* parent, const char* name, const QRect& geometry) {
  auto* image = new QLabel(parent);
  image->setObjectName(QString::fromLatin1(name));
  image->setGeometry(geometry);
  image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image->setPixmap(WindowPicture(QStringLiteral("end_indicator.png"), parent->devicePixelRatioF()));
  return image;
}

QFrame* MakeStrip(QWidget* parent, const char* name, const QRect& geometry, quint32 back) {
  auto* strip = new QFrame(parent);
  strip->setObjectName(QString::fromLatin1(name));
  strip->setGeometry(geometry);
  SetBackColour(strip, QColor(FromBgr(back)));
  return strip;
}

}  // namespace

JosekiWindow::JosekiWindow(int sectionIndex, const QString& appDir, QWidget* parent)
    : QWidget(parent), images_(appDir + QStringLiteral("/fld2")), session_(*this, images_) {
  setObjectName(QStringLiteral("Form4"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Moraku定石集"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  setFont(UiFont(QString::fromUtf8(kGothicFont), 9));
  SetBackColour(this, QColor(FromBgr(kWindowBack)));

  UseSharpImagesForScreen(appDir);
  BuildOtherControls();
  BuildButtons();
  SetTabOrder();
  Wire();

  session_.state.SectionIndex = sectionIndex;
  QString message;
  Run([&message, &appDir](JosekiSession& session) {
    session.canvas.DrawEmptyBoard(Board::Joseki);
    session.canvas.DrawEmptyBoard(Board::Record);
    message = OpenSection(session, appDir + QStringLiteral("/fld1/goc.db"));
  });
  // The game collection is looked up once the window runs, so that it never delays the opening.
  examples_ = std::make_unique<games::ExampleMode>(appDir + QStringLiteral("/fld1/goc.db"));
  FollowShownEntry();
  if (!message.isEmpty()) {
    // Shown once the window is on screen, so that a failed load still opens the window.
    QMetaObject::invokeMethod(
        this, [this, message] { ShowMessage(message); }, Qt::QueuedConnection);
  }
}

JosekiWindow::~JosekiWindow() = default;

void JosekiWindow::UseSharpImagesForScreen(const QString& appDir) {
  const double scale = ImageScaleFor(devicePixelRatioF());
  if (scale == 1) return;
  session_.canvas.EnableScaledTwin(
      std::make_unique<ImageStore>(appDir + QStringLiteral("/fld2/") + ScaledSetFolder(scale)),
      scale);
}

void JosekiWindow::BuildOtherControls() {
  boardView_ = new BoardView(session_.canvas, this);
  boardView_->move(10, 10);

  // The two strips over the gap between the boards; the second lies on top of the first.
  MakeStrip(this, "Text3", TwipsRect(6420, 120, 255, 6615), 0x004080);
  QFrame* gapPanel = MakeStrip(this, "Text4", TwipsRect(6450, 120, 270, 6645), kWindowBack);
  gapPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  listModel_ = new QStringListModel(this);
  entryList_ = new QListView(this);
  entryList_->setObjectName(QStringLiteral("List1"));
  entryList_->setGeometry(TwipsRect(3960, 6840, 3855, 2760));
  entryList_->setModel(listModel_);
  entryList_->setUniformItemSizes(true);
  entryList_->setSelectionMode(QAbstractItemView::SingleSelection);
  entryList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  entryList_->viewport()->installEventFilter(this);
  // Home, End, Page Up and Page Down step the record; with Ctrl they move the list.
  entryList_->setToolTip(QStringLiteral("キー: ↑ ↓ / Ctrl+Home、End、Page Up、Page Down"));

  // The comment and the record caption scroll when their text is taller than their box.
  comment_ =
      MakeLabel<ScrollingLabel>(this, "Label2", TwipsRect(120, 6840, 3615, 2295), kTextPoints);
  comment_->setWordWrap(true);
  comment_->SetScrolledText(QStringLiteral("ss"));
  recordCaption_ =
      MakeLabel<ScrollingLabel>(this, "Label1", TwipsRect(9960, 6840, 3015, 1575), kTextPoints);
  recordCaption_->setWordWrap(true);
  reference_ = MakeLabel(this, "Label3", TwipsRect(11880, 9840, 1215, 135), 8.25);

  // The end indicators stand over the labels.
  josekiEndMark_ = MakeEndIndicator(this, "Image1", TwipsRect(1200, 6840, 1815, 1140));
  recordEndMark_ = MakeEndIndicator(this, "Image2", TwipsRect(10500, 6840, 1815, 1140));

  endMarkTimer_ = new QTimer(this);
  endMarkTimer_->setObjectName(QStringLiteral("Timer2"));
  endMarkTimer_->setInterval(kTimerInterval);
  hitDeliveryTimer_ = new QTimer(this);
  hitDeliveryTimer_->setObjectName(QStringLiteral("Timer4"));
  hitDeliveryTimer_->setInterval(kTimerInterval);
}

void JosekiWindow::BuildButtons() {
  for (const ButtonLayout& layout : kButtons) {
    auto* button = new QPushButton(QString::fromUtf8(layout.caption), this);
    const QString name = QString::fromLatin1(layout.name);
    button->setObjectName(name);
    button->setGeometry(TwipsRect(layout.left, layout.top, layout.width, layout.height));
    button->setToolTip(QString::fromUtf8(layout.tooltip));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(false);
    if (layout.boldGothic) button->setFont(UiFont(QString::fromUtf8(kGothicFont), 9, true));
    StyleGraphicalButton(button, QColor(FromBgr(layout.back)));
    buttons_[static_cast<std::size_t>(layout.role)] = button;
  }
  for (const RecordKey& key : kRecordKeys)
    ButtonFor(key.button)->setToolTip(QStringLiteral("キー: ") + QString::fromUtf8(key.keyName));
  BuildExampleControls();
  // Keys reach the window whichever of its controls has the focus.
  for (QPushButton* button : buttons_) button->installEventFilter(this);
  examplesButton_->installEventFilter(this);
  nextExampleButton_->installEventFilter(this);
  entryList_->installEventFilter(this);
  PressFocusedButtonOnReturn(this);
}

void JosekiWindow::BuildExampleControls() {
  auto makeButton = [this](const ExampleButtonLayout& layout) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(layout.name));
    button->setGeometry(TwipsRect(kExampleButtonLeft, layout.top, kExampleButtonWidth, 375));
    button->setToolTip(QString::fromUtf8(layout.tooltip));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(false);
    StyleGraphicalButton(button, QColor(FromBgr(kExampleButtonBack)));
    button->setVisible(false);
    return button;
  };
  examplesButton_ = makeButton(kExamplesButton);
  nextExampleButton_ = makeButton(kNextExampleButton);
  nextExampleButton_->setText(QStringLiteral("次の例"));

  nextMovesList_ = MakeLabel<ScrollingLabel>(
      this, "Label4",
      QRect(boardView_->x() + 2, boardView_->y() + CellY(kNextMovesFirstRow) + 1,
            kBoardSize * kCellWidth - 4, (kBoardSize - kNextMovesFirstRow + 1) * kCellHeight - 2),
      kNextMovesPoints);
  nextMovesList_->setWordWrap(true);
  nextMovesList_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  nextMovesList_->setMargin(2);
  nextMovesList_->setVisible(false);
}

void JosekiWindow::SetTabOrder() {
  std::vector<std::pair<int, QWidget*>> order;
  for (const ButtonLayout& layout : kButtons)
    order.emplace_back(layout.tab, ButtonFor(layout.role));
  order.emplace_back(30, entryList_);
  std::sort(order.begin(), order.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  order.emplace_back(32, examplesButton_);
  order.emplace_back(33, nextExampleButton_);
  for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1].second, order[i].second);
  order.front().second->setFocus();
}

void JosekiWindow::Wire() {
  auto on = [this](Button button, void (*procedure)(JosekiSession&)) {
    connect(ButtonFor(button), &QPushButton::clicked, this, [this, procedure] { Run(procedure); });
  };
  // These draw the entry or the record board themselves.
  auto outside = [this](Button button, void (*procedure)(JosekiSession&)) {
    connect(ButtonFor(button), &QPushButton::clicked, this,
            [this, procedure] { RunOutsideExamples(procedure); });
  };
  // The record buttons step a record on the board: the search input's marks go first.
  auto record = [this](Button button, void (*procedure)(JosekiSession&)) {
    connect(ButtonFor(button), &QPushButton::clicked, this, [this, procedure] {
      Run([this, procedure](JosekiSession& s) {
        EndSearchNextMoves(s);
        procedure(s);
      });
    });
  };
  // These change the search sequence.
  auto search = [this](Button button, void (*procedure)(JosekiSession&)) {
    connect(ButtonFor(button), &QPushButton::clicked, this,
            [this, procedure] { RunOutsideExamples(procedure, true); });
  };
  record(Button::RecordToLastNumberedMove, ShowRecordToLastNumberedMove);
  record(Button::RecordForwardOne, StepForwardOne);
  record(Button::RecordForwardFive, StepForwardFive);
  record(Button::RecordBackOne, StepBackOne);
  record(Button::RecordBackFive, StepBackFive);
  record(Button::RecordFirstMove, BackToFirstMove);
  // The hint redraws the joseki board without the marks of the moves played next: their list
  // goes with them until the games are shown again.
  connect(ButtonFor(Button::StartHint), &QPushButton::clicked, this, [this] {
    Run([this](JosekiSession& s) {
      StartHint(s);
      nextMovesMarked_ = false;
    });
  });
  on(Button::ShowNextMove, ShowNextMove);
  outside(Button::ShowWholeEntry, ShowEntry);
  on(Button::EnlargeText, EnlargeText);
  search(Button::StartSearchInput, StartSearchInput);
  search(Button::RedisplaySearch, RedisplaySearch);
  search(Button::ShortenSearch, ShortenSearch);
  search(Button::AddSearchMoves, AddSearchMoves);
  outside(Button::RunSearch, RunSearch);
  outside(Button::EndSearch, EndSearch);
  connect(ButtonFor(Button::Menu), &QPushButton::clicked, this, &QWidget::close);
  connect(examplesButton_, &QPushButton::clicked, this, &JosekiWindow::ToggleExamples);
  connect(nextExampleButton_, &QPushButton::clicked, this, &JosekiWindow::ShowNextExample);

  connect(endMarkTimer_, &QTimer::timeout, this, [this] { Run(EndIndicatorTick); });
  connect(hitDeliveryTimer_, &QTimer::timeout, this,
          [this] { RunOutsideExamples(FoundEntryTick); });

  connect(boardView_, &BoardView::PointerMoved, this,
          [this](int x, int y) { Run([x, y](JosekiSession& s) { TrackPointer(s, x, y); }); });
  // A click that takes a search stone turns the record board into the search input.
  connect(boardView_, &BoardView::Clicked, this, [this] {
    Run([this](JosekiSession& s) {
      const QString before = s.state.SearchText;
      AddSearchStone(s);
      if (s.state.SearchText == before) return;
      if (examples_ != nullptr) examples_->Drop(s);
      ShowSearchNextMoves(s);
    });
  });
  connect(boardView_, &BoardView::WheelTurned, this, &JosekiWindow::OnWheelTurned);

  connect(entryList_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &JosekiWindow::OnCurrentRowChanged);
  // A click on the row that is already selected runs the handling again, as any click does.
  connect(entryList_, &QAbstractItemView::clicked, this, [this] {
    const bool handled = rowChangedByPress_;
    rowChangedByPress_ = false;
    if (!handled) RunOutsideExamples(SelectEntry);
  });
}

void JosekiWindow::OnCurrentRowChanged() {
  if (selectingFromCode_) return;
  // Keep the selection on the current row so that SelectedRow reads it.
  const QModelIndex current = entryList_->selectionModel()->currentIndex();
  if (current.isValid() && !entryList_->selectionModel()->isSelected(current))
    entryList_->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
  rowChangedByPress_ = true;
  RunOutsideExamples(SelectEntry);
}

bool JosekiWindow::PressRecordButtonForKey(const QKeyEvent& key) {
  if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  for (const RecordKey& binding : kRecordKeys) {
    if (binding.key != key.key()) continue;
    ButtonFor(binding.button)->click();  // does nothing while the button is disabled
    return true;
  }
  return false;
}

void JosekiWindow::OnWheelTurned(int x, int notches) {
  // Only over the record board; towards the user steps forward, away steps back.
  if (x < CellX(Board::Record, 1)) return;
  QPushButton* button = ButtonFor(notches < 0 ? Button::RecordForwardOne : Button::RecordBackOne);
  for (int i = 0; i < std::abs(notches); ++i) button->click();
}

void JosekiWindow::keyPressEvent(QKeyEvent* event) {
  if (!PressRecordButtonForKey(*event)) QWidget::keyPressEvent(event);
}

bool JosekiWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched != entryList_->viewport() &&
      PressRecordButtonForKey(*static_cast<QKeyEvent*>(event)))
    return true;
  // Every press on the list starts a new click: whether it moves the selection is decided now.
  if (watched == entryList_->viewport() && event->type() == QEvent::MouseButtonPress)
    rowChangedByPress_ = false;
  return QWidget::eventFilter(watched, event);
}

void JosekiWindow::Run(const std::function<void(JosekiSession&)>& procedure) {
  try {
    procedure(session_);
    FollowShownEntry();
  } catch (const std::exception& e) {
    qWarning("Moraku: an action stopped: %s", e.what());
  } catch (...) {
    qWarning("Moraku: an action stopped");
  }
}

void JosekiWindow::RunOutsideExamples(const std::function<void(JosekiSession&)>& procedure,
                                      bool entersSearchInput) {
  Run([this, &procedure, entersSearchInput](JosekiSession& s) {
    if (examples_ != nullptr) examples_->Drop(s);
    EndSearchNextMoves(s);
    procedure(s);
    if (entersSearchInput) ShowSearchNextMoves(s);
  });
}

void JosekiWindow::ShowSearchNextMoves(JosekiSession& s) {
  // The previous marks, where the board has not drawn anything else over them meanwhile.
  QString stale;
  ForEachTriple(searchMarks_, [&](QStringView r, QStringView c, QStringView code) {
    if (!SearchInputShows(s, {CoordFromChar(r), CoordFromChar(c)}))
      stale += r.toString() + c.toString() + code.toString();
  });
  EraseRecordMarks(s, stale);
  searchMarks_.clear();
  searchNext_.clear();
  if (examples_ != nullptr && IsSearchSequence(s.state.SearchText))
    searchNext_ = examples_->NextMovesAfter(s.state.SearchText, s.state.Entries);
  if (searchNext_.empty()) return;
  searchMarks_ =
      games::NextMoveMarks(searchNext_, [&s](BoardPoint p) { return !SearchInputShows(s, p); });
  DrawRecordMarks(s, searchMarks_);
  nextMovesList_->SetScrolledText(games::NextMovesText(searchNext_, s.state.Entries));
}

void JosekiWindow::EndSearchNextMoves(JosekiSession& s) {
  if (searchNext_.empty()) return;
  EraseRecordMarks(s, searchMarks_);
  searchMarks_.clear();
  searchNext_.clear();
}

void JosekiWindow::FollowShownEntry() {
  if (examples_ == nullptr) return;  // still loading
  if (session_.state.CurrentEntry == examples_->LookedUpEntry() && !lookupQueued_) {
    UpdateExampleControls();
    return;
  }
  examplesButton_->setVisible(false);
  nextExampleButton_->setVisible(false);
  nextMovesList_->setVisible(!searchNext_.empty());
  if (lookupQueued_) return;
  lookupQueued_ = true;
  QMetaObject::invokeMethod(this, &JosekiWindow::LookUpShownEntry, Qt::QueuedConnection);
}

void JosekiWindow::LookUpShownEntry() {
  lookupQueued_ = false;
  Run([this](JosekiSession& s) { examples_->LookUpEntry(s); });
}

void JosekiWindow::UpdateExampleControls() {
  const bool any = examples_->HasGames();
  const bool active = any && examples_->Active();
  examplesButton_->setText(QString::fromUtf8(active ? kBackToRecordCaption : kShowGamesCaption));
  examplesButton_->setToolTip(QString::fromUtf8(active ? kBackToRecordTooltip : kShowGamesTooltip));
  examplesButton_->setVisible(any);
  nextExampleButton_->setVisible(active && examples_->Count() > 1);
  nextMovesList_->setVisible((active && nextMovesMarked_ && !examples_->NextMoves().empty()) ||
                             !searchNext_.empty());
}

void JosekiWindow::ToggleExamples() {
  if (examples_ == nullptr) return;
  if (examples_->Active()) {
    Run([this](JosekiSession& s) { examples_->Leave(s); });
    return;
  }
  Run([this](JosekiSession& s) {
    EndSearchNextMoves(s);
    examples_->Show(s, 1);
    nextMovesList_->SetScrolledText(games::NextMovesText(examples_->NextMoves(), s.state.Entries));
    nextMovesMarked_ = true;
  });
}

void JosekiWindow::ShowNextExample() {
  if (examples_ == nullptr || !examples_->Active()) return;
  Run([this](JosekiSession& s) { examples_->Show(s, examples_->Index() + 1); });
}

bool JosekiWindow::ShowEntryAt(int entry) {
  if (entry < 1 || entry > ListRowCount()) return false;
  SetSelectedRow(entry - 1);
  RunOutsideExamples(SelectEntry);
  return true;
}

void JosekiWindow::RestoreLargeText(bool large) {
  if (large && TextFontSize() < kLargeTextPoints) Run(EnlargeText);
}

void JosekiWindow::closeEvent(QCloseEvent* event) {
  if (RememberedSettings* settings = RememberedSettings::Active()) {
    settings->SetLastEntry(session_.state.SectionIndex, SelectedRow() + 1);
    settings->SetLargeText(TextFontSize() >= kLargeTextPoints);
    RememberWindowPlace(this);  // saves the settings
  }
  QWidget::closeEvent(event);
}

void JosekiWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintFrameLines(painter, kFrameLines);
}

void JosekiWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (centred_) return;
  centred_ = true;
  PlaceWindow(this);
}

// --- JosekiControls ---

void JosekiWindow::SetRecordCaption(const QString& text) {
  recordCaption_->SetScrolledText(text);
}
void JosekiWindow::SetComment(const QString& text) {
  comment_->SetScrolledText(text);
}

void JosekiWindow::SetReference(const QString& text) {
  // The reference text sizes itself to its text. It stands at the bottom edge of the window; when
  // the font's line is taller than the room below its designed top, it moves up so the text stays
  // readable.
  // A text wider than the room to the window's right edge ends in "…", the whole text in the
  // tooltip.
  const QString shown =
      reference_->fontMetrics().elidedText(text, Qt::ElideRight, kClientWidth - kReferenceLeft);
  reference_->setText(shown);
  reference_->setToolTip(shown == text ? QString() : text);
  reference_->adjustSize();
  reference_->move(kReferenceLeft, std::min(kReferenceTop, kClientHeight - reference_->height()));
}

double JosekiWindow::TextFontSize() const {
  return comment_->font().pointSizeF();
}

void JosekiWindow::SetTextFontSize(double points) {
  for (ScrollingLabel* label : {recordCaption_, comment_}) {
    QFont font = label->font();
    font.setPointSizeF(points);
    label->setFont(font);
  }
}

void JosekiWindow::SetRecordButtonsEnabled(bool enabled) {
  for (Button button : kRecordButtons) ButtonFor(button)->setEnabled(enabled);
}

void JosekiWindow::SetJosekiEndMarkVisible(bool visible) {
  josekiEndMark_->setVisible(visible);
}
void JosekiWindow::SetRecordEndMarkVisible(bool visible) {
  recordEndMark_->setVisible(visible);
}

void JosekiWindow::SetEndMarkTimerEnabled(bool enabled) {
  // Enabling a running timer does not restart its second.
  if (!enabled)
    endMarkTimer_->stop();
  else if (!endMarkTimer_->isActive())
    endMarkTimer_->start();
}

void JosekiWindow::SetHitDeliveryTimerEnabled(bool enabled) {
  if (!enabled)
    hitDeliveryTimer_->stop();
  else if (!hitDeliveryTimer_->isActive())
    hitDeliveryTimer_->start();
}

void JosekiWindow::SetListRows(const QStringList& titles) {
  const bool was = std::exchange(selectingFromCode_, true);
  listModel_->setStringList(titles);
  entryList_->selectionModel()->clear();
  selectingFromCode_ = was;
}

int JosekiWindow::ListRowCount() const {
  return listModel_->rowCount();
}

int JosekiWindow::SelectedRow() const {
  const QModelIndex current = entryList_->selectionModel()->currentIndex();
  if (!current.isValid() || !entryList_->selectionModel()->isSelected(current)) return -1;
  return current.row();
}

void JosekiWindow::SetSelectedRow(int row) {
  const bool was = std::exchange(selectingFromCode_, true);
  QItemSelectionModel* selection = entryList_->selectionModel();
  const QModelIndex index = listModel_->index(row, 0);
  if (index.isValid()) {
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    entryList_->scrollTo(index);
  } else {
    selection->clear();
  }
  selectingFromCode_ = was;
}

void JosekiWindow::ShowMessage(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Moraku"), text, QMessageBox::Ok, this);
  box.exec();
}

}  // namespace moraku
