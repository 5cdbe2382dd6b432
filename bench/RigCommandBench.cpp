// Tuning the rig. Command building per family against a direct reference that makes the same
// bytes with one snprintf and a loop; and ChangeFrequency end to end on a pseudo-terminal with
// the rig simulator and the real clock, timed less the family's own prescribed pauses.
#include "app/AppContext.h"
#include "bench/BenchMain.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"
#include "platform/SettingsStore.h"
#include "platform/Timer.h"
#include "rig/RigCommands.h"
#include "rig/RigControlfrm.h"
#include "tests/rig/RigSimulator.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {

const TuneTexts kKenwood{QStringLiteral("Kenwood"), QStringLiteral("FA;"), QStringLiteral("MD;")};
const TuneTexts kIcom{QStringLiteral("Icom"), QStringLiteral("FE FE 64 E0 03 FD"), QString()};
const TuneTexts kYaesu890{QStringLiteral("Yaesu 890"), QStringLiteral("00 00 00 02 10"), QString()};
const TuneTexts kPanel{QStringLiteral("Ten Tec Fnt Pnl"), QStringLiteral("3F 41 0D"), QString()};

void build(benchmark::State &state, const TuneTexts &texts) {
  for (auto _ : state)
    benchmark::DoNotOptimize(frequencyCommand(texts, 14.025f));
  state.SetLabel(texts.rigType.toStdString());
}

// The same bytes made directly: the digits by one snprintf, the binary bytes by a loop.
void reference(benchmark::State &state, int family) {
  for (auto _ : state) {
    char digits[32];
    const auto hertz = static_cast<long long>(std::nearbyint(double(14.025f) * 1e6));
    QByteArray out;
    if (family == 0) {
      std::snprintf(digits, sizeof digits, "FA%011lld;", hertz);
      out = QByteArray(digits);
    } else if (family == 1) {
      std::snprintf(digits, sizeof digits, "%010lld", hertz);
      out = QByteArray::fromRawData("\xFE\xFE\x64\xE0\x05", 5);
      for (int i = 8; i >= 0; i -= 2)
        out.append(char((digits[i] - '0') << 4 | (digits[i + 1] - '0')));
      out.append('\xFD');
    } else if (family == 2) {
      std::snprintf(digits, sizeof digits, "%08lld", hertz / 10);
      for (int i = 6; i >= 0; i -= 2)
        out.append(char((digits[i] - '0') << 4 | (digits[i + 1] - '0')));
      out.append('\x0A');
    } else {
      out = QByteArray::fromRawData("*A", 2);
      for (int shift : {24, 16, 8, 0})
        out.append(char((hertz >> shift) & 0xFF));
      out.append('\r');
    }
    benchmark::DoNotOptimize(out);
  }
}

// A station PC polling one rig on a pseudo-terminal.
struct Station {
  BenchPc pc{QStringLiteral("rig-bench")};
  AppContext *ctx = &pc.ctx;
  std::unique_ptr<RigSimulator> sim;

  explicit Station(const QString &rigType) {
    qputenv("HOME", pc.dir.path().toLocal8Bit());
    sim = std::make_unique<RigSimulator>(rigType);
    sim->linkAs(2);
    RigControlfrm &rig = ctx->window<RigControlfrm>();
    rig.List1->setCurrentRow(int(rigList().indexOf(rigType)));
    rig.optComm[1]->setChecked(true);
    rig.Command1_Click();
    static_cast<QTimer *>(rig.tmrGetData)->stop();
  }
};

void changeFrequency(benchmark::State &state, const char *rigType) {
  Station station{QString::fromLatin1(rigType)};
  RigControlfrm &rig = station.ctx->window<RigControlfrm>();
  const TunePause pause = frequencyPause(QString::fromLatin1(rigType));
  const double prescribed = (pause.ms + pause.moreMs) / 1000.0;
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    rig.ChangeFrequency(14.025f);
    state.SetIterationTime(std::max(0.0, t.nsecsElapsed() / 1e9 - prescribed));
    station.sim->serve();
  }
  state.SetLabel(rigType);
}

const int kRegistered = [] {
  benchmark::RegisterBenchmark("Build/Kenwood", [](benchmark::State &s) { build(s, kKenwood); });
  benchmark::RegisterBenchmark("Reference/Kenwood", [](benchmark::State &s) { reference(s, 0); });
  benchmark::RegisterBenchmark("Build/Icom", [](benchmark::State &s) { build(s, kIcom); });
  benchmark::RegisterBenchmark("Reference/Icom", [](benchmark::State &s) { reference(s, 1); });
  benchmark::RegisterBenchmark("Build/Yaesu 890", [](benchmark::State &s) { build(s, kYaesu890); });
  benchmark::RegisterBenchmark("Reference/Yaesu 890", [](benchmark::State &s) { reference(s, 2); });
  benchmark::RegisterBenchmark("Build/Ten Tec Fnt Pnl", [](benchmark::State &s) { build(s, kPanel); });
  benchmark::RegisterBenchmark("Reference/Ten Tec Fnt Pnl", [](benchmark::State &s) { reference(s, 3); });
  for (const char *rig : {"Kenwood", "Icom", "Yaesu 890", "Yaesu 1000", "Yaesu FTdx9000", "Ten Tec Orion",
                          "Ten Tec Fnt Pnl", "Elecraft"})
    benchmark::RegisterBenchmark((std::string("ChangeFrequencyLessPauses/") + rig).c_str(),
                                 [rig](benchmark::State &s) { changeFrequency(s, rig); })
        ->UseManualTime()
        ->Iterations(5)
        ->Unit(benchmark::kMillisecond);
  return 0;
}();

} // namespace

int main(int argc, char **argv) {
  RatioReporter reporter;
  return runBenchmarks(argc, argv, &reporter, [&reporter] {
    for (const char *family : {"Kenwood", "Icom", "Yaesu 890", "Ten Tec Fnt Pnl"})
      reporter.ratio(std::string("Build/") + family, std::string("Reference/") + family);
  });
}
