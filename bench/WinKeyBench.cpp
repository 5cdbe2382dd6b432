// The WinKey hand-over against the simulated keyer on a pseudo-terminal, which never reports
// busy and has no baud-rate delay, so this measures our own overhead: per character the status
// round trip plus the write (the hand-over's work without its fixed 10 ms pause), beside the
// same status round trip done with plain write/poll/read; then the 81 characters of the buffer
// test handed over. Median and 99th percentile over 1,000 characters.
// Run: cmake -B build -DORVEX_BENCH=ON && ninja -C build winkey_bench && build/bench/winkey_bench
#include "bench/BenchMain.h"
#include "platform/WinKey.h"
#include "tests/support/WinKeySimulator.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kCharacters = 1000;
constexpr int kPort = 5;

// Times `one` for each of 1,000 characters and reports the median and 99th percentile.
void timeEachCharacter(benchmark::State &state, const std::function<void(int)> &one) {
  std::vector<double> us;
  for (auto _ : state) {
    us.clear();
    for (int i = 0; i < kCharacters; ++i) {
      QElapsedTimer t;
      t.start();
      one(i);
      us.push_back(static_cast<double>(t.nsecsElapsed()) / 1000.0);
    }
  }
  std::sort(us.begin(), us.end());
  state.counters["median_us"] = us[us.size() / 2];
  state.counters["p99_us"] = us[us.size() * 99 / 100];
}

void DriverStatusAndCharacter(benchmark::State &state) {
  WinKeySimulator keyer;
  keyer.linkAs(kPort);
  SerialWinKey driver;
  std::uint8_t version = 0;
  if (driver.wk_open(version, kPort) != wkresult::Success)
    state.SkipWithError("the simulated keyer did not open");
  timeEachCharacter(state, [&](int i) {
    benchmark::DoNotOptimize(driver.wk_getstatus());
    driver.wk_char(static_cast<std::uint8_t>('A' + i % 26));
  });
}
BENCHMARK(DriverStatusAndCharacter)->Iterations(1)->Unit(benchmark::kMillisecond);

void PlainStatusRoundTrip(benchmark::State &state) {
  WinKeySimulator keyer;
  const int fd = ::open(keyer.device().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
  termios raw{};
  tcgetattr(fd, &raw);
  cfmakeraw(&raw);
  tcsetattr(fd, TCSANOW, &raw);
  timeEachCharacter(state, [&](int) {
    const unsigned char request = 0x15;
    (void)!::write(fd, &request, 1);
    pollfd p{fd, POLLIN, 0};
    unsigned char status = 0;
    if (::poll(&p, 1, 100) > 0)
      (void)!::read(fd, &status, 1);
  });
  ::close(fd);
}
BENCHMARK(PlainStatusRoundTrip)->Iterations(1)->Unit(benchmark::kMillisecond);

void BufferTestHandOver(benchmark::State &state) {
  WinKeySimulator keyer;
  keyer.linkAs(kPort);
  SerialWinKey driver;
  std::uint8_t version = 0;
  driver.wk_open(version, kPort);
  const QByteArray alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ ";
  const QByteArray text = alphabet + alphabet + alphabet;
  for (auto _ : state)
    for (const char c : text) {
      driver.wk_getstatus();
      driver.wk_char(static_cast<std::uint8_t>(c));
    }
}
BENCHMARK(BufferTestHandOver)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
  // The COM links go into a configuration folder of the run's own.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  return runBenchmarks(argc, argv);
}
