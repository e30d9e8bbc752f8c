// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/button_keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace moraku {

namespace {

// Watches the buttons of one window; owned by that window.
class ReturnPressesButton : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button == nullptr) return false;
    button->click();  // does nothing while the button is disabled
    return true;
  }
};

}  // namespace

void PressFocusedButtonOnReturn(QWidget* window) {
  auto* filter = new ReturnPressesButton(window);
  for (QPushButton* button : window->findChildren<QPushButton*>())
    button->installEventFilter(filter);
}

}  // namespace moraku
