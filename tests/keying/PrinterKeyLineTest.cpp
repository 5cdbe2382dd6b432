#include "keying/KeyLines.h"
#include "tests/support/KeyLineDoubles.h"
#include "tests/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

TEST(PrinterKeyLine, WritesThreeAndTwoToTheControlRegisterAndReportsAFailureOncePerAddress) {
  FakeClock clock;
  ScriptedDialogs dialogs;
  FakePrinterPorts ports(clock);
  PrinterKeyLine line(ports, dialogs);

  EXPECT_TRUE(line.set(QStringLiteral("&H378"), true));
  EXPECT_TRUE(line.set(QStringLiteral("&H378"), false));
  EXPECT_TRUE(line.set(QStringLiteral("&H278"), true));
  EXPECT_EQ(ports.writes, (std::vector<LineChange>{{"890", 3, 0}, {"890", 2, 0}, {"634", 3, 0}}));
  EXPECT_FALSE(line.set(QStringLiteral("abc"), true));
  EXPECT_FALSE(line.set(QStringLiteral("70000"), true));

  ports.failing = {890};
  for (int n = 0; n < 3; ++n)
    EXPECT_TRUE(line.set(QStringLiteral("&H378"), n % 2 == 0)); // the timing goes on
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.beeps, 1);
  EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Invalid port."));
  EXPECT_EQ(dialogs.shown[0].text,
            QStringLiteral("The printer port at &H378 (/dev/parport0) cannot be used: Permission denied."));
  line.set(QStringLiteral("888"), true); // another address as typed
  EXPECT_EQ(dialogs.shown.size(), 2u);
  ports.failing.clear();
  line.set(QStringLiteral("888"), true); // the port opens
  ports.failing = {890};
  line.set(QStringLiteral("888"), true);
  EXPECT_EQ(dialogs.shown.size(), 3u);
}
