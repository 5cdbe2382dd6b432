#include "tests/support/TestContext.h"

#include "app/MainPreferences.h"
#include "logging/frmStationID.h"
#include "platform/Background.h"
#include "platform/Controls.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

#include <QApplication>
#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include <stdexcept>

namespace {
QString nextConnectionName() {
  static QAtomicInt counter;
  return QStringLiteral("test-pc-%1").arg(counter.fetchAndAddRelaxed(1));
}
} // namespace

TestLogFile::TestLogFile() : path(dir.filePath(QStringLiteral("OrvexLog.MDB"))) {
  if (!LogDb::createEmpty(path))
    throw std::runtime_error("could not create a test log");
}

namespace {
bool takeFailure(int &counter) {
  if (counter <= 0)
    return false;
  --counter;
  return true;
}
} // namespace

LogDb::RowReader FlakyLogDb::orderedReader() {
  ++loads;
  RowReader read = LogDb::orderedReader();
  if (!takeFailure(failLoads))
    return read;
  // Fails part-way, after the first row, as a dropped connection does.
  return [read](const std::function<bool(ContactRecord &&)> &row, QString &error) {
    read(
        [&row](ContactRecord &&r) {
          row(std::move(r));
          return false;
        },
        error);
    error = QStringLiteral("network error");
    return false;
  };
}

std::optional<double> FlakyLogDb::count() {
  if (takeFailure(failCounts)) {
    fail(QStringLiteral("network error"));
    return std::nullopt;
  }
  return LogDb::count();
}

bool FlakyLogDb::insert(const ContactRecord &record) {
  return takeFailure(failInserts) ? fail(QStringLiteral("network error")) : LogDb::insert(record);
}

std::optional<std::vector<ContactRecord>> FlakyLogDb::rowsForCall(const QString &call) {
  if (takeFailure(failLookups)) {
    fail(QStringLiteral("network error"));
    return std::nullopt;
  }
  return LogDb::rowsForCall(call);
}

bool FlakyLogDb::deleteAll() {
  return takeFailure(failDeletes) ? fail(QStringLiteral("network error")) : LogDb::deleteAll();
}

bool FlakyLogDb::updateByCallBandTime(const QString &call, const QString &band, const QString &time,
                                      const ContactRecord &record) {
  return takeFailure(failUpdates) ? fail(QStringLiteral("network error"))
                                  : LogDb::updateByCallBandTime(call, band, time, record);
}

TestPc::TestPc(const QString &logPath) {
  settings = std::make_unique<SettingsStore>(programDir.filePath(QStringLiteral("settings.ini")));
  Folders folders;
  folders.ProgramFolder = programDir.path();
  folders.DataFolder = programDir.filePath(QStringLiteral("data"));
  folders.SharedFolder = programDir.filePath(QStringLiteral("shared"));
  ctx = std::make_unique<AppContext>(folders, dialogs, clock, *settings,
                                     std::make_unique<FlakyLogDb>(nextConnectionName()));
  ctx->background = std::make_unique<InlineBackground>();
  ctx->newWavePlayer = [this] {
    return std::make_unique<WavePlayer>(clock, std::make_unique<FakeSoundOutput>(clock, sounds));
  };
  ctx->logging.station.LogFilePath = logPath;
  if (!logPath.isEmpty())
    ctx->db().open(logPath);
}

TestPc::~TestPc() {
  ctx.reset();
}

std::vector<ContactRecord> TestPc::table() {
  std::vector<ContactRecord> rows;
  ctx->db().loadAllOrdered([&](const ContactRecord &r) {
    rows.push_back(r);
    return true;
  });
  return rows;
}

Form1 &TestPc::laidOutForm() {
  Form1 &f = form();
  if (laidOut_)
    return f;
  laidOut_ = true;
  f.ScaleToScreen();
  f.AddListColumns();
  if (ctx->prefs.FormSizePercent < 100)
    f.ApplyFormSize();
  f.FitToScreen();
  return f;
}

QString TestPc::preferencesPath() const {
  return files::resolve(programDir.path(), kMainPreferencesFile);
}

bool TestPc::shipDataFile(const QString &name) const {
  return QFile::copy(QDir(sourceDataDir()).filePath(name), programDir.filePath(name));
}

QString TestPc::storedPreference(int line) const {
  return vb::readLatin1(preferencesPath()).value_or(QString()).split(QStringLiteral("\r\n")).value(line - 1);
}

void TestPc::answerStationSetup(std::function<void(frmStationID &)> typing) {
  setupOperator_ = std::make_unique<QTimer>();
  setupOperator_->setInterval(10);
  QObject::connect(setupOperator_.get(), &QTimer::timeout, [this, typing = std::move(typing)] {
    if (!ctx->loaded<frmStationID>() || !ctx->window<frmStationID>().isVisible())
      return;
    frmStationID &setup = ctx->window<frmStationID>();
    if (typing)
      typing(setup);
    setup.Command1->click();
  });
  setupOperator_->start();
}

void TestPc::type(const QString &call, const QString &rstr, const QString &serial, const QString &country,
                  const QString &prefix, const QString &points) {
  Form1 &f = form();
  f.txtCall->setText(call);
  f.txtRSTR->setText(rstr);
  f.txtSec->setText(serial);
  f.txtRSTS->setText(QStringLiteral("599"));
  f.txtCntry->setText(country);
  f.txtPref->setText(prefix);
  f.txtPoints->setText(points);
}

TempHome::TempHome() {
  for (const char *name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
    saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
  qputenv("HOME", dir.path().toLocal8Bit());
  qunsetenv("XDG_CONFIG_HOME");
  qunsetenv("XDG_DATA_HOME");
}

TempHome::~TempHome() {
  for (const Saved &s : saved_) {
    if (s.set)
      qputenv(s.name, s.value);
    else
      qunsetenv(s.name);
  }
}

QString pragmaValue(const QString &path, const QString &name) {
  const QString connection = QStringLiteral("pragma-%1").arg(reinterpret_cast<quintptr>(&path));
  QString value;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    if (db.open()) {
      QSqlQuery q(db);
      if (q.exec(QStringLiteral("PRAGMA ") + name) && q.next())
        value = q.value(0).toString();
    }
    db.close();
  }
  QSqlDatabase::removeDatabase(connection);
  return value;
}

QString sourceDataDir() {
  return QStringLiteral(ORVEX_SOURCE_DIR "/data");
}

QString promptFile(const QString &name) {
  return sourceDataDir() + QStringLiteral("/prompts/") + name + QStringLiteral(".wav");
}

namespace {

void lookForModal(QObject *context, std::function<void(QWidget *)> during, int triesLeft) {
  QTimer::singleShot(10, context, [context, during = std::move(during), triesLeft]() mutable {
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal && triesLeft > 0)
      return lookForModal(context, std::move(during), triesLeft - 1);
    during(modal);
    if (modal)
      modal->close();
  });
}

} // namespace

void whenModal(QObject *context, std::function<void(QWidget *)> during) {
  lookForModal(context, std::move(during), 500);
}

void saveScreenshot(QWidget &window, const QString &name) {
  const QString folder = qEnvironmentVariable("ORVEX_SCREENSHOTS");
  if (!folder.isEmpty())
    window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

void windowSystemActivates(QWindow *window) {
  QWindowSystemInterface::handleWindowActivated<QWindowSystemInterface::SynchronousDelivery>(window);
}

void queueKeys(QWindow *window, const QString &keys) {
  for (const QChar c : keys) {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    QString text(c);
    if (c == u'<') {
      key = Qt::Key_Backtab;
      modifiers = Qt::ShiftModifier;
      text.clear();
    } else if (c.unicode() > functionKey(0).unicode() && c.unicode() <= functionKey(12).unicode()) {
      key = Qt::Key_F1 + (c.unicode() - functionKey(1).unicode());
      text.clear();
    } else if (c.unicode() >= altKey('a').unicode() && c.unicode() <= altKey('z').unicode()) {
      key = Qt::Key_A + (c.unicode() - altKey('a').unicode());
      modifiers = Qt::AltModifier;
      text = QChar(c.unicode() - altKey(0).unicode());
    } else if (c == upKey() || c == downKey()) {
      key = c == upKey() ? Qt::Key_Up : Qt::Key_Down;
      text.clear();
    } else if (c == u'\x1b') {
      key = Qt::Key_Escape;
    } else if (c == u' ') {
      key = Qt::Key_Space;
    } else if (c == u'\r') {
      key = Qt::Key_Return;
    } else if (c == u'\b') {
      key = Qt::Key_Backspace;
    } else if (c.unicode() >= 1 && c.unicode() <= 26) {
      key = Qt::Key_A + (c.unicode() - 1);
      modifiers = Qt::ControlModifier;
    } else if (c.isDigit()) {
      key = Qt::Key_0 + c.digitValue();
    } else {
      key = Qt::Key_A + (c.toLower().unicode() - 'a');
    }
    for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease})
      QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(window, type, key,
                                                                                           modifiers, text);
  }
}

void ShownMainWindow::SetUp() {
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
}
