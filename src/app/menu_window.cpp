// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menu_window.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <algorithm>
#include <array>

#include "app/button_keys.h"
#include "app/form_style.h"
#include "app/instructions_window.h"
#include "app/joseki_window.h"
#include "app/picture_button.h"
#include "app/remembered_settings.h"
#include "app/start_options.h"
#include "app/window_picture.h"
#include "data/sections.h"
#include "help/help_text.h"

namespace moraku {

namespace {

constexpr int kClientWidth = 512;
constexpr int kClientHeight = 383;
constexpr quint32 kMenuBack = 0x004080;
constexpr quint32 kSectionButtonBack = 0x99FFFF;

// The section buttons, one per row of the section table, in a column under each other.
struct SectionButton {
  int section;       // the section's number in the table
  const char* name;  // form name
  int top;           // twips
};
constexpr std::array<SectionButton, 3> kSectionButtons{{
    {kHandicapSection, "Command12", 1200},
    {kStarPointSection, "Command13", 1920},
    {kThreeFourSection, "Command14", 2640},
}};
constexpr int kSectionButtonLeft = 5280;
constexpr int kSectionButtonWidth = 2055;
constexpr int kSectionButtonHeight = 375;

// A frame from (120, 120) to (7560, 5640): dark at the top and left, light orange at the right
// and bottom.
constexpr std::array<FrameLine, 4> kFrameLines{{
    {120, 120, 7560, 120, 1, 0x000040},
    {120, 120, 120, 5640, 2, 0x404040},
    {7560, 120, 7560, 5640, 1, 0x80C0FF},
    {120, 5640, 7560, 5640, 1, 0x80C0FF},
}};

void ActivateWindow(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

QPushButton* MakePictureButton(QWidget* parent, const char* name, const QRect& geometry,
                               const QString& picture) {
  auto* button = new PictureButton(WindowPicture(picture, parent->devicePixelRatioF()), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  return button;
}

QPushButton* MakeSectionButton(QWidget* parent, const SectionButton& place) {
  auto* button = new QPushButton(QString::fromUtf8(FindSection(place.section)->caption), parent);
  button->setObjectName(QString::fromLatin1(place.name));
  button->setGeometry(
      TwipsRect(kSectionButtonLeft, place.top, kSectionButtonWidth, kSectionButtonHeight));
  button->setFont(UiFont(QString::fromUtf8(kRoundGothicFont), 14.25, true));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

MenuWindow::MenuWindow(const QString& appDir, QWidget* parent) : QWidget(parent), appDir_(appDir) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Form1"));
  setFixedSize(kClientWidth, kClientHeight);
  setFont(UiFont(QString::fromUtf8(kGothicFont), 9));
  SetBackColour(this, QColor(FromBgr(kMenuBack)));

  auto* title = new QLabel(this);
  title->setObjectName(QStringLiteral("Picture1"));
  title->setGeometry(TwipsRect(240, 240, 4815, 3495));
  title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  title->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  title->setPixmap(WindowPicture(QStringLiteral("menu_title.png"), devicePixelRatioF()));

  auto* child = new QLabel(this);
  child->setObjectName(QStringLiteral("Image1"));
  child->setGeometry(TwipsRect(5760, 4080, 1035, 1185));
  child->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  child->setPixmap(WindowPicture(QStringLiteral("child.png"), devicePixelRatioF()));

  QPushButton* instructions = MakePictureButton(this, "Command5", TwipsRect(840, 3960, 2160, 495),
                                                QStringLiteral("button_instructions.png"));
  QPushButton* quit = MakePictureButton(this, "Command6", TwipsRect(840, 4680, 2160, 495),
                                        QStringLiteral("button_quit.png"));
  std::array<QPushButton*, kSectionButtons.size()> sections{};
  for (std::size_t i = 0; i < kSectionButtons.size(); ++i)
    sections[i] = MakeSectionButton(this, kSectionButtons[i]);

  setTabOrder(instructions, quit);
  QWidget* previous = quit;
  for (QPushButton* button : sections) {
    setTabOrder(previous, button);
    previous = button;
  }
  instructions->setFocus();

  // The load: the instructions text, then the section buttons' colour.
  helpText_ = ReadHelpText(appDir_ + QStringLiteral("/fld1/resume.txt"));
  for (QPushButton* button : sections)
    StyleGraphicalButton(button, QColor(FromBgr(kSectionButtonBack)));

  for (std::size_t i = 0; i < kSectionButtons.size(); ++i) {
    const int section = kSectionButtons[i].section;
    connect(sections[i], &QPushButton::clicked, this, [this, section] { ShowSection(section); });
  }
  connect(instructions, &QPushButton::clicked, this, &MenuWindow::ShowInstructions);
  connect(quit, &QPushButton::clicked, this, &QWidget::close);

  // The display scale: a small choice in the free corner below the title picture.
  scaleChoice_ = new QComboBox(this);
  scaleChoice_->setObjectName(QStringLiteral("ScaleChoice"));
  // In the section buttons' face, which the menu has loaded already: a second face would cost
  // the start a font lookup and load.
  scaleChoice_->setFont(UiFont(QString::fromUtf8(kRoundGothicFont), 9, true));
  for (double scale : kDisplayScales)
    scaleChoice_->addItem(QStringLiteral("%1 %").arg(qRound(scale * 100)), scale);
  scaleChoice_->setToolTip(QStringLiteral("表示倍率（選ぶとプログラムを開き直します）"));
  scaleChoice_->setGeometry(QRect(232, 322, 72, 22));
  setTabOrder(previous, scaleChoice_);
  connect(scaleChoice_, &QComboBox::activated, this,
          [this](int index) { ChooseScale(scaleChoice_->itemData(index).toDouble()); });

  PressFocusedButtonOnReturn(this);
}

MenuWindow::~MenuWindow() {
  // The other windows delete themselves when closed; the instructions window reads HelpText,
  // so it must not outlive the menu.
  delete joseki_.data();
  delete instructions_.data();
}

JosekiWindow* MenuWindow::OpenJosekiWindow() const {
  return joseki_.data();
}

InstructionsWindow* MenuWindow::OpenInstructionsWindow() const {
  return instructions_.data();
}

void MenuWindow::ShowSection(int sectionIndex) {
  sectionIndex_ = sectionIndex;
  if (!joseki_) {
    // Owned by Qt: it deletes itself when closed.
    joseki_ = new JosekiWindow(sectionIndex_, appDir_);
    if (const RememberedSettings* settings = RememberedSettings::Active()) {
      joseki_->ShowEntryAt(settings->LastEntry(sectionIndex_));
      joseki_->RestoreLargeText(settings->LargeText());
    }
  }
  ActivateWindow(joseki_);
}

QString MenuWindow::OpenSectionAtStart(int section, int entry) {
  ShowSection(section);
  if (entry > 0 && !joseki_->ShowEntryAt(entry)) {
    return QStringLiteral("section %1 has %2 entries; there is no entry %3")
        .arg(section)
        .arg(joseki_->ListRowCount())
        .arg(entry);
  }
  // Closing the joseki window brings the menu, as if it had been opened from there.
  connect(joseki_, &QObject::destroyed, this, [this] {
    if (!isVisible()) show();
  });
  return {};
}

void MenuWindow::SetRunningScale(double scale) {
  runningScale_ = scale;
  for (int i = 0; i < scaleChoice_->count(); ++i)
    if (qFuzzyCompare(scaleChoice_->itemData(i).toDouble(), scale))
      scaleChoice_->setCurrentIndex(i);
}

void MenuWindow::ChooseScale(double scale) {
  RememberedSettings* settings = RememberedSettings::Active();
  if (settings == nullptr || qFuzzyCompare(scale, runningScale_)) return;
  settings->SetScale(scale);
  settings->Save();
  // Every window is laid out again at the new scale by a new start; the windows store their
  // places and the entry shown as they close.
  if (QProcess::startDetached(QCoreApplication::applicationFilePath(), {})) {
    if (joseki_) joseki_->close();
    if (instructions_) instructions_->close();
    close();
  }
}

void MenuWindow::ShowInstructions() {
  if (!instructions_) {
    instructions_ = new InstructionsWindow(helpText_);
    instructions_->setAttribute(Qt::WA_DeleteOnClose);
  }
  ActivateWindow(instructions_);
}

void MenuWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintFrameLines(painter, kFrameLines);
}

void MenuWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (centred_) return;
  centred_ = true;
  PlaceWindow(this);
}

void MenuWindow::closeEvent(QCloseEvent* event) {
  RememberWindowPlace(this);
  QWidget::closeEvent(event);
}

}  // namespace moraku
