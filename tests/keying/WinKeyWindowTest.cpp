// The WinKey setup window and the hand-over of the CW queue, with a scripted driver, and the
// real driver on a simulated keyer where the port itself matters.
#include "keying/CWFrm.h"
#include "keying/frmCWStrings.h"
#include "keying/frmWinKey.h"
#include "platform/Controls.h"
#include "platform/ProgramFiles.h"
#include "platform/SerialKeyLine.h"
#include "platform/VbText.h"
#include "platform/WinKey.h"
#include "tests/support/FakeWinKey.h"
#include "tests/support/PortLinks.h"
#include "tests/support/TestContext.h"
#include "tests/support/WinKeySimulator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kUnableTitle = QStringLiteral("Unable to establish connection with Winkey.");
const QString kUnableText = QStringLiteral(
    "Unable to establish connection with WinKey on com port 5.  Please check to make sure that you have "
    "specified the correct port and that the Winkey device is properly connected.");
const QStringList kSettings{"wpm 18", "weight 50", "leadtail 0 0", "ratio 50", "pincfg 6", "mode 0"};

struct WinKeyWindow : ::testing::Test, PcAtHome {
  KeyingState &k = pc.ctx->keying;
  FakeWinKey *wk = nullptr;
  int pumps = 0;
  std::function<void()> onEvents;
  frmWinKey *w = nullptr;

  void SetUp() override {
    auto fake = std::make_unique<FakeWinKey>();
    wk = fake.get();
    pc.ctx->winKey = std::move(fake);
    pc.ctx->doEvents = [this] {
      ++pumps;
      if (onEvents)
        onEvents();
    };
    QDir().mkpath(pc.ctx->folders.DataFolder);
    pc.ctx->window<CWFrm>().Text11->setText(QStringLiteral("18"));
    w = &pc.ctx->window<frmWinKey>();
    w->Form_Load();
    k.WinKeyComPort = 5;
  }
  QString wkFile() const { return files::resolve(pc.ctx->folders.DataFolder, QStringLiteral("WK.txt")); }
  // The window unloaded and loaded again, as at the next start.
  void reload() {
    pc.ctx->unload<frmWinKey>();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    w = &pc.ctx->window<frmWinKey>();
    w->Form_Load();
  }
  void open() {
    w->cmdOpenWinkey_Click();
    wk->calls.clear();
  }
};

} // namespace

TEST_F(WinKeyWindow, OpenShowsTheVersionAndSendsTheSettingsAndCloseClearsThem) {
  w->cmdOpenWinkey_Click();
  EXPECT_EQ(w->lblOpenStatus->text(), QStringLiteral("WK Success!"));
  EXPECT_EQ(w->lblVersion->text(), QStringLiteral("Version # 23"));
  EXPECT_EQ(k.WinKeyOpen, 23);
  EXPECT_EQ(wk->calls, QStringList{"open 5"} + kSettings);
  EXPECT_TRUE(pc.dialogs.shown.empty());

  wk->calls.clear();
  w->cmdOpenWinkey_Click();
  EXPECT_EQ(w->lblOpenStatus->text(), QStringLiteral("WK Already Open"));
  EXPECT_EQ(wk->calls, QStringList{"open 5"}) << "no settings after -8";
  EXPECT_TRUE(pc.dialogs.shown.empty());
  EXPECT_EQ(k.WinKeyOpen, 23);

  w->cmdCloseWinkey_Click();
  EXPECT_EQ(w->lblOpenStatus->text(), QStringLiteral("Closed"));
  EXPECT_EQ(w->lblVersion->text(), QStringLiteral("Version #"));
  EXPECT_EQ(k.WinKeyOpen, 0);
  EXPECT_EQ(wk->calls.last(), QStringLiteral("close"));
}

TEST_F(WinKeyWindow, AFailedOpenShowsTheBoxAndTheResultTextAndStillSendsTheSettings) {
  const struct {
    std::int32_t result;
    QString status;
  } rows[] = {
      {-1, "No Echo Response"},  {-2, "Echo Mismatch"}, {-3, "No Open Response"}, {-4, "Com Open Failed"},
      {-6, "Set Com ST Failed"}, {-9, "WK Not Open"},   {-7, "as it was"},
  };
  for (const auto &row : rows) {
    wk->openResult = row.result;
    wk->calls.clear();
    pc.dialogs.shown.clear();
    w->lblOpenStatus->setText(QStringLiteral("as it was"));
    w->cmdOpenWinkey_Click();
    EXPECT_EQ(w->lblOpenStatus->text(), row.status) << row.result;
    ASSERT_EQ(pc.dialogs.shown.size(), 1u) << row.result;
    EXPECT_EQ(pc.dialogs.shown[0].title, kUnableTitle);
    EXPECT_EQ(pc.dialogs.shown[0].text, kUnableText);
    EXPECT_EQ(wk->calls, QStringList{"open 5"} + kSettings) << row.result;
    EXPECT_EQ(k.WinKeyOpen, 0);
    EXPECT_EQ(w->lblVersion->text(), QStringLiteral("Version #"));
  }
}

TEST_F(WinKeyWindow, ValueBoxesSendWhatTheirChecksAccept) {
  const struct {
    TextBox *box;
    QString typed, kept;
    QStringList sent;
  } rows[] = {
      {w->txtRatio, "32", "32", {"ratio 32"}},
      {w->txtRatio, "67", "67", {"ratio 67"}},
      {w->txtRatio, "31", "31", {}},
      {w->txtRatio, "68", "68", {}},
      {w->txtRatio, "abc", "50", {}},
      {w->txtRatio, "", "50", {}},
      {w->txtLeadIn, "300", "0", {}},
      {w->txtLeadIn, "3", "3", {"leadtail 3 0"}},
      {w->txtTail, "x", "0", {}},
      {w->txtWKWPM, "100", "100", {}},
      {w->txtWeight, "99", "99", {"weight 99"}},
      {w->txtWeight, "-1", "50", {}},
      {w->txtRatio, "&H20", "&H20", {"ratio 32"}},
  };
  for (const auto &row : rows) {
    wk->calls.clear();
    row.box->setText(row.typed);
    if (row.box == w->txtRatio)
      w->txtRatio_LostFocus();
    else if (row.box == w->txtLeadIn)
      w->txtLeadIn_LostFocus();
    else if (row.box == w->txtTail)
      w->txtTail_LostFocus();
    else if (row.box == w->txtWKWPM)
      w->txtWKWPM_LostFocus();
    else
      w->txtWeight_LostFocus();
    EXPECT_EQ(row.box->text(), row.kept) << row.typed.toStdString();
    EXPECT_EQ(wk->calls, row.sent) << row.typed.toStdString();
  }
  w->txtWKComPort->setText(QStringLiteral("300"));
  w->txtWKComPort_LostFocus();
  EXPECT_EQ(k.WinKeyComPort, 0);
  EXPECT_EQ(w->txtWKComPort->text(), QStringLiteral("300"));
}

TEST_F(WinKeyWindow, OptionsResendEverySettingOnlyWhileTheKeyerIsOpen) {
  w->optBug->setChecked(true);
  EXPECT_EQ(k.WinKeyMode, 0x30);
  EXPECT_TRUE(wk->calls.isEmpty());
  open();
  w->optPTT->setChecked(true);
  EXPECT_EQ(k.WinKeyPinConfig, 5);
  EXPECT_EQ(wk->calls,
            (QStringList{"wpm 18", "weight 50", "leadtail 0 0", "ratio 50", "pincfg 5", "mode 48"}));
}

TEST_F(WinKeyWindow, TheSettingsFileIsReadAtLoadAndWrittenByDone) {
  // Six records: the design's options, and the speed from the CW keyer whatever the file says.
  vb::writeLatin1Atomic(wkFile(), QStringLiteral("3\r\n\"25\"\r\n\"55\"\r\n\"1\"\r\n\"2\"\r\n\"45\"\r\n"));
  reload();
  EXPECT_TRUE(w->optTone->isChecked());
  EXPECT_TRUE(w->optIambicB->isChecked());
  EXPECT_EQ(w->txtWKWPM->text(), QStringLiteral("18"));
  EXPECT_EQ(w->txtWKComPort->text(), QStringLiteral("3"));
  EXPECT_EQ(w->txtWeight->text(), QStringLiteral("55"));
  EXPECT_TRUE(wk->calls.isEmpty()) << "loading sends nothing to a closed keyer";

  // A pin value no option stands for selects none, and is written back as it was.
  vb::writeLatin1Atomic(wkFile(),
                        QStringLiteral("5\r\n\"18\"\r\n\"50\"\r\n\"0\"\r\n\"0\"\r\n\"50\"\r\n7\r\n16\r\n"));
  reload();
  EXPECT_EQ(k.WinKeyPinConfig, 7);
  EXPECT_TRUE(w->optTone->isChecked()) << "as designed";
  EXPECT_TRUE(w->optIambicA->isChecked());
  w->show();
  saveScreenshot(*w, QStringLiteral("frmWinKey"));
  w->cmdDone_Click();
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(vb::readLatin1(wkFile()),
            QStringLiteral("5\r\n\"18\"\r\n\"50\"\r\n\"0\"\r\n\"0\"\r\n\"50\"\r\n7\r\n16\r\n"));
  EXPECT_TRUE(pc.dialogs.shown.empty());

  QFile::remove(wkFile());
  QDir().mkdir(wkFile()); // a folder in the file's place: the save fails
  w->show();
  w->cmdDone_Click();
  EXPECT_FALSE(w->isVisible());
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].title, QStringLiteral("Unable to save WinKey settings."));
  EXPECT_TRUE(pc.dialogs.shown[0].text.endsWith(QStringLiteral("  ") + wkFile()));
}

TEST_F(WinKeyWindow, TestTextsAndTypingJoinTheQueue) {
  open();
  bool pressedAgain = false;
  wk->onStatus = [&] {
    if (!std::exchange(pressedAgain, true))
      w->Command1_Click(); // the queue is not empty: the letters join it
  };
  w->Command1_Click();
  const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ ");
  EXPECT_EQ(wk->handedOver(), alphabet.repeated(6));
  wk->onStatus = {};

  pc.ctx->logging.station.MyCall = QStringLiteral("K1ABC");
  wk->calls.clear();
  w->Command3_Click();
  EXPECT_EQ(wk->handedOver(), QStringLiteral("VVV TEST DE K1ABC"));

  wk->calls.clear();
  QTest::keyClicks(w->Text1, QStringLiteral("ab"));
  QTest::keyClick(w->Text1, Qt::Key_Return);
  QTest::keyClick(w->Text1, Qt::Key_Backspace);
  EXPECT_EQ(wk->handedOver(), QStringLiteral("AB"));
  EXPECT_EQ(wk->sent(), (QStringList{"char 65", "char 66"}));
  EXPECT_EQ(w->Text1->text(), QStringLiteral("A"));

  k.CWBuffer = QStringLiteral("QRZ");
  w->cmdStop_Click();
  EXPECT_TRUE(k.CWBuffer.isEmpty());
  EXPECT_EQ(wk->calls.last(), QStringLiteral("clearbuf"));
}

TEST_F(WinKeyWindow, TheHandOverWaitsWhileBusyAndObeysWhatEventsDoMeanwhile) {
  open();
  k.CWBuffer = QStringLiteral("CQ!");
  wk->statuses = {0, 5, 5, 4, 0};
  w->WKTransmit();
  EXPECT_EQ(wk->handedOver(), QStringLiteral("CQ!"));
  EXPECT_EQ(pumps, 2) << "events run only in the busy wait";
  EXPECT_EQ(pc.clock.slept, 3 * 10 + 2 * 10);

  // Esc in the wait empties the queue: nothing more goes.
  wk->calls.clear();
  k.CWBuffer = QStringLiteral("TEST");
  wk->statuses = {0, 5};
  onEvents = [&] { k.CWBuffer.clear(); };
  w->WKTransmit();
  EXPECT_EQ(wk->handedOver(), QStringLiteral("T"));

  // A function key in the wait drains its message in a nested hand-over.
  wk->calls.clear();
  k.CWBuffer = QStringLiteral("CQ");
  wk->statuses = {0, 5};
  onEvents = [&] {
    onEvents = {};
    k.CWBuffer = QStringLiteral("TU");
    w->WKTransmit();
  };
  w->WKTransmit();
  EXPECT_EQ(wk->handedOver(), QStringLiteral("CTU"));
  EXPECT_TRUE(k.CWBuffer.isEmpty());

  // A keyer that went away drops the queue, and the next hand-over opens it again.
  wk->calls.clear();
  onEvents = {};
  wk->isOpen = false;
  k.CWBuffer = QStringLiteral("QRZ");
  w->WKTransmit();
  EXPECT_EQ(k.WinKeyOpen, 0);
  EXPECT_TRUE(k.CWBuffer.isEmpty());
  k.CWBuffer = QStringLiteral("QRZ");
  w->WKTransmit();
  EXPECT_EQ(wk->sent().first(), QStringLiteral("open 5"));
  EXPECT_EQ(wk->handedOver(), QStringLiteral("QRZ"));
}

TEST_F(WinKeyWindow, TheHandOverWaitsForTheRealDriverOnABusyKeyer) {
  WinKeySimulator keyer;
  keyer.linkAs(5);
  pc.ctx->winKey = std::make_unique<SerialWinKey>();
  w->cmdOpenWinkey_Click();
  ASSERT_EQ(k.WinKeyOpen, WinKeySimulator::kVersion);
  keyer.receivedAll();
  keyer.clearReceived();
  keyer.scriptStatuses({wkstatus::Busy, wkstatus::Busy | wkstatus::Xoff, wkstatus::Xoff, 0});
  k.CWBuffer = QStringLiteral("CQ");
  w->WKTransmit();
  EXPECT_EQ(keyer.receivedAll(), QByteArray(4, '\x15') + "C\x15Q")
      << "three busy answers, then idle: four status requests before the first character";
  EXPECT_EQ(pumps, 3);
}

TEST_F(WinKeyWindow, TheMainWindowsCloseClosesTheKeyerAndUnloadsOnlyLoadedWindows) {
  open();
  Form1 &f = pc.form();
  f.close();
  EXPECT_EQ(wk->calls.last(), QStringLiteral("close"));
  EXPECT_EQ(k.WinKeyOpen, 0);
  EXPECT_FALSE(pc.ctx->loaded<frmWinKey>());
  EXPECT_FALSE(pc.ctx->loaded<frmCWStrings>()) << "never made for the close";
}

TEST_F(WinKeyWindow, AKeyerThatCannotBeOpenedDropsTheQueueWithOneBoxEachTime) {
  pc.ctx->winKey = std::make_unique<SerialWinKey>();
  linkComPort(5, home.path("/no-keyer"));
  k.CWBuffer = QStringLiteral("CQ TEST");
  w->WKTransmit();
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.shown[0].title, kUnableTitle);
  EXPECT_EQ(pc.dialogs.shown[0].text, kUnableText);
  EXPECT_EQ(w->lblOpenStatus->text(), QStringLiteral("Com Open Failed"));
  EXPECT_TRUE(k.CWBuffer.isEmpty());
  k.CWBuffer = QStringLiteral("CQ");
  w->WKTransmit();
  EXPECT_EQ(pc.dialogs.shown.size(), 2u) << "the next hand-over tries again";
}

TEST_F(WinKeyWindow, TheKeyerTakesItsPortFromTheCwKeyLineAndGivesItBack) {
  WinKeySimulator keyer;
  keyer.linkAs(5);
  pc.ctx->winKey = std::make_unique<SerialWinKey>();
  CWFrm &cw = pc.ctx->window<CWFrm>();
  int pttClosed = 0;
  pc.ctx->portArbiter.registerUser(
      PortUser::PushToTalk, [] { return QStringLiteral("/dev/ttyPtt"); }, [&] { ++pttClosed; });
  cw.Text10->setText(QStringLiteral("5"));
  cw.CWSetup();
  ASSERT_TRUE(cw.Comm->isOpen());

  pttClosed = 0;
  w->cmdOpenWinkey_Click();
  EXPECT_EQ(k.WinKeyOpen, WinKeySimulator::kVersion);
  EXPECT_FALSE(cw.Comm->isOpen());
  EXPECT_EQ(pttClosed, 1);

  cw.show();
  cw.CWSetup();
  cw.hide();
  EXPECT_FALSE(cw.Comm->isOpen());
  EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Invalid port."));

  w->cmdCloseWinkey_Click();
  cw.CWSetup();
  EXPECT_TRUE(cw.Comm->isOpen());
  EXPECT_EQ(keyer.receivedAll().right(2), QByteArray::fromHex("0003"));
}

TEST_F(WinKeyWindow, TheCwQueueGoesToTheKeyerAfterTheContactIsLoggedAndTheSpeedFollows) {
  Form1 &f = pc.form();
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  f.Worklist();
  CWFrm &cw = pc.ctx->window<CWFrm>();
  cw.Option5->setChecked(true);
  open();
  pc.type(QStringLiteral("K1ABC"));
  size_t loggedAtHandOver = 0;
  wk->onStatus = [&] { loggedAtHandOver = pc.table().size(); };
  k.CWBuffer = QStringLiteral("CQ!");
  cw.LoopThroughCWBuffer();
  EXPECT_EQ(loggedAtHandOver, 1u);
  EXPECT_EQ(wk->handedOver(), QStringLiteral("CQ!"));

  wk->calls.clear();
  cw.Text11->setText(QStringLiteral("13"));
  cw.UpDown1_UpClick();
  for (const char *speed : {"4", "100"})
    cw.Text11->setText(QString::fromLatin1(speed));
  cw.Option1->setChecked(true);
  cw.Text11->setText(QStringLiteral("20"));
  EXPECT_EQ(wk->calls, (QStringList{"wpm 13", "wpm 14"}));
}
