#include "logging/WpxPrefix.h"

#include <gtest/gtest.h>

namespace {
struct Case {
  const char *call;
  const char *prefix;
};

void expectPrefixes(std::initializer_list<Case> cases) {
  for (const Case &c : cases)
    EXPECT_EQ(wpxPrefix(QString::fromLatin1(c.call)), QString::fromLatin1(c.prefix)) << c.call;
}
} // namespace

TEST(WpxPrefix, WorkedExamples) {
  expectPrefixes({{"N8XYZ", "N8"},
                  {"4X4XYZ", "4X4"},
                  {"TEST", ""},
                  {"VE3/W1ABC", "VE3"},
                  {"PA/K1ABC", "PA0"},
                  {"W1ABC/4", "W4"},
                  {"K1ABC/VE3", "VE3"},
                  {"W1ABC/M", "M0"},
                  {"W1ABC/QRP", "QR0"},
                  {"KH6XYZ", "KH6"}});
}

TEST(WpxPrefix, ShortCallsGiveNothing) {
  expectPrefixes({{"", ""}, {"K", ""}, {"7", ""}, {"K1", "K1"}});
}

TEST(WpxPrefix, FirstCharacterIsNeverScanned) {
  // A leading slash or digit is part of the call, not a separator or the call-area digit.
  expectPrefixes({{"/K1ABC", "/K1"}, {"2ABC", ""}, {"2A2ABC", "2A2"}});
}

TEST(WpxPrefix, OnlyTheLastSlashCountsAndBoundDecidesPrefixOrSuffix) {
  expectPrefixes({{"DL/W1ABC/P", "P0"},
                  // 8 characters: the bound is 5, so a slash at 5 is a suffix...
                  {"K1AB/VE3", "VE3"},
                  // ...and at 4 (below 5) the part before it is the prefix.
                  {"VE3/K1AB", "VE3"},
                  // 9 characters: the bound is 5.5; the slash at 5 still gives the prefix rule.
                  {"DL1A/K1AB", "DL1"},
                  // 6 characters: the bound is 4, so even a short call after the slash wins.
                  {"KH6/W1", "W1"}});
}

TEST(WpxPrefix, NumberSuffixReplacesTheCallAreaDigit) {
  // The call area digit is found again from the first character on.
  expectPrefixes({{"4X4ABC/2", "2"}, {"ABC/4", "ABC/4"}, {"JA1XYZ/6", "JA6"}});
}

TEST(WpxPrefix, LetterEndingIsCutToTwoAndCompletedWithZero) {
  expectPrefixes({{"PAX/K1ABC", "PA0"}, {"W1ABC/MM", "MM0"}, {"K1ABC/ABCD", "AB0"}});
}
