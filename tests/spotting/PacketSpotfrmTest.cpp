// The DX cluster window: its modes and their controls, opening and closing, its settings file,
// its keys, and the spots it hands to the main window.
#include "spotting/PacketSpotfrm.h"

#include "platform/Controls.h"
#include "platform/VbText.h"
#include "spotting/SpotHelp.h"
#include "tests/spotting/ClusterWindowTest.h"
#include "tests/spotting/SocatPair.h"
#include "tests/support/TestContext.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPort>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QString kDX =
    QStringLiteral("DX de Q7ABC:     14025.0  Q7XYZ        CQ WPX CW                      1234Z MA\r\n");

QString lines(const QStringList &values) {
  return values.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

struct PcWithLog {
  TestLogFile file;
  TestPc pc{file.path};
};

class ClusterWindow : public ClusterWindowTest<PcWithLog> {
protected:
  Form1 &f = pc.laidOutForm();

  QString packSpotPath() const { return pc.programDir.filePath(QStringLiteral("PackSpot.txt")); }
  void writePackSpot(const QString &content) {
    QFile out(packSpotPath());
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(content.toLatin1());
  }
  QByteArray packSpot() const {
    QFile in(packSpotPath());
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
  }
};

TEST_F(ClusterWindow, FirstLoadWithoutSettingsHasNoModeAndEveryModeControlOff) {
  PacketSpotfrm &win = w();
  EXPECT_EQ(&win, &w());
  EXPECT_EQ(win.windowTitle(), QStringLiteral(" DX Spotting Setup"));
  EXPECT_EQ(win.List1->count(), 4);
  EXPECT_EQ(win.List1->currentRow(), -1);
  EXPECT_TRUE(win.SpotMode.isEmpty());
  EXPECT_EQ(win.LoadingSettings, 0);
  EXPECT_TRUE(win.ReceiveBuffer.rest().isEmpty());
  EXPECT_TRUE(win.Monitor.isEmpty());
  for (QWidget *off : std::initializer_list<QWidget *>{win.Command1, win.Command2, win.txtSent, win.chkDX,
                                                       win.OptList, win.fraBaud, win.optComm[9], win.Option4,
                                                       win.txtHex, win.txtTelnetHost, win.chkConvToHex})
    EXPECT_FALSE(off->isEnabled()) << off->metaObject()->className();
  for (QWidget *on :
       std::initializer_list<QWidget *>{win.List1, win.cmdDone, win.Command3, win.txtUnProcessed})
    EXPECT_TRUE(on->isEnabled());
  EXPECT_TRUE(win.optBaud192->isChecked());
  EXPECT_TRUE(win.OptBand->isChecked());
  EXPECT_FALSE(win.Timer1->isEnabled());
  EXPECT_EQ(win.Timer1->interval(), 333);
  saveScreenshot(win, QStringLiteral("cluster_window_first_load"));
}

TEST_F(ClusterWindow, EachModeEnablesItsControlsShowsItsHelpAndCaption) {
  struct Case {
    QString mode;
    bool serial, telnet;
    QString caption;
    QStringList help; // the blocks' first words, in order
  };
  const QString tnc = QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):");
  const std::vector<Case> cases = {
      {"TNC", true, false, tnc, {"TNC:", "When you have", "The TNC mode"}},
      {"Telnet", false, true, "Type text to send and press enter:", {"Telnet:", "When you have"}},
      {"AGW Packet Engine",
       false,
       false,
       "Send text (use : to send cmds such as :C Q7TLV or :D)",
       {"The program also", "When you have", "The TNC mode"}},
      // "None" keeps the last caption and disables everything again.
      {"None",
       false,
       false,
       "Send text (use : to send cmds such as :C Q7TLV or :D)",
       {"This form", "Telnet:", "TNC:", "The program also", "When you have", "The TNC mode"}},
  };
  EXPECT_EQ(w().Label6->text(), QStringLiteral("Send text  (Ctrl  C or Esc for TNC Command mode):"));
  for (const Case &c : cases) {
    SCOPED_TRACE(c.mode.toStdString());
    w().chkDX->setChecked(true);
    choose(c.mode);
    EXPECT_EQ(w().SpotMode, c.mode);
    EXPECT_FALSE(w().chkDX->isChecked());
    const bool any = c.mode != QLatin1String("None");
    EXPECT_EQ(w().Command1->isEnabled(), any);
    EXPECT_EQ(w().txtSent->isEnabled(), any);
    EXPECT_EQ(w().Frame2->isEnabled(), any);
    EXPECT_EQ(w().optBaud12->isEnabled(), c.serial);
    EXPECT_EQ(w().Frame1->isEnabled(), c.serial);
    EXPECT_EQ(w().txtHex->isEnabled(), c.serial);
    EXPECT_EQ(w().txtTelnetHost->isEnabled(), c.telnet);
    EXPECT_EQ(w().Label3->isEnabled(), c.telnet);
    EXPECT_FALSE(w().chkConvToHex->isEnabled());
    EXPECT_EQ(w().Label6->text(), c.caption);
    EXPECT_EQ(w().Monitor, spotHelpText(c.mode));
    EXPECT_TRUE(w().Monitor.startsWith(c.help[0]));
    qsizetype at = -1;
    for (const QString &block : c.help) {
      const qsizetype next = w().Monitor.indexOf(block);
      EXPECT_GT(next, at) << block.toStdString();
      at = next;
    }
    EXPECT_TRUE(w().Monitor.endsWith(QStringLiteral("\r\n\r\n")));
  }
  EXPECT_FALSE(spotHelpText(QStringLiteral("Telnet")).contains(QStringLiteral("The TNC mode")));
}

TEST_F(ClusterWindow, ChoosingTncSetsItsDefaultsButKeepsPortAndPower) {
  w().optBaud12->setChecked(true);
  w().optComm[3]->setChecked(true);
  w().optPowerDTR->setChecked(true);
  w().optStop2->setChecked(true);
  choose(QStringLiteral("TNC"));
  for (QRadioButton *on : {w().optBaud96, w().optParityNone, w().optData8, w().optStop1, w().Option3,
                           w().optComm[3], w().optPowerDTR})
    EXPECT_TRUE(on->isChecked()) << on->text().toStdString();
  EXPECT_EQ(w().txtHex->text(), QStringLiteral("03"));
  saveScreenshot(w(), QStringLiteral("cluster_window_tnc"));
}

TEST_F(ClusterWindow, OpenAndCloseAndSerialOptionsWhileListening) {
  TempHome home;
  SocatPair tnc;
  ASSERT_TRUE(tnc.ready() && tnc.linkAsPort(1));
  choose(QStringLiteral("TNC"));
  w().Command2_Click(); // closed: nothing changes
  EXPECT_EQ(w().Monitor, spotHelpText(QStringLiteral("TNC")));
  w().Timer1->start();
  w().Command2_Click();
  EXPECT_TRUE(w().Timer1->isEnabled());

  w().Command1_Click();
  const QString opened =
      QStringLiteral("** Attempting to Open Port **\r\n\r\n** TNC Serial Port Open **\r\n\r\n");
  EXPECT_EQ(w().Monitor, opened);
  EXPECT_TRUE(listening());
  w().optParityEven->setChecked(true);
  EXPECT_FALSE(listening());
  EXPECT_EQ(w().Monitor, opened + QStringLiteral("\r\n\r\n** Port Closed **"));
  EXPECT_FALSE(w().Timer1->isEnabled());
  w().optParityOdd->setChecked(true);
  EXPECT_TRUE(w().Monitor.endsWith(QStringLiteral("\r\n\r\n** Port Closed **")));
  EXPECT_EQ(w().Monitor.count(QStringLiteral("Port Closed")), 1);

  // The view shows lines; the shadow keeps CR LF.
  EXPECT_EQ(
      w().txtUnProcessed->toPlainText(),
      QStringLiteral("** Attempting to Open Port **\n\n** TNC Serial Port Open **\n\n\n\n** Port Closed **"));

  w().Command1_Click();
  w().LoadingSettings = 1;
  w().optParityNone->setChecked(true);
  EXPECT_TRUE(listening());
}

TEST_F(ClusterWindow, SpotLastPrefillsTheSendBoxWithThePlaceholderSelected) {
  choose(QStringLiteral("Telnet"));
  showActive();
  w().Command3_Click();
  EXPECT_EQ(w().txtSent->text(), QStringLiteral("DX Frequency in kHz "));
  EXPECT_EQ(w().txtSent->selectedText(), QStringLiteral("Frequency in kHz"));
  LogEntry entry;
  entry.calls = QStringLiteral("Q7LAST");
  pc.state().log.append(entry);
  w().Command3_Click();
  EXPECT_EQ(w().txtSent->text(), QStringLiteral("DX Frequency in kHz Q7LAST"));
  EXPECT_EQ(w().txtSent->selectedText(), QStringLiteral("Frequency in kHz"));
  EXPECT_TRUE(w().txtSent->hasFocus());
}

TEST_F(ClusterWindow, EscAndCtrlCOpenAClosedMode) {
  choose(QStringLiteral("Telnet"));
  showActive();
  w().txtSent->setFocus();
  w().chkDX->setChecked(true);
  QTest::keyClick(w().txtSent, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_FALSE(listening());
  EXPECT_TRUE(w().chkDX->isChecked());
  QTest::keyClick(w().txtSent, Qt::Key_Escape);
  EXPECT_TRUE(listening());
  EXPECT_FALSE(w().chkDX->isChecked());
  EXPECT_EQ(w().Monitor, QStringLiteral("** Attempting to Open Port **\r\n\r\n"));
  w().Command2_Click();
  w().List1->setFocus();
  QTest::keyClick(w().List1, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(listening());
  EXPECT_TRUE(w().txtSent->hasFocus());
}

TEST_F(ClusterWindow, DoneOpensSavesAndHides) {
  choose(QStringLiteral("Telnet"));
  w().txtTelnetPort->setText(QStringLiteral("7300"));
  // An address, not a name: opening the connection must not send a query to a name server.
  w().txtTelnetHost->setText(QStringLiteral("127.0.0.1"));
  showActive();
  // Wherever a file dialog left the current folder, the file goes to the program folder.
  const QString saved = QDir::currentPath();
  QDir::setCurrent(QDir::tempPath());
  w().cmdDone_Click();
  QDir::setCurrent(saved);
  EXPECT_TRUE(listening());
  EXPECT_FALSE(w().isVisible());
  EXPECT_EQ(packSpot(), lines({"\"\"", "\"\"", "\"\"", "\"\"", "0", "\"\"", "\"Telnet\"", "0", "0", "0",
                               "#FALSE#", "\"\"", "\"7300\"", "\"127.0.0.1\""})
                            .toLatin1());
  EXPECT_FALSE(pc.storedPreference(1).isEmpty());
  // A double quote in the host is dropped, so it cannot end the field early.
  w().txtTelnetHost->setText(QStringLiteral("local\"host"));
  ASSERT_TRUE(w().SaveSpotSettings());
  EXPECT_TRUE(packSpot().endsWith("\"7300\"\r\n\"localhost\"\r\n"));
}

TEST_F(ClusterWindow, SettingsOfAnOpenedTncAreRestoredAndReopened) {
  TempHome home;
  SocatPair tnc;
  ASSERT_TRUE(tnc.ready() && tnc.linkAsPort(1));
  choose(QStringLiteral("TNC"));
  w().PortBaud = QStringLiteral("9600");
  w().PortParity = QStringLiteral("N");
  w().PortDataBits = QStringLiteral("8");
  w().PortStopBits = QStringLiteral("1");
  w().PortNumber = 1;
  w().PortPower = QStringLiteral("N");
  w().PortHandshaking = 3;
  w().chkDX->setChecked(true);
  w().OptList->setChecked(true);
  ASSERT_TRUE(w().SaveSpotSettings());
  EXPECT_EQ(packSpot(), lines({"\"9600\"", "\"N\"", "\"8\"", "\"1\"", "1", "\"N\"", "\"TNC\"", "0", "3", "1",
                               "#TRUE#", "\"03\"", "\"\"", "\"\""})
                            .toLatin1());
  pc.ctx->window<PacketSpotfrm>().Form_Unload();
  pc.ctx->unload<PacketSpotfrm>();
  PacketSpotfrm &again = w();
  EXPECT_EQ(again.SpotMode, QStringLiteral("TNC"));
  EXPECT_EQ(again.List1->currentItem()->text(), QStringLiteral("TNC"));
  EXPECT_TRUE(again.optBaud96->isChecked());
  EXPECT_TRUE(again.Option3->isChecked());
  EXPECT_TRUE(again.optComm[0]->isChecked());
  EXPECT_TRUE(again.OptList->isChecked());
  EXPECT_FALSE(again.chkDX->isChecked()); // never restored
  EXPECT_TRUE(again.fraBaud->isEnabled());
  EXPECT_TRUE(!again.Label4->isHidden());
  // The saved port opens at the first load, before the window is drawn.
  EXPECT_EQ(again.Monitor,
            QStringLiteral("** Attempting to Open Port **\r\n\r\n** TNC Serial Port Open **\r\n\r\n"));
  EXPECT_TRUE(again.comComm1->isOpen());
  EXPECT_EQ(again.LoadingSettings, 0);
}

TEST_F(ClusterWindow, DamagedOrOddSettingsFiles) {
  // Ends after field 9: the variables keep what was read, no control changes, nothing opens.
  writePackSpot(lines({"\"4800\"", "\"E\"", "\"7\"", "\"2\"", "3", "\"R\"", "\"TNC\"", "1", "2"}));
  {
    PacketSpotfrm &win = w();
    EXPECT_EQ(win.PortBaud, QStringLiteral("4800"));
    EXPECT_EQ(win.PortPower, QStringLiteral("R"));
    EXPECT_EQ(win.SpotMode, QStringLiteral("TNC"));
    EXPECT_EQ(win.PortHandshaking, 2);
    EXPECT_EQ(win.PortNumber, 3);
    EXPECT_EQ(win.List1->currentRow(), -1);
    EXPECT_TRUE(win.optBaud192->isChecked());
    EXPECT_FALSE(win.chkConvToHex->isChecked());
    EXPECT_TRUE(win.Label4->isHidden());
    EXPECT_EQ(win.LoadingSettings, 0);
    EXPECT_TRUE(win.ReceiveBuffer.rest().isEmpty());
  }
  pc.ctx->unload<PacketSpotfrm>();

  // A byte field of 300 ends the loading there.
  writePackSpot(lines({"\"9600\"", "\"N\"", "\"8\"", "\"1\"", "300", "\"N\"", "\"Telnet\"", "0", "3", "0",
                       "#FALSE#", "\"\"", "\"7300\"", "\"localhost\""}));
  EXPECT_TRUE(w().SpotMode.isEmpty());
  EXPECT_TRUE(w().txtTelnetHost->text().isEmpty());
  pc.ctx->unload<PacketSpotfrm>();

  // A restored TNC keeps its own choices: the defaults come only with a click on the list.
  writePackSpot(lines({"\"1200\"", "\"E\"", "\"7\"", "\"2\"", "2", "\"D\"", "\"TNC\"", "0", "2", "0",
                       "#FALSE#", "\"1B\"", "\"\"", "\"\""}));
  for (QRadioButton *on : {w().optBaud12, w().optParityEven, w().optData7, w().optStop2, w().optComm[1],
                           w().optPowerDTR, w().Option2})
    EXPECT_TRUE(on->isChecked()) << on->text().toStdString();
  EXPECT_EQ(w().txtHex->text(), QStringLiteral("1B"));
  EXPECT_EQ(w().Label6->text(), QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):"));
  pc.ctx->unload<PacketSpotfrm>();

  // Port 0 and a baud matching no option: the rest is restored and the mode opens.
  writePackSpot(lines({"\"3600\"", "\"n\"", "\"8\"", "\"1\"", "0", "\"N\"", "\"telnet\"", "0", "7", "1",
                       "#FALSE#", "\"\"", "\"7300\"", "\"127.0.0.1\""}));
  PacketSpotfrm &win = w();
  EXPECT_EQ(win.List1->currentItem()->text(), QStringLiteral("Telnet"));
  EXPECT_EQ(win.txtTelnetHost->text(), QStringLiteral("127.0.0.1"));
  EXPECT_EQ(win.txtTelnetPort->text(), QStringLiteral("7300"));
  for (QRadioButton *baud :
       {win.optBaud12, win.optBaud24, win.optBaud48, win.optBaud96, win.optBaud144, win.optBaud192})
    EXPECT_FALSE(baud->isChecked());
  EXPECT_TRUE(win.optParityNone->isChecked());
  EXPECT_TRUE(win.optComm[0]->isChecked());
  EXPECT_TRUE(win.Option1->isChecked());
  EXPECT_TRUE(win.OptBand->isChecked());
  EXPECT_FALSE(win.chkDX->isChecked());
  EXPECT_TRUE(win.txtTelnetHost->isEnabled());
  EXPECT_TRUE(!win.Label4->isHidden());
}

TEST_F(ClusterWindow, TncLinesBecomeSpotsOfTheMainWindow) {
  PacketSpotfrm &win = w();
  win.RefreshTicks = 5;
  win.ReadTNCInput(QStringLiteral("Q7ABC de Q7XYZ: hi\r\n") + kDX.left(40));
  EXPECT_EQ(f.txtDX->topLevelItemCount(), 0);
  win.ReadTNCInput(kDX.mid(40) + kDX);
  EXPECT_EQ(f.txtDX->topLevelItemCount(), 1);
  EXPECT_EQ(win.RefreshTicks, 0.0f);
  EXPECT_EQ(pc.ctx->spotting.SpotTable[49].SpotCall, QStringLiteral("Q7XYZ"));
  EXPECT_EQ(win.Monitor, QStringLiteral("Q7ABC de Q7XYZ: hi\r\n") + kDX);
  EXPECT_EQ(win.txtUnProcessed->toPlainText(),
            QString(QStringLiteral("Q7ABC de Q7XYZ: hi\r\n") + kDX).replace("\r\n", "\n"));

  // The frequency comes first, the call second.
  QString freq = QStringLiteral("7010"), call = QStringLiteral("Q7AAA"),
          line = QStringLiteral("DX de Q7ABC:");
  win.PostSpot(freq, call, line);
  EXPECT_EQ(pc.ctx->spotting.SpotTable[49].SpotCall, QStringLiteral("Q7AAA"));
  EXPECT_EQ(pc.ctx->spotting.SpotTable[49].SpotFreq, 7.01f);

  QString big(10001, u'a');
  win.Monitor = big;
  win.TrimMonitor();
  EXPECT_EQ(win.Monitor.size(), 9000);

  // Over 8,000,000 waiting characters the oldest lines go, whole: the line that a bare count of
  // the excess would cut, where it quotes a spot, goes with them.
  const auto spot = [](const char *call) { return QString(kDX).replace("Q7XYZ", call); };
  const QString heard = QStringLiteral("Q7ABC de Q7CLU: heard "), newest = spot("Q7NEW");
  QString burst = spot("Q7OLD") + heard + spot("Q7QTD");
  const qsizetype total = 8000000 + kDX.size() + heard.size();
  const QString filler = QString(4094, u'x') + "\r\n";
  while (burst.size() + filler.size() + newest.size() < total)
    burst += filler;
  burst += QString(total - burst.size() - newest.size() - 2, u'x') + "\r\n" + newest;
  win.ReadTNCInput(burst);
  ASSERT_TRUE(QTest::qWaitFor([&] { return pc.ctx->spotting.SpotTable[49].SpotCall == "Q7NEW"; }, 20000));
  QStringList listed;
  for (int row = 0; row < f.txtDX->topLevelItemCount(); ++row)
    listed << f.txtDX->topLevelItem(row)->text(0);
  EXPECT_EQ(listed, QStringList({"Q7NEW", "Q7AAA", "Q7XYZ"}));
}

TEST_F(ClusterWindow, ActivationAndTheMainWindowsCloseBox) {
  choose(QStringLiteral("Telnet"));
  w().Monitor = QString(10001, u'a');
  showActive();
  EXPECT_EQ(w().Monitor.size(), 9000);
  EXPECT_TRUE(w().txtSent->hasFocus());
  ASSERT_TRUE(pc.ctx->loaded<PacketSpotfrm>());
  EXPECT_TRUE(f.close());
  EXPECT_FALSE(pc.ctx->loaded<PacketSpotfrm>());
}

} // namespace
