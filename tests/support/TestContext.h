#pragma once
// A station PC for tests: its own program folder, settings file and dialog script, logging
// into a shared log file that several of them may open.

#include "app/AppContext.h"
#include "logging/Form1.h"
#include "platform/SettingsStore.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include "platform/LogDb.h"

// The shared log with a network that fails on demand: each counter is the number of next calls
// of that kind that fail as an unreachable log does.
class FlakyLogDb : public LogDb {
public:
  using LogDb::LogDb;
  int failLoads = 0, failCounts = 0, failInserts = 0, failLookups = 0, failDeletes = 0;

  bool loadAllOrdered(const std::function<bool(const ContactRecord &)> &row) override;
  std::optional<double> count() override;
  bool insert(const ContactRecord &record) override;
  std::optional<std::vector<ContactRecord>> rowsForCall(const QString &call) override;
  bool deleteAll() override;
};

// A folder holding a new empty shared log.
struct TestLogFile {
  TestLogFile();
  QTemporaryDir dir;
  QString path;
};

class TestPc {
public:
  // Opens `logPath` on a connection of its own, through a FlakyLogDb.
  explicit TestPc(const QString &logPath);
  ~TestPc();

  QTemporaryDir programDir;
  ScriptedDialogs dialogs;
  FakeClock clock;
  std::unique_ptr<SettingsStore> settings;
  RecordingPromptPlayer prompts;
  std::unique_ptr<AppContext> ctx;

  Form1 &form() { return ctx->window<Form1>(); }
  FlakyLogDb &flaky() { return static_cast<FlakyLogDb &>(ctx->db()); }
  LoggingState &state() { return ctx->logging; }
  // The shared log's rows in stored order, as this PC reads them.
  std::vector<ContactRecord> table();
  // Fills the entry row as the operator would have typed it.
  void type(const QString &call, const QString &rstr = QStringLiteral("599"),
            const QString &serial = QStringLiteral("1"), const QString &country = QStringLiteral("USA"),
            const QString &prefix = QStringLiteral("K1"), const QString &points = QStringLiteral("1"));
};

// The folder of the repository's own data files.
QString sourceDataDir();

// Saves a picture of `window` as <name>.png in the folder named by ORVEX_SCREENSHOTS, when set,
// for people to look at (run the tests under xvfb-run with QT_QPA_PLATFORM=xcb to see them as
// a real X server draws them).
void saveScreenshot(QWidget &window, const QString &name);

// One station PC with its main window shown and active: widget tests that move the focus need
// an active window.
class ShownMainWindow : public ::testing::Test {
protected:
  TestLogFile file;
  TestPc pc{file.path};
  Form1 &f = pc.form();
  LoggingState &s = pc.state();

  void SetUp() override;
};
