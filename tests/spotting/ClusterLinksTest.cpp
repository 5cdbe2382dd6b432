// The cluster window's three links: a TNC on a pseudo-terminal, a telnet cluster on 127.0.0.1
// and a scripted packet engine; the poll timer and the send box they share.
#include "spotting/PacketSpotfrm.h"

#include "platform/AgwClient.h"
#include "platform/Controls.h"
#include "platform/SerialPorts.h"
#include "tests/spotting/ClusterWindowTest.h"
#include "tests/spotting/FakeAgwEngine.h"
#include "tests/spotting/SocatPair.h"
#include "tests/support/TestContext.h"

#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSerialPort>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

QString dxLine(const char *call, const char *khz = "14025.0") {
  return QStringLiteral("DX de Q7ABC:%1  %2CQ WPX CW                      1234Z MA\r\n")
      .arg(QString::fromLatin1(khz).rightJustified(12))
      .arg(QString::fromLatin1(call).leftJustified(13));
}

const QString kOpening = QStringLiteral("** Attempting to Open Port **\r\n\r\n");

class Links : public ClusterWindowTest<PcAtHome> {
protected:
  Form1 &f = pc.laidOutForm();

  int spots() const { return f.txtDX->topLevelItemCount(); }
  QString newestCall() const { return pc.ctx->spotting.SpotTable[49].SpotCall; }
  // Types `text` into the send box and presses Enter as the box hands it over.
  int enter(const QString &text) {
    w().txtSent->setText(text);
    int key = 13;
    w().txtSent_KeyPress(key);
    return key;
  }
  // A failed open: its box, "Listening" hidden, the timer off, the window shown.
  void expectFailedOpen(const QString &title, const QString &text) {
    ASSERT_NE(pc.dialogs.last(), nullptr);
    EXPECT_EQ(pc.dialogs.last()->title, title);
    EXPECT_EQ(pc.dialogs.last()->text, text);
    EXPECT_FALSE(listening());
    EXPECT_FALSE(w().Timer1->isEnabled());
    EXPECT_TRUE(w().isVisible());
  }
};

// --- TNC ---------------------------------------------------------------------------------------

class TncLink : public Links {
protected:
  SocatPair tnc;
  void SetUp() override {
    ASSERT_TRUE(tnc.ready());
    ASSERT_TRUE(tnc.linkAsPort(1));
    choose(QStringLiteral("TNC"));
  }
  // The TNC sends `bytes`; one timer tick reads what arrived.
  void fromTnc(const QByteArray &bytes) {
    tnc.write(bytes);
    while (w().comComm1->waitForReadyRead(100)) {
    }
    w().Timer1_Timer();
  }
};

TEST_F(TncLink, OptionsAreReadFirstCheckedWinsButHandshakingTakesTheLast) {
  EXPECT_EQ(w().PortSettings, QString());
  // Read without opening: in another mode the options are only read.
  w().SpotMode = QStringLiteral("Telnet");
  const auto set = [](QRadioButton *option, bool on) {
    option->setAutoExclusive(false);
    option->setChecked(on);
  };
  for (QRadioButton *option : {w().optBaud24, w().optBaud96, w().Option2, w().Option4, w().optPowerRTS,
                               w().optPowerDTR, w().optData7, w().optData8})
    set(option, true);
  set(w().optPowerNone, false);
  set(w().optStop1, false);
  w().PortStopBits = QStringLiteral("2");
  w().GetPortSettings();
  EXPECT_EQ(w().PortBaud, "2400");
  EXPECT_EQ(w().PortDataBits, "7");
  EXPECT_EQ(w().PortPower, "R");
  EXPECT_EQ(w().PortHandshaking, 4);
  EXPECT_EQ(w().PortStopBits, "2"); // no stop-bit option checked
  EXPECT_EQ(w().PortSettings, "2400,N,7,2");
  EXPECT_FALSE(w().comComm1->isOpen());
}

TEST_F(TncLink, LinesFromThePseudoTerminalBecomeSpotsAndTypedLinesGoOut) {
  w().Command1_Click();
  // The pseudo-terminal refuses DTR and RTS; the port is in use all the same.
  EXPECT_EQ(w().Monitor, kOpening + QStringLiteral("** TNC Serial Port Open **\r\n\r\n"));
  EXPECT_EQ(w().PortSettings, "9600,N,8,1");
  EXPECT_TRUE(w().comComm1->isOpen());
  EXPECT_TRUE(w().Timer1->isEnabled());
  w().Monitor.clear();

  fromTnc(dxLine("Q7AA").toLatin1());
  fromTnc((dxLine("Q7BB") + "Q7ABC de Q7CLU: hi\r\n" + dxLine("Q7CC")).toLatin1());
  const QByteArray split = dxLine("Q7DD").toLatin1();
  fromTnc(split.left(30));
  EXPECT_EQ(spots(), 3);
  fromTnc(split.mid(30) + dxLine("Q7AA").toLatin1()); // the repeat is dropped
  EXPECT_EQ(spots(), 4);
  EXPECT_EQ(newestCall(), "Q7DD");
  EXPECT_EQ(w().Monitor,
            dxLine("Q7AA") + dxLine("Q7BB") + "Q7ABC de Q7CLU: hi\r\n" + dxLine("Q7CC") + dxLine("Q7DD"));

  // Noise without a line end is dropped; the line after the next LF is a spot again.
  fromTnc(QByteArray(70000, 'x'));
  fromTnc("tail of the noise\n" + dxLine("Q7EE").toLatin1());
  EXPECT_EQ(newestCall(), "Q7EE");

  w().show();
  saveScreenshot(w(), QStringLiteral("cluster_tnc_lines"));
  EXPECT_EQ(enter(QStringLiteral("SH/DX")), 0);
  EXPECT_EQ(tnc.read(), "SH/DX\r");
  EXPECT_EQ(w().txtSent->text(), QString());

  // Esc and Ctrl+C send the command-mode character and type nothing.
  showActive();
  w().txtSent->setFocus();
  w().txtHex->setText(QStringLiteral("1B"));
  QTest::keyClick(w().txtSent, Qt::Key_Escape);
  EXPECT_EQ(tnc.read(), "\x1B");
  w().txtHex->setText(QStringLiteral("03"));
  QTest::keyClick(w().txtSent, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(tnc.read(), "\x03");
  EXPECT_EQ(w().txtSent->text(), QString());

  w().Command2_Click();
  EXPECT_FALSE(w().comComm1->isOpen());
  EXPECT_FALSE(w().Timer1->isEnabled());
  // Closed: Enter writes nothing (the port opens first only while not listening).
  w().Label4->show();
  EXPECT_EQ(enter(QStringLiteral("lost")), 0);
  EXPECT_EQ(w().txtSent->text(), QString());
  EXPECT_EQ(tnc.read(), QByteArray());
  // Not listening: Enter opens the port first, then sends.
  w().Label4->hide();
  enter(QStringLiteral("after open"));
  EXPECT_TRUE(w().comComm1->isOpen());
  EXPECT_EQ(tnc.read(), "after open\r");
}

TEST_F(TncLink, APortThatCannotOpenIsReportedAndClosed) {
  ASSERT_TRUE(QFile::remove(serialports::portsFolder() + "/COM1"));
  ASSERT_TRUE(QFile::link(home.path("/no-such-device"), serialports::portsFolder() + "/COM1"));
  ASSERT_FALSE(w().isVisible());
  w().Command1_Click();
  EXPECT_EQ(pc.dialogs.beeps, 1);
  EXPECT_EQ(w().Monitor,
            kOpening +
                QStringLiteral("** Unable to open TNC Serial Port **\r\n\r\n\r\n\r\n** Port Closed **"));
  expectFailedOpen(
      "Invalid Comm Settings.",
      "The comm port that you selected for DX Spotting is either in use, invalid or the settings "
      "that you have selected are invalid.  Please select another combination or choose None for "
      "your DX Spot selection.");
}

TEST_F(TncLink, TheBandMapIsRedrawnAfterTwoQuietMinutesInEveryMode) {
  w().Command1_Click();
  pc.state().CurrentBand = QStringLiteral("20");
  f.layOutSpotArea(QStringLiteral("TNC"), false);
  const QColor yellow(255, 255, 128), white(255, 255, 255);
  const auto colour = [this] { return f.lblDXSpot[49]->palette().color(QPalette::WindowText); };
  for (const char *mode : {"TNC", "Telnet", "AGW Packet Engine"}) {
    w().SpotMode = QString::fromLatin1(mode);
    // A spot just short of ten minutes old, drawn yellow; on the redraw it turns white.
    pc.ctx->spotting.SpotTable[49] = {"Q7XYZ", 14.025f, pc.clock.now().addSecs(-590), "Q7", {}};
    f.DisplayBandMapLabels();
    ASSERT_EQ(colour(), yellow);
    pc.clock.local = pc.clock.local.addSecs(20);
    w().RefreshTicks = 0;
    for (int tick = 1; tick <= 360; ++tick)
      w().Timer1_Timer();
    EXPECT_EQ(colour(), yellow) << mode;
    w().Timer1_Timer();
    EXPECT_EQ(colour(), white) << mode;
    EXPECT_EQ(w().RefreshTicks, 0.0f) << mode;
  }
  // A spot starts the count again.
  for (int tick = 1; tick <= 200; ++tick)
    w().Timer1_Timer();
  QString freq = QStringLiteral("14025"), call = QStringLiteral("Q7XYZ"), line = dxLine("Q7XYZ");
  w().PostSpot(freq, call, line);
  for (int tick = 1; tick <= 200; ++tick)
    w().Timer1_Timer();
  EXPECT_EQ(w().RefreshTicks, 200.0f);
}

// --- Telnet ------------------------------------------------------------------------------------

class TelnetLink : public Links {
protected:
  QTcpServer cluster;
  QTcpSocket *peer = nullptr;
  void SetUp() override {
    ASSERT_TRUE(cluster.listen(QHostAddress(QHostAddress::LocalHost)));
    choose(QStringLiteral("Telnet"));
    w().txtTelnetHost->setText(QStringLiteral("127.0.0.1"));
    w().txtTelnetPort->setText(QString::number(cluster.serverPort()));
  }
  void connectToCluster() {
    w().txtTelnetPort->setText(QString::number(cluster.serverPort()));
    w().Command1_Click();
    acceptPeer();
  }
  void acceptPeer() {
    ASSERT_TRUE(QTest::qWaitFor([&] { return cluster.hasPendingConnections(); }));
    peer = cluster.nextPendingConnection();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w().Winsock1->state() == QAbstractSocket::ConnectedState; }));
  }
  // The cluster sends `text`; back once `arrived` holds (by default: the monitor shows it).
  void fromCluster(const QString &text, std::function<bool()> arrived = {}) {
    if (!arrived)
      arrived = [this, text] { return w().Monitor.endsWith(text); };
    peer->write(text.toLatin1());
    peer->flush();
    EXPECT_TRUE(QTest::qWaitFor(arrived, 2000)) << text.toStdString();
  }
  QString received() {
    static_cast<void>(QTest::qWaitFor([&] { return peer->bytesAvailable() > 0; }, 1000));
    return QString::fromLatin1(peer->readAll());
  }
};

TEST_F(TelnetLink, APromptShowsAtOnceAndEveryWholeDXLineIsASpot) {
  w().Command1_Click();
  const QString attempt =
      QStringLiteral("Attempting connection to: 127.0.0.1:%1\r\n\r\n").arg(cluster.serverPort());
  EXPECT_EQ(w().Monitor, attempt);
  EXPECT_TRUE(w().Timer1->isEnabled());
  // Before the connection is up the typed line is dropped with a notice.
  enter(QStringLiteral("early"));
  EXPECT_EQ(w().Monitor,
            attempt + "**  Connection not yet established.  Please wait a moment and try again.\r\n\r\n");
  acceptPeer();
  w().Monitor.clear();

  fromCluster(QStringLiteral("login: "));
  EXPECT_EQ(w().Monitor, "login: ");
  enter(QStringLiteral("Q7ABC"));
  EXPECT_EQ(received(), "Q7ABC\r\n");
  const QString hello = QStringLiteral("\r\nHello Q7ABC, this is Q7CLU\r\n");
  fromCluster(hello);

  fromCluster(dxLine("Q7AA"));
  fromCluster(dxLine("Q7BB") + dxLine("Q7CC") + dxLine("Q7DD"));
  const QString split = dxLine("Q7EE");
  fromCluster(split.left(33));
  EXPECT_EQ(spots(), 4);
  fromCluster(split.mid(33));
  fromCluster(dxLine("Q7EE"), [this] { return spots() == 6; }); // no duplicate check here
  ASSERT_EQ(spots(), 6);
  const QStringList order = {"Q7EE", "Q7EE", "Q7DD", "Q7CC", "Q7BB", "Q7AA"};
  for (int row = 0; row < 6; ++row)
    EXPECT_EQ(f.txtDX->topLevelItem(row)->text(0), order[row]);
  EXPECT_EQ(pc.ctx->spotting.SpotTable[49].SpotFreq, 14.025f);
  EXPECT_EQ(w().Monitor, "login: " + hello + dxLine("Q7AA") + dxLine("Q7BB") + dxLine("Q7CC") +
                             dxLine("Q7DD") + dxLine("Q7EE") + dxLine("Q7EE"));

  w().show();
  saveScreenshot(w(), QStringLiteral("cluster_telnet_lines"));

  // "List DX Only": other text never shows, DX lines show once posted.
  w().chkDX->setChecked(true);
  w().Monitor.clear();
  fromCluster("Q7ABC de Q7CLU: hi\r\n" + dxLine("Q7FF").left(20),
              [this] { return !w().TelnetBuffer.rest().isEmpty(); });
  EXPECT_EQ(w().Monitor, QString());
  fromCluster(dxLine("Q7FF").mid(20), [this] { return newestCall() == "Q7FF"; });
  EXPECT_EQ(w().Monitor, dxLine("Q7FF"));
  EXPECT_EQ(newestCall(), "Q7FF");
}

TEST_F(TelnetLink, AClusterThatClosesTheLineClosesThePortWithABeep) {
  connectToCluster();
  const QString attempt =
      QStringLiteral("Attempting connection to: 127.0.0.1:%1\r\n\r\n").arg(cluster.serverPort());
  fromCluster(dxLine("Q7AA"));
  peer->close();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !listening(); }, 3000));
  EXPECT_EQ(w().Monitor, attempt + dxLine("Q7AA") + "\r\n\r\n** Port Closed **");
  EXPECT_EQ(pc.dialogs.beeps, 1);
  EXPECT_FALSE(w().Timer1->isEnabled());
  EXPECT_EQ(w().Winsock1->state(), QAbstractSocket::UnconnectedState);
  w().show();
  saveScreenshot(w(), QStringLiteral("cluster_telnet_closed_by_cluster"));

  // A close the operator asks for gets its one notice and no beep.
  connectToCluster();
  w().Command2_Click();
  QTest::qWait(100);
  EXPECT_EQ(w().Monitor, attempt + "\r\n\r\n** Port Closed **");
  EXPECT_EQ(pc.dialogs.beeps, 1);

  // All that the cluster sent before it closed is taken first, however much it was.
  connectToCluster();
  w().chkDX->setChecked(true);
  QByteArray burst;
  for (int n = 0; n < 20000; ++n)
    burst += dxLine(qPrintable(QStringLiteral("Q7B%1").arg(n))).toLatin1();
  peer->write(burst);
  peer->close();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !listening(); }, 10000));
  EXPECT_EQ(newestCall(), "Q7B19999");
  EXPECT_TRUE(w().Monitor.endsWith(dxLine("Q7B19999") + "\r\n\r\n** Port Closed **"));
  EXPECT_EQ(pc.dialogs.beeps, 2);
}

TEST_F(TelnetLink, ErrorsShowTheirMessageAndCloseThePort) {
  QTcpServer gone;
  ASSERT_TRUE(gone.listen(QHostAddress(QHostAddress::LocalHost)));
  const quint16 refused = gone.serverPort();
  gone.close();
  w().txtTelnetPort->setText(QString::number(refused));
  w().Command1_Click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !listening(); }, 3000));
  EXPECT_EQ(w().Monitor, QStringLiteral("Attempting connection to: 127.0.0.1:%1\r\n\r\nERROR: Connection is "
                                        "forcefully rejected.\r\n\r\n** Port Closed **")
                             .arg(refused));
  EXPECT_EQ(pc.dialogs.beeps, 1);
  EXPECT_FALSE(w().Timer1->isEnabled());

  // A name lookup would ask the name server: the error itself is handed over instead.
  connectToCluster();
  emit w().Winsock1->errorOccurred(QAbstractSocket::HostNotFoundError);
  EXPECT_TRUE(
      w().Monitor.endsWith("\r\n\r\nERROR: Authoritative answer: Host not found.\r\n\r\n** Port Closed **"));
  EXPECT_EQ(w().Winsock1->state(), QAbstractSocket::UnconnectedState);
  w().Label4->show();
  emit w().Winsock1->errorOccurred(QAbstractSocket::SocketAccessError);
  EXPECT_TRUE(w().Monitor.endsWith("** Port Closed **Error number 10013\r\n\r\n** Port Closed **"));
  w().Label4->show();
  w().Winsock1_Error(10059);
  EXPECT_TRUE(w().Monitor.endsWith("** Port Closed **Error number 10059\r\n\r\n** Port Closed **"));
  EXPECT_EQ(pc.dialogs.beeps, 4);
}

TEST_F(TelnetLink, APortTextThatIsNoPortChangesNothingAndHexIsAPort) {
  for (const char *port : {"abc", "70000"}) {
    w().txtTelnetPort->setText(QString::fromLatin1(port));
    w().Command1_Click();
    EXPECT_EQ(w().Monitor, kOpening) << port;
    EXPECT_TRUE(listening());
    EXPECT_FALSE(w().Timer1->isEnabled());
    EXPECT_EQ(w().Winsock1->state(), QAbstractSocket::UnconnectedState);
    w().Command2_Click();
  }
  // The box holds five characters: "&H" and three hex digits, a port from 1024 to 4095.
  QTcpServer hex;
  quint16 port = 4095;
  while (port >= 1024 && !hex.listen(QHostAddress(QHostAddress::LocalHost), port))
    --port;
  ASSERT_TRUE(hex.isListening());
  w().txtTelnetPort->setText("&H" + QString::number(port, 16).toUpper());
  w().Command1_Click();
  EXPECT_TRUE(QTest::qWaitFor([&] { return hex.hasPendingConnections(); }));
  EXPECT_EQ(w().Monitor, QStringLiteral("Attempting connection to: 127.0.0.1:%1\r\n\r\n").arg(port));
}

// --- Packet engine -----------------------------------------------------------------------------

class AgwLink : public Links {
protected:
  FakeAgwEngine engine;
  void SetUp() override {
    pc.state().station.MyCall = QStringLiteral("Q7ABC");
    choose(QStringLiteral("AGW Packet Engine"));
    w().agw = std::make_unique<AgwClient>(engine.port());
  }
  void open() {
    w().Command1_Click();
    ASSERT_TRUE(w().Timer1->isEnabled());
    w().Monitor.clear();
  }
  // The engine hands over one frame; one receive takes it.
  void frame(char kind, const QByteArray &from, const QByteArray &data) {
    engine.send(engineFrame(kind, from, data));
    w().AGWReceive();
  }
  // The kinds of the frames the engine got from the client, after the registration.
  std::string sent(std::size_t count) {
    std::string kinds;
    for (const agw::Frame &f : engine.waitForFrames(count + 2))
      kinds += f.kind;
    return kinds.substr(2);
  }
};

const QString kEngineFailure =
    QStringLiteral("Unable to connect to the AGW Packet Engine.  To use the AGW Packet Engine to send and "
                   "receive packet with your "
                   "soundcard or devices such a Baypac:\r\n\r\n- Download the freely available software from "
                   "https://github.com/wb2osz/direwolf\r\n\r\n");

TEST_F(AgwLink, RegistrationNeedsAnOwnCallAndAnEngineThatAgrees) {
  pc.state().station.MyCall = QStringLiteral("  ");
  w().Command1_Click();
  ASSERT_NE(pc.dialogs.last(), nullptr);
  EXPECT_EQ(pc.dialogs.last()->title, "Call Sign Required!");
  EXPECT_EQ(pc.dialogs.last()->text, "Please enter your call sign on the setup form to transmit!");
  EXPECT_EQ(pc.dialogs.beeps, 1);
  EXPECT_TRUE(listening());
  EXPECT_FALSE(w().Timer1->isEnabled());
  EXPECT_EQ(engine.connections(), 0);

  FakeAgwEngine refusing(0);
  quint16 nobody = 0;
  {
    FakeAgwEngine gone;
    nobody = gone.port();
  }
  pc.state().station.MyCall = QStringLiteral("Q7ABC");
  for (quint16 port : {refusing.port(), nobody}) {
    w().agw = std::make_unique<AgwClient>(port);
    w().hide();
    w().Command1_Click();
    expectFailedOpen("Unable to connect to the AGW Packet Engine.",
                     kEngineFailure +
                         "- Make sure the AGW Packet Engine software is running and configure it "
                         "as described on the AGW Packet Engine website.");
    EXPECT_EQ(w().Monitor,
              kOpening + kEngineFailure +
                  "- Run the Packet Engine software and configure it as described on the AGW Packet "
                  "Engine website for your sound card or TNC.\r\n\r\n- Click Open from this "
                  "program.\r\n\r\n");
  }

  w().agw = std::make_unique<AgwClient>(engine.port());
  w().Command1_Click();
  EXPECT_EQ(w().Monitor, kOpening + "\r\n** Successfully connected to AGW Packet Engine **\r\n\r\n");
  EXPECT_TRUE(w().Timer1->isEnabled());
  w().Command1_Click(); // the old session is closed before the new one
  std::string kinds;
  for (const agw::Frame &f : engine.waitForFrames(5))
    kinds += f.kind;
  EXPECT_EQ(kinds, "Xmx"
                   "Xm");
  EXPECT_EQ(engine.received().front().callFrom, QByteArray("Q7ABC\0\0\0\0\0", 10));
}

TEST_F(AgwLink, ACallTooLongForTheEngineIsNamedAsTheReason) {
  pc.state().station.MyCall = QStringLiteral("Q7ABCD/QRP");
  w().hide();
  w().Command1_Click();
  const QString tooLong =
      "Your call sign Q7ABCD/QRP is 10 characters long.  The AGW Packet Engine accepts a call sign of at "
      "most 9 characters (such as Q7TLV-15).  Enter a shorter call sign on the setup form to use the "
      "packet engine.";
  expectFailedOpen("Call Sign Too Long", tooLong);
  EXPECT_EQ(w().Monitor, kOpening + tooLong + "\r\n\r\n");
  EXPECT_EQ(engine.connections(), 0);
  saveScreenshot(w(), QStringLiteral("cluster_agw_call_too_long"));
}

TEST_F(AgwLink, MonitoredAndConnectedTrafficAsTheOperatorSeesIt) {
  open();
  const QByteArray header = " 1:Fm Q7CLU To DX <UI pid=F0 Len=79 PF=0 >[12:34:56]\r";
  const QByteArray spot = dxLine("Q7AA").toLatin1().chopped(2) + "\r\r";
  frame('U', "Q7CLU", header + spot + '\0');
  EXPECT_EQ(w().Monitor, dxLine("Q7AA"));
  EXPECT_EQ(spots(), 1);
  frame('U', "Q7CLU", header + spot + '\0'); // again within 800 characters
  EXPECT_EQ(spots(), 1);
  // Other monitored traffic shows as its frame line, each line end once as CR LF.
  frame('U', "Q7BBS", " 1:Fm Q7BBS To ID <UI>\rhello\r\nthere\r");
  EXPECT_EQ(w().Monitor, dxLine("Q7AA") + "UQ7BBS  1:Fm Q7BBS To ID <UI>\r\nhello\r\n\r\nthere\r\n");
  w().Monitor.clear();

  frame('C', "Q7NODE", QByteArray("*** CONNECTED With Station Q7NODE\r", 35));
  EXPECT_EQ(w().Monitor, "cQ7NODE *** CONNECTED With Station Q7NODE\r\n** Connected to Q7NODE **");
  EXPECT_EQ(w().windowTitle(), "DX Spotting Setup - Connected to Q7NODE");
  EXPECT_EQ(w().AGWConnectedCall, "Q7NODE");
  EXPECT_EQ(pc.dialogs.beeps, 1);
  w().Monitor.clear();

  frame('D', "Q7NODE", "Hello Q7ABC\r");
  EXPECT_EQ(w().Monitor, "Hello Q7ABC\r\n");
  frame('D', "Q7NODE", dxLine("Q7BB").toLatin1());
  EXPECT_EQ(newestCall(), "Q7BB");
  // One blank before "DX": a spot read one character to the left, and connected text too.
  frame('D', "Q7NODE", " " + dxLine("Q7CC").toLatin1());
  EXPECT_EQ(newestCall(), "Q7CC");
  EXPECT_EQ(w().Monitor.count(" " + dxLine("Q7CC")), 2);
  w().show();
  saveScreenshot(w(), QStringLiteral("cluster_agw_connected"));
  w().Monitor.clear();
  frame('I', "Q7OTH", dxLine("Q7DD").toLatin1());
  frame('I', "Q7OTH", "chatter\r");
  EXPECT_EQ(newestCall(), "Q7DD");

  EXPECT_EQ(w().Monitor, dxLine("Q7DD"));
  frame('d', "Q7OTH", "*** DISCONNECTED From Station Q7OTH\r");
  EXPECT_EQ(w().AGWConnectedCall, "Q7NODE");

  w().chkDX->setChecked(true);
  w().Monitor.clear();
  frame('D', "Q7NODE", "more chatter\r");
  frame('D', "Q7NODE", dxLine("Q7EE").toLatin1());
  EXPECT_EQ(w().Monitor, dxLine("Q7EE"));
  const int beeps = pc.dialogs.beeps;
  frame('d', "Q7NODE", QByteArray("*** DISCONNECTED From Station Q7NODE\r", 38));
  EXPECT_EQ(pc.dialogs.beeps, beeps + 2);
  EXPECT_EQ(w().Monitor, dxLine("Q7EE") + "\r\n** Disconnected from Q7NODE **\r\n");
  EXPECT_EQ(w().windowTitle(), "DX Spotting Setup");
  EXPECT_EQ(w().AGWConnectedCall, QString());

  // A NUL inside the text stays in the monitor and shows as a mark.
  w().chkDX->setChecked(false);
  w().Monitor.clear();
  frame('U', "Q7BBS", QByteArray("hdr\rab\0cd\r", 10));
  EXPECT_EQ(w().Monitor, QString("UQ7BBS hdr\r\nab") + QChar(0) + "cd\r\n");
  EXPECT_TRUE(w().txtUnProcessed->toPlainText().contains(QString("ab") + QChar(0x00A4) + "cd"));
  saveScreenshot(w(), QStringLiteral("cluster_agw_monitored"));

  // A kind byte of 0x80 or above shows as that byte's own character.
  w().Monitor.clear();
  frame('\xAA', "Q7BBS", "hdr\rab\r");
  EXPECT_EQ(w().Monitor, QChar(0xAA) + QString("Q7BBS hdr\r\nab\r\n"));
}

TEST_F(AgwLink, TypedLinesAndCommandsGoToTheEngine) {
  open();
  enter(QStringLiteral(":c q7node"));
  EXPECT_EQ(sent(1), "C");
  EXPECT_EQ(engine.received().back().callTo, QByteArray("Q7NODE\0\0\0\0", 10));
  enter(QStringLiteral(":C"));
  EXPECT_EQ(pc.dialogs.last()->title, "Call sign Required");
  EXPECT_EQ(pc.dialogs.last()->text, "You must enter a call sign to connect to such as :C Q7TLV");
  enter(QStringLiteral("not connected yet"));
  enter(QStringLiteral(":D"));
  frame('C', "Q7NODE", "*** CONNECTED With Station Q7NODE\r");
  enter(QStringLiteral("SH/DX"));
  enter(QStringLiteral(":D"));
  const auto frames = engine.waitForFrames(5);
  EXPECT_EQ(sent(3), "CDd");
  EXPECT_EQ(frames[3].data, "SH/DX\r");
  EXPECT_EQ(frames[3].pid, 0xF0);
  EXPECT_EQ(w().AGWConnectedCall, "Q7NODE"); // until the engine reports the end

  // Long lines go in pieces at a blank after 70 characters.
  const QString seventy = QString(69, u'a') + ' ';
  w().txtSent->setText(seventy);
  EXPECT_EQ(w().txtSent->text(), seventy);
  w().txtSent->setText(QString(70, u'b') + ' ');
  EXPECT_EQ(w().txtSent->text(), QString());
  EXPECT_EQ(engine.waitForFrames(6).back().data, QByteArray(70, 'b') + '\r');

  // Esc types the colon that starts a command.
  showActive();
  w().txtSent->setFocus();
  QTest::keyClick(w().txtSent, Qt::Key_Escape);
  EXPECT_EQ(w().txtSent->text(), ":");

  // "Close Port" ends the connection, then the session.
  w().Command2_Click();
  EXPECT_EQ(sent(6), "CDdDdx");
  EXPECT_EQ(w().windowTitle(), "DX Spotting Setup");
  EXPECT_FALSE(w().agw->registered());
}

TEST_F(AgwLink, TheMainWindowsCloseBoxEndsTheConnectionAndTheSession) {
  open();
  frame('C', "Q7NODE", "*** CONNECTED With Station Q7NODE\r");
  EXPECT_TRUE(f.close());
  EXPECT_EQ(sent(2), "dx");
}

// --- Line ends on every link ---------------------------------------------------------------------

class LineEnds : public Links {
protected:
  QTcpServer cluster;
  QTcpSocket *peer = nullptr;
  FakeAgwEngine engine;
  // Hands one arrival of text to the link that is open.
  std::function<void(const QString &)> arrive;

  void openTnc() {
    choose(QStringLiteral("TNC"));
    arrive = [this](const QString &text) { w().ReadTNCInput(text); };
  }
  void openTelnet() {
    ASSERT_TRUE(cluster.listen(QHostAddress(QHostAddress::LocalHost)));
    choose(QStringLiteral("Telnet"));
    w().txtTelnetHost->setText(QStringLiteral("127.0.0.1"));
    w().txtTelnetPort->setText(QString::number(cluster.serverPort()));
    w().Command1_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return cluster.hasPendingConnections(); }));
    peer = cluster.nextPendingConnection();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w().Winsock1->state() == QAbstractSocket::ConnectedState; }));
    // Each piece its own arrival: the next is sent once the monitor shows this one, once.
    arrive = [this](const QString &text) {
      const QString shown = w().Monitor + text;
      peer->write(text.toLatin1());
      peer->flush();
      EXPECT_TRUE(QTest::qWaitFor([&] { return w().Monitor.endsWith(text); }, 2000));
      EXPECT_EQ(w().Monitor, shown);
    };
  }
  // Connected to a cluster node, whose text comes in data frames.
  void openAgw() {
    pc.state().station.MyCall = QStringLiteral("Q7ABC");
    choose(QStringLiteral("AGW Packet Engine"));
    w().agw = std::make_unique<AgwClient>(engine.port());
    w().Command1_Click();
    arrive = [this](const QString &text) {
      engine.send(engineFrame('D', "Q7NODE", text.toLatin1()));
      w().AGWReceive();
    };
    engine.send(engineFrame('C', "Q7NODE", "*** CONNECTED With Station Q7NODE\r"));
    w().AGWReceive();
    ASSERT_EQ(w().AGWConnectedCall, "Q7NODE");
  }
  // The calls posted, oldest first; one whose list row lacks its line's time (the line was cut
  // short) is marked so.
  QStringList posted() const {
    QStringList calls;
    for (int row = spots() - 1; row >= 0; --row) {
      const QTreeWidgetItem *item = f.txtDX->topLevelItem(row);
      calls << item->text(0) + (item->text(6) == "1234" ? "" : " (cut short)");
    }
    return calls;
  }
};

TEST_F(LineEnds, EveryDXLineIsPostedOnceWhateverItsLineEndsAndPiecesOnEachLink) {
  const auto ended = [](const char *call, const char *end) { return dxLine(call).chopped(2) + end; };
  // A line in two arrivals, the second beginning with the last `text` in it.
  const auto cutBefore = [](const QString &line, const char *text) {
    const qsizetype at = line.lastIndexOf(QLatin1String(text));
    return QStringList{line.left(at), line.mid(at)};
  };
  // A line quoting a spot, whose "DX de" stands `at` characters into the arrival.
  const auto quotedAt = [](qsizetype at, const char *call) {
    const QString heard = QStringLiteral("Q7ABC de Q7CLU: heard ");
    return QString(at - heard.size() - 2, u'x') + "\r\n" + heard + dxLine(call);
  };
  const struct {
    const char *shape;
    QStringList arrivals;
    QStringList posted;
  } rows[] = {
      {"a prompt without a line end, then a DX line",
       {"Q7NODE de Q7TLV 07-Dec-2026 1530Z >", dxLine("Q7AA")},
       {"Q7AA"}},
      {"a prompt without a line end, then a DX line cut after its DX",
       {"Q7NODE de Q7TLV 07-Dec-2026 1530Z >", "DX", dxLine("Q7AB").mid(2)},
       {"Q7AB"}},
      {"a prompt without a line end, then a DX line cut within its de",
       {"Q7NODE de Q7TLV 07-Dec-2026 1530Z >", "DX d", dxLine("Q7AC").mid(4)},
       {"Q7AC"}},
      {"a prompt without a line end, then a dx line cut within its de in lower case",
       {"Q7NODE de Q7TLV 07-Dec-2026 1530Z >", "dx d", dxLine("Q7AE").mid(4)},
       {"Q7AE"}},
      {"a prompt without a line end, an echo that could begin DX de, then a whole DX line",
       {"Q7NODE de Q7TLV 07-Dec-2026 1530Z >", "dx", dxLine("Q7AF")},
       {"Q7AF"}},
      {"a prompt without a line end, then a dx de line in lower case",
       {"Q7NODE de Q7TLV 07-Dec-2026 1530Z >", "dx de" + dxLine("Q7AD").mid(5)},
       {"Q7AD"}},
      {"LF CR",
       {ended("Q7BA", "\n\r") + ended("Q7BB", "\n\r"), ended("Q7BC", "\n\r")},
       {"Q7BA", "Q7BB", "Q7BC"}},
      {"CR alone",
       {ended("Q7CA", "\r") + ended("Q7CB", "\r"), ended("Q7CC", "\r")},
       {"Q7CA", "Q7CB", "Q7CC"}},
      {"LF alone", {ended("Q7DA", "\n") + ended("Q7DB", "\n")}, {"Q7DA", "Q7DB"}},
      {"two DX lines in one arrival", {dxLine("Q7EA") + dxLine("Q7EB")}, {"Q7EA", "Q7EB"}},
      {"several lines in one arrival",
       {dxLine("Q7FA") + "Q7ABC de Q7CLU: hi\r\n\r\n" + dxLine("Q7FB")},
       {"Q7FA", "Q7FB"}},
      {"one line in pieces",
       {dxLine("Q7GA").left(28), dxLine("Q7GA").mid(28, 20), dxLine("Q7GA").mid(48)},
       {"Q7GA"}},
      {"a line end split between arrivals",
       {dxLine("Q7HA").chopped(1), "\n" + dxLine("Q7HB")},
       {"Q7HA", "Q7HB"}},
      {"a line cut before its call DX1ABC", cutBefore(dxLine("DX1ABC"), "DX1ABC"), {"DX1ABC"}},
      {"a line cut before the DX of CQ DX",
       cutBefore(dxLine("Q7JA").replace("WPX CW", "DX    "), "DX"),
       {"Q7JA"}},
      {"a line cut before dxpedition",
       cutBefore(dxLine("Q7KA").replace("CQ WPX CW ", "dxpedition"), "dxpedition"),
       {"Q7KA"}},
      {"a spot quoted where the intake's first piece of 4,096 characters would end",
       {quotedAt(4096, "Q7LA"), dxLine("Q7LB")},
       {"Q7LB"}},
  };
  const std::pair<const char *, std::function<void()>> links[] = {
      {"TNC", [this] { openTnc(); }}, {"Telnet", [this] { openTelnet(); }}, {"AGW", [this] { openAgw(); }}};
  for (const auto &[link, open] : links) {
    open();
    for (const auto &row : rows) {
      f.txtDX->clear();
      w().Monitor.clear();
      for (const QString &text : row.arrivals)
        arrive(text);
      EXPECT_EQ(posted(), row.posted) << link << ": " << row.shape;
    }
  }
}

} // namespace
