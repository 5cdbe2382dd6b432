#pragma once
// The per-user settings store: organisation "Q7TLV_Software", section "Settings".

#include <QString>

#include <memory>

class QSettings;

class SettingsStore {
public:
  SettingsStore();
  // A store kept in one INI file, for tests and for a second station on one machine.
  explicit SettingsStore(const QString &iniPath);
  ~SettingsStore();

  QString get(const QString &key, const QString &defaultValue = QString()) const;
  void set(const QString &key, const QString &value);

private:
  std::unique_ptr<QSettings> settings_;
};
