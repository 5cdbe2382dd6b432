#include "tests/support/TestContext.h"

#include "platform/Controls.h"
#include "platform/LogDb.h"

#include <QAtomicInt>

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

TestPc::TestPc(const QString &logPath, std::unique_ptr<LogDb> db) {
  settings = std::make_unique<SettingsStore>(programDir.filePath(QStringLiteral("settings.ini")));
  Folders folders;
  folders.ProgramFolder = programDir.path();
  folders.DataFolder = programDir.filePath(QStringLiteral("data"));
  folders.SharedFolder = programDir.filePath(QStringLiteral("shared"));
  if (!db)
    db = std::make_unique<LogDb>(nextConnectionName());
  ctx = std::make_unique<AppContext>(folders, dialogs, clock, *settings, prompts, std::move(db));
  ctx->logging.station.LogFilePath = logPath;
  if (!logPath.isEmpty())
    ctx->db().open(logPath);
}

TestPc::~TestPc() { ctx.reset(); }

void TestPc::type(const QString &call, const QString &rstr, const QString &serial,
                  const QString &country, const QString &prefix, const QString &points) {
  Form1 &f = form();
  f.txtCall->setText(call);
  f.txtRSTR->setText(rstr);
  f.txtSec->setText(serial);
  f.txtRSTS->setText(QStringLiteral("599"));
  f.txtCntry->setText(country);
  f.txtPref->setText(prefix);
  f.txtPoints->setText(points);
}

QString sourceDataDir() { return qEnvironmentVariable("ORVEX_SOURCE_DIR") + QStringLiteral("/data"); }
