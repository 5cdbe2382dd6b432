#include "keying/KeyerSettings.h"

#include "keying/KeyingState.h"
#include "platform/VbText.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString lines(const QStringList &values) {
  return values.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QStringList voiceFile() {
  return {QStringLiteral("\"/home/op/cq.wav\""),
          QStringLiteral("\"/home/op/call, exchange.wav\""),
          QStringLiteral("\"\""),
          QStringLiteral("\"\""),
          QStringLiteral("\"\""),
          QStringLiteral("\"\""),
          QStringLiteral("\"\""),
          QStringLiteral("\"\""),
          QStringLiteral("\"/home/op/tu.wav\""),
          QStringLiteral("\"3\""),
          QStringLiteral("1"),
          QStringLiteral("\"2.5\""),
          QStringLiteral("\"&H278\"")};
}

QStringList cwFile() {
  return {QStringLiteral("\"CQ TEST $\""), QStringLiteral("\"5NN #\""), QStringLiteral("\"\""),
          QStringLiteral("\"\""),          QStringLiteral("\"\""),      QStringLiteral("\"\""),
          QStringLiteral("\"\""),          QStringLiteral("\"\""),      QStringLiteral("\"\""),
          QStringLiteral("\"2\""),         QStringLiteral("\"28\""),    QStringLiteral("\"AGN?\""),
          QStringLiteral("\"TU\""),        QStringLiteral("\"-2\""),    QStringLiteral("5"),
          QStringLiteral("\"&H378\""),     QStringLiteral("1"),         QStringLiteral("\"1.5\"")};
}

} // namespace

TEST(VoiceKeyerFile, ReadsThirteenValuesInOrder) {
  VoiceKeyerSettings v;
  ASSERT_TRUE(readVoiceKeyerSettings(lines(voiceFile()), v));
  EXPECT_EQ(v.waveFiles[0], QStringLiteral("/home/op/cq.wav"));
  EXPECT_EQ(v.waveFiles[1], QStringLiteral("/home/op/call, exchange.wav"));
  EXPECT_EQ(v.waveFiles[8], QStringLiteral("/home/op/tu.wav"));
  EXPECT_EQ(v.pttPort, QStringLiteral("3"));
  EXPECT_EQ(v.pttLine, 1);
  EXPECT_EQ(v.loopSeconds, QStringLiteral("2.5"));
  EXPECT_EQ(v.repeatIntervalMs, 2500);
  EXPECT_EQ(v.printerPort, QStringLiteral("&H278"));
}

TEST(VoiceKeyerFile, ALineOtherThanZeroToTwoLeavesTheLineAloneAndAShortOrBadFileFails) {
  QStringList values = voiceFile();
  values[10] = QStringLiteral("7");
  VoiceKeyerSettings v;
  v.pttLine = 2;
  ASSERT_TRUE(readVoiceKeyerSettings(lines(values), v));
  EXPECT_EQ(v.pttLine, 2);

  VoiceKeyerSettings shortRead;
  EXPECT_FALSE(readVoiceKeyerSettings(lines(voiceFile().mid(0, 12)), shortRead));
  EXPECT_EQ(shortRead.repeatIntervalMs, 2500); // what was read stays
  EXPECT_EQ(shortRead.printerPort, QStringLiteral("&H378"));

  values = voiceFile();
  values[11] = QStringLiteral("\"soon\"");
  VoiceKeyerSettings badPause;
  EXPECT_FALSE(readVoiceKeyerSettings(lines(values), badPause));
  EXPECT_FALSE(readVoiceKeyerSettings(QString(), badPause));
}

TEST(CwKeyerFile, ReadsEighteenValuesAndTheKeyingMethod) {
  CwKeyerSettings cw;
  int method = 0;
  ASSERT_TRUE(readCwKeyerSettings(lines(cwFile()), cw, method));
  EXPECT_EQ(cw.messages[0], QStringLiteral("CQ TEST $"));
  EXPECT_EQ(cw.messages[8], QStringLiteral("VVV DE ")); // an empty F9
  EXPECT_EQ(cw.messages[9], QStringLiteral("AGN?"));
  EXPECT_EQ(cw.messages[10], QStringLiteral("TU"));
  EXPECT_EQ(cw.serialPort, QStringLiteral("2"));
  EXPECT_EQ(cw.speedWpm, QStringLiteral("28"));
  EXPECT_EQ(cw.wordSpace, QStringLiteral("-2"));
  EXPECT_EQ(method, 5);
  EXPECT_EQ(cw.printerPort, QStringLiteral("&H378"));
  EXPECT_EQ(cw.echo, 1);
  EXPECT_EQ(cw.repeatIntervalMs, 1500);
}

TEST(CwKeyerFile, AMethodBeyondAByteStopsTheReadingWithWhatWasReadKept) {
  QStringList values = cwFile();
  values[14] = QStringLiteral("300");
  CwKeyerSettings cw;
  int method = 0;
  EXPECT_FALSE(readCwKeyerSettings(lines(values), cw, method));
  EXPECT_EQ(method, 0);
  EXPECT_EQ(cw.wordSpace, QStringLiteral("-2"));
  EXPECT_EQ(cw.printerPort, QStringLiteral("&H378"));
}

TEST(KeyerFiles, AreFoundInTheProgramFolderWhateverTheCaseOfTheirNames) {
  QTemporaryDir dir;
  KeyingState keying;
  EXPECT_FALSE(vb::readLatin1(voiceKeyerFilePath(dir.path())));
  EXPECT_FALSE(vb::readLatin1(cwKeyerFilePath(dir.path())));
  for (const auto &[name, values] :
       {std::pair{QStringLiteral("WAVE2.TXT"), voiceFile()}, std::pair{QStringLiteral("CW.txt"), cwFile()}}) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(lines(values).toLatin1());
  }
  const auto voiceText = vb::readLatin1(voiceKeyerFilePath(dir.path()));
  ASSERT_TRUE(voiceText);
  VoiceKeyerSettings voice;
  EXPECT_TRUE(readVoiceKeyerSettings(*voiceText, voice));
  const auto cwText = vb::readLatin1(cwKeyerFilePath(dir.path()));
  ASSERT_TRUE(cwText);
  CwKeyerSettings cw;
  EXPECT_TRUE(readCwKeyerSettings(*cwText, cw, keying.CWKeyingMethod));
  EXPECT_EQ(voice.pttPort, QStringLiteral("3"));
  EXPECT_EQ(keying.CWKeyingMethod, 5);
}

TEST(RepeatInterval, IsThePauseInWholeMillisecondsWithinATimersRange) {
  EXPECT_EQ(repeatIntervalMs(QStringLiteral("0")), 0);
  EXPECT_EQ(repeatIntervalMs(QStringLiteral("59.9")), 59900);
  EXPECT_EQ(repeatIntervalMs(QStringLiteral("65.535")), 65535);
  EXPECT_FALSE(repeatIntervalMs(QStringLiteral("66")));
  EXPECT_FALSE(repeatIntervalMs(QStringLiteral("-1")));
  EXPECT_FALSE(repeatIntervalMs(QString()));
}
