// The wave player: its playing rule on the fake clock, the files it refuses and the shipped prompts.
#include "platform/WavePlayer.h"
#include "tests/support/TestContext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct PlayingRule : ::testing::Test {
  FakeClock clock;
  SoundLog log;
  WavePlayer player{clock, std::make_unique<FakeSoundOutput>(clock, log)};
  int length = wavDurationMs(promptFile(QStringLiteral("Call"))).value_or(0);

  void SetUp() override {
    clock.readStep = 0;
    ASSERT_GT(length, 0);
    ASSERT_TRUE(player.open(promptFile(QStringLiteral("Call"))));
    ASSERT_TRUE(player.play());
  }
  // Whether it still plays `ms` after it started.
  bool playingAt(int ms) {
    clock.counter = ms;
    return player.isPlaying();
  }
};

} // namespace

TEST(ShippedPrompts, AreAllTenRiffWaveFilesWithALength) {
  const QStringList names = {"Call",   "Country", "Points", "Prefix", "RstRcvd",
                             "RstSnt", "SerNum",  "Dupe",   "NavEn",  "NavDis"};
  EXPECT_EQ(QDir(sourceDataDir() + QStringLiteral("/prompts")).entryList({QStringLiteral("*.wav")}).size(),
            names.size());
  for (const QString &name : names) {
    const auto ms = wavDurationMs(promptFile(name));
    ASSERT_TRUE(ms) << name.toStdString();
    EXPECT_GT(*ms, 200) << name.toStdString();
    EXPECT_LT(*ms, 3000) << name.toStdString();
  }
}

TEST_F(PlayingRule, HoldsForTheClipsLengthEvenWhenTheDeviceReportsTheEndEarly) {
  log.reportsEnd = true;
  EXPECT_EQ(player.Mode(), WavePlayer::kModePlaying);
  EXPECT_TRUE(playingAt(length - 1));
  EXPECT_FALSE(playingAt(length));
  EXPECT_EQ(player.Mode(), WavePlayer::kModeStopped);
  EXPECT_FALSE(playingAt(length - 1)) << "an end once seen stays";
}

TEST_F(PlayingRule, EndsAtTheLengthPlusTheMarginWhenTheDeviceNeverReportsTheEnd) {
  log.reportsEnd = false;
  EXPECT_TRUE(playingAt(length + WavePlayer::kEndMarginMs - 1));
  EXPECT_FALSE(playingAt(length + WavePlayer::kEndMarginMs));
}

TEST_F(PlayingRule, StopAndCloseEndItAtOnceAndCloseLetsTheFileGo) {
  log.reportsEnd = false;
  player.stop();
  EXPECT_FALSE(player.isPlaying());
  EXPECT_EQ(player.fileName(), promptFile(QStringLiteral("Call")));
  ASSERT_TRUE(player.play());
  EXPECT_TRUE(player.isPlaying());
  player.close();
  EXPECT_FALSE(player.isPlaying());
  EXPECT_FALSE(player.play()) << "nothing open";
  ASSERT_EQ(log.started.size(), 2u);
  EXPECT_EQ(log.started[1].name, QStringLiteral("Call"));
}

TEST_F(PlayingRule, RefusesMissingAndFalseWaveFiles) {
  QTemporaryDir dir;
  QFile text(dir.filePath(QStringLiteral("Text.wav")));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("RIFF this is not a wave file\r\n");
  text.close();
  for (const QString &path : {dir.filePath(QStringLiteral("Missing.wav")), text.fileName(), QString()}) {
    EXPECT_FALSE(player.open(path)) << path.toStdString();
    EXPECT_FALSE(player.isPlaying()) << "open closes what played";
    EXPECT_TRUE(player.fileName().isEmpty());
  }
}

TEST_F(PlayingRule, ATightWaitEndsWithTheClipOrAtItsBound) {
  log.reportsEnd = false;
  waitWhilePlaying(player, clock);
  EXPECT_GE(clock.counter, length);
  EXPECT_LE(clock.counter, length + WavePlayer::kEndMarginMs + 10);
}
