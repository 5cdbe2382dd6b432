#include "platform/SettingsStore.h"

#include <QSettings>

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QStringLiteral("Q7TLV_Software"), QString())) {}

SettingsStore::SettingsStore(const QString &iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::get(const QString &key, const QString &defaultValue) const {
  return settings_->value(QStringLiteral("Settings/") + key, defaultValue).toString();
}

void SettingsStore::set(const QString &key, const QString &value) {
  settings_->setValue(QStringLiteral("Settings/") + key, value);
  settings_->sync();
}
