// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The operating-instructions window: a list of topics and the chosen topic's text.

#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace moraku {

class InstructionsWindow : public QWidget {
  Q_OBJECT
 public:
  // helpText: the whole instructions text read when the menu loaded (kept as a shared copy).
  // The window starts with no topic chosen and an empty text, and deletes itself when closed.
  explicit InstructionsWindow(const QString& helpText, QWidget* parent = nullptr);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Shows the text of the topic in row `index` of the topic list.
  void ShowTopic(int index);

  QString helpText_;
  QComboBox* topicList_;
  QLabel* topicText_;
  QPushButton* backButton_;
};

}  // namespace moraku
