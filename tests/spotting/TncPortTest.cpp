#include "spotting/TncPort.h"
#include "platform/SerialPorts.h"
#include "tests/spotting/SocatPair.h"
#include "tests/support/TestContext.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// A serial port that records what is done to it; the modem lines refused as a pseudo-terminal
// refuses them.
struct RecordingPort {
  QStringList calls;
  bool open_ = false, openSucceeds = true, linesRefused = false;
  QString name;

  bool isOpen() const { return open_; }
  void close() {
    calls << "close";
    open_ = false;
  }
  void setPortName(const QString &n) { name = n; }
  QString portName() const { return name; }
  bool setBaudRate(qint32 b) { return record(QString("baud %1").arg(b)); }
  bool setParity(QSerialPort::Parity p) { return record(QString("parity %1").arg(p)); }
  bool setDataBits(QSerialPort::DataBits d) { return record(QString("data %1").arg(d)); }
  bool setStopBits(QSerialPort::StopBits s) { return record(QString("stop %1").arg(s)); }
  bool setFlowControl(QSerialPort::FlowControl f) { return record(QString("flow %1").arg(f)); }
  bool open(QIODevice::OpenMode) {
    calls << "open";
    return open_ = openSucceeds;
  }
  bool setDataTerminalReady(bool on) { return record(QString("DTR %1").arg(on)) && !linesRefused; }
  bool setRequestToSend(bool on) { return record(QString("RTS %1").arg(on)) && !linesRefused; }
  void clearError() { calls << "clearError"; }
  bool record(const QString &call) {
    calls << call;
    return true;
  }
};

TncPortChoice tncDefaults() {
  TncPortChoice choice;
  choice.PortNumber = 1;
  choice.PortSettings = tncPortSettings("9600 ", "N", "8", "1");
  choice.PortPower = "N";
  choice.PortHandshaking = 3;
  return choice;
}

} // namespace

TEST(TncPort, SettingsAndLinesReachThePortInOrder) {
  TempHome home;
  EXPECT_EQ(tncDefaults().PortSettings, "9600,N,8,1");

  const QString settings = "baud 9600|parity 0|data 8|stop 1";
  const struct {
    int handshaking;
    const char *power;
    QString calls;
  } rows[] = {
      {3, "N", settings + "|flow 1|open|DTR 0|RTS 0|RTS 1"},
      {4, "D", settings + "|flow 1|open|DTR 0|RTS 0|RTS 1|DTR 1"},
      {1, "D", settings + "|flow 0|open|DTR 0|RTS 0|DTR 1"},
      {2, "R", settings + "|flow 2|open|DTR 0|RTS 0|RTS 1"},
  };
  for (const auto &row : rows) {
    RecordingPort port;
    TncPortChoice choice = tncDefaults();
    choice.PortHandshaking = row.handshaking;
    choice.PortPower = row.power;
    EXPECT_TRUE(openTncPort(port, choice));
    EXPECT_EQ(port.calls.join('|'), row.calls) << row.handshaking << row.power;
    EXPECT_EQ(port.name, "/dev/ttyS0");
  }

  // Refused lines are reported and cleared; the port stays open.
  RecordingPort pty;
  pty.linesRefused = true;
  EXPECT_TRUE(openTncPort(pty, tncDefaults()));
  EXPECT_TRUE(pty.isOpen());
  EXPECT_EQ(pty.calls.count("clearError"), 3);

  // An open port is closed first; a failed open, a port never chosen or a value no option
  // gives is a failure.
  RecordingPort busy;
  busy.open_ = true;
  busy.openSucceeds = false;
  EXPECT_FALSE(openTncPort(busy, tncDefaults()));
  EXPECT_EQ(busy.calls.first(), "close");
  for (const char *settings : {"fast,N,8,1", "9600,X,8,1", "9600,N,6,1", "9600,N,8,3", "9600,N,8", ""}) {
    TncPortChoice choice = tncDefaults();
    choice.PortSettings = settings;
    RecordingPort port;
    EXPECT_FALSE(openTncPort(port, choice)) << settings;
    EXPECT_FALSE(port.calls.contains("open"));
  }
  TncPortChoice never = tncDefaults();
  never.PortNumber = 0;
  RecordingPort port;
  EXPECT_FALSE(openTncPort(port, never));
}

TEST(TncPort, OpensAPseudoTerminalThatRefusesTheModemLines) {
  TempHome home;
  SocatPair tnc;
  ASSERT_TRUE(tnc.ready());
  ASSERT_TRUE(tnc.linkAsPort(1));
  for (const char *baud : {"9600", "14400"}) {
    QSerialPort port;
    TncPortChoice choice = tncDefaults();
    choice.PortSettings = tncPortSettings(baud, "N", "8", "1");
    choice.PortPower = "D";
    ASSERT_TRUE(openTncPort(port, choice)) << baud;
    EXPECT_EQ(port.error(), QSerialPort::NoError);
    port.write("hello\r");
    port.waitForBytesWritten(1000);
    EXPECT_EQ(tnc.read(), "hello\r");
    tnc.write("DX de\r\n");
    ASSERT_TRUE(port.waitForReadyRead(1000));
    EXPECT_EQ(port.readAll(), "DX de\r\n");
  }

  // A link to nothing fails the open.
  ASSERT_TRUE(QFile::link(home.path("/gone"), serialports::portsFolder() + "/COM2"));
  QSerialPort port;
  TncPortChoice choice = tncDefaults();
  choice.PortNumber = 2;
  EXPECT_FALSE(openTncPort(port, choice));
  EXPECT_FALSE(port.isOpen());
}
