// One real play of a prompt on the sound server (a null sink in CI).
#include "platform/WavePlayer.h"
#include "tests/support/TestContext.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QTest>

#include <gtest/gtest.h>

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
  // The player may end on its bound before a loaded server has finished the stream, and the
  // stream's end changes the sink. Let the device end (one that never says so is the bound's
  // case) and take it down while events still run, not in the sound engine's shutdown at exit.
  (void)QTest::qWaitFor([&] { return device.ended(); }, 5000);
  player.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
