#include "platform/PortArbiter.h"
#include "platform/PrinterPorts.h"
#include "platform/SerialKeyLine.h"
#include "platform/VbText.h"
#include "tests/support/KeyLineDoubles.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(NumberInBox, DecimalHexAndOctalAndNoNumber) {
  const struct {
    QString text;
    std::optional<double> value;
  } rows[] = {
      {"13", 13},           {" -2.5 ", -2.5},     {"&H378", 888},         {"&h3bc", 956},
      {"&O17", 15},         {"1e3", 1000},        {"", std::nullopt},     {"-", std::nullopt},
      {"1:", std::nullopt}, {"&H", std::nullopt}, {"&HXY", std::nullopt}, {"abc", std::nullopt},
  };
  for (const auto &row : rows)
    EXPECT_EQ(vb::numberIn(row.text), row.value) << row.text.toStdString();
  EXPECT_EQ(vb::trim(QStringLiteral("  W1AW\t ")), QStringLiteral("W1AW\t"));
}

TEST(MillisecondCounter, RealCounterNeverGoesBackAndFakeMovesOnReadsAndSleeps) {
  SystemClock real;
  const auto a = real.timeGetTime();
  real.sleepMs(2);
  EXPECT_GE(real.timeGetTime() - a, 2);

  FakeClock fake;
  const auto t0 = fake.timeGetTime();
  EXPECT_EQ(fake.timeGetTime(), t0 + 1);
  fake.sleepMs(60);
  EXPECT_EQ(fake.timeGetTime(), t0 + 62);
}

TEST(SerialKeyLine, OpensAPseudoTerminalThatRefusesModemLinesAndKeepsItOpen) {
  PseudoTerminal pty;
  ASSERT_FALSE(pty.device.isEmpty());
  QtSerialKeyLine line;
  line.setRts(true); // kept for the next open
  QString error;
  ASSERT_TRUE(line.open(pty.device, &error)) << error.toStdString();
  EXPECT_TRUE(line.isOpen());
  EXPECT_EQ(line.device(), pty.device);
  line.setDtr(true);
  line.setRts(false);
  EXPECT_TRUE(line.isOpen()); // the refusal is not fatal
  line.close();
  EXPECT_FALSE(line.isOpen());
  EXPECT_EQ(line.device(), QString());

  EXPECT_FALSE(line.open(QStringLiteral("/dev/no-such-tty"), &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(line.isOpen());
}

TEST(PortArbiter, EachOpenerClosesWhatTheTableSaysAndAHeldDeviceIsRefused) {
  QTemporaryDir dir;
  const QString device = dir.filePath(QStringLiteral("ttyUSB0"));
  QFile(device).open(QIODevice::WriteOnly);
  const QString link = dir.filePath(QStringLiteral("COM3"));
  ASSERT_TRUE(QFile::link(device, link));

  QStringList closed;
  QString winKeyDevice = link;
  PortArbiter arbiter;
  const auto user = [&](PortUser who, const QString &name, const QString *held) {
    arbiter.registerUser(
        who, [held] { return held ? *held : QString(); }, [&closed, name] { closed << name; });
  };
  user(PortUser::CwKeyLine, QStringLiteral("cw"), nullptr);
  user(PortUser::PushToTalk, QStringLiteral("ptt"), nullptr);
  user(PortUser::WinKey, QStringLiteral("winkey"), &winKeyDevice);

  const struct {
    PortUser opener;
    QStringList closes;
  } rows[] = {
      {PortUser::CwKeyLine, {"ptt"}},
      {PortUser::PushToTalk, {"winkey", "cw"}},
      {PortUser::WinKey, {"ptt", "cw"}},
  };
  for (const auto &row : rows) {
    closed.clear();
    arbiter.closeOthersFor(row.opener);
    EXPECT_EQ(closed, row.closes);
  }

  EXPECT_TRUE(arbiter.heldByOther(PortUser::CwKeyLine, device)); // the same file by another name
  EXPECT_FALSE(arbiter.heldByOther(PortUser::WinKey, device));   // its own
  EXPECT_FALSE(arbiter.heldByOther(PortUser::CwKeyLine, dir.filePath(QStringLiteral("other"))));
  arbiter.unregisterUser(PortUser::WinKey);
  EXPECT_FALSE(arbiter.heldByOther(PortUser::CwKeyLine, device));
  closed.clear();
  arbiter.closeOthersFor(PortUser::PushToTalk);
  EXPECT_EQ(closed, QStringList{"cw"});
}

TEST(PrinterPorts, DeviceFromProcBaseAddressElseTheFixedMap) {
  QTemporaryDir proc;
  const auto port = [&](int k, const QByteArray &baseAddr) {
    QDir(proc.path()).mkpath(QStringLiteral("parport%1").arg(k));
    QFile f(proc.filePath(QStringLiteral("parport%1/base-addr").arg(k)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(baseAddr);
  };
  port(0, "53248\t53264\n"); // a PCI card
  port(1, "888\t1912\n");

  const struct {
    int base;
    QString device;
  } rows[] = {
      {53248, "/dev/parport0"}, {888, "/dev/parport1"}, {632, "/dev/parport1"},
      {956, "/dev/parport2"},   {1000, QString()},
  };
  for (const auto &row : rows)
    EXPECT_EQ(parportDevice(row.base, proc.path()), row.device) << row.base;
  EXPECT_EQ(parportDevice(888, proc.filePath(QStringLiteral("none"))), QStringLiteral("/dev/parport0"));
}

TEST(PrinterPorts, ADeviceThatCannotBeOpenedIsReportedWithItsNameAndTriedAgain) {
  QTemporaryDir proc;
  QDir(proc.path()).mkpath(QStringLiteral("parport9"));
  QFile f(proc.filePath(QStringLiteral("parport9/base-addr")));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("4096 4104\n");
  f.close();

  PpdevPrinterPorts ports(proc.path());
  PrinterPorts::Failure failure;
  for (int attempt = 0; attempt < 2; ++attempt) {
    EXPECT_FALSE(ports.writeControl(4098, 3, &failure));
    EXPECT_EQ(failure.device, QStringLiteral("/dev/parport9"));
    EXPECT_FALSE(failure.description.isEmpty());
  }
  EXPECT_FALSE(ports.writeControl(1002, 3, &failure));
  EXPECT_EQ(failure.device, QStringLiteral("no parallel port device"));
  ports.closeAll();
}
