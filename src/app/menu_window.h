// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The menu window: a button for each section, the operating instructions and the end
// button. It keeps the two values that live for the whole run: SectionIndex and HelpText.

#include <QPointer>
#include <QString>
#include <QWidget>

class QComboBox;

namespace moraku {

class InstructionsWindow;
class JosekiWindow;

class MenuWindow : public QWidget {
  Q_OBJECT
 public:
  // appDir: the folder that holds fld1 and fld2. Reads appDir/fld1/resume.txt into HelpText.
  explicit MenuWindow(const QString& appDir, QWidget* parent = nullptr);
  // Closes the joseki and instructions windows that are still open.
  ~MenuWindow() override;

  // 0 until a section button is pressed; then that section's number (data/sections.h).
  int SectionIndex() const { return sectionIndex_; }
  const QString& HelpText() const { return helpText_; }

  // Opens the joseki window on `section` at its entry `entry` (1-based; 0 opens it as the
  // section's button does) while the menu stays hidden; the menu shows when that window closes.
  // Returns what is wrong, or an empty string.
  QString OpenSectionAtStart(int section, int entry);

  // The display scale this run is drawn at; choosing another in the menu stores it and starts
  // the program again at that scale.
  void SetRunningScale(double scale);

  // The open joseki window or instructions window, or nullptr.
  JosekiWindow* OpenJosekiWindow() const;
  InstructionsWindow* OpenInstructionsWindow() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Sets SectionIndex, then shows the joseki window: a new one when none is open, otherwise
  // the open one (still on the section it loaded) comes to the front.
  void ShowSection(int sectionIndex);
  void ShowInstructions();
  void ChooseScale(double scale);

  QString appDir_;
  int sectionIndex_ = 0;
  QString helpText_;
  bool centred_ = false;
  double runningScale_ = 1;
  QComboBox* scaleChoice_ = nullptr;
  QPointer<JosekiWindow> joseki_;
  QPointer<InstructionsWindow> instructions_;
};

}  // namespace moraku
