#include "rig/RigCommands.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

QByteArray freq(const char *rig, float mhz, const char *freqText = "", int vfo = 10) {
  return frequencyCommand(
             {QString::fromLatin1(rig), QString::fromLatin1(freqText), QStringLiteral("MD0;"), vfo}, mhz)
      .value_or("none");
}

} // namespace

TEST(RigCommands, SetFrequencyPerFamily) {
  const struct {
    QByteArray command;
    QByteArray expected;
  } rows[] = {
      {freq("Kenwood", 14.025f, "FA;"), "FA00014025000;"},
      {freq("Kenwood", 14.025f, "FB;"), "FB00014025000;"},
      {freq("Kenwood 2", 14.025f, "IF;"), "FA00014025000;"}, // before any IF reply
      {freq("Kenwood 2", 14.025f, "IF;", 1), "FB00014025000;"},
      {freq("Elecraft", 14.025f, "IF;"), "FA00014025000;"},
      {freq("Icom", 14.025f, "FE FE 64 E0 03 FD"), QByteArray::fromHex("FE FE 64 E0 05 00 50 02 14 00 FD")},
      {freq("Icom", 7.0f, "FE FE 64 E0 03 FD"), QByteArray::fromHex("FE FE 64 E0 05 00 00 00 07 00 FD")},
      {freq("Ten Tec Omni VI", 14.025f, "FE FE 04 E0 03 FD"),
       QByteArray::fromHex("FE FE 04 E0 05 00 50 02 14 00 FD")},
      {freq("Icom 735", 14.025f, "FE FE 04 E0 03 FD"), QByteArray::fromHex("FE FE 04 E0 05 00 50 02 14 FD")},
      {freq("Icom 735", 146.0f, "FE FE 04 E0 03 FD"), "none"}, // too wide for 8 digits
      {freq("Yaesu 890", 14.025f), QByteArray::fromHex("00 25 40 01 0A")},
      {freq("Yaesu 890", 7.0f), QByteArray::fromHex("00 00 70 00 0A")},
      {freq("Yaesu 1000", 14.025f), QByteArray::fromHex("00 25 40 01 0A")},
      {freq("Yaesu", 14.025f), QByteArray::fromHex("01 40 25 00 01")},
      {freq("Yaesu", 1270.0f), "none"},
      {freq("Yaesu 757 GX II", 1270.0f), "none"},
      {freq("Yaesu FTdx9000", 14.025f, "FA;"), "FA14025000;"},
      {freq("Ten Tec Fnt Pnl", 14.025f), QByteArray::fromHex("2A 41 00 D6 01 28 0D")},
      {freq("Ten Tec Orion", 14.025f), "*AF14025000\r"},
      {freq("Ten Tec Pegasus", 14.025f), {}},
      {freq("Other", 14.025f, "FA;"), {}},
  };
  for (const auto &row : rows)
    EXPECT_EQ(row.command.toHex(' '), row.expected.toHex(' ')) << row.expected.constData();
}

// Above 16,777,216 Hz the front panel's hex comes from a single-precision copy of the hertz.
TEST(RigCommands, FrontPanelHexFromTheSinglePrecisionCopy) {
  float mhz = 17.0f;
  double hertz = std::nearbyint(double(mhz) * 1e6);
  while (std::fmod(hertz, 2.0) == 0) {
    mhz = std::nextafter(mhz, 18.0f);
    hertz = std::nearbyint(double(mhz) * 1e6);
  }
  const auto copy = static_cast<quint32>(static_cast<float>(hertz));
  ASSERT_NE(double(copy), hertz);
  QByteArray expected = QByteArray::fromHex("2A41");
  for (int shift : {24, 16, 8, 0})
    expected.append(char((copy >> shift) & 0xFF));
  expected.append('\r');
  EXPECT_EQ(freq("Ten Tec Fnt Pnl", mhz), expected);
}

TEST(RigCommands, SetModePerFamily) {
  const auto mode = [](const char *rig, const char *word) {
    return modeCommand(
        {QString::fromLatin1(rig), QStringLiteral("FE FE 64 E0 03 FD"), QStringLiteral("MD0;")},
        QString::fromLatin1(word));
  };
  const struct {
    QByteArray command;
    QByteArray expected;
  } rows[] = {
      {mode("Icom", "CW"), QByteArray::fromHex("FE FE 64 E0 06 03 FD")},
      {mode("Icom", "RTTY-R"), QByteArray::fromHex("FE FE 64 E0 06 08 FD")},
      {mode("Icom", "FSK"), {}},
      {mode("Icom 735", "CW"), {}},
      {mode("Kenwood", "CW"), "MD3;"},
      {mode("Kenwood 2", "USB"), "MD2;"},
      {mode("Elecraft", "FSK"), "MD6;"},
      {mode("Kenwood", "CW-R"), {}},
      {mode("Yaesu", "USB"), QByteArray::fromHex("01 00 00 00 07")},
      {mode("Yaesu", "DIG"), QByteArray::fromHex("0A 00 00 00 07")},
      {mode("Yaesu 890", "FM"), QByteArray::fromHex("00 00 00 06 0C")},
      {mode("Yaesu 1000 D", "DIG"), {}},
      {mode("Yaesu FTdx9000", "CW"), "MD03;"},
      {mode("Yaesu FTdx9000", "LSB"), "MD01;"},
      {mode("Ten Tec Orion", "CW"), {}},
      {mode("Kenwood", "SSB"), {}}, // a word of no table
  };
  for (const auto &row : rows)
    EXPECT_EQ(row.command.toHex(' '), row.expected.toHex(' ')) << row.expected.constData();
}

TEST(RigCommands, PackedHexAndPegasusText) {
  EXPECT_EQ(PackedHexToBytes(QStringLiteral("FEFE64E005")), QByteArray::fromHex("FEFE64E005"));
  EXPECT_EQ(PackedHexToBytes(QStringLiteral("FEF")), QByteArray::fromHex("FE0F"));
  EXPECT_FALSE(PackedHexToBytes(QStringLiteral("FEZZ")));
  EXPECT_EQ(pegasusCommandText(14.025f, QStringLiteral(" CW ")), QStringLiteral("14.025\r\nCW\r\n"));
  EXPECT_EQ(pegasusCommandText(28.475f, QString()), QStringLiteral("28.475\r\n\r\n"));
  EXPECT_EQ(frequencyPause(QStringLiteral("Ten Tec Omni VI")).moreMs, 220);
}
