// One real play of a prompt on the sound server (a null sink in CI).
#include "platform/WavePlayer.h"
#include "tests/support/TestContext.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

TEST(RealSound, APromptPlaysAndEndsWithinItsBound) {
  if (QMediaDevices::audioOutputs().isEmpty())
    GTEST_SKIP() << "no sound server answers";
  SystemClock clock;
  auto output = std::make_unique<QtSoundOutput>();
  const QtSoundOutput &device = *output;
  auto player = std::make_unique<WavePlayer>(clock, std::move(output));
  const QString path = promptFile(QStringLiteral("Dupe"));
  const int length = wavDurationMs(path).value_or(0);
  ASSERT_TRUE(player->open(path));
  QElapsedTimer elapsed;
  elapsed.start();
  ASSERT_TRUE(player->play());
  EXPECT_TRUE(player->isPlaying());
  // Events run, as they do between the 40 ms ticks of the voice keyer.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !player->isPlaying(); }, length + WavePlayer::kEndMarginMs + 500));
  EXPECT_GE(elapsed.elapsed(), length);
  // The player may end on its bound before a loaded server has finished the stream. Let the
  // device end (one that never says so is the bound's case); the device is never taken down:
  // the program ends with the verdict (below) while the sound engine still runs.
  (void)QTest::qWaitFor([&] { return device.ended(); }, 5000);
  (void)player.release();
}

namespace {

// Qt's PulseAudio backend can abort inside libpulse when its streams and devices are taken down,
// after the verdict is printed; the program ends with that verdict instead of taking them down.
class EndWithTheVerdict : public ::testing::EmptyTestEventListener {
  void OnTestProgramEnd(const ::testing::UnitTest &unit) override {
    std::fflush(nullptr);
    std::_Exit(unit.Passed() ? 0 : 1);
  }
};

// End events reach the listeners last appended first: the printer prints the verdict, then this
// listener ends the program.
const bool kEndsWithTheVerdict = [] {
  ::testing::TestEventListeners &listeners = ::testing::UnitTest::GetInstance()->listeners();
  ::testing::TestEventListener *printer = listeners.Release(listeners.default_result_printer());
  listeners.Append(new EndWithTheVerdict);
  if (printer)
    listeners.Append(printer);
  return true;
}();

} // namespace
