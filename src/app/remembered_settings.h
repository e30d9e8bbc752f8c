// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program remembers between runs, kept with QSettings in the platform's usual place:
// the display scale, the section opened last and the entry shown last in each section, the
// 文字拡大 state and the windows' positions. A settings file that cannot be read or is damaged
// counts as empty, and every value that is out of range is replaced by its default.

#include <QPoint>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

class QSettings;
class QWidget;

namespace moraku {

class RememberedSettings {
 public:
  // The settings of the signed-in user (the program's own file in the platform's place).
  static std::unique_ptr<RememberedSettings> ForUser();
  // Settings in the INI file `path` (tests and tools).
  explicit RememberedSettings(const QString& path);
  ~RememberedSettings();

  // The settings of this run, used by the windows; nullptr (nothing remembered) until set.
  static RememberedSettings* Active();
  static void SetActive(RememberedSettings* settings);

  // 1, 1.5 or 2; 1 when none was stored.
  double Scale() const;
  void SetScale(double scale);

  // The section opened last (1, 2, ...), 0 for none.
  int LastSection() const;
  // The 1-based entry shown last in `section`, 0 for none.
  int LastEntry(int section) const;
  // Stores the entry shown in `section` and makes that section the last one.
  void SetLastEntry(int section, int entry);

  // True when 文字拡大 was on when the joseki window closed last.
  bool LargeText() const;
  void SetLargeText(bool large);

  // The top-left corner of the window's frame stored under `window`, when there is one.
  std::optional<QPoint> WindowPosition(const QString& window) const;
  void SetWindowPosition(const QString& window, QPoint position);

  // Writes what was set to the file; false when it cannot be written. Values set to what was
  // stored already do not count: with nothing new, the file is left as it is (no write).
  bool Save();

 private:
  // Sets `key` to `value` unless it holds that text already.
  void Store(const QString& key, const QVariant& value);

  std::unique_ptr<QSettings> settings_;
  bool changed_ = false;  // something new was set since the last Save
  bool readable_ = true;  // false: the file was damaged or unreadable, read nothing from it
};

// Moves `window` to its remembered place (under its objectName) when that place shows its top
// left corner on a screen; otherwise centres it on its screen.
void PlaceWindow(QWidget* window);

// Stores where `window` stands, under its objectName, in the active settings.
void RememberWindowPlace(QWidget* window);

}  // namespace moraku
