#include "app/joseki_window.h"

#include <QApplication>
#include <QFrame>
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
#include <exception>
#include <utility>
#include <vector>

#include "app/board_view.h"
#include "app/form_style.h"
#include "joseki/entry_display.h"
#include "joseki/entry_selection.h"
#include "joseki/next_move_hint.h"
#include "joseki/playback.h"
#include "joseki/window_load.h"
#include "search/search_input.h"
#include "search/search_run.h"

namespace moraku {

namespace {

constexpr int kClientWidth = 878;
constexpr int kClientHeight = 665;
constexpr quint32 kWindowBack = 0xC0C0C0;
constexpr double kLabelPoints = 11.25;
constexpr int kLabel3Left = 11880 / 15;
constexpr int kLabel3Top = 9840 / 15;
constexpr int kTimerInterval = 1000;

// The command buttons: name, caption, tooltip, back colour, position in twips, tab index.
struct ButtonLayout {
  const char* name;
  const char* caption;
  const char* tooltip;
  quint32 back;
  int left, top, width, height;
  int tab;
  bool boldGothic;  // "ＭＳ Ｐゴシック" bold 9 points instead of the window's font
};

constexpr std::array<ButtonLayout, 17> kButtons{{
    {"Command6", "手順表示開始", "", 0xC0C0FF, 120, 9360, 1215, 375, 7, false},
    {"Command5", "次手を表示", "", 0xC0C0FF, 1440, 9360, 1095, 375, 25, false},
    {"Command12", "全手順表示", "", 0xC0C0FF, 2640, 9360, 1095, 375, 26, false},
    {"Command1", "検索手順の入力開始", "左上隅に入力", 0xFFC0FF, 7920, 6840, 1935, 375, 18, true},
    {"Command8", "検索手順の再表示", "最後に入力した検索手順の表示", 0xFFC0FF, 7920, 7260, 1935,
     375, 21, false},
    {"Command10", "手順を追加する", "追加着手の入力", 0xFFC0FF, 7920, 7680, 1935, 375, 23, false},
    {"Command9", "手順を減らす", "クリックのたびに手順を１つ短くします。", 0xFFC0FF, 7920, 8100,
     1935, 375, 22, false},
    {"Command4", "検 索 実 行", "該当する定石等を検索", 0xFFC0FF, 7920, 8520, 1935, 375, 19, true},
    {"Command11", "検索中止・終了", "", 0xFFC0FF, 7920, 8940, 1935, 375, 28, false},
    {"Command7", "メニュー", "", 0xC0FFFF, 7920, 9360, 975, 375, 9, false},
    {"Command13", "文字拡大", "", 0xC0FFFF, 9000, 9360, 855, 375, 31, false},
    {"Command2", "棋譜の表示", "", 0xFFC0C0, 10200, 8400, 1095, 375, 24, false},
    {"Command22", "初手に戻る", "", 0xFFC0C0, 11400, 8400, 1095, 375, 13, false},
    {"Command3", "１手進む", "", 0xC0FFFF, 10200, 8880, 1095, 375, 8, false},
    {"Command17", "５手進む", "", 0xC0FFFF, 11400, 8880, 1095, 375, 10, false},
    {"Command20", "１手戻る", "", 0xC0FFC0, 10200, 9360, 1095, 375, 11, false},
    {"Command21", "５手戻る", "", 0xC0FFC0, 11400, 9360, 1095, 375, 12, false},
}};

// The six buttons that step through the record.
constexpr std::array<const char*, 6> kRecordButtons{"Command2",  "Command3",  "Command17",
                                                    "Command20", "Command21", "Command22"};

// Frame lines around the two boards: light at the top and left, dark at the bottom and right.
constexpr std::array<FrameLine, 7> kFrameLines{{
    {120, 120, 6420, 120, 2, 0xFFFFFF},      // Line3
    {120, 120, 120, 6720, 2, 0xFFFFFF},      // Line4
    {120, 6720, 6420, 6720, 2, 0x004080},    // Line2
    {6435, 120, 6435, 6720, 2, 0x004080},    // Line1
    {6720, 135, 13005, 135, 2, 0xFFFFFF},    // Line7
    {13035, 135, 13035, 6720, 2, 0x004080},  // Line6
    {6750, 6720, 13020, 6720, 2, 0x404080},  // Line5
}};

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, double points) {
  auto* label = new QLabel(parent);
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
  image->setPixmap(QPixmap(QStringLiteral(":/pictures/end_indicator.png")));
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
  if (!message.isEmpty()) {
    // Shown once the window is on screen, so that a failed load still opens the window.
    QMetaObject::invokeMethod(
        this, [this, message] { ShowMessage(message); }, Qt::QueuedConnection);
  }
}

JosekiWindow::~JosekiWindow() = default;

void JosekiWindow::BuildOtherControls() {
  display_ = new BoardView(session_.canvas, this);
  display_->move(10, 10);

  // The two strips over the gap between the boards; the second lies on top of the first.
  MakeStrip(this, "Text3", TwipsRect(6420, 120, 255, 6615), 0x004080);
  QFrame* text4 = MakeStrip(this, "Text4", TwipsRect(6450, 120, 270, 6645), kWindowBack);
  text4->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  listModel_ = new QStringListModel(this);
  list1_ = new QListView(this);
  list1_->setObjectName(QStringLiteral("List1"));
  list1_->setGeometry(TwipsRect(3960, 6840, 3855, 2760));
  list1_->setModel(listModel_);
  list1_->setUniformItemSizes(true);
  list1_->setSelectionMode(QAbstractItemView::SingleSelection);
  list1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list1_->viewport()->installEventFilter(this);

  label2_ = MakeLabel(this, "Label2", TwipsRect(120, 6840, 3615, 2295), kLabelPoints);
  label2_->setWordWrap(true);
  label2_->setText(QStringLiteral("ss"));
  label1_ = MakeLabel(this, "Label1", TwipsRect(9960, 6840, 3015, 1575), kLabelPoints);
  label1_->setWordWrap(true);
  label3_ = MakeLabel(this, "Label3", TwipsRect(11880, 9840, 1215, 135), 8.25);

  // The end indicators stand over the labels.
  image1_ = MakeEndIndicator(this, "Image1", TwipsRect(1200, 6840, 1815, 1140));
  image2_ = MakeEndIndicator(this, "Image2", TwipsRect(10500, 6840, 1815, 1140));

  timer2_ = new QTimer(this);
  timer2_->setObjectName(QStringLiteral("Timer2"));
  timer2_->setInterval(kTimerInterval);
  timer4_ = new QTimer(this);
  timer4_->setObjectName(QStringLiteral("Timer4"));
  timer4_->setInterval(kTimerInterval);
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
    buttons_.insert(name, button);
  }
}

void JosekiWindow::SetTabOrder() {
  std::vector<std::pair<int, QWidget*>> order;
  for (const ButtonLayout& layout : kButtons)
    order.emplace_back(layout.tab, buttons_.value(QString::fromLatin1(layout.name)));
  order.emplace_back(30, list1_);
  std::sort(order.begin(), order.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1].second, order[i].second);
  order.front().second->setFocus();
}

void JosekiWindow::Wire() {
  auto on = [this](const char* name, void (*procedure)(JosekiSession&)) {
    connect(buttons_.value(QString::fromLatin1(name)), &QPushButton::clicked, this,
            [this, procedure] { Run(procedure); });
  };
  on("Command2", ShowWholeRecord);
  on("Command3", StepForwardOne);
  on("Command17", StepForwardFive);
  on("Command20", StepBackOne);
  on("Command21", StepBackFive);
  on("Command22", BackToFirstMove);
  on("Command6", StartHint);
  on("Command5", ShowNextMove);
  on("Command12", ShowEntry);
  on("Command13", EnlargeText);
  on("Command1", StartSearchInput);
  on("Command8", RedisplaySearch);
  on("Command9", ShortenSearch);
  on("Command10", AddSearchMoves);
  on("Command4", RunSearch);
  on("Command11", EndSearch);
  connect(buttons_.value(QStringLiteral("Command7")), &QPushButton::clicked, this, &QWidget::close);

  connect(timer2_, &QTimer::timeout, this, [this] { Run(EndIndicatorTick); });
  connect(timer4_, &QTimer::timeout, this, [this] { Run(FoundEntryTick); });

  connect(display_, &BoardView::PointerMoved, this,
          [this](int x, int y) { Run([x, y](JosekiSession& s) { TrackPointer(s, x, y); }); });
  connect(display_, &BoardView::Clicked, this, [this] { Run(AddSearchStone); });

  connect(list1_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &JosekiWindow::OnCurrentRowChanged);
  // A click on the row that is already selected runs the handling again, as any click does.
  connect(list1_, &QAbstractItemView::clicked, this, [this] {
    const bool handled = rowChangedByPress_;
    rowChangedByPress_ = false;
    if (!handled) Run(SelectEntry);
  });
}

void JosekiWindow::OnCurrentRowChanged() {
  if (selectingFromCode_) return;
  // Keep the selection on the current row so that SelectedRow reads it.
  const QModelIndex current = list1_->selectionModel()->currentIndex();
  if (current.isValid() && !list1_->selectionModel()->isSelected(current))
    list1_->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
  rowChangedByPress_ = true;
  Run(SelectEntry);
}

bool JosekiWindow::eventFilter(QObject* watched, QEvent* event) {
  // Every press on the list starts a new click: whether it moves the selection is decided now.
  if (watched == list1_->viewport() && event->type() == QEvent::MouseButtonPress)
    rowChangedByPress_ = false;
  return QWidget::eventFilter(watched, event);
}

void JosekiWindow::Run(const std::function<void(JosekiSession&)>& procedure) {
  try {
    procedure(session_);
  } catch (const std::exception& e) {
    qWarning("Moraku: an action stopped: %s", e.what());
  } catch (...) {
    qWarning("Moraku: an action stopped");
  }
}

void JosekiWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintFrameLines(painter, kFrameLines);
}

void JosekiWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (centred_) return;
  centred_ = true;
  CentreOnScreen(this);
}

// --- JosekiControls ---

void JosekiWindow::SetLabel1(const QString& text) {
  label1_->setText(text);
}
QString JosekiWindow::Label1() const {
  return label1_->text();
}
void JosekiWindow::SetLabel2(const QString& text) {
  label2_->setText(text);
}

void JosekiWindow::SetLabel3(const QString& text) {
  // Label3 sizes itself to its text. It stands at the bottom edge of the window; when the font's
  // line is taller than the room below its designed top, it moves up so the text stays readable.
  label3_->setText(text);
  label3_->adjustSize();
  label3_->move(kLabel3Left, std::min(kLabel3Top, kClientHeight - label3_->height()));
}

double JosekiWindow::LabelFontSize() const {
  return label2_->font().pointSizeF();
}

void JosekiWindow::SetLabelFontSize(double points) {
  for (QLabel* label : {label1_, label2_}) {
    QFont font = label->font();
    font.setPointSizeF(points);
    label->setFont(font);
  }
}

void JosekiWindow::SetRecordButtonsEnabled(bool enabled) {
  for (const char* name : kRecordButtons)
    buttons_.value(QString::fromLatin1(name))->setEnabled(enabled);
}

void JosekiWindow::SetImage1Visible(bool visible) {
  image1_->setVisible(visible);
}
void JosekiWindow::SetImage2Visible(bool visible) {
  image2_->setVisible(visible);
}

void JosekiWindow::SetTimer2Enabled(bool enabled) {
  // Enabling a running timer does not restart its second.
  if (!enabled)
    timer2_->stop();
  else if (!timer2_->isActive())
    timer2_->start();
}

void JosekiWindow::SetTimer4Enabled(bool enabled) {
  if (!enabled)
    timer4_->stop();
  else if (!timer4_->isActive())
    timer4_->start();
}

void JosekiWindow::SetListRows(const QStringList& titles) {
  const bool was = std::exchange(selectingFromCode_, true);
  listModel_->setStringList(titles);
  list1_->selectionModel()->clear();
  selectingFromCode_ = was;
}

int JosekiWindow::ListRowCount() const {
  return listModel_->rowCount();
}

int JosekiWindow::SelectedRow() const {
  const QModelIndex current = list1_->selectionModel()->currentIndex();
  if (!current.isValid() || !list1_->selectionModel()->isSelected(current)) return -1;
  return current.row();
}

void JosekiWindow::SetSelectedRow(int row) {
  const bool was = std::exchange(selectingFromCode_, true);
  QItemSelectionModel* selection = list1_->selectionModel();
  const QModelIndex index = listModel_->index(row, 0);
  if (index.isValid()) {
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    list1_->scrollTo(index);
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
