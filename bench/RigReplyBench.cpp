// Reply parsers per family on one example reply and on a full 4,096-byte input of back-to-back
// replies, each beside a plain loop over the same bytes: a parser that walks its reply many
// times or builds text quadratically shows in the ratio. The fastest poll tick is 50 ms.
#include "bench/BenchMain.h"
#include "rig/RigBands.h"
#include "rig/RigPoll.h"

namespace {

struct Family {
  const char *rig;
  QByteArray reply;
  int pollModeNext;
};

const Family kFamilies[] = {
    {"Kenwood", "FA00014025000;MD3;", 0},
    {"Kenwood 2", QByteArray("IF00014025000") + QByteArray(16, '0') + "31" + QByteArray(6, '0') + ";", 0},
    {"Icom", QByteArray::fromHex("FE FE 64 E0 03 FD FE FE E0 64 03 00 50 02 14 00 FD"), 1},
    {"Yaesu", QByteArray::fromHex("01 40 25 00 82"), 0},
    {"Yaesu 757 GX II", QByteArray::fromHex("00 00 00 00 00 00 25 40 01 02"), 0},
    {"Yaesu 890", QByteArray::fromHex("00 00 15 66 84 00 00 02 00 00 00 00 00 00 00 00 00 00"), 0},
    {"Yaesu FTdx9000", "FA14025000;", 1},
    {"Ten Tec Fnt Pnl", QByteArray::fromHex("41 00 D6 01 28 0D"), 1},
    {"Ten Tec Orion", "@AF14025000\r@RMM3\r", 0},
};

QByteArray fullBuffer(const QByteArray &reply) {
  QByteArray buffer;
  while (buffer.size() + reply.size() <= 4096)
    buffer += reply;
  return buffer;
}

void parse(benchmark::State &state, const Family &f, const QByteArray &input) {
  const PollTexts texts{QString::fromLatin1(f.rig), QStringLiteral("FA;"), QStringLiteral("MD0;")};
  for (auto _ : state) {
    RigReadout rig;
    parseReply(texts, input, f.pollModeNext, rig);
    benchmark::DoNotOptimize(rig);
  }
  state.SetLabel(f.rig);
}

void plainLoop(benchmark::State &state, const QByteArray &input) {
  for (auto _ : state) {
    unsigned sum = 0;
    for (const char c : input)
      sum += static_cast<unsigned char>(c);
    benchmark::DoNotOptimize(sum);
  }
}

// The read tick's rules together: parse, mode by frequency, the band for the frequency.
void readTickRules(benchmark::State &state, const Family &f) {
  const PollTexts texts{QString::fromLatin1(f.rig), QStringLiteral("FA;"), QStringLiteral("MD0;")};
  for (auto _ : state) {
    RigReadout rig;
    parseReply(texts, f.reply, f.pollModeNext, rig);
    const QString mode = modeForFrequency(rig.RigFrequency);
    benchmark::DoNotOptimize(mode);
    benchmark::DoNotOptimize(bandForFrequency(rig.RigFrequency));
  }
  state.SetLabel(f.rig);
}

const int kRegistered = [] {
  for (const Family &f : kFamilies) {
    const QByteArray full = fullBuffer(f.reply);
    const std::string name = f.rig;
    benchmark::RegisterBenchmark(("Reply/" + name).c_str(),
                                 [&f](benchmark::State &s) { parse(s, f, f.reply); });
    benchmark::RegisterBenchmark(("ReplyPlainLoop/" + name).c_str(),
                                 [&f](benchmark::State &s) { plainLoop(s, f.reply); });
    benchmark::RegisterBenchmark(("FullBuffer/" + name).c_str(),
                                 [&f, full](benchmark::State &s) { parse(s, f, full); });
    benchmark::RegisterBenchmark(("FullBufferPlainLoop/" + name).c_str(),
                                 [full](benchmark::State &s) { plainLoop(s, full); });
    benchmark::RegisterBenchmark(("ReadTickRules/" + name).c_str(),
                                 [&f](benchmark::State &s) { readTickRules(s, f); });
  }
  return 0;
}();

} // namespace

int main(int argc, char **argv) {
  RatioReporter reporter;
  return runBenchmarks(argc, argv, &reporter, [&reporter] {
    for (const Family &f : kFamilies) {
      const std::string name = f.rig;
      reporter.ratio("Reply/" + name, "ReplyPlainLoop/" + name);
      reporter.ratio("FullBuffer/" + name, "FullBufferPlainLoop/" + name);
    }
  });
}
