// The shared log at contest size: loading 14,000 contacts into memory, and the dupe check plus
// insert of one contact, each against a plain Qt SQL baseline on the same file in the same run;
// and the main window's reload with every contact listed, beside the list fill alone; and one
// key typed into the call field through the shown window, with the whole log in memory.
// Run: cmake -B build -DORVEX_BENCH=ON && ninja -C build log_store_bench && build/bench/log_store_bench
#include "app/AppContext.h"
#include "bench/BenchMain.h"
#include "logging/ContactListView.h"
#include "logging/Form1.h"
#include "logging/LogArrays.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QVariant>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kContacts = 14000;

struct Fixture {
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("OrvexLog.MDB"));
  LogDb db{QStringLiteral("bench-store")};
  Fixture() {
    LogDb::createEmpty(path);
    db.open(path);
    QSqlDatabase raw = QSqlDatabase::database(QStringLiteral("bench-store"));
    raw.transaction();
    for (int i = 0; i < kContacts; ++i) {
      const QString n = QString::number(i);
      db.insert({QStringLiteral("K%1ABC").arg(i), QStringLiteral("599"), n, QStringLiteral("599"),
                 QStringLiteral("2024/03/%1").arg(30 + i / 10000), QStringLiteral("%1").arg(i % 86400),
                 QStringLiteral("2"), n.rightJustified(3, u'0'), QStringLiteral("20"), QStringLiteral("1"),
                 QStringLiteral("USA"), QStringLiteral("K%1").arg(i % 10)});
    }
    raw.commit();
  }
};

// The log file and the station on it live until main() lets them go, before the application
// object: a window outliving QApplication crashes the program at exit.
std::unique_ptr<Fixture> &fixtureSlot() {
  static std::unique_ptr<Fixture> f;
  return f;
}

Fixture &fixture() {
  auto &f = fixtureSlot();
  if (!f)
    f = std::make_unique<Fixture>();
  return *f;
}

void LoadIntoLogArrays(benchmark::State &state) {
  Fixture &f = fixture();
  for (auto _ : state) {
    LogArrays log;
    f.db.loadAllOrdered([&log](ContactRecord &&r) {
      log.append(entryFromRecord(std::move(r)));
      return true;
    });
    benchmark::DoNotOptimize(log.ContactCount());
  }
}
BENCHMARK(LoadIntoLogArrays)->Unit(benchmark::kMillisecond);

void PlainOrderedRead(benchmark::State &state) {
  fixture();
  QSqlDatabase raw = QSqlDatabase::database(QStringLiteral("bench-store"));
  for (auto _ : state) {
    QSqlQuery q(raw);
    q.setForwardOnly(true);
    q.exec(QStringLiteral("select * from tblLog order by flddate, fldtime"));
    int rows = 0;
    while (q.next()) {
      for (int c = 0; c < 12; ++c)
        benchmark::DoNotOptimize(q.value(c).toString());
      ++rows;
    }
    benchmark::DoNotOptimize(rows);
  }
}
BENCHMARK(PlainOrderedRead)->Unit(benchmark::kMillisecond);

// A station PC on the benchmark's log whose contact list shows every contact.
struct Station {
  QtDialogs dialogs;
  SystemClock clock;
  SettingsStore settings{fixture().dir.filePath(QStringLiteral("settings.ini"))};
  // The program folder is the log's: the files the window writes (preferences, backup) go
  // there, not into the folder the benchmark was started from.
  AppContext ctx{Folders{fixture().dir.path(), {}, {}, {}}, dialogs, clock, settings,
                 std::make_unique<LogDb>(QStringLiteral("bench-station"))};
  Form1 &form = ctx.window<Form1>();
  Station() {
    ctx.db().open(fixture().path);
    ctx.logging.ListAllFlag = 1;
    form.Worklist();
  }
};

std::unique_ptr<Station> &stationSlot() {
  static std::unique_ptr<Station> s;
  return s;
}

Station &station() {
  auto &s = stationSlot();
  if (!s)
    s = std::make_unique<Station>();
  return *s;
}

void ReloadListingAll(benchmark::State &state) {
  Form1 &form = station().form;
  for (auto _ : state)
    form.Worklist();
  state.counters["listed"] = form.ListView1->rowCount();
}
BENCHMARK(ReloadListingAll)->Unit(benchmark::kMillisecond);

void ListAllContacts(benchmark::State &state) {
  Form1 &form = station().form;
  for (auto _ : state)
    form.ListDisplay();
  state.counters["listed"] = form.ListView1->rowCount();
}
BENCHMARK(ListAllContacts)->Unit(benchmark::kMillisecond);

// Alternately a digit and Backspace after "K1": the partial-dupe scan runs over every contact.
void TypedKeyInTheCallField(benchmark::State &state) {
  Form1 &form = station().form;
  form.show();
  form.activateWindow();
  if (!QTest::qWaitForWindowActive(&form)) {
    state.SkipWithError("the window never became active");
    return;
  }
  form.cmdLogOn_Click();
  form.txtCall->setFocus();
  form.txtCall->setText(QStringLiteral("K1"));
  form.txtCall->end(false);
  bool digit = true;
  for (auto _ : state) {
    if (digit)
      QTest::keyClick(form.windowHandle(), Qt::Key_2, Qt::NoModifier);
    else
      QTest::keyClick(form.windowHandle(), Qt::Key_Backspace, Qt::NoModifier);
    digit = !digit;
  }
  state.counters["contacts"] = form.ctx.logging.log.ContactCount();
}
BENCHMARK(TypedKeyInTheCallField)->Unit(benchmark::kMicrosecond);

void DupeCheckAndInsert(benchmark::State &state) {
  Fixture &f = fixture();
  int i = 0;
  for (auto _ : state) {
    const QString call = QStringLiteral("N%1XYZ").arg(i++);
    auto rows = f.db.rowsForCall(call);
    benchmark::DoNotOptimize(rows);
    f.db.insert({call, QStringLiteral("599"), QStringLiteral("1"), QStringLiteral("599"),
                 QStringLiteral("2024/03/31"), QStringLiteral("12:00:00"), QStringLiteral("1"),
                 QStringLiteral("001"), QStringLiteral("20"), QStringLiteral("1"), QStringLiteral("USA"),
                 QStringLiteral("N1")});
  }
}
BENCHMARK(DupeCheckAndInsert)->Unit(benchmark::kMicrosecond);

void PlainSelectAndInsert(benchmark::State &state) {
  fixture();
  QSqlDatabase raw = QSqlDatabase::database(QStringLiteral("bench-store"));
  int i = 0;
  for (auto _ : state) {
    const QString call = QStringLiteral("W%1XYZ").arg(i++);
    {
      QSqlQuery q(raw);
      q.prepare(QStringLiteral("select * from tblLog where calls = ?"));
      q.addBindValue(call);
      q.exec();
      while (q.next())
        benchmark::DoNotOptimize(q.value(0));
    }
    QSqlQuery ins(raw);
    ins.prepare(QStringLiteral("insert into tblLog values (?,?,?,?,?,?,?,?,?,?,?,?)"));
    for (const char *v :
         {"", "599", "1", "599", "2024/03/31", "12:00:00", "1", "001", "20", "1", "USA", "W1"})
      ins.addBindValue(QString::fromLatin1(v));
    ins.bindValue(0, call);
    ins.exec();
  }
}
BENCHMARK(PlainSelectAndInsert)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  installKeyLayer();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  stationSlot().reset();
  fixtureSlot().reset();
  return 0;
}
