// A busy shared log at contest size (14,000 contacts) and at ten times that: what the operator
// waits for on the user-interface thread, each beside its floor in the same run (SQLite's C API
// for reading and writing the log, a plain loop for text). The ratios are printed at the end,
// and before them the refresh tick's median and maximum over its 60 ticks.
// Run: cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVEX_BENCH=ON &&
//      ninja -C build-bench shared_log_bench && build-bench/bench/shared_log_bench
#include "app/AppContext.h"
#include "bench/BenchMain.h"
#include "logging/ContactListView.h"
#include "logging/Form1.h"
#include "logging/LogArrays.h"
#include "logging/LogRules.h"
#include "output/AdifExport.h"
#include "output/Cabrillo.h"
#include "platform/Background.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

const char *const kBands[] = {"160", "80", "40", "20", "15", "10"};
const char *const kCountries[] = {"USA", "Japan", "Germany", "Italy", "Brazil", "Alaska", "Canada"};

// The contacts of a log of `n` contacts spread over the two days up to now, newest last, so that
// the last hour holds its share of them.
ContactRecord contact(int i, int n, const QDateTime &now) {
  const QDateTime when = now.addSecs(-static_cast<qint64>(172800.0 * (n - i) / n));
  const QString prefix =
      QStringLiteral("%1%2%3").arg(QChar(u'A' + i % 26)).arg(QChar(u'A' + i / 26 % 26)).arg(i / 676 % 10);
  return {prefix + QStringLiteral("XYZ"),
          QStringLiteral("599"),
          QString::number(i % 3000 + 1),
          QStringLiteral("599"),
          when.toString(QStringLiteral("yyyy/MM/dd")),
          when.toString(QStringLiteral("HH:mm:ss")),
          QString::number(1 + i % 3),
          QString::number(i + 1).rightJustified(3, u'0'),
          QString::fromLatin1(kBands[i % 6]),
          QStringLiteral("1"),
          QString::fromLatin1(kCountries[i % 7]),
          prefix};
}

// A log file of n contacts and another PC's connection to it.
struct LogFile {
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("OrvexLog.MDB"));
  LogDb other;
  explicit LogFile(int n) : other(QStringLiteral("bench-other-%1").arg(n)) {
    LogDb::createEmpty(path);
    other.open(path);
    QSqlDatabase raw = QSqlDatabase::database(QStringLiteral("bench-other-%1").arg(n));
    raw.transaction();
    const QDateTime now = SystemClock().now();
    for (int i = 0; i < n; ++i)
      other.insert(contact(i, n, now));
    raw.commit();
  }
};

// One T per log size, made on first use and never destroyed: the program's windows and
// connections outlive the benchmarks.
template <class T> T &perSize(int n) {
  static auto *made = new std::map<int, std::unique_ptr<T>>;
  auto &one = (*made)[n];
  if (!one)
    one = std::make_unique<T>(n);
  return *one;
}

LogFile &logFile(int n) {
  return perSize<LogFile>(n);
}

class SilentDialogs : public QtDialogs {
public:
  void beep() override {}
};

Folders programFolder(int n) {
  Folders f;
  f.ProgramFolder = logFile(n).dir.path();
  return f;
}

// A station PC with the log of n contacts loaded, logged on, listing the last 20.
struct Station {
  SilentDialogs dialogs;
  SystemClock clock;
  SettingsStore settings;
  AppContext ctx;
  Form1 &form;
  explicit Station(int n)
      : settings(logFile(n).dir.filePath(QStringLiteral("settings.ini"))),
        ctx(programFolder(n), dialogs, clock, settings,
            std::make_unique<LogDb>(QStringLiteral("bench-station-%1").arg(n))),
        form(ctx.window<Form1>()) {
    ctx.db().open(logFile(n).path);
    ctx.logging.LoggedOn = 1;
    ctx.logging.CurrentBand = QStringLiteral("20");
    form.Worklist();
  }
};

Station &station(int n) {
  return perSize<Station>(n);
}

// The refresh tick's median and maximum on the user-interface thread, per log size.
struct TickFigures {
  double medianMs = 0, maxMs = 0;
  size_t ticks = 0;
};
std::map<int, TickFigures> &tickFigures() {
  static std::map<int, TickFigures> figures;
  return figures;
}

void printTickFigures() {
  std::cout << "\nRefresh tick after another PC logged, user-interface thread (median / maximum):\n";
  for (const auto &[n, f] : tickFigures())
    std::cout << n << " contacts, " << f.ticks << " ticks: " << f.medianMs << " ms / " << f.maxMs << " ms\n";
}

// What the user-interface thread spends on `act`: the act itself, and the events it leaves
// behind once the worker has done its part.
struct UiTime {
  double actMs = 0, eventsMs = 0;
};
UiTime userInterfaceTime(Station &s, const std::function<void()> &act) {
  UiTime out;
  QElapsedTimer t;
  t.start();
  act();
  out.actMs = msSince(t);
  s.ctx.background->waitForDone();
  t.restart();
  QCoreApplication::processEvents();
  out.eventsMs = msSince(t);
  return out;
}

// Another PC logs one contact, then this PC's refresh tick runs, with the backup held off. The
// time is what the user-interface thread spends: the tick, and the events it leaves behind
// once their work is done (the take-in of the log read). The median and the maximum over every
// tick: a stall shows in the maximum only.
void RefreshTickAfterAnotherPcLogged(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  Station &s = station(n);
  LogFile &f = logFile(n);
  int i = 0;
  double tickMs = 0, takeInMs = 0;
  std::vector<double> uiMs;
  for (auto _ : state) {
    f.other.insert(contact(n + i++, n, SystemClock().now()));
    s.ctx.logging.BackupTickCount = 0;
    const UiTime t = userInterfaceTime(s, [&s] { s.form.Timer3_Timer(); });
    tickMs += t.actMs;
    takeInMs += t.eventsMs;
    uiMs.push_back(t.actMs + t.eventsMs);
    state.SetIterationTime((t.actMs + t.eventsMs) / 1000);
  }
  state.counters["contacts"] = s.ctx.logging.log.ContactCount();
  state.counters["tick_ms"] = tickMs / static_cast<double>(state.iterations());
  state.counters["take_in_ms"] = takeInMs / static_cast<double>(state.iterations());
  const TickFigures figures{median(uiMs), *std::max_element(uiMs.begin(), uiMs.end()), uiMs.size()};
  state.counters["median_ms"] = figures.medianMs;
  state.counters["max_ms"] = figures.maxMs;
  tickFigures()[n] = figures;
}

// The floor of logging a contact: the dupe select and the insert, with SQLite's C API.
class CApiLogger {
public:
  explicit CApiLogger(const QString &path) {
    sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
  }
  ~CApiLogger() { sqlite3_close(db_); }
  CApiLogger(const CApiLogger &) = delete;
  CApiLogger &operator=(const CApiLogger &) = delete;

  void log(const QByteArray &call) {
    sqlite3_stmt *q = nullptr;
    sqlite3_prepare_v2(db_, "select * from tblLog where calls = ? order by rowid", -1, &q, nullptr);
    sqlite3_bind_text(q, 1, call.constData(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(q) == SQLITE_ROW)
      benchmark::DoNotOptimize(sqlite3_column_text(q, 0));
    sqlite3_finalize(q);
    sqlite3_prepare_v2(
        db_,
        "insert into tblLog values (?,'599','1','599','2024/03/31','12:00:00','1','001','20','1','USA','W1')",
        -1, &q, nullptr);
    sqlite3_bind_text(q, 1, call.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_step(q);
    sqlite3_finalize(q);
  }

private:
  sqlite3 *db_ = nullptr;
};

// A ratio's name with the size of the log it was taken at.
std::string atSize(const benchmark::State &state, const std::string &what) {
  return what + "/" + std::to_string(state.range(0));
}

// Enter on a complete entry row: dupe check, insert, list, score, serial and rates; beside it
// another call logged through the C API on the same file.
void LogOneContact(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  Station &s = station(n);
  const bool all = state.range(1) == 1;
  if ((s.ctx.logging.ListAllFlag == 1) != all)
    s.form.cmdList_Click();
  CApiLogger floor(logFile(n).path);
  static int logged = 0; // every call new, so that none is a dupe
  sideBySide(
      state,
      atSize(state, all ? "Log one contact, list on All / C API select and insert"
                        : "Log one contact, list on Last 20 / C API select and insert"),
      [&s] {
        s.form.txtCall->setText(QStringLiteral("N%1QQ").arg(logged));
        s.form.txtRSTR->setText(QStringLiteral("599"));
        s.form.txtSec->setText(QStringLiteral("123"));
        s.form.txtRSTS->setText(QStringLiteral("599"));
        s.form.txtCntry->setText(QStringLiteral("USA"));
        s.form.txtPref->setText(QStringLiteral("N1"));
        s.form.txtPoints->setText(QStringLiteral("1"));
      },
      [&s] { s.form.Mains(); },
      [&floor] {
        floor.log(QByteArrayLiteral("W") + QByteArray::number(logged++) + QByteArrayLiteral("QQ"));
      });
  state.counters["listed"] = s.form.ListView1->rowCount();
}

// A key typed in the call field: the partial-dupe walk for a call the log does not hold.
void KeyTypedInCallField(benchmark::State &state) {
  Station &s = station(static_cast<int>(state.range(0)));
  s.form.txtCall->setText(QStringLiteral("DL"));
  for (auto _ : state)
    s.form.PartialDupCheck('1');
  s.form.txtCall->setText(QString());
}

void Backup(benchmark::State &state) {
  Station &s = station(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const UiTime t = userInterfaceTime(s, [&s] { s.form.BackupLog(); });
    state.SetIterationTime((t.actMs + t.eventsMs) / 1000);
  }
}

// The floor of a reload: the same rows in the same order, read with SQLite's C API into owned
// strings.
void cApiOrderedRead(const QByteArray &path) {
  sqlite3 *db = nullptr;
  sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt *q = nullptr;
  sqlite3_prepare_v2(db,
                     "select calls, rstr, serialr, rsts, flddate, fldtime, points, serials, uband, trn, "
                     "countryworked, prefix from tblLog order by flddate, fldtime, rowid",
                     -1, &q, nullptr);
  std::vector<std::array<std::string, 12>> rows;
  while (sqlite3_step(q) == SQLITE_ROW) {
    auto &row = rows.emplace_back();
    for (int c = 0; c < 12; ++c)
      row[static_cast<size_t>(c)].assign(reinterpret_cast<const char *>(sqlite3_column_text(q, c)),
                                         static_cast<size_t>(sqlite3_column_bytes(q, c)));
  }
  sqlite3_finalize(q);
  sqlite3_close(db);
  benchmark::DoNotOptimize(rows.size());
}

void ReloadIntoLogArrays(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  Station &s = station(n);
  const QByteArray path = logFile(n).path.toUtf8();
  sideBySide(
      state, atSize(state, "Reload into LogArrays / C API ordered read"), {},
      [&s] {
        LogArrays log;
        s.ctx.db().loadAllOrdered([&log](ContactRecord &&r) {
          log.append(entryFromRecord(std::move(r)));
          return true;
        });
        benchmark::DoNotOptimize(log.ContactCount());
      },
      [&path] { cApiOrderedRead(path); });
}

const LogArrays &loadedLog(int n) {
  return station(n).ctx.logging.log;
}

CabrilloHeader cabrilloHeader() {
  CabrilloHeader h;
  h.programTitle = QStringLiteral("Orvex");
  h.modeCode = QStringLiteral("CW");
  h.myCall = QStringLiteral("W1AW");
  return h;
}

// The log's fields as bytes, as a plain writer would hold them.
struct PlainContact {
  std::string calls, rstr, serialr, rsts, date, time, serials, band, trn, country, prefix;
};

std::vector<PlainContact> plainContacts(const LogArrays &log) {
  std::vector<PlainContact> out;
  for (int i = 1; i <= log.ContactCount(); ++i) {
    const LogEntry &e = log.slot(i);
    const auto b = [](const QString &s) { return s.toStdString(); };
    out.push_back({b(e.calls), b(e.rstr), b(e.serialr), b(e.rsts), b(e.flddate), b(e.fldtime), b(e.serials),
                   b(e.uband), b(e.trn), b(e.countryworked), b(e.prefix)});
  }
  return out;
}

void padTo(std::string &out, size_t lineStart, size_t column) {
  if (out.size() - lineStart < column - 1)
    out.append(column - 1 - (out.size() - lineStart), ' ');
}

// Cabrillo QSO lines written byte by byte into one buffer: the header aside, the same bytes.
std::string plainCabrilloQsos(const std::vector<PlainContact> &contacts, const std::string &myCall) {
  static const std::unordered_map<std::string, std::string> freq = {
      {"160", " 1800"}, {"80", " 3500"}, {"40", " 7000"}, {"20", "14000"}, {"15", "21000"}, {"10", "28000"}};
  std::string out;
  for (const PlainContact &c : contacts) {
    const size_t start = out.size();
    out += "QSO:";
    const auto f = freq.find(c.band);
    const std::string fr = f == freq.end() ? std::string() : f->second;
    padTo(out, start, 11 - fr.size());
    out += fr;
    padTo(out, start, 12);
    out += "CW";
    padTo(out, start, 15);
    out.append(c.date, 0, 4).append("-").append(c.date, 5, 2).append("-").append(c.date, 8, 2);
    padTo(out, start, 26);
    out.append(c.time, 0, 2).append(c.time, 3, 2);
    for (const auto &[column, value] :
         {std::pair{31, &myCall}, std::pair{45, &c.rsts}, std::pair{49, &c.serials}, std::pair{56, &c.calls},
          std::pair{70, &c.rstr}, std::pair{74, &c.serialr}, std::pair{81, &c.trn}}) {
      padTo(out, start, static_cast<size_t>(column));
      out += *value;
    }
    out += "\r\n";
  }
  return out;
}

void CabrilloText(benchmark::State &state) {
  const LogArrays &log = loadedLog(static_cast<int>(state.range(0)));
  const CabrilloHeader header = cabrilloHeader();
  const std::vector<PlainContact> contacts = plainContacts(log);
  if (cabrilloLog(header, log).toStdString().find(plainCabrilloQsos(contacts, "W1AW")) == std::string::npos)
    state.SkipWithError("the plain loop does not write the program's QSO lines");
  sideBySide(
      state, atSize(state, "Cabrillo text / plain loop"), {},
      [&] { benchmark::DoNotOptimize(cabrilloLog(header, log)); },
      [&] { benchmark::DoNotOptimize(plainCabrilloQsos(contacts, "W1AW")); });
}

DxccTable dxccTable() {
  QString error;
  auto t = DxccTable::read(QStringLiteral(ORVEX_SOURCE_DIR "/data/ADIFCnt.txt"), &error);
  if (!t) {
    std::cerr << error.toStdString() << '\n';
    std::exit(1);
  }
  return *t;
}

void adifField(std::string &out, const char *tag, const std::string &value) {
  out.append("<").append(tag).append(":").append(std::to_string(value.size())).append(">").append(value);
}

// ADIF records written byte by byte into one buffer, DXCC numbers from a hash.
std::string plainAdifRecords(const std::vector<PlainContact> &contacts,
                             const std::unordered_map<std::string, int> &dxcc) {
  std::string out;
  for (const PlainContact &c : contacts) {
    adifField(out, "Call", c.calls);
    out.append(" <Qso_Date:8:d>").append(c.date, 0, 4).append(c.date, 5, 2).append(c.date, 8, 2);
    out += ' ';
    adifField(out, "Band", c.band + 'M');
    out += ' ';
    adifField(out, "Mode", "CW");
    out += "\r\n";
    adifField(out, "Tx_Pwr", "100");
    out += ' ';
    adifField(out, "Time_On", c.time.substr(0, 2) + c.time.substr(3, 2));
    out += ' ';
    std::string upper = c.country;
    for (char &ch : upper)
      ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (const auto d = dxcc.find(upper); d != dxcc.end()) {
      adifField(out, "DXCC", std::to_string(d->second));
      out += ' ';
    }
    if (c.country == "Alaska") {
      adifField(out, "State", "AK");
      out += ' ';
    }
    adifField(out, "RST_Sent", c.rsts);
    out += ' ';
    adifField(out, "RST_Rcvd", c.rstr);
    out += ' ';
    adifField(out, "Pfx", c.prefix);
    out += ' ';
    adifField(out, "Comment", "CQ WPX Contest");
    out += "\r\n<eor>\r\n\r\n";
  }
  return out;
}

void AdifTextBench(benchmark::State &state) {
  const LogArrays &log = loadedLog(static_cast<int>(state.range(0)));
  const std::vector<PlainContact> contacts = plainContacts(log);
  const DxccTable table = dxccTable();
  std::unordered_map<std::string, int> dxcc;
  for (const char *country : kCountries) {
    std::string upper = country;
    for (char &ch : upper)
      ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (const int number = table.number(QString::fromLatin1(country)); number > 0)
      dxcc.emplace(upper, number);
  }
  const auto program = [&] {
    return adifText(log, QStringLiteral("CW"), table, {QStringLiteral("Orvex"), QStringLiteral("1.1.2027")},
                    {QStringLiteral("100"), QStringLiteral("CQ WPX Contest")});
  };
  if (program().toStdString().find(plainAdifRecords(contacts, dxcc)) == std::string::npos)
    state.SkipWithError("the plain loop does not write the program's records");
  sideBySide(
      state, atSize(state, "ADIF text / plain loop"), {}, [&] { benchmark::DoNotOptimize(program()); },
      [&] { benchmark::DoNotOptimize(plainAdifRecords(contacts, dxcc)); });
}

void sizes(benchmark::internal::Benchmark *b) {
  b->Arg(14000)->Arg(140000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(RefreshTickAfterAnotherPcLogged)->Apply(sizes)->UseManualTime()->Iterations(60);
BENCHMARK(LogOneContact)
    ->ArgsProduct({{14000, 140000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);
BENCHMARK(KeyTypedInCallField)->Apply(sizes);
BENCHMARK(Backup)->Apply(sizes)->UseManualTime()->Iterations(10);
// Medians of a few seconds each: the ratios then hold from run to run.
BENCHMARK(ReloadIntoLogArrays)->Apply(sizes)->MinTime(3);
BENCHMARK(CabrilloText)->Apply(sizes)->MinTime(3);
BENCHMARK(AdifTextBench)->Apply(sizes)->MinTime(3);

} // namespace

int main(int argc, char **argv) {
  return runBenchmarks(argc, argv, nullptr, [] {
    printTickFigures();
    printSameRunRatios();
  });
}
