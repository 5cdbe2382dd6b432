// The main window's keys as the operator presses them: the Ctrl keys that open windows, the
// function keys and arrows in CW, keyboard CW mode, the repeat cancel and Escape, with the CW
// keyer on a recording key line and the WinKey keyer simulated on a pseudo-terminal.
#include "logging/Form1.h"

#include "keying/CWFrm.h"
#include "keying/PhoneFrm.h"
#include "keying/frmCWStrings.h"
#include "keying/frmDigitalSource.h"
#include "keying/frmWinKey.h"
#include "logging/ContactListView.h"
#include "logging/frmStationID.h"
#include "platform/Controls.h"
#include "platform/Timer.h"
#include "platform/WavePlayer.h"
#include "platform/WinKey.h"
#include "rig/RigControlfrm.h"
#include "rig/frmBandPlan.h"
#include "spotting/PacketSpotfrm.h"
#include "spotting/SpectrumMap.h"
#include "tests/support/FakeRttyPeer.h"
#include "tests/support/KeyLineDoubles.h"
#include "tests/support/TestContext.h"
#include "tests/support/WinKeySimulator.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor kPaleYellow(255, 255, 192);
const QColor kTeal(0, 192, 192);
const QString kKeyboardCw = QStringLiteral("Keyboard CW mode is ON!  Press F12 to exit keyboard CW mode.");

class FunctionKeys : public ShownMainWindow {
protected:
  TempHome home;
  KeyingState &k = pc.ctx->keying;
  std::vector<LineChange> changes;
  std::function<void()> betweenCharacters; // runs where the drain lets events run
  CWFrm *cw = nullptr;

  void SetUp() override {
    pc.ctx->newSerialKeyLine = [this] { return std::make_unique<FakeSerialKeyLine>(pc.clock, changes); };
    pc.ctx->printerPorts = std::make_unique<FakePrinterPorts>(pc.clock);
    pc.ctx->doEvents = [this] {
      QCoreApplication::processEvents();
      if (betweenCharacters)
        std::exchange(betweenCharacters, {})();
    };
    ShownMainWindow::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    f.Worklist();
    cw = &pc.ctx->window<CWFrm>();
    cw->OptSleep->setChecked(true);
    cw->Option1->setChecked(true); // RTS
    cw->Text10->setText(QStringLiteral("1"));
    cw->Text11->setText(QStringLiteral("13"));
    cw->txtCWLoop->setText(QStringLiteral("0"));
    const std::array<TextBox *, 11> messages = cw->messageBoxes();
    for (size_t i = 0; i < messages.size(); ++i)
      messages[i]->setText(QString(QChar(u'A' + static_cast<char16_t>(i))));
    s.station.ModeCode = QStringLiteral("cw");
    settle();
  }

  static void settle() {
    for (int round = 0; round < 4; ++round)
      QCoreApplication::processEvents();
  }
  static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), k, modifiers);
    settle();
  }
  static void typeKeys(const QString &text) {
    for (const QChar c : text)
      QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    settle();
  }
  bool onColour(const QColor &colour) const {
    return f.lblDialog->palette().color(QPalette::Window) == colour;
  }
  // The WinKey method with the keyer on a pseudo-terminal, opened.
  void useWinKey(WinKeySimulator &keyer) {
    keyer.linkAs(5);
    pc.ctx->winKey = std::make_unique<SerialWinKey>();
    cw->Option5->setChecked(true);
    QDir().mkpath(pc.ctx->folders.DataFolder);
    frmWinKey &w = pc.ctx->loadedWindow<frmWinKey>();
    w.txtWKComPort->setText(QStringLiteral("5"));
    w.txtWKComPort_LostFocus();
    w.cmdOpenWinkey_Click();
    ASSERT_NE(k.WinKeyOpen, 0);
    // The settings sent with the open are left out of what the keys send.
    keyer.receivedAll();
    keyer.clearReceived();
  }
  // The CW messages window shown and active.
  frmCWStrings &activeCwStrings() {
    frmCWStrings &strings = pc.ctx->loadedWindow<frmCWStrings>();
    strings.show();
    strings.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&strings));
    return strings;
  }
  // Whether the keyer received the command byte `code` since it was last cleared.
  static bool keyerGot(WinKeySimulator &keyer, char code) { return keyer.receivedAll().contains(code); }
  // The text the keyer received since it was last cleared.
  static QString sentText(WinKeySimulator &keyer) {
    QString text;
    for (const char c : keyer.receivedAll())
      if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        text += QChar(c);
    keyer.clearReceived();
    return text;
  }
};

} // namespace

TEST_F(FunctionKeys, CtrlShortcutsOpenTheirWindowsAndTypeNothing) {
  QFile::copy(sourceDataDir() + QStringLiteral("/BandPlan.txt"),
              pc.programDir.filePath(QStringLiteral("BandPlan.txt")));
  const QString wasCurrent = QDir::currentPath();
  QDir::setCurrent(QDir::tempPath()); // the windows find their files in the program folder all the same
  f.txtCall->setFocus();
  key(Qt::Key_W, Qt::ControlModifier);
  ASSERT_TRUE(pc.ctx->loaded<frmCWStrings>());
  const struct {
    Qt::Key key;
    QWidget *window;
    bool restores;
  } rows[] = {
      {Qt::Key_W, &pc.ctx->window<frmCWStrings>(), true},
      {Qt::Key_C, cw, true},
      {Qt::Key_S, cw, true},
      {Qt::Key_D, &pc.ctx->window<PacketSpotfrm>(), true},
      {Qt::Key_R, &pc.ctx->window<RigControlfrm>(), false},
  };
  for (const auto &row : rows) {
    if (row.restores)
      row.window->showMinimized();
    QTest::keyClick(f.txtCall, row.key, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(row.window->isVisible()) << row.key;
    EXPECT_FALSE(row.window->isModal()) << row.key;
    EXPECT_FALSE(row.window->windowState() & Qt::WindowMinimized) << row.key;
    row.window->hide();
  }
  EXPECT_FALSE(pc.ctx->window<RigControlfrm>().BandPlanRows.empty());

  // Ctrl+F and Ctrl+B: the privileges chart and the spectrum map, modal while they show, gone
  // after.
  size_t records = 0;
  for (const auto &[letter, name] :
       {std::pair{Qt::Key_F, "frmBandPlan"}, std::pair{Qt::Key_B, "SpectrumMap"}}) {
    QWidget *modal = nullptr;
    whenModal(&f, [&](QWidget *shown) {
      modal = shown;
      if (auto *chart = qobject_cast<frmBandPlan *>(shown))
        records = chart->records.size();
    });
    QTest::keyClick(f.txtCall, letter, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(modal && modal->inherits(name)) << name;
  }
  QDir::setCurrent(wasCurrent);
  EXPECT_GT(records, 0u);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(pc.ctx->loaded<frmBandPlan>());
  EXPECT_FALSE(pc.ctx->loaded<SpectrumMap>());

  // Phone: Ctrl+C sends nothing, Ctrl+A types nothing, and the main window still takes keys
  // beside the keyer window.
  s.station.ModeCode = QStringLiteral("PH");
  k.CWKeyingMethod = 1;
  for (const Qt::Key letter : {Qt::Key_C, Qt::Key_A})
    QTest::keyClick(f.txtCall, letter, Qt::ControlModifier);
  EXPECT_TRUE(cw->isVisible());
  QTest::keyClicks(f.txtCall, QStringLiteral("K1"));
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("K1"));
  EXPECT_TRUE(changes.empty());
}

TEST_F(FunctionKeys, FunctionKeysSendTheirMessagesAndTheArrowsSetTheSpeed) {
  WinKeySimulator keyer;
  useWinKey(keyer);
  f.txtCall->setFocus();
  for (const Qt::Key fkey : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F6,
                             Qt::Key_F7, Qt::Key_F8, Qt::Key_F9, Qt::Key_F11, Qt::Key_F10})
    key(fkey);
  // F10 sends the F10 message (the tenth box), F11 the eleventh.
  EXPECT_EQ(sentText(keyer), QStringLiteral("ABCDEFGHIKJ"));
  EXPECT_FALSE(f.menuBar()->activeAction()) << "F10 is a message key, not the menu bar's";
  key(Qt::Key_F1, Qt::ControlModifier);
  EXPECT_EQ(sentText(keyer), QStringLiteral("A")) << "Ctrl+F1 is F1";

  const QString before = f.txtCall->text();
  key(Qt::Key_Up);
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("14 WPM"));
  key(Qt::Key_Down);
  key(Qt::Key_Down);
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("12 WPM"));
  EXPECT_EQ(cw->Text11->text(), QStringLiteral("12"));
  EXPECT_TRUE(onColour(kTeal));

  key(Qt::Key_F12);
  EXPECT_EQ(f.lblDialog->text(), kKeyboardCw);
  EXPECT_TRUE(onColour(kPaleYellow));
  saveScreenshot(f, QStringLiteral("Form1-keyboard-cw"));
  key(Qt::Key_Up);
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("13 WPM"));
  EXPECT_TRUE(onColour(kPaleYellow)) << "the speed leaves the colour";
  key(Qt::Key_F12);
  EXPECT_EQ(f.lblDialog->text(), QString());
  EXPECT_TRUE(onColour(kTeal));
  EXPECT_EQ(f.txtCall->text(), before);
  EXPECT_EQ(sentText(keyer), QString()) << "the arrows and F12 send no text";
}

TEST_F(FunctionKeys, WithoutAKeyingMethodOrInPhoneTheArrowsMoveTheListRow) {
  for (const char *call : {"K1AA", "K1BB", "K1CC"}) {
    LogEntry e;
    e.calls = QString::fromLatin1(call);
    e.uband = s.CurrentBand;
    s.log.append(e);
  }
  f.ListDisplay();
  for (const auto &[mode, method] : {std::pair{"CW", 0}, std::pair{"ph", 1}}) {
    s.station.ModeCode = QString::fromLatin1(mode);
    k.CWKeyingMethod = method;
    f.ListView1->setFocus();
    f.ListView1->setCurrentIndex(f.ListView1->model()->index(0, 0));
    key(Qt::Key_Down);
    EXPECT_EQ(f.ListView1->currentIndex().row(), 1) << mode;
    key(Qt::Key_F2);
    key(Qt::Key_F12);
    EXPECT_EQ(k.KeyboardCWMode, 0) << mode;
  }
  EXPECT_TRUE(changes.empty());
}

TEST_F(FunctionKeys, AnyKeyEndsARepeatingF1Message) {
  WinKeySimulator keyer;
  useWinKey(keyer);
  cw->txtCWLoop->setText(QStringLiteral("5"));
  cw->txtCWLoop_LostFocus();
  f.txtCall->setFocus();
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  } rows[] = {{Qt::Key_X, {}}, {Qt::Key_Shift, Qt::ShiftModifier}, {Qt::Key_A, Qt::ControlModifier}};
  for (const auto &row : rows) {
    key(Qt::Key_F1);
    ASSERT_EQ(k.CWRepeatPending, 1);
    ASSERT_TRUE(cw->tmrRepeat->isEnabled());
    keyer.clearReceived();
    key(row.key, row.modifiers);
    EXPECT_EQ(k.CWRepeatPending, 0) << row.key;
    EXPECT_FALSE(cw->tmrRepeat->isEnabled()) << row.key;
    EXPECT_TRUE(keyerGot(keyer, '\x0A')) << "the keyer's buffer is cleared";
  }
  // A shortcut's own key going down leaves the repeat to the Ctrl key before it.
  key(Qt::Key_F1);
  int code = 'W';
  f.Form_KeyDown(code, 2);
  EXPECT_EQ(k.CWRepeatPending, 1);
  code = 'A';
  f.Form_KeyDown(code, 2);
  EXPECT_EQ(k.CWRepeatPending, 0);
}

TEST_F(FunctionKeys, KeyboardCwSendsWhatIsTypedAndBackspaceTakesItBack) {
  WinKeySimulator keyer;
  useWinKey(keyer);
  f.txtCall->setFocus();
  key(Qt::Key_F12);
  typeKeys(QStringLiteral("k1abc'\"\r"));
  EXPECT_EQ(sentText(keyer), QStringLiteral("K1ABC"));
  EXPECT_EQ(f.txtCall->text(), QString());
  EXPECT_TRUE(pc.table().empty()) << "Enter logs nothing";

  // The keyer still sending: Backspace takes its last character back.
  keyer.scriptStatuses({4});
  key(Qt::Key_Backspace);
  EXPECT_TRUE(keyerGot(keyer, '\x08'));
  // Sending: Escape empties the keyer and the queue and leaves the row.
  f.txtRSTR->setText(QStringLiteral("599"));
  k.CWBuffer = QStringLiteral("QRZ");
  key(Qt::Key_Escape);
  EXPECT_TRUE(keyerGot(keyer, '\x0A'));
  EXPECT_TRUE(k.CWBuffer.isEmpty());
  EXPECT_EQ(f.txtRSTR->text(), QStringLiteral("599"));
  keyer.scriptStatuses({0});
  key(Qt::Key_Escape);
  EXPECT_TRUE(f.txtRSTR->text().isEmpty()) << "the keyer idle, Escape clears the row";
}

TEST_F(FunctionKeys, KeysTypedWhileTheKeyLineSendsJoinOrShortenTheQueue) {
  k.CWKeyingMethod = 1;
  f.txtCall->setFocus();
  key(Qt::Key_F12);
  QString queued;
  betweenCharacters = [&] {
    typeKeys(QStringLiteral("bc"));
    queued = k.CWBuffer;
    key(Qt::Key_Backspace);
    betweenCharacters = [&] { queued += QStringLiteral("|") + k.CWBuffer; };
  };
  typeKeys(QStringLiteral("a"));
  EXPECT_EQ(queued, QStringLiteral("BC|")) << "B is on its way when the next events run";
  EXPECT_EQ(k.CWSending, 0);

  // Escape while a key line sends empties the queue and leaves the row.
  key(Qt::Key_F12);
  typeKeys(QStringLiteral("K1"));
  cw->Text2->setText(QStringLiteral("BBB"));
  betweenCharacters = [&] {
    key(Qt::Key_Escape);
    queued = k.CWBuffer;
  };
  key(Qt::Key_F2);
  EXPECT_TRUE(queued.isEmpty());
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("K1"));
}

TEST_F(FunctionKeys, TheCwStringsWindowAndEveryControlTakeTheKeys) {
  WinKeySimulator keyer;
  useWinKey(keyer);
  frmCWStrings &strings = activeCwStrings();
  f.txtCall->setText(QStringLiteral("K1ABC"));
  QTest::keyClick(&strings, Qt::Key_F2);
  EXPECT_EQ(sentText(keyer), QStringLiteral("B"));
  QTest::keyClick(&strings, Qt::Key_Up);
  EXPECT_EQ(cw->Text11->text(), QStringLiteral("14"));
  QTest::keyClick(&strings, Qt::Key_Escape);
  EXPECT_TRUE(f.txtCall->text().isEmpty());
  EXPECT_TRUE(strings.isVisible());
  strings.showMinimized();
  QTest::keyClick(&strings, Qt::Key_W, Qt::ControlModifier);
  EXPECT_FALSE(strings.windowState() & Qt::WindowMinimized);

  int switches = 0;
  for (QWidget *control : f.findChildren<QWidget *>()) {
    if (control->focusPolicy() == Qt::NoFocus)
      continue;
    const int before = k.KeyboardCWMode;
    QTest::keyClick(control, Qt::Key_F12);
    EXPECT_NE(k.KeyboardCWMode, before) << control->metaObject()->className();
    ++switches;
  }
  EXPECT_GT(switches, 10);
}

TEST_F(FunctionKeys, TheCwStringsWindowHandsEachKeyOnOnceWhicheverControlHasIt) {
  WinKeySimulator keyer;
  useWinKey(keyer);
  frmCWStrings &strings = activeCwStrings();
  strings.Command1->setFocus();
  for (QWidget *to : {static_cast<QWidget *>(strings.Command1), static_cast<QWidget *>(&strings)}) {
    for (const auto &[fkey, message] : {std::pair{Qt::Key_F3, "C"}, std::pair{Qt::Key_F8, "H"},
                                        std::pair{Qt::Key_F9, "I"}, std::pair{Qt::Key_F11, "K"}}) {
      QTest::keyClick(to, fkey);
      settle();
      EXPECT_EQ(sentText(keyer), QString::fromLatin1(message)) << to->metaObject()->className();
    }
  }
  QTest::keyClick(strings.Command1, Qt::Key_F12);
  settle();
  EXPECT_EQ(k.KeyboardCWMode, 1);
  EXPECT_EQ(f.lblDialog->text(), kKeyboardCw);
}

TEST_F(FunctionKeys, PhoneKeysPlayTheirMessagesAndEscapeStopsOneBeforeClearing) {
  pc.clock.readStep = 0; // a message plays until the test moves the clock on
  const QStringList names{"Call",   "Country", "Dupe",    "NavDis", "NavEn",
                          "Points", "Prefix",  "RstRcvd", "RstSnt"};
  PhoneFrm &phone = pc.ctx->window<PhoneFrm>();
  phone.Text10->setText(QStringLiteral("0"));
  phone.txtPHLoop->setText(QStringLiteral("0"));
  const std::array<TextBox *, 9> waves = phone.waveBoxes();
  for (size_t i = 0; i < waves.size(); ++i)
    waves[i]->setText(sourceDataDir() + QStringLiteral("/prompts/") + names[qsizetype(i)] +
                      QStringLiteral(".wav"));
  s.station.ModeCode = QStringLiteral("ph");
  f.txtCall->setFocus();
  QStringList played;
  for (int i = 0; i < 10; ++i) {
    key(Qt::Key(Qt::Key_F1 + i));
    if (!pc.sounds.started.empty())
      played << std::exchange(pc.sounds.started, {}).back().name;
  }
  EXPECT_EQ(played, names) << "F10 plays nothing";

  typeKeys(QStringLiteral("K1ABC"));
  key(Qt::Key_F2);
  ASSERT_EQ(phone.MMControl1->Mode(), WavePlayer::kModePlaying);
  key(Qt::Key_Escape);
  EXPECT_NE(phone.MMControl1->Mode(), WavePlayer::kModePlaying);
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("K1ABC"));
  key(Qt::Key_Escape);
  EXPECT_TRUE(f.txtCall->text().isEmpty());

  // A repeating F1 message ends at the next key, before that key acts.
  phone.txtPHLoop->setText(QStringLiteral("5"));
  phone.txtPHLoop_LostFocus();
  key(Qt::Key_F1);
  pc.clock.counter += 60000;
  phone.Timer1_Timer();
  ASSERT_TRUE(phone.tmrRepeat->isEnabled());
  key(Qt::Key_Shift, Qt::ShiftModifier);
  EXPECT_EQ(k.VoiceRepeatPending, 0);
  EXPECT_FALSE(phone.tmrRepeat->isEnabled());
}

TEST_F(FunctionKeys, InRttyEveryKeyGoesToTheRttyProgramAndF12KeepsThemFromTheFields) {
  FakeRttyPeer peer;
  pc.ctx->window<frmDigitalSource>().serverName = peer.name;
  s.station.ModeCode = QStringLiteral("Ry");
  f.ConnectRttyLink();
  ASSERT_EQ(k.Q4ZDLinkOn, 1);
  const auto passed = [&peer](qsizetype count) {
    peer.waitFor(count);
    QStringList keys;
    for (const QString &line : std::exchange(peer.got, {}))
      if (line.startsWith(QLatin1String("txtBField8=")))
        keys << line.mid(11);
    return keys;
  };
  passed(1);
  f.txtCall->setFocus();
  typeKeys(QStringLiteral("BAA"));
  EXPECT_EQ(passed(5), (QStringList{"66", "", "65", "", "65"}));
  key(Qt::Key_F10);
  key(Qt::Key_Shift); // Shift alone
  EXPECT_EQ(passed(4), (QStringList{"", "124", "", "16"}));
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("BAA"));

  // Keyboard RTTY: the keys go to the program only, one handled inside another's events too.
  key(Qt::Key_F12);
  EXPECT_EQ(f.lblDialog->text(), QStringLiteral("Keyboard RTTY mode.  Press F12 to exit keyboard RTTY."));
  EXPECT_TRUE(onColour(kPaleYellow));
  saveScreenshot(f, QStringLiteral("Form1-keyboard-rtty"));
  bool nested = false;
  pc.ctx->doEvents = [&] {
    if (!std::exchange(nested, true))
      QTest::keyClick(f.txtCall, 'y');
  };
  typeKeys(QStringLiteral("x\r"));
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("BAA"));
  EXPECT_TRUE(pc.table().empty());
  key(Qt::Key_F12);
  EXPECT_EQ(passed(10), (QStringList{"", "123", "", "89", "", "88", "", "13", "", "123"}));
  EXPECT_EQ(f.lblDialog->text(), QString());
  EXPECT_TRUE(onColour(kTeal));
  typeKeys(QStringLiteral("C"));
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("BAAC"));

  k.Q4ZDLinkOn = 0;
  passed(2);
  key(Qt::Key_F2);
  QTest::qWait(100);
  EXPECT_TRUE(peer.got.isEmpty());
}

TEST_F(FunctionKeys, QuotesReachNoFieldOfTheMainWindow) {
  f.mnuPostContest_Click();
  settle();
  for (TextBox *field : {f.txtCall, f.txtRSTR, f.txtSec, f.txtRSTS, f.txtCntry, f.txtPref, f.txtPoints,
                         f.txtPostConTime, f.txtPostConDate}) {
    field->setText(QString());
    QTest::keyClicks(field, QStringLiteral("'\"'"));
    EXPECT_TRUE(field->text().isEmpty()) << field->text().toStdString();
  }
}

TEST_F(FunctionKeys, KeyboardCwOutlivesAModeChangeAndQueuesABackspaceWhenNothingIsSent) {
  k.CWKeyingMethod = 1;
  f.txtCall->setFocus();
  key(Qt::Key_F12);
  bool drained = false;
  betweenCharacters = [&] { drained = true; };
  key(Qt::Key_Backspace);
  EXPECT_TRUE(drained) << "queued like any other key";

  pc.answerStationSetup([](frmStationID &setup) { setup.Option1->click(); });
  f.mnuSetup_Click();
  EXPECT_EQ(s.station.ModeCode, QStringLiteral("PH"));
  EXPECT_EQ(k.KeyboardCWMode, 1);
}
