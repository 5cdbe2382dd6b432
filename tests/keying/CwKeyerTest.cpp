// The CW keyer: the send queue and its wildcards, the transmitter's elements on doubles of the
// key lines with the fake millisecond counter, the serial port on pseudo-terminals, and the
// settings window with CW.txt.
#include "keying/CWFrm.h"
#include "keying/KeyerSettings.h"
#include "keying/Morse.h"
#include "platform/Controls.h"
#include "platform/ProgramFiles.h"
#include "platform/SettingsStore.h"
#include "platform/Timer.h"
#include "platform/VbText.h"
#include "tests/support/FullDisk.h"
#include "tests/support/KeyLineDoubles.h"
#include "tests/support/PortLinks.h"
#include "tests/support/TestContext.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kInvalidPort = QStringLiteral(
    "The port you have selected for CW keying is invalid.  Please select another or enter 0 for none.");

struct CwKeyer : ::testing::Test, PcAtHome {
  KeyingState &k = pc.ctx->keying;
  std::vector<LineChange> changes;
  FakeSerialKeyLine *line = nullptr;
  FakePrinterPorts *printer = nullptr;
  int pumps = 0;
  std::function<void()> betweenCharacters; // runs where pending events would
  CWFrm *w = nullptr;

  void SetUp() override {
    pc.ctx->newSerialKeyLine = [this] {
      auto l = std::make_unique<FakeSerialKeyLine>(pc.clock, changes);
      line = l.get();
      return l;
    };
    auto p = std::make_unique<FakePrinterPorts>(pc.clock);
    printer = p.get();
    pc.ctx->printerPorts = std::move(p);
    pc.ctx->doEvents = [this] {
      ++pumps;
      if (betweenCharacters)
        betweenCharacters();
    };
    pc.form();
    w = &pc.ctx->window<CWFrm>();
    w->OptSleep->setChecked(true);
    w->Option1->setChecked(true); // RTS
    w->Text11->setText(QStringLiteral("20"));
    w->Text10->setText(QStringLiteral("1"));
  }

  void press(int code) { w->FKeyCW(code); }

  // What the line keyed, one digit per unit of `unitMs` from the first change to now.
  QString keyed(int unitMs = 60) const {
    QString bits;
    std::vector<LineChange> rts;
    for (const LineChange &c : changes)
      if (c.line == QStringLiteral("RTS") && (!rts.empty() || c.value == 1))
        rts.push_back(c);
    for (size_t n = 0; n < rts.size(); ++n) {
      const std::int64_t end = n + 1 < rts.size() ? rts[n + 1].ms : pc.clock.counter;
      bits += QString((end - rts[n].ms) / unitMs, rts[n].value ? u'1' : u'0');
    }
    return bits;
  }
  static QString unitsOf(const QString &text) {
    QString bits;
    for (const QChar c : text)
      bits += *keyedUnits(c, 0);
    return bits;
  }
};

} // namespace

TEST_F(CwKeyer, FunctionKeysSendTheirMessagesWithTheWildcardsFilledIn) {
  k.CWKeyingMethod = 1;
  k.TheirCall = QStringLiteral(" W1AW ");
  k.NextSerial = QStringLiteral("12");
  k.RSTSent = QStringLiteral("599");
  w->Text2->setText(QStringLiteral("$ #"));
  w->Text3->setText(QStringLiteral("TU *"));
  w->Text12->setText(QStringLiteral("N"));
  w->Text13->setText(QStringLiteral("I"));
  const struct {
    int code;
    QString sent;
  } rows[] = {{113, "W1AW 12"}, {114, "TU 5NN"}, {124, "N"}, {122, "I"}, {121, ""}, {123, ""}, {65, ""}};
  for (const auto &row : rows) {
    changes.clear();
    pc.clock.counter = 0;
    press(row.code);
    EXPECT_EQ(keyed(), unitsOf(row.sent)) << row.code;
  }
  EXPECT_EQ(k.RSTSent, QStringLiteral("5NN"));

  k.KeyboardCWMode = 1;
  for (const auto &[code, sent] : {std::pair{65, QStringLiteral("A")}, std::pair{125, QString()}}) {
    changes.clear();
    pc.clock.counter = 0;
    press(code);
    EXPECT_EQ(keyed(), unitsOf(sent)) << code;
  }

  k.CWKeyingMethod = 0;
  k.CWBuffer = QStringLiteral("EEE");
  changes.clear();
  const int before = pumps;
  press(113);
  EXPECT_EQ(k.CWBuffer, QString());
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(pumps, before + 1); // the final events call runs even then
}

TEST_F(CwKeyer, F1RepeatsAfterEachDrainByTheRepeatTimer) {
  k.CWKeyingMethod = 1;
  w->Text1->setText(QStringLiteral("E"));
  w->txtCWLoop->setText(QStringLiteral("abc"));
  const int before = pumps;
  press(112);
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(k.CWRepeatPending, 0);
  EXPECT_EQ(pumps, before); // ended before the final events call

  w->txtCWLoop->setText(QStringLiteral("5"));
  w->txtCWLoop_LostFocus();
  press(112);
  EXPECT_EQ(k.CWRepeatPending, 1);
  EXPECT_TRUE(w->tmrRepeat->isActive());
  EXPECT_EQ(w->tmrRepeat->interval(), 5000);
  changes.clear();
  pc.clock.counter = 0;
  w->tmrRepeat_Timer();
  EXPECT_EQ(keyed(), unitsOf(QStringLiteral("E")));
  EXPECT_TRUE(w->tmrRepeat->isActive());

  w->txtCWLoop->setText(QStringLiteral("0"));
  w->txtCWLoop_LostFocus();
  w->tmrRepeat->stop();
  k.CWRepeatPending = 0;
  press(112);
  EXPECT_EQ(k.CWRepeatPending, 0);
  EXPECT_FALSE(w->tmrRepeat->isEnabled());
  k.CWRepeatPending = 1; // a delay typed but not yet left: armed, but an interval of 0 never fires
  w->LoopThroughCWBuffer();
  EXPECT_TRUE(w->tmrRepeat->isEnabled());
  EXPECT_FALSE(w->tmrRepeat->isActive());

  // A key line that fails is told once, and the repeat ends there.
  w->txtCWLoop->setText(QStringLiteral("5"));
  w->txtCWLoop_LostFocus();
  w->tmrRepeat->stop();
  line->refused.insert(line->device());
  line->close();
  whenModal(w, [](QWidget *) {});
  press(112);
  EXPECT_EQ(pc.dialogs.messages(), QStringList{kInvalidPort});
  EXPECT_EQ(k.CWRepeatPending, 0);
  EXPECT_FALSE(w->tmrRepeat->isActive());
}

TEST_F(CwKeyer, AnElementLastsOneUnitByEachTimingMethod) {
  k.CWKeyingMethod = 1;
  w->CWSetup();
  changes.clear();
  w->Transmit(u'E');
  EXPECT_EQ(changes,
            (std::vector<LineChange>{{"RTS", 1, 0}, {"RTS", 0, 60}, {"RTS", 0, 120}, {"RTS", 0, 180}}));
  EXPECT_EQ(pc.clock.counter, 240);

  for (const auto &[wpm, ms] : {std::pair{"13", 92}, std::pair{"32", 38}, std::pair{"96", 12}}) {
    pc.clock.slept = 0;
    w->Text11->setText(QString::fromLatin1(wpm));
    w->Transmit(u'E');
    EXPECT_EQ(pc.clock.slept, 4 * ms) << wpm;
  }

  w->optTimer->setChecked(true);
  w->Text11->setText(QStringLiteral("20"));
  changes.clear();
  w->Transmit(u'E');
  ASSERT_EQ(changes.size(), 4u);
  for (size_t n = 0; n + 1 < changes.size(); ++n) {
    EXPECT_GE(changes[n + 1].ms - changes[n].ms, 60);
    EXPECT_LE(changes[n + 1].ms - changes[n].ms, 61);
  }

  EXPECT_EQ(loopPasses(1000, 20), 1000);
  EXPECT_EQ(loopPasses(1000, 40), 500);
  EXPECT_EQ(countLoop(0, 2.5), 3);
}

TEST_F(CwKeyer, TheLineFollowsTheOptionButtonsNotTheMethod) {
  k.CWKeyingMethod = 1;
  w->Option2->setChecked(true);
  k.CWKeyingMethod = 3;
  changes.clear();
  w->Transmit(u'E');
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes[0], (LineChange{"DTR", 1, changes[0].ms}));

  w->Option3->setChecked(true);
  EXPECT_EQ(k.CWKeyingMethod, 3);
  for (const auto &[base, reg] : {std::pair{"&H378", "890"}, std::pair{"&H278", "634"}}) {
    printer->writes.clear();
    w->Text14->setText(QString::fromLatin1(base));
    w->Transmit(u'E');
    ASSERT_EQ(printer->writes.size(), 4u);
    EXPECT_EQ(printer->writes[0].line, QString::fromLatin1(reg));
    EXPECT_EQ(printer->writes[0].value, 3);
    EXPECT_EQ(printer->writes[1].value, 2);
  }
  printer->writes.clear();
  w->Text14->setText(QStringLiteral("abc"));
  w->Transmit(u'E');
  EXPECT_TRUE(printer->writes.empty());
}

TEST_F(CwKeyer, ABadSpeedOrWordSpaceKeysNothingAndTakesNoTime) {
  k.CWKeyingMethod = 1;
  w->CWSetup();
  for (const char *speed : {"0", "-1", "1:"}) {
    changes.clear();
    pc.clock.counter = 0;
    w->Text11->setText(QString::fromLatin1(speed));
    w->Transmit(u'E');
    EXPECT_TRUE(changes.empty()) << speed;
    EXPECT_EQ(pc.clock.counter, 0) << speed;
  }
  w->Text11->setText(QStringLiteral("20"));
  w->txtSpace->setText(QStringLiteral("."));
  w->Transmit(u'E');
  w->txtSpace->setText(QStringLiteral("0"));
  w->Transmit(u'%');
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(pc.clock.counter, 0);
}

TEST_F(CwKeyer, ABangLogsTheContactOnlyWithACallAndAKeyingMethod) {
  Form1 &f = pc.form();
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  f.Worklist();
  k.CWKeyingMethod = 0;
  pc.type(QStringLiteral("K1ABC"));
  w->Transmit(u'!');
  EXPECT_TRUE(pc.table().empty());
  k.CWKeyingMethod = 1;
  w->Transmit(u'!');
  ASSERT_EQ(pc.table().size(), 1u);
  EXPECT_EQ(f.txtCall->text(), QString());
  w->Transmit(u'!'); // an empty call box logs nothing
  EXPECT_EQ(pc.table().size(), 1u);
  EXPECT_TRUE(std::none_of(changes.begin(), changes.end(), [](const LineChange &c) { return c.value == 1; }));
}

TEST_F(CwKeyer, TheDrainLetsEventsRunBetweenCharactersAndObeysWhatTheyDo) {
  k.CWKeyingMethod = 1;
  w->Check1->setChecked(true);
  Label &status = *pc.form().lblDialog;
  QStringList echoes;
  std::vector<int> sending;
  betweenCharacters = [&] {
    echoes << status.text();
    sending.push_back(k.CWSending);
  };
  k.CWBuffer = QStringLiteral("EET");
  w->LoopThroughCWBuffer();
  EXPECT_EQ(echoes, (QStringList{"ET", "T", ""}));
  EXPECT_EQ(sending, (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(k.CWSending, 0);
  EXPECT_EQ(status.text(), QString());
  k.KeyboardCWMode = 1;
  w->LoopThroughCWBuffer();
  EXPECT_EQ(status.text(), QStringLiteral("Keyboard CW Mode is on.  Press F12 to exit."));
  k.KeyboardCWMode = 0;

  const struct {
    const char *name;
    std::function<void()> between;
    QString sent;
  } rows[] = {
      {"Esc", [&] { k.CWBuffer.clear(); }, "E"},
      {"keyboard character", [&] { k.CWBuffer += u'T'; }, "EET"},
      {"F-key",
       [&] {
         int f2 = 113;
         betweenCharacters = nullptr;
         w->FKeyCW(f2);
       },
       "ET"},
  };
  w->Text2->setText(QStringLiteral("T"));
  for (const auto &row : rows) {
    changes.clear();
    pc.clock.counter = 0;
    bool first = true;
    betweenCharacters = [&] {
      if (std::exchange(first, false))
        row.between();
    };
    k.CWBuffer = QStringLiteral("EE");
    w->LoopThroughCWBuffer();
    EXPECT_EQ(keyed(), unitsOf(row.sent)) << row.name;
    EXPECT_EQ(k.CWSending, 0);
  }
}

TEST_F(CwKeyer, SpeedStepsAndTheWinKeySpeedRange) {
  w->Text11->setText(QStringLiteral("13"));
  w->UpDown1_UpClick();
  EXPECT_EQ(w->Text11->text(), QStringLiteral("14"));
  w->Command3->click();
  w->Command3->click();
  EXPECT_EQ(w->Text11->text(), QStringLiteral("12"));
  w->Text11->setText(QStringLiteral("abc"));
  w->UpDown1_DownClick();
  EXPECT_EQ(w->Text11->text(), QStringLiteral("abc"));
}

// ---- Serial port and the arbiter ----

TEST(CwSerialPort, OpensAComLinkToAPseudoTerminalAndReportsAPortThatCannotBeOpened) {
  TempHome home;
  TestLogFile log;
  TestPc pc{log.path};
  PseudoTerminal pty;
  linkComPort(2, pty.device);
  linkComPort(3, home.path("/gone"));
  CWFrm &w = pc.ctx->window<CWFrm>();

  w.Text10->setText(QStringLiteral("2"));
  w.CWSetup();
  EXPECT_TRUE(w.Comm->isOpen());
  EXPECT_EQ(w.Comm->device(), pty.device);
  w.Option1->setChecked(true);
  pc.ctx->keying.CWKeyingMethod = 1;
  w.Transmit(u'E'); // the terminal refuses the line calls: no message, still open
  EXPECT_TRUE(w.Comm->isOpen());
  EXPECT_TRUE(pc.dialogs.shown.empty());

  w.Text10->setText(QStringLiteral("0"));
  w.Text10_LostFocus();
  EXPECT_FALSE(w.Comm->isOpen());
  EXPECT_TRUE(pc.dialogs.shown.empty());

  w.Text10->setText(QStringLiteral("3"));
  bool shownModally = false;
  QTimer::singleShot(0, &w, [&] {
    shownModally = w.isVisible() && w.isModal();
    w.hide();
  });
  w.CWSetup();
  EXPECT_TRUE(shownModally);
  EXPECT_EQ(pc.dialogs.beeps, 1);
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].text, kInvalidPort);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Invalid port."));
}

TEST_F(CwKeyer, OpeningClosesPushToTalkButNeverTheKeyerWhoseDeviceIsRefused) {
  linkComPort(1, QStringLiteral("/dev/ttyS7"));
  int pttClosed = 0, winKeyClosed = 0;
  QString winKeyDevice;
  pc.ctx->portArbiter.registerUser(
      PortUser::PushToTalk, [] { return QString(); }, [&] { ++pttClosed; });
  pc.ctx->portArbiter.registerUser(
      PortUser::WinKey, [&] { return winKeyDevice; }, [&] { ++winKeyClosed; });

  w->CWSetup();
  EXPECT_TRUE(line->isOpen());
  EXPECT_EQ(line->device(), QStringLiteral("/dev/ttyS7"));
  EXPECT_EQ(changes, (std::vector<LineChange>{{"DTR", 0, 0}, {"RTS", 0, 0}})); // both low before the open
  EXPECT_EQ(pttClosed, 1);

  winKeyDevice = QStringLiteral("/dev/ttyS7");
  w->show();
  w->CWSetup();
  EXPECT_FALSE(line->isOpen());
  EXPECT_EQ(winKeyClosed, 0);
  EXPECT_EQ(pc.dialogs.messages(), QStringList{kInvalidPort});
  w->hide();
}

TEST_F(CwKeyer, TheMainWindowShowsTheKeyerModallyOrNotAndItStaysLoaded) {
  bool modal = false;
  QTimer::singleShot(0, w, [&] {
    modal = w->isVisible() && w->isModal();
    w->Command1->click();
  });
  pc.form().mnuCw_Click();
  EXPECT_TRUE(modal);
  EXPECT_FALSE(w->isVisible());
  w->showMinimized();
  pc.form().ShowCwKeyer();
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(w->isModal());
  EXPECT_FALSE(w->isMinimized());
  EXPECT_EQ(&pc.ctx->window<CWFrm>(), w);
  w->hide();
}

TEST_F(CwKeyer, EndingTheProgramReleasesTheKeyLines) {
  w->CWSetup();
  ASSERT_TRUE(line->isOpen());
  pc.ctx->endProcess = [](int) {};
  pc.form().EndProgram();
  EXPECT_FALSE(line->isOpen());
  EXPECT_EQ(printer->closed, 1);

  // The close box: refused while a message is being sent, else the keyer unloads at once.
  w->CWSetup();
  Form1 &f = pc.form();
  k.CWSending = 1;
  EXPECT_FALSE(f.close());
  EXPECT_TRUE(line->isOpen());
  k.CWSending = 0;
  EXPECT_TRUE(f.close());
  EXPECT_FALSE(line->isOpen());
  EXPECT_EQ(printer->closed, 2);
  EXPECT_FALSE(pc.ctx->loaded<CWFrm>());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // while its context lives
}

// ---- The window and CW.txt ----

namespace {

QString cwFile(const QString &dir) {
  return files::resolve(dir, QStringLiteral("CW.txt"));
}

const QByteArray kSaved =
    "\"CQ TEST DE W1XYZ W1XYZ TEST\"\r\n\"$ *#\"\r\n\"TU W1XYZ\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"
    "\"\"\r\n\"\"\r\n\"VVV DE \"\r\n\"2\"\r\n\"28\"\r\n\"  AGN? \"\r\n\"\"\r\n\"0\"\r\n1\r\n"
    "\"&H378\"\r\n1\r\n\"2.5\"\r\n";

} // namespace

TEST_F(CwKeyer, DoneWritesTheEighteenLinesThatTheNextStartReadsBack) {
  w->Option1->setChecked(true);
  w->Text1->setText(QStringLiteral("CQ TEST DE W1XYZ W1XYZ TEST"));
  w->Text2->setText(QStringLiteral("$ *#"));
  w->Text3->setText(QStringLiteral("TU W1XYZ"));
  w->Text9->setText(QStringLiteral("VVV DE "));
  w->Text10->setText(QStringLiteral("2"));
  w->Text11->setText(QStringLiteral("28"));
  w->Text12->setText(QStringLiteral("  AGN? "));
  w->Check1->setChecked(true);
  w->txtCWLoop->setText(QStringLiteral("2.5"));
  w->OptSleep->setChecked(true);
  w->show();
  w->Command1->click();
  EXPECT_FALSE(w->isVisible());
  QFile file(cwFile(pc.programDir.path()));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), kSaved);
  EXPECT_EQ(pc.settings->get(QStringLiteral("UserCWSelection")), QStringLiteral("Sleep"));

  TestPc next{log.path};
  QFile::copy(cwFile(pc.programDir.path()), next.programDir.filePath(QStringLiteral("cw.txt")));
  next.settings->set(QStringLiteral("UserCWSelection"), QStringLiteral("Sleep"));
  next.form().LoadCWPrefs();
  ASSERT_TRUE(next.ctx->loaded<CWFrm>());
  CWFrm &r = next.ctx->window<CWFrm>();
  const CwKeyerSettings a = w->settings(), b = r.settings();
  EXPECT_EQ(a.messages, b.messages);
  EXPECT_EQ(std::tie(a.serialPort, a.speedWpm, a.wordSpace, a.printerPort, a.echo, a.loopSeconds),
            std::tie(b.serialPort, b.speedWpm, b.wordSpace, b.printerPort, b.echo, b.loopSeconds));
  EXPECT_EQ(r.tmrRepeat->interval(), 2500);
  EXPECT_EQ(next.ctx->keying.CWKeyingMethod, 1);
  EXPECT_TRUE(r.Option1->isChecked());
  EXPECT_TRUE(r.OptSleep->isChecked());
  EXPECT_FALSE(r.txtLoop->isEnabled());
}

TEST_F(CwKeyer, TheReadStopsAtABadLineKeepingWhatItReadAndSkippingTheOption) {
  QList<QByteArray> lines = kSaved.split('\n');
  lines.removeLast();
  const auto read = [&](int line15, int keep = 18) {
    QList<QByteArray> l = lines.mid(0, keep);
    if (keep >= 15)
      l[14] = QByteArray::number(line15) + '\r';
    l[8] = "\"\"\r"; // an empty F9
    TestPc fresh{log.path};
    fresh.ctx->newSerialKeyLine = pc.ctx->newSerialKeyLine;
    CWFrm &r = fresh.ctx->window<CWFrm>();
    const bool ok = r.readSettings(QString::fromLatin1(l.join('\n') + '\n'));
    return std::tuple{ok,
                      r.Text9->text(),
                      fresh.ctx->keying.CWKeyingMethod,
                      r.Option5->isChecked(),
                      r.cmdConfWinkey->isVisibleTo(&r),
                      r.Text14->text(),
                      r.Option1->isChecked() || r.Option2->isChecked() || r.Option3->isChecked() ||
                          r.Option4->isChecked()};
  };
  EXPECT_EQ(read(5), std::tuple(true, QString("VVV DE "), 5, true, true, QString("&H378"), false));
  EXPECT_EQ(read(4), std::tuple(true, QString("VVV DE "), 4, false, false, QString("&H378"), false));
  EXPECT_EQ(read(1, 13), std::tuple(false, QString("VVV DE "), 0, false, false, QString("&H378"), false));
  lines[14] = "abc\r";
  lines[15] = "\"&H278\"\r";
  TestPc fresh{log.path};
  CWFrm &r = fresh.ctx->window<CWFrm>();
  EXPECT_FALSE(r.readSettings(QString::fromLatin1(lines.join('\n') + '\n')));
  EXPECT_EQ(r.Text14->text(), QStringLiteral("&H378"));
  EXPECT_EQ(r.Text11->text(), QStringLiteral("28"));
  EXPECT_FALSE(r.Option1->isChecked());
}

TEST_F(CwKeyer, ASaveThatFailsIsReportedAndEndsDone) {
  pc.ctx->folders.ProgramFolder = pc.programDir.filePath(QStringLiteral("gone"));
  k.CWKeyingMethod = 1;
  w->show();
  w->Command1_Click();
  EXPECT_FALSE(w->isVisible());
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Unable to save CW settings."));
  EXPECT_TRUE(pc.dialogs.shown[0].text.endsWith(QStringLiteral("  ") + pc.ctx->folders.ProgramFolder +
                                                QStringLiteral("/CW.txt")));
  EXPECT_EQ(pc.settings->get(QStringLiteral("UserCWSelection")), QString()); // the later steps are skipped
}

TEST_F(CwKeyer, ASaveOntoAFullDiskIsReportedAndKeepsTheOldFile) {
  const QString folder = pc.programDir.filePath(QStringLiteral("full"));
  ASSERT_TRUE(QDir().mkdir(folder));
  pc.ctx->folders.ProgramFolder = folder;
  const QString path = folder + QStringLiteral("/CW.txt");
  const QByteArray old = QByteArrayLiteral("\"CQ TEST $\"\r\n");
  w->show();
  FullDisk disk(folder);
  const auto reported =
      disk.run([&] { ASSERT_TRUE(vb::writeAtomic(path, old)); },
               [&] {
                 w->Command1_Click();
                 return pc.dialogs.shown.size() == 1 &&
                        pc.dialogs.shown[0].title == QStringLiteral("Unable to save CW settings.") &&
                        pc.dialogs.shown[0].text.endsWith(QStringLiteral("  ") + path);
               });
  if (!reported)
    GTEST_SKIP() << "No full disk can be made here: " << disk.why().toStdString();
  EXPECT_TRUE(*reported);
  EXPECT_EQ(vb::readLatin1(path), QString::fromLatin1(old));
}

TEST_F(CwKeyer, TheLoopTimingCalibratesOnceAndStepsByATenth) {
  w->LoopsPer60ms = 0;
  pc.clock.readStep = 40;
  w->optLoop->setChecked(true);
  EXPECT_EQ(w->LoopsPer60ms, 7500000);
  EXPECT_EQ(w->txtLoop->text(), QStringLiteral("7500000"));
  EXPECT_TRUE(w->cmdLoopFaster->isEnabled());

  w->OptSleep->setChecked(true);
  w->LoopsPer60ms = 0;
  pc.clock.readStep = 0;
  w->optLoop->setChecked(true);
  EXPECT_EQ(w->LoopsPer60ms, 5000000);

  w->txtLoop->setText(QStringLiteral("1000"));
  w->cmdLoopFaster->click();
  EXPECT_EQ(w->txtLoop->text(), QStringLiteral("900"));
  EXPECT_EQ(w->LoopsPer60ms, 900);
  w->cmdLoopSlower->click();
  EXPECT_EQ(w->txtLoop->text(), QStringLiteral("1000"));
  w->Command1_Click();
  EXPECT_EQ(pc.settings->get(QStringLiteral("UserCWSelection")), QStringLiteral("Loop"));
  EXPECT_EQ(pc.settings->get(QStringLiteral("UserCWLoopOffset")), QStringLiteral("1000"));
}

TEST_F(CwKeyer, BoxFiltersAndLeaveRules) {
  w->Text1->setText(QStringLiteral("CQ TEST DE W1XYZ W1XYZ TEST"));
  w->Text2->setText(QStringLiteral("$ *#"));
  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  saveScreenshot(*w, QStringLiteral("CWFrm"));
  w->txtSpace->setText(QString());
  w->txtSpace->setFocus();
  QTest::keyClicks(w->txtSpace, QStringLiteral("a-12"));
  EXPECT_EQ(w->txtSpace->text(), QStringLiteral("-8"));
  w->txtSpace->setText(QString());
  w->txtSpace_LostFocus();
  EXPECT_EQ(w->txtSpace->text(), QStringLiteral("0"));

  for (const auto &[typed, kept, interval] :
       {std::tuple{"75", "0", 0}, std::tuple{"2.5", "2.5", 2500}, std::tuple{"x.", "0", 0}}) {
    w->txtCWLoop->setText(QString());
    w->txtCWLoop->setFocus();
    QTest::keyClicks(w->txtCWLoop, QString::fromLatin1(typed));
    w->txtCWLoop_LostFocus();
    EXPECT_EQ(w->txtCWLoop->text(), QString::fromLatin1(kept)) << typed;
    EXPECT_EQ(w->tmrRepeat->interval(), interval) << typed;
  }
  EXPECT_EQ(pc.dialogs.beeps, 1); // "." is no number

  w->Text11->setFocus();
  QTest::qWait(0);
  EXPECT_EQ(w->Text11->selectedText(), w->Text11->text()); // the whole speed, ready to be typed over
  w->Text10->setText(QString());
  w->Text10->setFocus();
  QTest::keyClicks(w->Text10, QStringLiteral("a:"));
  EXPECT_EQ(w->Text10->text(), QStringLiteral(":"));
  w->Text10_LostFocus();
  EXPECT_EQ(w->Text10->text(), QStringLiteral("0"));
  w->Text1->setText(QString());
  w->Text1->setFocus();
  QTest::keyClicks(w->Text1, QStringLiteral("cq 5nn"));
  EXPECT_EQ(w->Text1->text(), QStringLiteral("CQ 5NN"));

  for (const auto &[from, less, more] : {std::tuple{"0", "-1", "1"}, std::tuple{"abc", "0", "0"}}) {
    w->txtSpace->setText(QString::fromLatin1(from));
    w->Command5->click();
    EXPECT_EQ(w->txtSpace->text(), QString::fromLatin1(less));
    w->txtSpace->setText(QString::fromLatin1(from));
    w->Command6->click();
    EXPECT_EQ(w->txtSpace->text(), QString::fromLatin1(more));
  }
  w->hide();
}

TEST_F(CwKeyer, TestSendsTheF9MessageWhileShowingSending) {
  k.CWKeyingMethod = 1;
  w->Text9->setText(QStringLiteral("VVV"));
  bool sendingShown = false;
  betweenCharacters = [&] { sendingShown = sendingShown || !w->Label23->isHidden(); };
  w->Command4->click();
  EXPECT_TRUE(sendingShown);
  EXPECT_TRUE(w->Label23->isHidden());
  EXPECT_EQ(keyed(), unitsOf(QStringLiteral("VVV")));
}
