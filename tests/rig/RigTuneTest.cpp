#include "platform/Controls.h"
#include "platform/VbText.h"
#include "rig/frmFrequencyTest.h"
#include "rig/frmRigTune.h"
#include "tests/rig/RigFixture.h"
#include "tests/rig/RigSimulator.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <limits>

namespace {

class Tuning : public RigLink {
protected:
  void shipPlan() {
    pc.shipDataFile(kBandPlanFile);
    rig().LoadBandPlan();
  }
  // A polled rig on a port double.
  FakeSerialLink &polled(const QString &type) {
    FakeSerialLink &port = fakePort();
    choose(type);
    test();
    port.written.clear();
    return port;
  }
};

} // namespace

// The whole sequence against the rig on a pseudo-terminal: the band plan's mode first, polling
// off meanwhile, waiting input dropped.
TEST_F(Tuning, ModeThenFrequencyOnTheWire) {
  shipPlan();
  RigSimulator sim(QStringLiteral("Kenwood"));
  sim.linkAs(2);
  choose(QStringLiteral("Kenwood"));
  test();
  sim.serve(); // answers the poll: a reply waits at the program
  sim.cw = false;
  sim.received.clear();
  rig().RigReply = "left over";
  bool offMeanwhile = true;
  pc.clock.whileSleeping = [&] { offMeanwhile = offMeanwhile && !rig().polling(); };
  pc.clock.sleeps.clear();
  const float asked = 14.025f;
  rig().ChangeFrequency(asked);
  sim.serve();
  EXPECT_EQ(sim.received, QByteArray("MD3;FA00014025000;"));
  EXPECT_EQ(sim.hertz, 14025000);
  EXPECT_TRUE(sim.cw);
  EXPECT_EQ(pc.clock.sleeps, (std::vector<int>{99, 205}));
  EXPECT_TRUE(offMeanwhile);
  EXPECT_TRUE(rig().polling());
  EXPECT_TRUE(rig().RigReply.isEmpty());
  EXPECT_TRUE(rig().comComm1->takeInput().isEmpty());
  EXPECT_TRUE(pc.dialogs.shown.empty());

  // A segment edge and 160 m give no mode: the frequency command alone.
  sim.received.clear();
  rig().ChangeFrequency(7.0f);
  rig().ChangeFrequency(1.9f);
  sim.serve();
  EXPECT_EQ(sim.received, QByteArray("FA00007000000;FA00001900000;"));
}

TEST_F(Tuning, EachFamilysPausesAndTheCallersFrequency) {
  const struct {
    const char *rig;
    std::vector<int> sleeps;
  } rows[] = {{"Kenwood", {205}},
              {"Elecraft", {205, 1000}},
              {"Icom", {140}},
              {"Ten Tec Omni VI", {140, 220}},
              {"Yaesu 1000", {10}},
              {"Yaesu 890", {205}},
              {"Ten Tec Orion", {205}},
              {"Ten Tec Fnt Pnl", {205}},
              {"Other", {}}};
  for (const auto &row : rows) {
    FakeSerialLink &port = polled(QString::fromLatin1(row.rig));
    pc.clock.sleeps.clear();
    float asked = 14.025f;
    rig().ChangeFrequency(asked);
    EXPECT_EQ(asked, 14.025f);
    EXPECT_EQ(pc.clock.sleeps, row.sleeps) << row.rig;
    EXPECT_EQ(port.written.size(), row.sleeps.empty() ? 0u : 1u) << row.rig;
  }
  // Not polling: nothing sent, nothing shown.
  FakeSerialLink &port = polled(QStringLiteral("Kenwood"));
  rig().Command2_Click();
  rig().ChangeFrequency(14.025f);
  EXPECT_TRUE(port.written.empty());
  EXPECT_TRUE(pc.dialogs.shown.empty());
}

TEST_F(Tuning, DrainWaitsAndFailures) {
  FakeSerialLink &port = polled(QStringLiteral("Kenwood"));
  port.pending = 5; // a line that never sends
  const std::int64_t start = pc.clock.counter;
  rig().ChangeFrequency(14.025f);
  const std::int64_t waited = pc.clock.counter - start;
  EXPECT_GE(waited, 3 * 2000 + 205); // three waits of 2,000 ms each, then the pause
  EXPECT_LT(waited, 3 * 2000 + 205 + 30);
  EXPECT_EQ(port.written, std::vector<QByteArray>{"FA00014025000;"});
  port.pending = 0;

  port.writes = false;
  rig().ChangeFrequency(14.025f);
  ASSERT_NE(pc.dialogs.last(), nullptr);
  EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Error Changing Frequency"));
  EXPECT_EQ(pc.dialogs.last()->text, QStringLiteral("Input/output error"));
  EXPECT_FALSE(rig().polling());

  QString mode = QStringLiteral("CW");
  rig().ChangeMode(0, mode);
  EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Error Changing Mode"));
  EXPECT_EQ(pc.dialogs.last()->text, QStringLiteral("Input/output error CW"));
}

// A tune or mode command that meets a line gone since the last tick says so in its own box, the
// only one; polling stays off.
TEST_F(Tuning, CommandsOnALineThatWentAwayFail) {
  const struct {
    void (*command)(RigControlfrm &);
    const char *title;
    const char *text;
  } rows[] = {{[](RigControlfrm &r) { r.ChangeFrequency(14.025f); }, "Error Changing Frequency",
               "The serial device has gone away."},
              {[](RigControlfrm &r) {
                 QString mode = QStringLiteral("CW");
                 r.ChangeMode(0, mode);
               },
               "Error Changing Mode", "The serial device has gone away. CW"}};
  for (const auto &row : rows) {
    SCOPED_TRACE(row.title);
    pc.dialogs.shown.clear();
    RigSimulator sim(QStringLiteral("Kenwood"));
    sim.linkAs(2);
    choose(QStringLiteral("Kenwood"));
    test();
    sim.hangUp();
    row.command(rig());
    QCoreApplication::processEvents();
    ASSERT_EQ(pc.dialogs.shown.size(), 1u);
    EXPECT_EQ(pc.dialogs.last()->title, QString::fromLatin1(row.title));
    EXPECT_EQ(pc.dialogs.last()->text, QString::fromLatin1(row.text));
    EXPECT_FALSE(rig().polling());
  }
}

// A frequency that is not finite, not above zero or too wide for the family's digits is a bad
// number for every family: nothing reaches the rig, and the box says so.
TEST_F(Tuning, BadFrequenciesSendNothingAndSaySo) {
  ASSERT_TRUE(QDir().mkpath(home.path("/Pegasus")));
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    const char *rig;
    float tooWide;
  } families[] = {{"Kenwood", 100000},     {"Kenwood 2", 100000},      {"Elecraft", 100000},
                  {"Yaesu FTdx9000", 100}, {"Ten Tec Orion", 100},     {"Icom", 10000},
                  {"Icom 735", 100},       {"Ten Tec Omni VI", 10000}, {"Yaesu", 1000},
                  {"Yaesu 890", 1000},     {"Ten Tec Fnt Pnl", 4295},  {"Ten Tec Pegasus", inf},
                  {"Other", inf}};
  for (const auto &family : families) {
    // The last one is past a 64-bit integer in hertz.
    for (const float mhz : {-14.025f, 0.0f, inf, nan, family.tooWide, family.tooWide * 1e25f}) {
      FakeSerialLink &port = polled(QString::fromLatin1(family.rig));
      pc.dialogs.shown.clear();
      rig().ChangeFrequency(mhz);
      EXPECT_TRUE(port.written.empty()) << family.rig << " " << mhz;
      ASSERT_EQ(pc.dialogs.shown.size(), 1u) << family.rig << " " << mhz;
      EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Error Changing Frequency"));
      EXPECT_FALSE(rig().polling());
    }
  }
  EXPECT_FALSE(QFile::exists(home.path("/Pegasus/PEGASUS.IN")));
}

// Requests made while one runs: the latest goes out once the first is done.
TEST_F(Tuning, QuickRequestsEndOnTheLastOne) {
  FakeSerialLink &port = polled(QStringLiteral("Kenwood"));
  bool asked = false;
  pc.clock.whileSleeping = [&] {
    if (std::exchange(asked, true))
      return;
    rig().ChangeFrequency(7.1f);
    rig().ChangeFrequency(21.225f);
  };
  rig().ChangeFrequency(14.025f);
  EXPECT_EQ(port.written, (std::vector<QByteArray>{"FA00014025000;", "FA00021225000;"}));
  EXPECT_TRUE(rig().polling());
}

TEST_F(Tuning, PegasusThroughItsCommandFile) {
  ASSERT_TRUE(QDir().mkpath(home.path("/Pegasus")));
  const QString in = home.path("/Pegasus/PEGASUS.IN");
  FakeSerialLink &port = polled(QStringLiteral("Ten Tec Pegasus"));
  rig().ChangeFrequency(14.025f);
  EXPECT_EQ(vb::readLatin1(in), QStringLiteral("14.025\r\n\r\n")); // no reply yet
  ASSERT_TRUE(vb::writeLatin1Atomic(home.path("/Pegasus/PEGASUS.OUT"), QStringLiteral("7.02,CW")));
  tick();
  tick();
  rig().ChangeFrequency(14.025f);
  EXPECT_EQ(vb::readLatin1(in), QStringLiteral("14.025\r\nCW\r\n"));
  QDir(home.path("/Pegasus")).removeRecursively();
  rig().ChangeFrequency(28.475f);
  EXPECT_FALSE(QFile::exists(in));
  EXPECT_TRUE(port.written.empty());
  EXPECT_TRUE(pc.dialogs.shown.empty());
  EXPECT_TRUE(rig().polling());
}

TEST_F(Tuning, TuningWindow) {
  FakeSerialLink &port = fakePort();
  frmRigTune &w = pc.ctx->window<frmRigTune>();
  w.Form_Load();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  EXPECT_FALSE(w.cmdTune[0]->isEnabled());

  // "None": the boxes change, nothing is sent.
  w.Command1_Click();
  w.cmdBand_Click(5);
  EXPECT_EQ(w.txtFreq->text(), QStringLiteral("14.175"));
  EXPECT_TRUE(w.cmdTune[0]->isEnabled());
  w.txtFreq->setText(QStringLiteral("14.025"));
  w.cmdTune_Click(0);
  EXPECT_EQ(w.txtFreq->text(), QStringLiteral("14.02501"));
  w.txtFreq->setText(QStringLiteral("1.9"));
  w.cmdTune_Click(6);
  EXPECT_EQ(w.txtFreq->text(), QStringLiteral("1.901"));
  EXPECT_TRUE(port.written.empty());

  // The key filter, then Enter tunes and keeps the caret at the end of the box.
  choose(QStringLiteral("Kenwood"));
  test();
  port.written.clear();
  w.txtFreq->setText(QString());
  w.txtFreq->setFocus();
  QTest::keyClicks(w.txtFreq, QStringLiteral("-14a.02/5"));
  EXPECT_EQ(w.txtFreq->text(), QStringLiteral("14.02/5"));
  QTest::keyClick(w.txtFreq, Qt::Key_Backspace);
  QTest::keyClick(w.txtFreq, Qt::Key_Backspace);
  QTest::keyClick(w.txtFreq, '5');
  EXPECT_EQ(w.txtFreq->text(), QStringLiteral("14.025"));
  w.txtFreq->setCursorPosition(0);
  QTest::keyClick(w.txtFreq, Qt::Key_Return);
  EXPECT_EQ(port.written, std::vector<QByteArray>{"FA00014025000;"});
  EXPECT_TRUE(w.txtFreq->hasFocus());
  EXPECT_EQ(w.txtFreq->cursorPosition(), 6);
  w.txtFreq->setText(QStringLiteral("x"));
  w.Command1_Click();
  EXPECT_EQ(port.written.size(), 1u);

  // A mode button sends the family's command and moves on to "&Done".
  w.cmdCW->click();
  EXPECT_EQ(port.written.back(), QByteArray("MD3;"));
  EXPECT_TRUE(w.cmdDone->hasFocus());
}

// Without a rig, or with a rig window never loaded, the mode and tune buttons do nothing: they
// never load the rig window, whose load would take the rig of an old settings file and poll it.
TEST_F(Tuning, ButtonsWithoutALinkedRigLoadNoRigWindow) {
  RigLinkSettings old;
  old.RigType = QStringLiteral("Kenwood");
  old.FreqPollText = QStringLiteral("FA;");
  ASSERT_TRUE(vb::writeLatin1Atomic(settingsPath(), rigSettingsText(old)));
  ASSERT_FALSE(pc.ctx->loaded<RigControlfrm>());
  frmRigTune &w = pc.ctx->window<frmRigTune>();
  w.txtFreq->setText(QStringLiteral("14.025"));
  for (const char *type : {"None", "Kenwood"}) {
    pc.ctx->prefs.RigType = QString::fromLatin1(type);
    for (QPushButton *button : {w.cmdCW, w.cmdLSB, w.cmdUSB, w.cmdAM, w.cmdFM, w.cmdRTTY, w.Command1})
      button->click();
    EXPECT_FALSE(pc.ctx->loaded<RigControlfrm>()) << type;
    EXPECT_EQ(pc.ctx->prefs.RigType, QString::fromLatin1(type));
    EXPECT_TRUE(pc.dialogs.shown.empty()) << type;
  }
}

TEST_F(Tuning, CtrlGOpensTheTuningWindowModally) {
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  bool shown = false;
  whenModal(&f, [&](QWidget *modal) { shown = qobject_cast<frmRigTune *>(modal) != nullptr; });
  QTest::keyClick(f.txtCall, Qt::Key_G, Qt::ControlModifier);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(shown);
  EXPECT_FALSE(pc.ctx->loaded<frmRigTune>());
}

TEST_F(Tuning, Scan) {
  FakeSerialLink &port = polled(QStringLiteral("Kenwood"));
  frmRigTune &w = pc.ctx->window<frmRigTune>();
  w.Form_Load();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  // Checking "Scan" with an empty box starts at "From:".
  w.chkScan->click();
  EXPECT_EQ(w.txtFreq->text(), QStringLiteral("1.8"));
  EXPECT_TRUE(w.Command1->hasFocus());

  // A step past "To:" tunes "From:" in the same tick; a step landing on it tunes it.
  w.Option1->setChecked(true); // 500 Hz
  ASSERT_EQ(14.0f + 0.0005f, 14.0005f);
  w.txtTo->setText(QStringLiteral("14.0005"));
  w.txtFreq->setText(QStringLiteral("14"));
  w.Timer1_Timer();
  EXPECT_EQ(w.txtFreq->text(), QStringLiteral("14.0005"));
  w.Timer1_Timer();
  EXPECT_EQ(w.txtFreq->text(), QStringLiteral("1.8"));
  EXPECT_EQ(port.written, (std::vector<QByteArray>{"FA00014000500;", "FA00001800000;"}));

  // Whole numbers keep their point and values below 1 lose their zero, and read back.
  w.txtFrom->setText(QStringLiteral("7"));
  w.txtTo->setText(QStringLiteral("6.9"));
  w.txtFreq->setText(QStringLiteral("6.95"));
  w.Timer1_Timer();
  EXPECT_EQ(w.txtFreq->text(), QStringLiteral("7."));
  w.Timer1_Timer();
  EXPECT_EQ(w.txtFreq->text(), QStringLiteral("7."));
  w.txtFrom->setText(QStringLiteral(".5"));
  w.txtTo->setText(QStringLiteral(".1"));
  w.Timer1_Timer();
  w.Timer1_Timer();
  EXPECT_EQ(w.txtFreq->text(), QStringLiteral(".5"));

  // Any key stops the scan; the focus stays and the digit lands in its box.
  w.txtFrom->setFocus();
  w.txtFrom->end(false);
  QTest::keyClick(w.txtFrom, '5');
  EXPECT_FALSE(w.chkScan->isChecked());
  EXPECT_TRUE(w.txtFrom->hasFocus());
  EXPECT_EQ(w.txtFrom->text(), QStringLiteral(".55"));
  saveScreenshot(w, QStringLiteral("rig-tune"));
}

TEST_F(Tuning, CommandTestWindow) {
  shipPlan();
  FakeSerialLink &port = polled(QStringLiteral("Kenwood"));
  frmFrequencyTest &w = pc.ctx->window<frmFrequencyTest>();
  w.Form_Load();
  EXPECT_EQ(w.Text2->text(), QStringLiteral("28.475"));
  w.Text1->setText(QStringLiteral(" FE FE 64 E0 03 FD "));
  w.Check1->setChecked(true);
  w.Command1_Click();
  w.Check1->setChecked(false);
  w.Command1_Click();
  EXPECT_EQ(port.written,
            (std::vector<QByteArray>{QByteArray::fromHex("FEFE64E003FD"), "FE FE 64 E0 03 FD"}));
  EXPECT_TRUE(rig().polling());
  port.written.clear();

  w.Command2_Click();
  EXPECT_EQ(port.written, (std::vector<QByteArray>{"MD2;", "FA00028475000;"}));
  port.written.clear();
  w.Text2->setText(QStringLiteral("abc"));
  w.Command2_Click();
  w.Text1->setText(QStringLiteral("FE GG"));
  w.Check1->setChecked(true);
  w.Command1_Click();
  EXPECT_TRUE(port.written.empty());
  EXPECT_TRUE(pc.dialogs.shown.empty());
  saveScreenshot(w, QStringLiteral("rig-command-test"));

  // "Change Frequency" opens it while polling.
  bool opened = false;
  QTimer::singleShot(0, [&] {
    opened = pc.ctx->loaded<frmFrequencyTest>() && pc.ctx->window<frmFrequencyTest>().isVisible();
    pc.ctx->window<frmFrequencyTest>().hide();
  });
  pc.ctx->unload<frmFrequencyTest>();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  rig().Command3_Click();
  EXPECT_TRUE(opened);
}

TEST_F(Tuning, RawSendToAPegasusDoesNothing) {
  FakeSerialLink &port = polled(QStringLiteral("Ten Tec Pegasus"));
  frmFrequencyTest &w = pc.ctx->window<frmFrequencyTest>();
  w.Form_Load();
  w.Command1_Click();
  EXPECT_TRUE(port.written.empty());
  EXPECT_TRUE(pc.dialogs.shown.empty());
}
