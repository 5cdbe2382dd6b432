#pragma once
// A station PC for tests: its own program folder, settings file and dialog script, logging
// into a shared log file that several of them may open.

#include "app/AppContext.h"
#include "logging/Form1.h"
#include "platform/LogDb.h"
#include "platform/SettingsStore.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

// The shared log with a network that fails on demand: each counter is the number of next calls
// of that kind that fail as an unreachable log does.
class FlakyLogDb : public LogDb {
public:
  using LogDb::LogDb;
  int failLoads = 0, failCounts = 0, failInserts = 0, failLookups = 0, failDeletes = 0, failUpdates = 0;
  // Whole-log reads begun.
  int loads = 0;

  RowReader orderedReader() override;
  std::optional<double> count() override;
  bool insert(const ContactRecord &record) override;
  std::optional<std::vector<ContactRecord>> rowsForCall(const QString &call) override;
  bool deleteAll() override;
  bool updateByCallBandTime(const QString &call, const QString &band, const QString &time,
                            const ContactRecord &record) override;
};

// A folder holding a new empty shared log.
struct TestLogFile {
  TestLogFile();
  QTemporaryDir dir;
  QString path;
};

class frmStationID;
class QTimer;
class QWindow;

class TestPc {
public:
  // Opens `logPath` on a connection of its own, through a FlakyLogDb.
  explicit TestPc(const QString &logPath);
  ~TestPc();

  QTemporaryDir programDir;
  ScriptedDialogs dialogs;
  FakeClock clock;
  std::unique_ptr<SettingsStore> settings;
  SoundLog sounds; // what the windows' wave players played
  std::unique_ptr<AppContext> ctx;

  Form1 &form() { return ctx->window<Form1>(); }
  // The main window laid out as its load lays it out (the screen, the list columns, the form
  // size), without the rest of the load; laid out once however often it is asked for.
  Form1 &laidOutForm();
  FlakyLogDb &flaky() { return static_cast<FlakyLogDb &>(ctx->db()); }
  LoggingState &state() { return ctx->logging; }
  // The shared log's rows in stored order, as this PC reads them.
  std::vector<ContactRecord> table();
  // The preferences file of this PC, and one of its lines (1-based) as stored, empty when the
  // file or the line is not there.
  QString preferencesPath() const;
  QString storedPreference(int line) const;
  // Copies the repository's data file `name` into the program folder, as an installation has it.
  bool shipDataFile(const QString &name) const;
  // From now on, each time station setup shows, `typing` fills it in and Done is clicked.
  void answerStationSetup(std::function<void(frmStationID &)> typing = {});
  // Fills the entry row as the operator would have typed it.
  void type(const QString &call, const QString &rstr = QStringLiteral("599"),
            const QString &serial = QStringLiteral("1"), const QString &country = QStringLiteral("USA"),
            const QString &prefix = QStringLiteral("K1"), const QString &points = QStringLiteral("1"));

private:
  bool laidOut_ = false;
  std::unique_ptr<QTimer> setupOperator_;
};

// Failing checks show texts as text, line ends visible.
inline void PrintTo(const QString &text, std::ostream *out) {
  *out
      << '"'
      << QString(text).replace(u'\r', QLatin1String("\\r")).replace(u'\n', QLatin1String("\\n")).toStdString()
      << '"';
}

// A home folder of its own for the test, with the XDG folders at their defaults inside it.
class TempHome {
public:
  TempHome();
  ~TempHome();
  QTemporaryDir dir;
  QString path(const QString &relative) const { return dir.path() + relative; }

private:
  struct Saved {
    const char *name;
    QByteArray value;
    bool set;
  };
  std::vector<Saved> saved_;
};

// A station PC in a home folder of its own, with a log file of its own.
struct PcAtHome {
  TempHome home;
  TestLogFile log;
  TestPc pc{log.path};
};

// The first value SQLite answers to "PRAGMA <name>" on the file at `path`, on a connection of
// its own ("ok" from integrity_check for a sound file).
QString pragmaValue(const QString &path, const QString &name);

// The folder of the repository's own data files.
QString sourceDataDir();
// The recorded prompt `name` ("Call", "Dupe"...) among them, as a wave file's path.
QString promptFile(const QString &name);

// Saves a picture of `window` as <name>.png in the folder named by ORVEX_SCREENSHOTS, when set,
// for people to look at (run the tests under xvfb-run with QT_QPA_PLATFORM=xcb to see them as
// a real X server draws them).
void saveScreenshot(QWidget &window, const QString &name);

// Runs `during` on the next modal window once it is up, then closes that window. It looks every
// 10 ms (a timer, not posted work, which would run before the keys that open the window), as a
// load that lets events run, or a loaded machine, may bring the window up late; after about 5 s
// it gives up and hands over nullptr.
void whenModal(QObject *context, std::function<void(QWidget *)> during);

// Queues typed keys (letters, digits, Space, Enter as "\r", Backspace as "\b", "<" for Shift+Tab,
// Escape as "\x1b", other Ctrl+A to Ctrl+Z as their control characters, function keys as
// functionKey(n), Alt+letter as altKey(letter), Up and Down as upKey() and downKey()) as the
// window system queues keys it has read but not yet delivered: all of them wait for the next
// round of events, as keys typed while the program is busy do.
void queueKeys(QWindow *window, const QString &keys);
// The window system gives `window` the focus, as it does when a menu over it closes (the
// offscreen platform leaves it on the closed menu).
void windowSystemActivates(QWindow *window);
// Another program takes the window system's focus from the program's windows, as a click on it
// would.
inline void anotherProgramTakesTheFocus() {
  windowSystemActivates(nullptr);
}
// F1 to F12 among the keys for queueKeys.
inline QChar functionKey(int n) {
  return QChar(0xE000 + n);
}
inline QChar altKey(char letter) {
  return QChar(0xE100 + letter);
}
inline QChar upKey() {
  return QChar(0xE200);
}
inline QChar downKey() {
  return QChar(0xE201);
}

// One station PC with its main window laid out, shown and active: widget tests that move the focus need
// an active window.
class ShownMainWindow : public ::testing::Test {
protected:
  TestLogFile file;
  TestPc pc{file.path};
  Form1 &f = pc.laidOutForm();
  LoggingState &s = pc.state();

  void SetUp() override;
};
