// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instructions_window.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "app/button_keys.h"
#include "app/form_style.h"
#include "app/remembered_settings.h"
#include "help/help_text.h"

namespace moraku {
namespace {

// Control places in pixels (the layout is drawn at 15 twips per pixel).
constexpr QSize kClientSize(593, 545);
constexpr QRect kTopicListRect(40, 24, 297, 24);
constexpr QRect kTopicTextRect(40, 56, 521, 465);
constexpr QRect kBackButtonRect(464, 24, 89, 25);
constexpr double kTopicPoints = 12;
constexpr int kControlGap = 8;

}  // namespace

InstructionsWindow::InstructionsWindow(const QString& helpText, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      helpText_(helpText),
      topicList_(new QComboBox(this)),
      topicText_(new QLabel(this)),
      backButton_(new QPushButton(QStringLiteral("メニューに戻り"), this)) {
  setObjectName(QStringLiteral("Form5"));
  setWindowTitle(QStringLiteral("操作説明"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kClientSize);

  topicList_->setObjectName(QStringLiteral("Combo1"));
  topicList_->setEditable(false);
  topicList_->setFont(UiFont(QString::fromUtf8(kGothicFont), kTopicPoints));
  topicList_->addItems(HelpTopics());
  topicList_->setPlaceholderText(QStringLiteral("ボタンをクリック→"));
  topicList_->setCurrentIndex(-1);
  topicList_->setMaxVisibleItems(HelpTopics().size());
  topicList_->setSizeAdjustPolicy(QComboBox::AdjustToContents);

  topicText_->setObjectName(QStringLiteral("Label1"));
  topicText_->setFont(UiFont(QString::fromUtf8(kGothicFont), kTopicPoints));
  topicText_->setTextFormat(Qt::PlainText);
  topicText_->setWordWrap(true);
  topicText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  topicText_->setGeometry(kTopicTextRect);

  backButton_->setObjectName(QStringLiteral("Command1"));
  // The longest topic and the button's caption show whole: the combo box grows to the right
  // and the button to the left when their texts need it, into the gap between them.
  QRect button = kBackButtonRect;
  button.setLeft(button.right() + 1 - std::max(button.width(), backButton_->sizeHint().width()));
  backButton_->setGeometry(button);
  QRect topics = kTopicListRect;
  topics.setWidth(std::min(std::max(topics.width(), topicList_->sizeHint().width()),
                           button.left() - kControlGap - topics.left()));
  topicList_->setGeometry(topics);

  setTabOrder(topicList_, backButton_);

  connect(topicList_, &QComboBox::activated, this, &InstructionsWindow::ShowTopic);
  connect(backButton_, &QPushButton::clicked, this, &QWidget::close);

  PressFocusedButtonOnReturn(this);
  PlaceWindow(this);
}

void InstructionsWindow::closeEvent(QCloseEvent* event) {
  RememberWindowPlace(this);
  QWidget::closeEvent(event);
}

void InstructionsWindow::ShowTopic(int index) {
  topicText_->setText(TopicText(helpText_, topicList_->itemText(index)));
}

}  // namespace moraku
