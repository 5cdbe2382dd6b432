#pragma once
// A station PC for tests: its own program folder, settings file and dialog script, logging
// into a shared log file that several of them may open.

#include "app/AppContext.h"
#include "logging/Form1.h"
#include "platform/SettingsStore.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTemporaryDir>

#include <memory>

class LogDb;

// A folder holding a new empty shared log.
struct TestLogFile {
  TestLogFile();
  QTemporaryDir dir;
  QString path;
};

class TestPc {
public:
  // Opens `logPath` on a connection of its own; `db` replaces the real log connection.
  explicit TestPc(const QString &logPath, std::unique_ptr<LogDb> db = nullptr);
  ~TestPc();

  QTemporaryDir programDir;
  ScriptedDialogs dialogs;
  FakeClock clock;
  std::unique_ptr<SettingsStore> settings;
  RecordingPromptPlayer prompts;
  std::unique_ptr<AppContext> ctx;

  Form1 &form() { return ctx->window<Form1>(); }
  LoggingState &state() { return ctx->logging; }
  // Fills the entry row as the operator would have typed it.
  void type(const QString &call, const QString &rstr = QStringLiteral("599"),
            const QString &serial = QStringLiteral("1"), const QString &country = QStringLiteral("USA"),
            const QString &prefix = QStringLiteral("K1"), const QString &points = QStringLiteral("1"));
};

// The folder of the repository's own data files.
QString sourceDataDir();
