#include "rig/RigReplies.h"
#include "rig/RigPoll.h"

#include <QList>

#include <gtest/gtest.h>

namespace {

struct ReplyCase {
  const char *rig;
  QByteArray reply;
  int pollModeNext; // 1: the frequency was asked last
  float frequency;  // expected; the start value 7.0 when unchanged
  const char *mode; // expected; the start value "XX" when unchanged
  const char *freqText = "";
  const char *modeText = "";
};

// Each reply parsed from 7.0 MHz and mode "XX", against the row's expectation.
template <size_t N> void expectParsed(const ReplyCase (&rows)[N]) {
  for (const ReplyCase &row : rows) {
    RigReadout rig;
    rig.RigFrequency = 7.0f;
    rig.RigMode = QStringLiteral("XX");
    const PollTexts texts{QString::fromLatin1(row.rig), QString::fromLatin1(row.freqText),
                          QString::fromLatin1(row.modeText)};
    parseReply(texts, row.reply, row.pollModeNext, rig);
    const QByteArray shown = row.reply.left(24).toHex(' ');
    EXPECT_FLOAT_EQ(rig.RigFrequency, row.frequency) << row.rig << " " << shown.constData();
    EXPECT_EQ(rig.RigMode, QString::fromLatin1(row.mode)) << row.rig << " " << shown.constData();
  }
}

} // namespace

// Every worked example of the poll loop's parsers, and the replies that must change nothing.
TEST(RigReplies, ParsersReadTheirFamiliesReplies) {
  const QByteArray ifReply =
      QByteArray("IF00014025000") + QByteArray(16, '0') + "31" + QByteArray(7, '0') + ";";
  const ReplyCase rows[] = {
      {"Kenwood", "FA00014025000;MD3;", 0, 14.025f, "CW", "FA;"},
      {"Kenwood", "MD2;", 0, 7.0f, "PH", "FA;"},
      {"Kenwood", "FA00014025000;", 0, 7.0f, "XX", "FA"}, // a poll text of two characters never parses
      {"Kenwood", "FA0001402;", 0, 7.0f, "XX", "FA;"},    // cut short
      {"Elecraft", "FA00014025000;MD7;", 0, 14.025f, "CW", "FA;"},
      {"Kenwood 2", ifReply, 0, 14.025f, "CW"},
      {"Kenwood 2", "IF00014025000", 0, 7.0f, "XX"}, // not longer than p+12
      {"Kenwood 2", "IF00014025000000", 0, 14.025f, "PH"},
      {"Icom", QByteArray::fromHex("FE FE 64 E0 03 FD FE FE E0 64 03 00 50 02 14 00 FD"), 1, 14.025f, "XX"},
      {"Icom", QByteArray::fromHex("FE FE E0 64 03 00 50 02 14 00 FD FE FE E0 64 03 00 00 10 07 00 FD"), 1,
       7.1f, "XX"},
      {"Icom", QByteArray::fromHex("FE FE E0 64 03 00 50"), 1, 7.0f, "XX"}, // cut before FD
      {"Icom", QByteArray::fromHex("FE FE E0 64 04 03 01 FD"), 0, 7.0f, "CW"},
      {"Icom", QByteArray::fromHex("FE FE E0 64 04 00 01 FD"), 0, 7.0f, "PH"},
      {"Ten Tec Omni VI", QByteArray::fromHex("FE FE E0 04 03 00 50 02 14 00 FD"), 1, 14.025f, "XX"},
      {"Icom 735", QByteArray::fromHex("FE FE E0 04 03 00 50 02 14 FD"), 1, 14.025f, "XX"},
      {"Yaesu", QByteArray::fromHex("01 40 25 00 82"), 0, 14.025f, "CW"},
      {"Yaesu", QByteArray::fromHex("01 40 25 00 0A"), 0, 7.0f,
       "XX"}, // a letter in the mode byte drops it all
      {"Yaesu", QByteArray::fromHex("00 05 00 00 01"), 0, 0.5f, "PH"},
      {"Yaesu", QByteArray::fromHex("01 40 25"), 0, 7.0f, "XX"},
      {"Yaesu 890", QByteArray::fromHex("00 00 15 66 84 00 00 02"), 0, 14.025f, "CW"},
      {"Yaesu 890", QByteArray::fromHex("00 00 15 66 84"), 0, 14.025f, "XX"}, // short of the mode byte
      {"Yaesu 990", QByteArray::fromHex("00 15 66 84 00 00 00 01"), 0, 14.025f, "PH"},
      {"Yaesu 1000 D", QByteArray::fromHex("00 15 66 84 00 00 00 02"), 0, 14.025f, "CW"},
      {"Yaesu 1000", QByteArray::fromHex("00 01 56 68 40 00 00 00"), 0, 14.025f, "PH"},
      {"Yaesu 920", QByteArray::fromHex("00 00 D6 01 28 00 00 01"), 0, 14.025f, "CW"},
      {"Yaesu 920", QByteArray::fromHex("00 00 D6 01 28"), 0, 14.025f,
       "PH"}, // "PH" stays when the mode is cut off
      {"Yaesu 757 GX II", QByteArray::fromHex("00 00 00 00 00 00 25 40 01 02"), 0, 14.025f, "CW"},
      {"Yaesu 757 GX II", QByteArray::fromHex("00 00 00 00 00 00 25 40 01 05"), 0, 14.025f, "FM"},
      {"Yaesu 757 GX II", QByteArray::fromHex("00 00 00 00 00 00 25 40 01"), 0, 7.0f, "XX"},
      {"Yaesu FTdx9000", "FA14025000;", 1, 14.025f, "XX", "FA;", "MD0;"},
      {"Yaesu FTdx9000", "MD03;", 0, 7.0f, "CW", "FA;", "MD0;"},
      {"Yaesu FTdx9000", "FA1402;MD02;", 0, 7.0f, "PH", "FA;", "MD0;"}, // the halves fail apart
      {"Ten Tec Fnt Pnl", QByteArray::fromHex("41 00 D6 01 28 0D"), 1, 14.025f, "XX"},
      {"Ten Tec Fnt Pnl", QByteArray::fromHex("41 00 D6 01"), 1, 7.0f, "XX"},
      {"Ten Tec Fnt Pnl", "M33\r", 0, 7.0f, "CW"},
      {"Ten Tec Fnt Pnl", "M11\r", 0, 7.0f, "PH"},
      {"Ten Tec Orion", "@AF14025000\r@RMM3\r", 0, 14.025f, "CW"},
      {"Ten Tec Orion", "@AF14025000", 0, 7.0f, "XX"},
      {"Other", "FA00014025000;", 0, 7.0f, "XX"},
  };
  expectParsed(rows);
}

// A corrupt reply whose frequency is not finite, not above zero or read from a BCD nibble above 9
// changes nothing.
TEST(RigReplies, BadFrequenciesChangeNothing) {
  const QByteArray zeroIf =
      QByteArray("IF00000000000") + QByteArray(16, '0') + "31" + QByteArray(7, '0') + ";";
  const ReplyCase rows[] = {
      {"Icom", QByteArray::fromHex("FE FE E0 64 03 00 0E 02 14 00 FD"), 1, 7.0f, "XX"}, // 14.020E00
      {"Icom", QByteArray::fromHex("FE FE E0 64 03 99 99 0E 14 00 FD"), 1, 7.0f, "XX"}, // 14.0E9999
      {"Icom", QByteArray::fromHex("FE FE E0 64 03 00 00 00 00 00 FD"), 1, 7.0f, "XX"},
      {"Icom 735", QByteArray::fromHex("FE FE E0 04 03 00 5D 02 14 FD"), 1, 7.0f, "XX"}, // 1402.5D00
      {"Ten Tec Orion", "@AF" + QByteArray(400, '9') + "\r@RMM3\r", 0, 7.0f, "CW"},
      {"Ten Tec Orion", "@AF" + QByteArray(60, '9') + "\r", 0, 7.0f, "XX"},
      {"Ten Tec Orion", "@AF0\r", 0, 7.0f, "XX"},
      {"Kenwood", "FA00000000000;", 0, 7.0f, "XX", "FA;"},
      {"Kenwood 2", zeroIf, 0, 7.0f, "XX"},
      {"Yaesu FTdx9000", "FA00000000;", 1, 7.0f, "XX", "FA;", "MD0;"},
      {"Yaesu", QByteArray::fromHex("00 00 00 00 02"), 0, 7.0f, "XX"},
      {"Yaesu 757 GX II", QByteArray::fromHex("00 00 00 00 00 00 00 00 00 02"), 0, 7.0f, "XX"},
      {"Yaesu 890", QByteArray::fromHex("00 00 00 00 00 00 00 02"), 0, 7.0f, "XX"},
      {"Yaesu 920", QByteArray::fromHex("00 00 00 00 00 00 00 01"), 0, 7.0f, "XX"},
      {"Ten Tec Fnt Pnl", QByteArray::fromHex("41 00 00 00 00 0D"), 1, 7.0f, "XX"},
  };
  expectParsed(rows);
}

TEST(RigReplies, KenwoodIfTakesTheVfoAndDigitHelpersPlaceThePoint) {
  RigReadout rig;
  ParseKenwoodIF(QByteArray("IF00014025000") + QByteArray(16, '0') + "31", rig);
  EXPECT_EQ(rig.ActiveVfo, 1);
  ParseKenwoodIF(QByteArray("IF00014025000") + QByteArray(16, '0') + "3x", rig);
  EXPECT_EQ(rig.ActiveVfo, 1);

  EXPECT_EQ(DigitsToFrequency(QStringLiteral("00050000")), QStringLiteral(".50000"));
  EXPECT_EQ(DigitsToFrequency(QStringLiteral("01402500")), QStringLiteral("14.02500"));
  EXPECT_EQ(DigitsToFrequency(QStringLiteral("14402500")), QStringLiteral("144.02500"));
  EXPECT_EQ(IcomDigitsToFrequency(QStringLiteral("0014025000")), QStringLiteral("14.025000"));
  EXPECT_EQ(IcomDigitsToFrequency(QStringLiteral("14025000")), QStringLiteral("1402.5000"));
  EXPECT_EQ(frequencyCaption(14.025f), QStringLiteral("14.02500"));
  EXPECT_EQ(frequencyCaption(0.5f), QStringLiteral(".50000"));
}

TEST(RigReplies, HexHelpers) {
  EXPECT_EQ(ReplyToHexText(QByteArray::fromHex("FE 03 FD")), QStringLiteral("FE 03 FD "));
  EXPECT_EQ(ReplyToHexText(QByteArray("\0A", 2)), QStringLiteral("00 41 "));
  EXPECT_EQ(HexPairsToBytes(QStringLiteral("FE FE 64 E0 03 FD")), QByteArray::fromHex("FE FE 64 E0 03 FD"));
  EXPECT_EQ(HexPairsToBytes(QStringLiteral("fe 0")), QByteArray::fromHex("FE 00"));
  EXPECT_EQ(HexPairsToBytes(QStringLiteral("FE 7")), QByteArray("\xFE\x07", 2));
  EXPECT_FALSE(HexPairsToBytes(QStringLiteral("FE GG")));
  EXPECT_EQ(ByteToHex(10), QStringLiteral("A"));
  EXPECT_EQ(ByteToHex(0), QStringLiteral("0"));
  EXPECT_EQ(ByteToHex(16), QString());
}

TEST(RigReplies, PegasusReplyNeedsBothFields) {
  const struct {
    const char *content;
    bool read;
    float frequency;
    const char *mode;
  } rows[] = {
      {"14.025,CW", true, 14.025f, "CW"}, {"14.025\r\n\"USB\"\r\n", true, 14.025f, "PH"},
      {"14.025\r\n", false, 7.0f, "XX"},  {"1e999,CW", false, 7.0f, "XX"},
      {"1e300,CW", false, 7.0f, "XX"},    {"-14.025,CW", false, 7.0f, "XX"},
      {"0,CW", false, 7.0f, "XX"},        {"", false, 7.0f, "XX"},
  };
  for (const auto &row : rows) {
    RigReadout rig;
    rig.RigFrequency = 7.0f;
    rig.RigMode = QStringLiteral("XX");
    EXPECT_EQ(parsePegasusReply(QString::fromLatin1(row.content), rig), row.read) << row.content;
    EXPECT_FLOAT_EQ(rig.RigFrequency, row.frequency) << row.content;
    EXPECT_EQ(rig.RigMode, QString::fromLatin1(row.mode)) << row.content;
  }
}

// The send tick's commands with each rig's default poll texts, and the turns they take.
TEST(RigPoll, DefaultPollCommandsOnTheWire) {
  const struct {
    const char *rig;
    const char *freq;
    const char *mode;
    QList<QByteArray> firstTurn;
    QList<QByteArray> secondTurn;
  } rows[] = {
      {"Kenwood", "FA;", "MD;", {"FA;", "MD;"}, {"FA;", "MD;"}},
      {"Kenwood 2", "IF;", "", {"IF;"}, {"IF;"}},
      {"Icom",
       "FE FE 64 E0 03 FD",
       "FE FE 64 E0 04 FD",
       {QByteArray::fromHex("FEFE64E003FD")},
       {QByteArray::fromHex("FEFE64E004FD")}},
      {"Yaesu",
       "00 00 00 00 03",
       "",
       {QByteArray::fromHex("0000000003")},
       {QByteArray::fromHex("0000000003")}},
      {"Yaesu 757 GX II",
       "00 00 00 00 10",
       "",
       {QByteArray::fromHex("0000000010")},
       {QByteArray::fromHex("0000000010")}},
      {"Yaesu 920",
       "00 00 00 02 10",
       "",
       {QByteArray::fromHex("0000000210")},
       {QByteArray::fromHex("0000000210")}},
      {"Yaesu FTdx9000", "FA;", "MD0;", {"FA;"}, {"MD0;"}},
      {"Ten Tec Fnt Pnl", "3F 41 0D", "3F 4D 0D", {"?A\r"}, {"?M\r"}},
      {"Ten Tec Orion", "?AF", "?RMM", {"?AF\r", "?RMM\r"}, {"?AF\r", "?RMM\r"}},
      {"Ten Tec Pegasus", "", "", {}, {}},
      {"Icom",
       "FE FE 64",
       "FE FE 64 E0 04 FD",
       {},
       {QByteArray::fromHex("FEFE64E004FD")}}, // too short, still a turn
  };
  for (const auto &row : rows) {
    const PollTexts texts{QString::fromLatin1(row.rig), QString::fromLatin1(row.freq),
                          QString::fromLatin1(row.mode)};
    const PollTurn first = pollCommands(texts, 0);
    const PollTurn second = pollCommands(texts, first.pollModeNext);
    EXPECT_EQ(QList<QByteArray>(first.commands.begin(), first.commands.end()), row.firstTurn) << row.rig;
    EXPECT_EQ(QList<QByteArray>(second.commands.begin(), second.commands.end()), row.secondTurn) << row.rig;
  }
  const PollTexts other{QStringLiteral("Other"), QStringLiteral("FE 01"), QStringLiteral("ZZ"), true};
  EXPECT_FALSE(pollCommands(other, 0).ok);
  const PollTexts raw{QStringLiteral("Other"), QStringLiteral("FE 01"), QString(), false};
  EXPECT_EQ(pollCommands(raw, 0).commands, std::vector<QByteArray>{"FE 01"});
}
