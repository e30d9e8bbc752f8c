// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/remembered_settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include "app/form_style.h"
#include "app/start_options.h"

namespace moraku {

namespace {

RememberedSettings* g_active = nullptr;

const QString kScaleKey = QStringLiteral("display/scale");
const QString kLastSectionKey = QStringLiteral("joseki/lastSection");
const QString kLargeTextKey = QStringLiteral("joseki/largeText");

QString EntryKey(int section) {
  return QStringLiteral("joseki/section%1/entry").arg(section);
}

QString PositionKey(const QString& window) {
  return QStringLiteral("windows/%1/position").arg(window);
}

// A whole number stored under `key` within [low, high], or `fallback`.
int StoredInt(const QSettings& settings, const QString& key, int low, int high, int fallback) {
  bool ok = false;
  const int value = settings.value(key).toString().toInt(&ok);
  return ok && value >= low && value <= high ? value : fallback;
}

constexpr int kMaxSection = 99;
constexpr int kMaxEntry = 10'000'000;

}  // namespace

std::unique_ptr<RememberedSettings> RememberedSettings::ForUser() {
  const QSettings place(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Moraku"),
                        QStringLiteral("moraku"));
  return std::make_unique<RememberedSettings>(place.fileName());
}

RememberedSettings::RememberedSettings(const QString& path)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat)) {
  readable_ = settings_->status() == QSettings::NoError;
  // A damaged file is replaced by what this run stores.
  if (!readable_) settings_->clear();
}

RememberedSettings::~RememberedSettings() {
  if (g_active == this) g_active = nullptr;
}

RememberedSettings* RememberedSettings::Active() {
  return g_active;
}

void RememberedSettings::SetActive(RememberedSettings* settings) {
  g_active = settings;
}

double RememberedSettings::Scale() const {
  bool ok = false;
  const double scale = settings_->value(kScaleKey).toString().toDouble(&ok);
  return ok && IsDisplayScale(scale) ? scale : 1.0;
}

void RememberedSettings::SetScale(double scale) {
  if (IsDisplayScale(scale)) Store(kScaleKey, QString::number(scale));
}

int RememberedSettings::LastSection() const {
  return StoredInt(*settings_, kLastSectionKey, 1, kMaxSection, 0);
}

int RememberedSettings::LastEntry(int section) const {
  return StoredInt(*settings_, EntryKey(section), 1, kMaxEntry, 0);
}

void RememberedSettings::SetLastEntry(int section, int entry) {
  if (section < 1 || section > kMaxSection) return;
  Store(kLastSectionKey, section);
  if (entry >= 1 && entry <= kMaxEntry) Store(EntryKey(section), entry);
}

bool RememberedSettings::LargeText() const {
  return settings_->value(kLargeTextKey).toString() == QLatin1String("true");
}

void RememberedSettings::SetLargeText(bool large) {
  Store(kLargeTextKey, large ? QStringLiteral("true") : QStringLiteral("false"));
}

std::optional<QPoint> RememberedSettings::WindowPosition(const QString& window) const {
  const QStringList parts = settings_->value(PositionKey(window)).toString().split(u',');
  if (parts.size() != 2) return std::nullopt;
  bool okX = false;
  bool okY = false;
  const int x = parts[0].trimmed().toInt(&okX);
  const int y = parts[1].trimmed().toInt(&okY);
  if (!okX || !okY) return std::nullopt;
  return QPoint(x, y);
}

void RememberedSettings::SetWindowPosition(const QString& window, QPoint position) {
  Store(PositionKey(window), QStringLiteral("%1,%2").arg(position.x()).arg(position.y()));
}

void RememberedSettings::Store(const QString& key, const QVariant& value) {
  if (settings_->contains(key) && settings_->value(key).toString() == value.toString()) return;
  settings_->setValue(key, value);
  changed_ = true;
}

bool RememberedSettings::Save() {
  if (!changed_) return true;
  settings_->sync();
  changed_ = false;
  return settings_->status() == QSettings::NoError;
}

void PlaceWindow(QWidget* window) {
  const RememberedSettings* settings = RememberedSettings::Active();
  const std::optional<QPoint> place =
      settings != nullptr ? settings->WindowPosition(window->objectName()) : std::nullopt;
  if (place.has_value() && QGuiApplication::screenAt(*place + QPoint(8, 8)) != nullptr) {
    window->move(*place);
    return;
  }
  CentreOnScreen(window);
}

void RememberWindowPlace(QWidget* window) {
  RememberedSettings* settings = RememberedSettings::Active();
  if (settings == nullptr || !window->isVisible()) return;
  settings->SetWindowPosition(window->objectName(), window->frameGeometry().topLeft());
  settings->Save();
}

}  // namespace moraku
