// The cluster window's TNC link, and the poll timer and send box that all three links share.
#include "spotting/PacketSpotfrm.h"

#include "app/AppContext.h"
#include "logging/EntryKeys.h"
#include "logging/Form1.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "spotting/TelnetLink.h"
#include "spotting/TncPort.h"

#include <QRadioButton>
#include <QSerialPort>
#include <QTcpSocket>

#include <utility>

namespace {

// About two minutes of ticks without a spot before the band map's ages are redrawn.
constexpr int kRefreshTicks = 360;
// A longer text ending in a space goes to the packet engine at once.
constexpr int kAgwLineLength = 70;

// The first checked option's value; the value stays as it was when none is checked.
void readFirst(QString &value, std::initializer_list<std::pair<QRadioButton *, const char *>> options) {
  for (const auto &[option, text] : options) {
    if (option->isChecked()) {
      value = QString::fromLatin1(text);
      return;
    }
  }
}

} // namespace

void PacketSpotfrm::connectLinks() {
  connect(Timer1, &QTimer::timeout, this, &PacketSpotfrm::Timer1_Timer);
  txtSent->KeyPress = [this](int &KeyAscii) { txtSent_KeyPress(KeyAscii); };
  connect(txtSent, &QLineEdit::textChanged, this, &PacketSpotfrm::txtSent_Change);
  connect(Winsock1, &QTcpSocket::readyRead, this, [this] { Winsock1_DataArrival(); });
  connect(Winsock1, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
    // The cluster closing the connection, or resetting it; "Close Port" aborts without an error.
    if (error == QAbstractSocket::RemoteHostClosedError)
      Winsock1_Closed();
    else
      Winsock1_Error(telnetErrorNumber(error));
  });
}

void PacketSpotfrm::GetPortSettings() {
  if (modeIs("None"))
    return;
  Label4->show();
  for (size_t i = 0; i < optComm.size(); ++i) {
    if (optComm[i]->isChecked()) {
      PortNumber = int(i) + 1;
      break;
    }
  }
  readFirst(PortBaud, {{optBaud12, "1200"},
                       {optBaud24, "2400"},
                       {optBaud48, "4800"},
                       {optBaud96, "9600"},
                       {optBaud144, "14400"},
                       {optBaud192, "19200"}});
  readFirst(PortParity, {{optParityOdd, "O"}, {optParityNone, "N"}, {optParityEven, "E"}});
  readFirst(PortDataBits, {{optData7, "7"}, {optData8, "8"}});
  readFirst(PortStopBits, {{optStop1, "1"}, {optStop2, "2"}});
  readFirst(PortPower, {{optPowerNone, "N"}, {optPowerRTS, "R"}, {optPowerDTR, "D"}});
  // Handshaking takes the last checked option.
  const std::array<QRadioButton *, 4> handshaking{Option1, Option2, Option3, Option4};
  for (size_t i = 0; i < handshaking.size(); ++i) {
    if (handshaking[i]->isChecked())
      PortHandshaking = int(i) + 1;
  }
  PortSettings = tncPortSettings(PortBaud, PortParity, PortDataBits, PortStopBits);
  if (modeIs("TNC"))
    OpenTNCPort();
}

void PacketSpotfrm::OpenTNCPort() {
  if (openTncPort(*comComm1, TncPortChoice{PortNumber, PortSettings, PortPower, PortHandshaking})) {
    Timer1->start();
    AppendMonitor(QStringLiteral("** TNC Serial Port Open **\r\n\r\n"));
    return;
  }
  ctx.dialogs.beep();
  AppendMonitor(QStringLiteral("** Unable to open TNC Serial Port **\r\n\r\n"));
  ctx.dialogs.message(
      QStringLiteral("The comm port that you selected for DX Spotting is either in use, invalid or "
                     "the settings that you have selected are invalid.  Please select another "
                     "combination or choose None for your DX Spot selection."),
      QStringLiteral("Invalid Comm Settings."));
  // Shown without blocking: a modal showing would hold "Close Port" until the window closed.
  if (!isVisible())
    show();
  Command2_Click();
  Timer1->stop();
}

void PacketSpotfrm::Timer1_Timer() {
  if (modeIs("TNC"))
    ReadTNCInput();
  if (modeIs("AGW Packet Engine"))
    AGWReceive();
  RefreshTicks += 1;
  if (RefreshTicks > kRefreshTicks) {
    RefreshTicks = 0;
    ctx.window<Form1>().DisplayBandMapLabels();
  }
}

void PacketSpotfrm::txtSent_KeyPress(int &KeyAscii) {
  if (KeyAscii == keys::Enter) {
    if (Label4->isHidden())
      Command1_Click();
    if (modeIs("TNC") && comComm1->isOpen())
      comComm1->write((txtSent->text() + QLatin1Char('\r')).toLatin1());
    if (modeIs("Telnet"))
      TelnetSend();
    if (Timer1->isEnabled() && modeIs("AGW Packet Engine"))
      AGWSend(txtSent->text());
    txtSent->setText(QString());
  }
  if (modeIs("AGW Packet Engine") && KeyAscii == keys::Escape)
    KeyAscii = ':';
  if (KeyAscii == keys::Enter || KeyAscii == keys::Escape)
    KeyAscii = 0;
}

void PacketSpotfrm::txtSent_Change() {
  if (!modeIs("AGW Packet Engine") || !Timer1->isEnabled())
    return;
  const QString text = txtSent->text();
  if (text.size() <= kAgwLineLength || !text.endsWith(QLatin1Char(' ')))
    return;
  // Cleared first, so that the change this makes finds nothing more to send.
  txtSent->setText(QString());
  AGWSend(text.chopped(1));
}
