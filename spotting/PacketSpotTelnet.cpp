// The cluster window's telnet link.
#include "spotting/PacketSpotfrm.h"

#include "app/AppContext.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "spotting/ClusterLines.h"
#include "spotting/TelnetLink.h"

#include <QTcpSocket>

void PacketSpotfrm::TelnetConnect() {
  Winsock1->abort();
  const QString host = txtTelnetHost->text();
  const auto port = telnetPort(txtTelnetPort->text());
  if (!port)
    return;
  // The notice and the timer come before the connect, so that an error the connect reports at
  // once finds them in place and closes them.
  Monitor = QStringLiteral("Attempting connection to: ") + host + QLatin1Char(':') + QString::number(*port) +
            QStringLiteral("\r\n\r\n");
  TrimMonitor();
  Timer1->start();
  Winsock1->connectToHost(host, *port);
}

void PacketSpotfrm::Winsock1_DataArrival() {
  Winsock1_DataArrival(QString::fromLatin1(Winsock1->readAll()));
}

void PacketSpotfrm::Winsock1_DataArrival(const QString &arrival) {
  takeArrival(arrival, {LineRules::Telnet});
}

void PacketSpotfrm::Winsock1_Error(int number) {
  telnetEnded(telnetErrorMessage(number));
}

void PacketSpotfrm::Winsock1_Closed() {
  // What the cluster sent before it closed is taken first.
  if (intakeWaiting()) {
    closeAfterIntake_ = true;
    return;
  }
  telnetEnded(QString());
}

void PacketSpotfrm::telnetEnded(const QString &message) {
  Winsock1->abort();
  AppendMonitor(message);
  Command2_Click();
  TrimMonitor();
  ctx.dialogs.beep();
}

void PacketSpotfrm::TelnetSend() {
  if (Winsock1->state() == QAbstractSocket::ConnectedState) {
    Winsock1->write((txtSent->text() + QStringLiteral("\r\n")).toLatin1());
    return;
  }
  AppendMonitor(
      QStringLiteral("**  Connection not yet established.  Please wait a moment and try again.\r\n\r\n"));
}
