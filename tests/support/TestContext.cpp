#include "tests/support/TestContext.h"

#include "platform/Controls.h"
#include "platform/LogDb.h"

#include <QAtomicInt>
#include <QDir>
#include <QTest>
#include <QWidget>

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

bool FlakyLogDb::loadAllOrdered(const std::function<bool(const ContactRecord &)> &row) {
  if (!takeFailure(failLoads))
    return LogDb::loadAllOrdered(row);
  // Fails part-way, after the first row, as a dropped connection does.
  LogDb::loadAllOrdered([&row](const ContactRecord &r) {
    row(r);
    return false;
  });
  return fail(QStringLiteral("network error"));
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

TestPc::TestPc(const QString &logPath) {
  settings = std::make_unique<SettingsStore>(programDir.filePath(QStringLiteral("settings.ini")));
  Folders folders;
  folders.ProgramFolder = programDir.path();
  folders.DataFolder = programDir.filePath(QStringLiteral("data"));
  folders.SharedFolder = programDir.filePath(QStringLiteral("shared"));
  ctx = std::make_unique<AppContext>(folders, dialogs, clock, *settings, prompts,
                                     std::make_unique<FlakyLogDb>(nextConnectionName()));
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

QString sourceDataDir() {
  return QStringLiteral(ORVEX_SOURCE_DIR "/data");
}

void saveScreenshot(QWidget &window, const QString &name) {
  const QString folder = qEnvironmentVariable("ORVEX_SCREENSHOTS");
  if (!folder.isEmpty())
    window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

void ShownMainWindow::SetUp() {
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
}
