#include "app/instructions_window.h"

#include <QComboBox>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "help/help_text.h"

namespace moraku {
namespace {

// Control places in pixels (the layout is drawn at 15 twips per pixel).
constexpr QSize kClientSize(593, 545);
constexpr QRect kCombo1Rect(40, 24, 297, 24);
constexpr QRect kLabel1Rect(40, 56, 521, 465);
constexpr QRect kCommand1Rect(464, 24, 89, 25);

QFont TopicFont() {
  QFont font;
  // The Japanese Windows font first; on Linux the Noto CJK font stands in for it.
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Noto Sans CJK JP")});
  font.setPointSizeF(12);
  return font;
}

}  // namespace

InstructionsWindow::InstructionsWindow(const QString& helpText, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      helpText_(helpText),
      combo1_(new QComboBox(this)),
      label1_(new QLabel(this)),
      command1_(new QPushButton(QStringLiteral("メニューに戻り"), this)) {
  setObjectName(QStringLiteral("Form5"));
  setWindowTitle(QStringLiteral("操作説明"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kClientSize);

  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setEditable(false);
  combo1_->setFont(TopicFont());
  combo1_->addItems(HelpTopics());
  combo1_->setPlaceholderText(QStringLiteral("ボタンをクリック→"));
  combo1_->setCurrentIndex(-1);
  combo1_->setMaxVisibleItems(HelpTopics().size());
  combo1_->setGeometry(kCombo1Rect);

  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setFont(TopicFont());
  label1_->setTextFormat(Qt::PlainText);
  label1_->setWordWrap(true);
  label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label1_->setGeometry(kLabel1Rect);

  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(kCommand1Rect);

  setTabOrder(combo1_, command1_);

  connect(combo1_, &QComboBox::activated, this, &InstructionsWindow::ShowTopic);
  connect(command1_, &QPushButton::clicked, this, &QWidget::close);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(0, 0), kClientSize);
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void InstructionsWindow::ShowTopic(int index) {
  label1_->setText(TopicText(helpText_, combo1_->itemText(index)));
}

}  // namespace moraku
