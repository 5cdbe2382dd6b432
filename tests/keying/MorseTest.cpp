#include "keying/Morse.h"
#include "keying/CwMacros.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Dots and dashes back from a unit string, to compare with the ITU table as it is written.
QString elementsOf(const QString &bits) {
  QString out;
  for (const QString &mark : bits.split(u'0', Qt::SkipEmptyParts))
    out += mark.size() == 1 ? u'.' : mark.size() == 3 ? u'-' : u'?';
  return out;
}

} // namespace

TEST(MorseTable, EveryCharacterKeysItsItuElements) {
  const char *itu[][2] = {
      {"A", ".-"},     {"B", "-..."},   {"C", "-.-."},   {"D", "-.."},   {"E", "."},     {"F", "..-."},
      {"G", "--."},    {"H", "...."},   {"I", ".."},     {"J", ".---"},  {"K", "-.-"},   {"L", ".-.."},
      {"M", "--"},     {"N", "-."},     {"O", "---"},    {"P", ".--."},  {"Q", "--.-"},  {"R", ".-."},
      {"S", "..."},    {"T", "-"},      {"U", "..-"},    {"V", "...-"},  {"W", ".--"},   {"X", "-..-"},
      {"Y", "-.--"},   {"Z", "--.."},   {"0", "-----"},  {"1", ".----"}, {"2", "..---"}, {"3", "...--"},
      {"4", "....-"},  {"5", "....."},  {"6", "-...."},  {"7", "--..."}, {"8", "---.."}, {"9", "----."},
      {".", ".-.-.-"}, {",", "--..--"}, {"?", "..--.."}, {"/", "-..-."}, {"[", ".-.-."}, {"]", "...-.-"},
      {";", "-.--."},  {"=", "-...-"},  {"-", "-...-"},
  };
  for (const auto &[ch, elements] : itu) {
    const QString bits = morseBits(QChar::fromLatin1(ch[0]));
    EXPECT_EQ(elementsOf(bits), QString::fromLatin1(elements)) << ch;
    // One unit between elements, three after the character.
    EXPECT_TRUE(bits.endsWith(QStringLiteral("000")) && !bits.chopped(3).contains(QStringLiteral("00")))
        << ch;
  }
  EXPECT_EQ(morseBits(u'['), QStringLiteral("1011101011101000"));
  EXPECT_EQ(morseBits(u'\\'), QStringLiteral("111010111010101110101000"));
  EXPECT_EQ(morseBits(u'E'), QStringLiteral("1000"));
  EXPECT_EQ(morseBits(u'a'), morseBits(u'A'));
  for (const QChar none : {QChar(u'%'), QChar(u'!'), QChar(u'"'), QChar(0xE9)})
    EXPECT_EQ(morseBits(none), QString());

  QString paris;
  for (const QChar c : QStringLiteral("PARIS "))
    paris += *keyedUnits(c, 0);
  EXPECT_EQ(paris.size(), 54);
}

TEST(MorseTable, WordSpaceAdjustsTheSpaceOnly) {
  const struct {
    double wordSpace;
    std::optional<qsizetype> units;
  } rows[] = {
      {0, 8}, {2, 10}, {-3, 5}, {-8, 0}, {-4, 4}, {1.5, 9}, {-1.5, 6}, {-8.4, 0}, {-8.6, std::nullopt}};
  for (const auto &row : rows) {
    const auto units = keyedUnits(u' ', row.wordSpace);
    EXPECT_EQ(units ? std::optional<qsizetype>(units->size()) : std::nullopt, row.units) << row.wordSpace;
    if (units) {
      EXPECT_EQ(units->count(u'1'), 0);
    }
    EXPECT_EQ(keyedUnits(u'E', row.wordSpace), QStringLiteral("1000"));
  }
}

TEST(MorseTable, UnitLengthFromTheSpeedBox) {
  EXPECT_EQ(unitMs(QStringLiteral("20")), 60.0);
  EXPECT_NEAR(*unitMs(QStringLiteral("13")), 92.3077, 1e-4);
  for (const char *none : {"0", "-1", "1:", "", "abc"})
    EXPECT_EQ(unitMs(QString::fromLatin1(none)), std::nullopt) << none;
}

TEST(CwMacros, WildcardsTakeTheTrimmedValuesAndEachIsInsertedOnce) {
  const struct {
    QString text, call, serial, rst;
    QString expected, rstAfter;
  } rows[] = {
      {"$ #", " W1AW ", "12", "599", "W1AW 12", "599"},
      {"$ #", " W1AW ", "", "599", "W1AW ", "599"},
      {"*", "", "", "599", "5NN", "5NN"},
      {"*", "", "", "", "5NN", "5NN"},
      {"*", "", "", "579", "579", "579"},
      {"TU *", "", "", " 579 ", "TU 579", " 579 "},
      {"TU", "", "", "599", "TU", "599"},
      {"$ $", "K1$", "", "599", "K1$ K1$", "599"},
      {"* *", "", "", "5*9", "5*9 5*9", "5*9"},
      {"$#", "K1#", "7", "599", "K177", "599"}, // a "#" inside the call is the "#" pass's
  };
  for (const auto &row : rows) {
    QString rst = row.rst;
    EXPECT_EQ(expandWildcards(row.text, row.call, row.serial, rst), row.expected) << row.text.toStdString();
    EXPECT_EQ(rst, row.rstAfter);
  }
}
