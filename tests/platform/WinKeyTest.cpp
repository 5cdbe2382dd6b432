// The WinKey driver against the simulated keyer, through the COM map and a pseudo-terminal.

#include "platform/WinKey.h"
#include "tests/support/PortLinks.h"
#include "tests/support/TestContext.h"
#include "tests/support/WinKeySimulator.h"

#include <QSerialPort>

#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray hex(const char *text) {
  return QByteArray::fromHex(text);
}

struct WinKeyWire : ::testing::Test {
  TempHome home;
  WinKeySimulator keyer;
  std::int64_t now = 1000;
  SerialWinKey driver{[this] { return now; }};
  static constexpr int kPort = 5;

  void SetUp() override { keyer.linkAs(kPort); }
  void open() {
    std::uint8_t version = 0;
    ASSERT_EQ(driver.wk_open(version, kPort), wkresult::Success);
    ASSERT_EQ(version, WinKeySimulator::kVersion);
    keyer.received(8);
    keyer.clearReceived();
  }
};

TEST_F(WinKeyWire, OpenReportsEachWayItCanFailAndFreesThePort) {
  struct Row {
    const char *what;
    std::function<void(WinKeySimulator &)> script;
    int port;
    std::int32_t result;
  };
  const Row rows[] = {
      {"answers", {}, kPort, wkresult::Success},
      {"no echo", [](WinKeySimulator &k) { k.echo = WinKeySimulator::Echo::None; }, kPort,
       wkresult::NoEchoResponse},
      {"wrong echo", [](WinKeySimulator &k) { k.echo = WinKeySimulator::Echo::Wrong; }, kPort,
       wkresult::EchoMismatch},
      {"no version", [](WinKeySimulator &k) { k.answersOpen = false; }, kPort, wkresult::NoOpenResponse},
      {"missing device", {}, 7, wkresult::ComOpenFailed},
      {"no port", {}, 0, wkresult::ComOpenFailed},
  };
  linkComPort(7, QStringLiteral("/dev/no-such-keyer"));
  for (const Row &row : rows) {
    WinKeySimulator sim;
    sim.linkAs(kPort);
    if (row.script)
      row.script(sim);
    SerialWinKey wk;
    std::uint8_t version = 0;
    EXPECT_EQ(wk.wk_open(version, row.port), row.result) << row.what;
    EXPECT_EQ(version, row.result == wkresult::Success ? WinKeySimulator::kVersion : 0) << row.what;
    if (row.result != wkresult::Success) {
      EXPECT_TRUE(wk.device().isEmpty()) << row.what;
      EXPECT_EQ(wk.wk_getstatus(), wkresult::NotOpen) << row.what;
      QSerialPort other(sim.device());
      EXPECT_TRUE(other.open(QIODevice::ReadWrite)) << row.what << ": the device is free again";
    } else {
      EXPECT_EQ(wk.device(), sim.device());
    }
  }
}

TEST_F(WinKeyWire, EveryCallWhileClosedDoesNothing) {
  const std::function<std::int32_t()> calls[] = {
      [&] { return driver.wk_close(); },          [&] { return driver.wk_char('A'); },
      [&] { return driver.wk_getstatus(); },      [&] { return driver.wk_clearbuf(); },
      [&] { return driver.wk_backspace(); },      [&] { return driver.wk_wpm(20); },
      [&] { return driver.wk_weight(50); },       [&] { return driver.wk_ptt_leadtail(1, 2); },
      [&] { return driver.wk_ditdah_ratio(50); }, [&] { return driver.wk_pincfg(6); },
      [&] { return driver.wk_setmode(0); },
  };
  for (const auto &call : calls)
    EXPECT_EQ(call(), wkresult::NotOpen);
  EXPECT_TRUE(keyer.received().isEmpty());
}

TEST_F(WinKeyWire, OpenSpeaksTheHostProtocolAndASecondOpenIsRefused) {
  std::uint8_t version = 0;
  ASSERT_EQ(driver.wk_open(version, kPort), wkresult::Success);
  EXPECT_EQ(keyer.received(8), hex("131313"
                                   "000455"
                                   "0002"));
  std::uint8_t again = 99;
  EXPECT_EQ(driver.wk_open(again, kPort), wkresult::AlreadyOpen);
  EXPECT_EQ(again, 99);
}

TEST_F(WinKeyWire, SettingsClearBackspaceAndCloseGoOnTheWireAsCommands) {
  open();
  driver.wk_wpm(18);
  driver.wk_weight(50);
  driver.wk_ptt_leadtail(1, 2);
  driver.wk_ditdah_ratio(50);
  driver.wk_pincfg(6);
  driver.wk_setmode(0x10);
  driver.wk_clearbuf();
  driver.wk_backspace();
  EXPECT_EQ(driver.wk_close(), wkresult::Success);
  EXPECT_EQ(keyer.received(17), hex("0212"
                                    "0332"
                                    "040102"
                                    "1732"
                                    "0906"
                                    "0e10"
                                    "0a"
                                    "08"
                                    "0003"));
  EXPECT_TRUE(driver.device().isEmpty());
}

TEST_F(WinKeyWire, OnlyPrintableCharactersReachTheKeyerInCapitals) {
  open();
  for (const char c : QByteArray("cq!\r\t[];\\"))
    driver.wk_char(static_cast<std::uint8_t>(c));
  for (const int code : {0x7F, 0x80, 0xFF, 0x1B, 0x0A})
    driver.wk_char(static_cast<std::uint8_t>(code));
  driver.wk_char('Z');
  EXPECT_EQ(keyer.received(8), QByteArray("CQ![];\\Z"));
}

TEST_F(WinKeyWire, StatusGivesTheLowBitsHeldWhileBusyIncludingWhatTheKeyerSendsOnItsOwn) {
  open();
  keyer.scriptStatuses({wkstatus::Busy, wkstatus::Busy | wkstatus::Xoff, wkstatus::BreakIn, 0});
  EXPECT_EQ(driver.wk_getstatus(), wkstatus::Hold | 4);
  EXPECT_EQ(driver.wk_getstatus(), wkstatus::Hold | 5);
  EXPECT_EQ(driver.wk_getstatus(), 2);
  EXPECT_EQ(driver.wk_getstatus(), 0);
  keyer.silent = true;
  keyer.sendStatus(wkstatus::Busy | wkstatus::Xoff);
  EXPECT_EQ(driver.wk_getstatus(), wkstatus::Hold | 5) << "a status sent on the keyer's own counts";
  keyer.sendStatus(0);
  driver.wk_char('E');
  EXPECT_EQ(driver.wk_getstatus(), 0) << "taken in by the character call";
}

TEST_F(WinKeyWire, AKeyerSilentForThreeSecondsIsClosed) {
  open();
  keyer.scriptStatuses({wkstatus::Busy});
  EXPECT_EQ(driver.wk_getstatus(), wkstatus::Hold | 4);
  keyer.silent = true;
  now += SerialWinKey::kGoneMs - 1;
  EXPECT_EQ(driver.wk_getstatus(), wkstatus::Hold | 4) << "the last known status";
  now += 1;
  EXPECT_EQ(driver.wk_getstatus(), wkresult::NotOpen);
  EXPECT_EQ(driver.wk_char('A'), wkresult::NotOpen);
  EXPECT_TRUE(driver.device().isEmpty());
}

} // namespace
