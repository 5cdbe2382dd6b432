#include "platform/Controls.h"
#include "platform/Timer.h"
#include "platform/VbText.h"
#include "rig/RigControlfrm.h"
#include "tests/rig/RigFixture.h"
#include "tests/rig/RigSimulator.h"
#include "tests/support/FakeSerialLink.h"
#include "tests/support/PortLinks.h"
#include "tests/support/TestContext.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kNoPortMessage = QStringLiteral(
    "The comm port that you selected for rig interface is either in use, invalid or the settings that "
    "you have selected are invalid.  Please select another combination or choose None for your rig "
    "selection.");

} // namespace

TEST_F(RigLink, SettingsFileThroughTheWindow) {
  // A missing file: the initial choices, no message.
  EXPECT_TRUE(rig().optBaud560->isChecked());
  EXPECT_TRUE(rig().optComm[1]->isChecked());
  EXPECT_TRUE(rig().chkFrequency->isChecked());
  EXPECT_FALSE(rig().chkConvToHex->isEnabled());
  EXPECT_TRUE(pc.dialogs.shown.empty());

  fakePort();
  choose(QStringLiteral("Icom"));
  rig().optBaud12->setChecked(true);
  rig().txtFreq->setText(QStringLiteral("FE FE 5C E0 03 FD"));
  rig().cmdDone_Click();
  const QString saved = vb::readLatin1(settingsPath()).value_or(QString());
  EXPECT_TRUE(saved.startsWith(QStringLiteral("\"1200 \"\r\n"))) << saved.toStdString();
  EXPECT_TRUE(saved.contains(QStringLiteral("\"FE FE 5C E0 03 FD\"\r\n\"1200,N,8,1\"\r\n2\r\n")))
      << saved.toStdString();
  EXPECT_EQ(pc.storedPreference(16), QStringLiteral("\"Icom\""));

  // The edited poll text survives the next load: the list selection applies no defaults then.
  pc.ctx->unload<RigControlfrm>();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  pc.ctx->prefs.RigType = QStringLiteral("Kenwood");
  EXPECT_EQ(rig().txtFreq->text(), QStringLiteral("FE FE 5C E0 03 FD"));
  EXPECT_EQ(pc.ctx->prefs.RigType, QStringLiteral("Icom"));
  EXPECT_TRUE(rig().optBaud12->isChecked());
  EXPECT_TRUE(rig().Label10->isVisibleTo(&rig()));
  EXPECT_EQ(rig().List1->currentItem()->text(), QStringLiteral("Icom"));

  rig().optBaud560->setChecked(true);
  fakePort();
  test();
  EXPECT_EQ(rig().RigSettings.BaudRate, QStringLiteral("56000"));

  // A damaged file keeps what was read before the damage; the controls keep their choices.
  pc.ctx->unload<RigControlfrm>();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(vb::writeLatin1Atomic(settingsPath(), QStringLiteral("\"4800 \"\r\n\"E\"\r\n\"7\"\r\n")));
  EXPECT_EQ(rig().RigSettings.Parity, QStringLiteral("E"));
  EXPECT_EQ(rig().RigSettings.DataBits, QStringLiteral("7"));
  EXPECT_TRUE(rig().optParityNone->isChecked());
}

TEST_F(RigLink, ListClicksApplyEachRigsDefaultsAndStopPolling) {
  FakeSerialLink &port = fakePort();
  choose(QStringLiteral("Kenwood"));
  test();
  ASSERT_TRUE(rig().polling());
  EXPECT_EQ(port.written, (std::vector<QByteArray>{"FA;", "MD;"})); // one tick at once
  port.written.clear();

  rig().optData7->setChecked(true);
  rig().optParityOdd->setChecked(true);
  choose(QStringLiteral("Yaesu FTdx9000"));
  EXPECT_FALSE(rig().polling());
  EXPECT_FALSE(port.isOpen());
  EXPECT_TRUE(rig().optBaud48->isChecked());
  EXPECT_TRUE(rig().optData7->isChecked()); // kept
  EXPECT_TRUE(rig().optParityOdd->isChecked());
  EXPECT_EQ(rig().txtMode->text(), QStringLiteral("MD0;"));

  choose(QStringLiteral("Kenwood 2"));
  EXPECT_EQ(rig().txtFreq->text(), QStringLiteral("IF;"));
  EXPECT_EQ(rig().txtMode->text(), QString());
  EXPECT_TRUE(rig().optStop2->isChecked());

  choose(QStringLiteral("Icom"));
  EXPECT_TRUE(rig().chkConvToHex->isChecked());
  EXPECT_TRUE(rig().ChkConvHex->isChecked());
  EXPECT_FALSE(rig().chkConvToHex->isEnabled());
  EXPECT_TRUE(rig().Label10->isVisibleTo(&rig()));

  choose(QStringLiteral("Other"));
  EXPECT_TRUE(rig().chkConvToHex->isEnabled());
  EXPECT_FALSE(rig().chkConvToHex->isChecked());
  EXPECT_EQ(rig().txtFreq->text(), QString());
  EXPECT_FALSE(rig().Label10->isVisibleTo(&rig()));

  // "None" with "&Done": both files saved, nothing opened, the window hidden.
  choose(QStringLiteral("None"));
  rig().show();
  rig().cmdDone_Click();
  EXPECT_FALSE(rig().isVisible());
  EXPECT_FALSE(port.isOpen());
  EXPECT_TRUE(QFile::exists(settingsPath()));
  EXPECT_EQ(pc.storedPreference(16), QStringLiteral("\"None\""));
}

TEST_F(RigLink, TestStartsPollingAndSettingChangesStopIt) {
  fakePort();
  choose(QStringLiteral("Kenwood"));
  const struct {
    QRadioButton *RigControlfrm::*option;
    int ms;
  } rates[] = {{&RigControlfrm::optPollFast, 50},
               {&RigControlfrm::optPollMed, 250},
               {&RigControlfrm::optPollSlow, 1000},
               {&RigControlfrm::optReallySlow, 5000}};
  for (const auto &r : rates) {
    (rig().*r.option)->setChecked(true);
    test();
    EXPECT_TRUE(rig().polling());
    EXPECT_EQ(rig().tmrGetData->interval(), r.ms);
    EXPECT_TRUE(rig().Label2->isVisibleTo(&rig()));
    EXPECT_TRUE(rig().Command2->isEnabled());
  }
  rig().optStop1->setChecked(true);
  EXPECT_FALSE(rig().polling());
  EXPECT_FALSE(rig().Label2->isVisibleTo(&rig()));
  EXPECT_FALSE(rig().Command2->isEnabled());

  // Focus on a poll text stops polling; the window's own first focus does not.
  rig().show();
  rig().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&rig()));
  test();
  EXPECT_TRUE(rig().polling());
  rig().txtMode->setFocus();
  EXPECT_FALSE(rig().polling());

  // "Change Frequency" only while polling.
  rig().Command3_Click();
  ASSERT_NE(pc.dialogs.last(), nullptr);
  EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("You must be polling your rig to test this function."));
  EXPECT_EQ(pc.dialogs.last()->text,
            QStringLiteral("You must be polling your rig to test this function.  Please "
                           "select your rig type and click the Test command button."));
  EXPECT_EQ(pc.dialogs.last()->icon, Dialogs::Icon::Information);
}

// The read tick's rules: which parser, what is shown, what is handed on.
TEST_F(RigLink, TickAlternatesAndHandsTheFrequencyOn) {
  FakeSerialLink &port = fakePort();
  choose(QStringLiteral("Icom"));
  f.mnu40_Click();
  rig().show();
  test(); // a send tick: the frequency is asked
  ASSERT_EQ(port.written.size(), 1u);
  EXPECT_EQ(port.written[0], QByteArray::fromHex("FE FE 64 E0 03 FD"));
  port.input = QByteArray::fromHex("FE FE E0 64 03 00 50 02 14 00 FD");
  tick();
  EXPECT_EQ(rig().lblFreq->text(), QStringLiteral("14.02500"));
  EXPECT_EQ(rig().lblUnProcess->text(), QStringLiteral("FE FE E0 64 03 00 50 02 14 00 FD "));
  EXPECT_EQ(band(), QStringLiteral("20"));

  tick(); // the mode is asked
  EXPECT_EQ(port.written.back(), QByteArray::fromHex("FE FE 64 E0 04 FD"));
  port.input = QByteArray::fromHex("FE FE E0 64 04 03 01 FD");
  tick();
  EXPECT_EQ(rig().lblMode->text(), QStringLiteral("CW"));

  // Output still pending: nothing sent and the turn not taken, but the next tick reads, with
  // the parser of the turn before.
  port.pending = 3;
  tick();
  EXPECT_EQ(port.written.size(), 2u);
  port.input = QByteArray::fromHex("FE FE E0 64 04 00 01 FD");
  tick();
  EXPECT_EQ(rig().lblMode->text(), QStringLiteral("PH"));
  port.pending = 0;

  // Empty input: nothing shown, nothing handed on.
  f.mnu80_Click();
  tick();
  tick();
  EXPECT_EQ(rig().lblFreq->text(), QStringLiteral("14.02500"));
  EXPECT_EQ(band(), QStringLiteral("80"));

  // Hidden: no labels, but the band still follows; "Use Frequency" clear: it does not.
  rig().hide();
  const auto cycle = [&](const QByteArray &reply) {
    tick();
    port.input = reply;
    tick();
  };
  cycle({});
  cycle(QByteArray::fromHex("FE FE E0 64 03 00 00 10 07 00 FD"));
  EXPECT_EQ(band(), QStringLiteral("40"));
  EXPECT_EQ(rig().lblFreq->text(), QStringLiteral("14.02500"));
  rig().chkFrequency->setChecked(false);
  cycle({});
  cycle(QByteArray::fromHex("FE FE E0 64 03 00 50 02 14 00 FD"));
  EXPECT_EQ(band(), QStringLiteral("40"));

  // A write that fails repeats the send tick.
  port.writes = false;
  const int turn = rig().PollModeNext;
  tick();
  EXPECT_EQ(rig().ReadTickNext, 0);
  EXPECT_EQ(rig().PollModeNext, turn);
}

TEST_F(RigLink, ModeByFrequencyOrNotHandedOn) {
  FakeSerialLink &port = fakePort();
  choose(QStringLiteral("Kenwood"));
  rig().OptFreq->setChecked(true);
  rig().show();
  test();
  port.input = "FA00014200000;MD3;";
  tick();
  EXPECT_EQ(rig().lblMode->text(), QStringLiteral("PH")); // the segment overrides the rig's CW
  rig().OptDont->setChecked(true);
  EXPECT_EQ(rig().lblMode->text(), QStringLiteral("No Response"));
  tick();
  port.input = "FA00014200000;MD3;";
  tick();
  EXPECT_EQ(rig().lblMode->text(), QStringLiteral("CW"));
  port.input = "FA00014200000;MD3;";
  rig().ChkConvHex->setChecked(true);
  tick();
  tick();
  EXPECT_TRUE(rig().lblUnProcess->text().startsWith(QStringLiteral("46 41 30 ")));
  rig().Command4_Click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), rig().lblUnProcess->text());
}

TEST_F(RigLink, OpeningOnAPseudoTerminal) {
  RigSimulator panel(QStringLiteral("Ten Tec Fnt Pnl"));
  panel.linkAs(3);
  choose(QStringLiteral("Ten Tec Fnt Pnl"));
  rig().optComm[2]->setChecked(true);
  test(); // the pseudo-terminal refuses RTS and DTR: a warning, not a failure
  ASSERT_TRUE(rig().polling());
  EXPECT_EQ(panel.baud(), 56000);
  EXPECT_TRUE(panel.rtsCts());
  panel.serve();
  EXPECT_EQ(panel.received, QByteArray("?A\r"));

  // Another rig on the same line: no handshaking left behind.
  choose(QStringLiteral("Kenwood"));
  rig().optComm[2]->setChecked(true);
  test();
  ASSERT_TRUE(rig().polling());
  EXPECT_EQ(panel.baud(), 4800);
  EXPECT_FALSE(panel.rtsCts());

  // The opening bytes: CAT on for the Yaesu five-byte rigs, "X" CR for the Orion.
  const struct {
    const char *type;
    QByteArray opening;
  } rows[] = {{"Yaesu 890", QByteArray(5, '\0') + QByteArray::fromHex("00 00 00 02 10")},
              {"Yaesu FTdx9000", "FA;"},
              {"Ten Tec Orion", "X\r?AF\r?RMM\r"}};
  for (const auto &row : rows) {
    RigSimulator sim(QString::fromLatin1(row.type));
    sim.linkAs(4);
    choose(QString::fromLatin1(row.type));
    rig().optComm[3]->setChecked(true);
    rig().ReadTickNext = 0; // "Test" keeps the turns the last rig left
    rig().PollModeNext = 0;
    test();
    sim.serve();
    EXPECT_EQ(sim.received, row.opening) << row.type;
    // Unloading while polling: CAT off for the Yaesu five-byte rigs only.
    rig().Form_Unload();
    sim.serve();
    const bool catOff = QByteArray(row.type).startsWith("Yaesu 8");
    EXPECT_EQ(sim.received.endsWith(QByteArray::fromHex("00 00 00 00 80")), catOff) << row.type;
  }

  // A missing device: the message with the information icon, no polling.
  linkComPort(5, home.path("/gone"));
  choose(QStringLiteral("Kenwood"));
  rig().optComm[4]->setChecked(true);
  rig().show();
  test();
  EXPECT_FALSE(rig().polling());
  ASSERT_NE(pc.dialogs.last(), nullptr);
  EXPECT_EQ(pc.dialogs.last()->text, kNoPortMessage);
  EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Invalid Comm Settings."));
  EXPECT_EQ(pc.dialogs.last()->icon, Dialogs::Icon::Information);
  EXPECT_FALSE(rig().Label2->isVisibleTo(&rig()));
}

// At start-up the hidden window comes up modally when its port fails; "&Done" there polls.
TEST_F(RigLink, StartUpFailureShowsTheWindowModally) {
  RigSimulator sim(QStringLiteral("Kenwood"));
  sim.linkAs(6);
  RigLinkSettings s;
  s.RigType = QStringLiteral("Kenwood");
  s.BaudRate = QStringLiteral("4800 ");
  s.CommPort = 7; // nothing there
  s.FreqPollText = QStringLiteral("FA;");
  s.ModePollText = QStringLiteral("MD;");
  ASSERT_TRUE(vb::writeLatin1Atomic(settingsPath(), rigSettingsText(s)));
  bool shownModally = false;
  QTimer::singleShot(0, [&] {
    shownModally = rig().isVisible() && rig().isModal();
    rig().optComm[5]->setChecked(true);
    rig().cmdDone->click();
  });
  pc.ctx->prefs.RigType = QStringLiteral("Kenwood");
  f.StartRigPolling();
  holdTimer();
  EXPECT_TRUE(shownModally);
  EXPECT_FALSE(rig().isVisible());
  EXPECT_TRUE(rig().polling());
  sim.serve();
  EXPECT_TRUE(sim.received.startsWith("FA;MD;"));
}

TEST_F(RigLink, FloodKeepsTheNewestInput) {
  RigSimulator sim(QStringLiteral("Kenwood"));
  sim.linkAs(2);
  choose(QStringLiteral("Kenwood"));
  test();
  sim.silent = true;
  sim.serve();
  sim.flood(3000);
  QCoreApplication::processEvents();
  sim.flood(3000);
  const QByteArray taken = rig().comComm1->takeInput();
  EXPECT_EQ(taken.size(), 4096);
  EXPECT_EQ(taken.back(), char('a' + 2999 % 26));
}

// Each family against its simulator: the default poll commands on the wire, the window's
// display, and the main window's band following the rig from 40 to 20 m.
TEST_F(RigLink, EveryFamilyFollowsItsRig) {
  const struct {
    const char *type;
    QByteArray wire; // the opening and the first two send turns
    int maxTicks;
  } rows[] = {
      {"Kenwood", "FA;MD;FA;MD;", 2},
      {"Elecraft", "FA;MD;FA;MD;", 2},
      {"Kenwood 2", "IF;IF;", 2},
      {"Icom", QByteArray::fromHex("FE FE 64 E0 03 FD FE FE 64 E0 04 FD"), 4},
      {"Icom 735", QByteArray::fromHex("FE FE 64 E0 03 FD FE FE 64 E0 04 FD"), 4},
      {"Ten Tec Omni VI", QByteArray::fromHex("FE FE 04 E0 03 FD FE FE 04 E0 04 FD"), 4},
      {"Yaesu", QByteArray::fromHex("00 00 00 00 00 00 00 00 00 03 00 00 00 00 03"), 2},
      {"Yaesu 757 GX II", QByteArray::fromHex("00 00 00 00 00 00 00 00 00 10 00 00 00 00 10"), 2},
      {"Yaesu 890", QByteArray::fromHex("00 00 00 00 00 00 00 00 02 10 00 00 00 02 10"), 2},
      {"Yaesu 920", QByteArray::fromHex("00 00 00 00 00 00 00 00 02 10 00 00 00 02 10"), 2},
      {"Yaesu 990", QByteArray::fromHex("00 00 00 00 00 00 00 00 02 10 00 00 00 02 10"), 2},
      {"Yaesu 1000 D", QByteArray::fromHex("00 00 00 00 00 00 00 00 02 10 00 00 00 02 10"), 2},
      {"Yaesu 1000", QByteArray::fromHex("00 00 00 00 00 00 00 00 02 10 00 00 00 02 10"), 2},
      {"Yaesu FTdx9000", "FA;MD0;", 4},
      {"Ten Tec Fnt Pnl", "?A\r?M\r", 4},
      {"Ten Tec Orion", "X\r?AF\r?RMM\r?AF\r?RMM\r", 2},
  };
  rig().show();
  for (const auto &row : rows) {
    SCOPED_TRACE(row.type);
    RigSimulator sim(QString::fromLatin1(row.type));
    sim.linkAs(2);
    choose(QString::fromLatin1(row.type));
    f.mnu40_Click();
    rig().ReadTickNext = 0; // "Test" keeps the turns the last rig left
    rig().PollModeNext = 0;
    test();
    for (int i = 0; i < 7; ++i) {
      sim.serve();
      tick();
    }
    EXPECT_TRUE(sim.received.startsWith(row.wire)) << sim.received.toHex(' ').constData();
    EXPECT_EQ(rig().lblFreq->text(), QStringLiteral("7.02500"));
    EXPECT_EQ(rig().lblMode->text(), QStringLiteral("CW"));
    EXPECT_EQ(band(), QStringLiteral("40"));
    sim.hertz = 14025000;
    sim.cw = false;
    int ticks = 0;
    while (band() != QLatin1String("20") && ticks < 8) {
      sim.serve();
      tick();
      ++ticks;
    }
    EXPECT_LE(ticks, row.maxTicks);
    for (int i = 0; i < 4; ++i) {
      sim.serve();
      tick();
    }
    EXPECT_EQ(rig().lblFreq->text(), QStringLiteral("14.02500"));
    EXPECT_EQ(rig().lblMode->text(), QStringLiteral("PH"));
    rig().Command2_Click();
  }
}

TEST_F(RigLink, PegasusFollowsItsReplyFile) {
  ASSERT_TRUE(QDir().mkpath(home.path("/Pegasus")));
  ASSERT_TRUE(vb::writeLatin1Atomic(home.path("/Pegasus/pegasus.out"), QStringLiteral("7.025,CW")));
  FakeSerialLink &port = fakePort();
  choose(QStringLiteral("Ten Tec Pegasus"));
  f.mnu20_Click();
  test();
  EXPECT_TRUE(rig().polling());
  EXPECT_FALSE(port.isOpen());
  tick();
  EXPECT_EQ(band(), QStringLiteral("40"));
  ASSERT_TRUE(
      vb::writeLatin1Atomic(home.path("/Pegasus/pegasus.out"), QStringLiteral("14.025\r\n\"USB\"\r\n")));
  tick();
  tick();
  EXPECT_EQ(band(), QStringLiteral("20"));
  EXPECT_EQ(rig().Rig.RigMode, QStringLiteral("PH"));
  EXPECT_TRUE(port.written.empty());
}

// A line that goes away while polled, as a pulled adapter or a rig that takes no more bytes:
// polling ends with one message and nothing more is written; "Test" polls again once the rig is
// back.
TEST_F(RigLink, ALineThatGoesAwayEndsPollingWithOneMessage) {
  const struct {
    const char *how;
    void (*lose)(RigSimulator &);
  } ways[] = {{"hung up", [](RigSimulator &sim) { sim.hangUp(); }},
              {"takes nothing", [](RigSimulator &sim) { sim.holdOutput(true); }}};
  rig().show();
  choose(QStringLiteral("Kenwood"));
  rig().optPollFast->setChecked(true);
  for (const auto &way : ways) {
    SCOPED_TRACE(way.how);
    pc.dialogs.shown.clear();
    auto sim = std::make_unique<RigSimulator>(QStringLiteral("Kenwood"));
    sim->linkAs(2);
    rig().Command1_Click(); // the poll timer runs
    ASSERT_TRUE(rig().polling());
    QTest::qWait(200);
    ASSERT_TRUE(sim->serve() > 0);
    way.lose(*sim);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !pc.dialogs.shown.empty(); }, 5000));
    QTest::qWait(300);
    EXPECT_FALSE(rig().polling());
    EXPECT_FALSE(rig().Label2->isVisibleTo(&rig()));
    EXPECT_FALSE(rig().comComm1->isOpen());
    ASSERT_EQ(pc.dialogs.shown.size(), 1u);
    EXPECT_EQ(pc.dialogs.last()->text, kNoPortMessage);
    EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Invalid Comm Settings."));
    EXPECT_EQ(pc.dialogs.last()->icon, Dialogs::Icon::Information);
    sim->holdOutput(false);
    sim->received.clear();
    QTest::qWait(200);
    sim->serve();
    EXPECT_TRUE(sim->received.isEmpty()) << sim->received.constData();

    RigSimulator back(QStringLiteral("Kenwood"));
    back.linkAs(2);
    rig().Command1_Click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return back.serve() > 0; }, 1000));
    EXPECT_EQ(back.received, "FA;MD;");
    rig().Command2_Click();
  }
}
