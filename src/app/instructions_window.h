#pragma once
// The operating-instructions window: a list of topics and the chosen topic's text.

#include <QWidget>

namespace moraku {

class InstructionsWindow : public QWidget {
  Q_OBJECT
 public:
  // helpText: the whole instructions text read when the menu loaded; it must outlive the window.
  explicit InstructionsWindow(const QString& helpText, QWidget* parent = nullptr);
};

}  // namespace moraku
