// The voice keyer: F1 to F9 with push-to-talk on doubles of the serial and printer lines, the
// end-of-play tick and the F1 repeat on the fake clock, the settings window and wave2.txt.
#include "keying/CWFrm.h"
#include "keying/KeyerSettings.h"
#include "keying/PhoneFrm.h"
#include "platform/Controls.h"
#include "platform/SerialPorts.h"
#include "platform/Timer.h"
#include "platform/VbText.h"
#include "platform/WavePlayer.h"
#include "tests/support/KeyLineDoubles.h"
#include "tests/support/TestContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kInvalidPort = QStringLiteral(
    "The port you have selected for Phone keying is invalid.  Please select another or enter 0 for none.");

struct VoiceKeyer : ::testing::Test, PcAtHome {
  KeyingState &k = pc.ctx->keying;
  std::vector<LineChange> changes;
  std::vector<FakeSerialKeyLine *> lines; // in the order made: the voice keyer's first
  FakePrinterPorts *printer = nullptr;
  PhoneFrm *w = nullptr;
  const int callMs = wavDurationMs(promptFile(QStringLiteral("Call"))).value_or(0);

  void SetUp() override {
    pc.clock.readStep = 0;
    pc.ctx->newSerialKeyLine = [this] {
      auto l = std::make_unique<FakeSerialKeyLine>(pc.clock, changes);
      lines.push_back(l.get());
      return l;
    };
    auto p = std::make_unique<FakePrinterPorts>(pc.clock);
    printer = p.get();
    pc.ctx->printerPorts = std::move(p);
    pc.form();
    w = &pc.ctx->window<PhoneFrm>();
    w->Text1->setText(promptFile(QStringLiteral("Call")));
    w->Text10->setText(QStringLiteral("1"));
  }

  void press(int code) { w->FKeyPhone(code); }
  // The end-of-play watch's tick `ms` after the start.
  void tickAt(std::int64_t ms) {
    pc.clock.counter = ms;
    w->Timer1_Timer();
  }
  std::vector<LineChange> keyed() const {
    std::vector<LineChange> on;
    for (const LineChange &c : changes)
      if (!(c.value == 0 && on.empty())) // the lines lowered as the port opens
        on.push_back(c);
    return on;
  }
  bool pushToTalkKeyed() const { return !keyed().empty() && keyed().back().value == 1; }
};

} // namespace

TEST_F(VoiceKeyer, F1PlaysOnceOrRepeatsAfterItsPauseUntilAKeyEndsTheCycle) {
  press(112);
  EXPECT_EQ(pc.sounds.started.size(), 1u);
  EXPECT_TRUE(w->Timer1->isEnabled());
  tickAt(callMs - 1);
  EXPECT_TRUE(pushToTalkKeyed());
  tickAt(callMs);
  EXPECT_EQ(keyed(), (std::vector<LineChange>{{"RTS", 1, 0}, {"RTS", 0, callMs}}));
  EXPECT_FALSE(w->Timer1->isEnabled());
  EXPECT_FALSE(w->tmrRepeat->isEnabled());
  EXPECT_EQ(k.VoiceRepeatPending, 0);

  w->txtPHLoop->setText(QStringLiteral("5"));
  w->txtPHLoop_LostFocus();
  EXPECT_EQ(w->tmrRepeat->interval(), 5000);
  changes.clear();
  pc.clock.counter = 0;
  press(112);
  EXPECT_EQ(k.VoiceRepeatPending, 1);
  tickAt(callMs);
  EXPECT_TRUE(w->tmrRepeat->isEnabled());
  w->tmrRepeat_Timer();
  EXPECT_EQ(pc.sounds.started.size(), 3u);
  EXPECT_FALSE(w->tmrRepeat->isEnabled());
  EXPECT_TRUE(pushToTalkKeyed());
  // A key in the main window ends the cycle as it clears these.
  k.VoiceRepeatPending = 0;
  w->tmrRepeat->stop();
  tickAt(2 * callMs);
  EXPECT_FALSE(pushToTalkKeyed());
  EXPECT_FALSE(w->tmrRepeat->isEnabled());

  // F2 to F9 never repeat.
  w->txtPHLoop->setText(QStringLiteral("5"));
  for (int code = 113; code <= 120; ++code) {
    w->waveBoxes()[static_cast<size_t>(code - 112)]->setText(promptFile(QStringLiteral("Dupe")));
    press(code);
    tickAt(pc.clock.counter + 5000);
    EXPECT_EQ(k.VoiceRepeatPending, 0) << code;
    EXPECT_FALSE(w->tmrRepeat->isEnabled()) << code;
  }
  int other = 121;
  press(other);
  EXPECT_EQ(pc.sounds.started.size(), 11u);
}

TEST_F(VoiceKeyer, AnEmptyBoxCutsTheMessageAndASecondKeyKeepsPushToTalkOn) {
  w->Text1->setText(QStringLiteral("  "));
  w->txtPHLoop->setText(QStringLiteral("5"));
  w->Command11_Click(); // Test
  EXPECT_TRUE(changes.empty());
  EXPECT_TRUE(pc.sounds.started.empty());
  EXPECT_EQ(k.VoiceRepeatPending, 1);
  EXPECT_FALSE(w->Command12->isHidden()) << "Stop shows";
  EXPECT_FALSE(w->tmrRepeat->isEnabled());
  w->Command12_Click();
  EXPECT_EQ(k.VoiceRepeatPending, 0);
  EXPECT_TRUE(w->Command12->isHidden());

  w->Text3->setText(promptFile(QStringLiteral("Country")));
  press(114);
  tickAt(100);
  press(113); // empty: cuts the message
  tickAt(140);
  EXPECT_EQ(keyed(), (std::vector<LineChange>{{"RTS", 1, 0}, {"RTS", 0, 140}}));

  changes.clear();
  w->Text2->setText(promptFile(QStringLiteral("Dupe")));
  pc.clock.counter = 1000;
  press(114);
  tickAt(1100);
  press(113);
  tickAt(1140);
  EXPECT_TRUE(pushToTalkKeyed()) << "the second message plays on";
  tickAt(1100 + wavDurationMs(promptFile(QStringLiteral("Dupe"))).value_or(0));
  EXPECT_EQ(keyed().size(), 3u);
  EXPECT_FALSE(pushToTalkKeyed());
}

TEST_F(VoiceKeyer, SerialAndPrinterLinesKeyTogetherAndTheKeyedOnesAreReleased) {
  const struct {
    QString port, base;
    int address;
  } rows[] = {{"3", "&H378", 890}, {"0", "&H278", 634}};
  for (const auto &row : rows) {
    changes.clear();
    printer->writes.clear();
    w->Text10->setText(row.port);
    w->Text11->setText(row.base);
    w->Option3->setChecked(true);
    pc.clock.counter = 0;
    press(112);
    tickAt(callMs);
    const QString address = QString::number(row.address);
    EXPECT_EQ(printer->writes, (std::vector<LineChange>{{address, 3, 0}, {address, 2, callMs}}));
    EXPECT_EQ(keyed().size(), row.port == "3" ? 2u : 0u) << "RTS with Parallel";
  }

  // Changed while a message plays: the keyed lines are released all the same.
  w->Text10->setText(QStringLiteral("3"));
  w->Text11->setText(QStringLiteral("&H378"));
  w->Option2->setChecked(true); // DTR
  pc.clock.counter = 0;
  press(112);
  printer->writes.clear();
  changes.clear();
  w->Text10->setText(QStringLiteral("4"));
  w->Option1->setChecked(true);
  w->Text11->setText(QStringLiteral("junk"));
  tickAt(callMs);
  EXPECT_EQ(changes, (std::vector<LineChange>{{"DTR", 0, callMs}}));
  EXPECT_TRUE(printer->writes.empty()) << "not keyed with RTS on DTR";

  w->Option3->setChecked(true);
  w->Text11->setText(QStringLiteral("&H378"));
  press(112);
  printer->writes.clear();
  w->Text11->setText(QStringLiteral("&H278"));
  tickAt(2 * callMs);
  EXPECT_EQ(printer->writes, (std::vector<LineChange>{{"890", 2, 2 * callMs}}));
}

TEST_F(VoiceKeyer, AFileThatCannotPlayOrABoxThatCannotBeReadNeverLeavesPushToTalkOn) {
  w->Option3->setChecked(true);
  for (const QString &file :
       {QStringLiteral("/no/such/CQ.wav"), sourceDataDir() + QStringLiteral("/README")}) {
    changes.clear();
    printer->writes.clear();
    w->Text1->setText(file);
    press(112);
    EXPECT_FALSE(pushToTalkKeyed()) << file.toStdString();
    EXPECT_EQ(printer->writes.back().value, 2);
    EXPECT_FALSE(w->Timer1->isEnabled());
    EXPECT_EQ(pc.form().lblDialog->text(), QStringLiteral("Unable to play the wave file \"%1\".").arg(file));
  }
  EXPECT_EQ(pc.dialogs.beeps, 2);

  w->Text1->setText(promptFile(QStringLiteral("Call")));
  w->Text11->setText(QStringLiteral("junk"));
  changes.clear();
  press(112);
  EXPECT_FALSE(pushToTalkKeyed());
  EXPECT_TRUE(pc.sounds.started.empty());
}

TEST_F(VoiceKeyer, TheLoopPauseIsBelowAMinute) {
  for (const auto &[typed, shown, ms] : {std::tuple{"59.9", "59.9", 59900}, std::tuple{"60", "0", 0},
                                         std::tuple{"2.5", "2.5", 2500}, std::tuple{".", "0", 0}}) {
    w->txtPHLoop->setText(QString::fromLatin1(typed));
    w->txtPHLoop_LostFocus();
    EXPECT_EQ(w->txtPHLoop->text(), QString::fromLatin1(shown)) << typed;
    EXPECT_EQ(w->tmrRepeat->interval(), ms) << typed;
  }
}

TEST_F(VoiceKeyer, AnInvalidPortIsReportedAndTheMessagePlaysWithoutSerialPushToTalk) {
  lines.front()->refused.insert(serialports::deviceForPort(9));
  w->Text10->setText(QStringLiteral("9"));
  bool shownModally = false;
  QTimer::singleShot(0, w, [&] {
    shownModally = w->isVisible() && w->isModal();
    w->hide();
  });
  press(112);
  EXPECT_TRUE(shownModally);
  EXPECT_EQ(pc.dialogs.beeps, 1);
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].text, kInvalidPort);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Invalid port."));
  EXPECT_EQ(pc.dialogs.shown[0].icon, Dialogs::Icon::Information);
  EXPECT_FALSE(pushToTalkKeyed());
  EXPECT_EQ(pc.sounds.started.size(), 1u);
}

TEST_F(VoiceKeyer, OpeningThePortClosesTheCwKeyLineAndTheKeyer) {
  int winKeyClosed = 0;
  pc.ctx->portArbiter.registerUser(
      PortUser::WinKey, [] { return QString(); }, [&] { ++winKeyClosed; });
  CWFrm &cw = pc.ctx->window<CWFrm>();
  cw.Text10->setText(QStringLiteral("2"));
  cw.CWSetup();
  ASSERT_TRUE(cw.Comm->isOpen());
  w->Text10->setText(QStringLiteral("x"));
  w->Text10_LostFocus();
  EXPECT_EQ(w->Text10->text(), QStringLiteral("0"));
  w->Text10->setText(QStringLiteral("2"));
  w->Text10_LostFocus();
  EXPECT_TRUE(w->CommPhone->isOpen());
  EXPECT_FALSE(cw.Comm->isOpen());
  EXPECT_EQ(winKeyClosed, 1);
}

TEST_F(VoiceKeyer, TestPlaysF1InAnyModeAndStopOnlyCancelsTheRepeat) {
  pc.state().station.ModeCode = QStringLiteral("CW");
  w->txtPHLoop->setText(QStringLiteral("5"));
  w->Command11->click();
  EXPECT_EQ(pc.sounds.started.size(), 1u);
  EXPECT_FALSE(w->Command12->isHidden());
  w->Command12->click();
  EXPECT_EQ(k.VoiceRepeatPending, 0);
  EXPECT_TRUE(w->MMControl1->isPlaying()) << "the message plays to its end";
  tickAt(callMs);
  EXPECT_FALSE(w->tmrRepeat->isEnabled());
}

TEST_F(VoiceKeyer, BrowseTakesAWaveFileAndRefusesCancelAndQuotes) {
  pc.dialogs.paths = {QStringLiteral("/home/op/cq.WAV"), QString(), QStringLiteral("/home/op/\"x\".wav")};
  w->Command3->click();
  EXPECT_EQ(w->Text2->text(), QStringLiteral("/home/op/cq.WAV"));
  EXPECT_EQ(pc.dialogs.last()->filter, QStringLiteral("(*.wav) (*.wav *.WAV)"));
  w->Command3->click();
  w->Command3->click();
  EXPECT_EQ(w->Text2->text(), QStringLiteral("/home/op/cq.WAV"));
  EXPECT_EQ(pc.dialogs.beeps, 2);
}

TEST_F(VoiceKeyer, DoneWritesWave2AndTheLoadReadsItBack) {
  const auto boxes = w->waveBoxes();
  for (size_t n = 0; n < boxes.size(); ++n)
    boxes[n]->setText(QStringLiteral(" /msg/f%1.wav ").arg(n + 1));
  w->Text10->setText(QStringLiteral("3"));
  w->Option2->setChecked(true);
  w->txtPHLoop->setText(QStringLiteral("2.5"));
  w->Text11->setText(QStringLiteral("&H278"));
  w->show();
  saveScreenshot(*w, QStringLiteral("PhoneFrm"));
  w->Command1->click();
  EXPECT_FALSE(w->isVisible());
  const QString path = pc.programDir.filePath(QStringLiteral("wave2.txt"));
  QString expected;
  for (int n = 1; n <= 9; ++n)
    expected += QStringLiteral("\"/msg/f%1.wav\"\r\n").arg(n);
  expected += QStringLiteral("\"3\"\r\n1\r\n\"2.5\"\r\n\"&H278\"\r\n");
  EXPECT_EQ(vb::readLatin1(path).value_or(QString()), expected);

  for (const auto &[line11, dtr] : {std::pair{"1", true}, std::pair{"3", false}}) {
    pc.ctx->unload<PhoneFrm>();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QString file = expected;
    file.replace(QStringLiteral("\r\n1\r\n"), QStringLiteral("\r\n%1\r\n").arg(QString::fromLatin1(line11)));
    ASSERT_TRUE(vb::writeLatin1Atomic(path, file));
    ASSERT_TRUE(pc.form().LoadVoicePrefs());
    PhoneFrm &loaded = pc.ctx->window<PhoneFrm>();
    EXPECT_FALSE(loaded.isVisible());
    EXPECT_EQ(loaded.Text9->text(), QStringLiteral("/msg/f9.wav"));
    EXPECT_EQ(loaded.Text10->text(), QStringLiteral("3"));
    EXPECT_EQ(loaded.Option2->isChecked(), dtr) << line11;
    EXPECT_EQ(loaded.Option1->isChecked(), !dtr) << "line 11 \"3\" leaves RTS, the first start's choice";
    EXPECT_EQ(loaded.tmrRepeat->interval(), 2500);
    EXPECT_EQ(loaded.Text11->text(), QStringLiteral("&H278"));
  }
}

TEST_F(VoiceKeyer, AFailedSaveIsReported) {
  const QString path = pc.programDir.filePath(QStringLiteral("wave2.txt"));
  ASSERT_TRUE(QDir().mkpath(path + QStringLiteral("/in-the-way")));
  w->Command1_Click();
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Unable to save voice keyer settings."));
  EXPECT_TRUE(pc.dialogs.shown[0].text.endsWith(QStringLiteral("  ") + path));
}

TEST_F(VoiceKeyer, TheProgramsEndWhileAMessagePlaysReleasesPushToTalk) {
  w->Option3->setChecked(true);
  press(112);
  ASSERT_TRUE(pushToTalkKeyed());
  pc.ctx->endProcess = [](int) {};
  pc.form().EndProgram();
  EXPECT_FALSE(pushToTalkKeyed());
  EXPECT_EQ(printer->writes.back().value, 2);

  changes.clear();
  press(112);
  pc.form().close();
  EXPECT_FALSE(pushToTalkKeyed());
  EXPECT_EQ(printer->writes.back().value, 2);
  EXPECT_FALSE(pc.ctx->loaded<PhoneFrm>());
}
