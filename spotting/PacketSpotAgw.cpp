// The cluster window's packet engine link.
#include "spotting/PacketSpotfrm.h"

#include "app/AppContext.h"
#include "logging/Form1.h"
#include "platform/AgwClient.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/VbText.h"
#include "spotting/AgwTraffic.h"
#include "spotting/ClusterLines.h"

#include <QCheckBox>

namespace {

const QString kTwoLines = QStringLiteral("\r\n\r\n");
// The box and the monitor open alike.
const QString kUnableIntro =
    QStringLiteral(
        "Unable to connect to the AGW Packet Engine.  To use the AGW Packet Engine to send and receive "
        "packet with your soundcard or devices such a Baypac:") +
    kTwoLines +
    QStringLiteral("- Download the freely available software from https://github.com/wb2osz/direwolf") +
    kTwoLines;

bool sameCall(const QString &a, const QString &b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

void PacketSpotfrm::AGWConnect() {
  AGWMyCall = ctx.logging.station.MyCall;
  const QString call = vb::trim(AGWMyCall);
  if (call.isEmpty()) {
    ctx.dialogs.beep();
    ctx.dialogs.message(QStringLiteral("Please enter your call sign on the setup form to transmit!"),
                        QStringLiteral("Call Sign Required!"));
    return;
  }
  const auto notRegistered = [this](const QString &text, const QString &title, const QString &monitorText) {
    ctx.dialogs.message(text, title);
    Label4->hide();
    AppendMonitor(monitorText);
    if (!isVisible())
      show();
    Timer1->stop();
  };
  // The engine registers no longer call, so it is not asked.
  if (call.size() > agw::maxCallLength) {
    const QString tooLong =
        QStringLiteral(
            "Your call sign %1 is %2 characters long.  The AGW Packet Engine accepts a call sign of "
            "at most %3 characters (such as Q7TLV-15).  Enter a shorter call sign on the setup "
            "form to use the packet engine.")
            .arg(call)
            .arg(call.size())
            .arg(agw::maxCallLength);
    notRegistered(tooLong, QStringLiteral("Call Sign Too Long"), tooLong + kTwoLines);
    return;
  }
  const QString title = vb::trim(ctx.window<Form1>().windowTitle().left(50));
  if (agw->AGWStartPoll(call, title, int(call.size()), int(title.size())) != 0) {
    Timer1->start();
    AppendMonitor(QStringLiteral("\r\n** Successfully connected to AGW Packet Engine **\r\n\r\n"));
    return;
  }
  notRegistered(
      kUnableIntro + QStringLiteral("- Make sure the AGW Packet Engine software is running and "
                                    "configure it as described on the AGW Packet Engine website."),
      QStringLiteral("Unable to connect to the AGW Packet Engine."),
      kUnableIntro +
          QStringLiteral("- Run the Packet Engine software and configure it as described on the AGW "
                         "Packet Engine website for your sound card or TNC.") +
          kTwoLines + QStringLiteral("- Click Open from this program.") + kTwoLines);
}

void PacketSpotfrm::AGWSend(const QString &text) {
  const AgwCommand command = agwCommand(text);
  switch (command.kind) {
  case AgwCommand::Disconnect:
    // The call stays until the engine reports the end.
    if (!AGWConnectedCall.isEmpty())
      agw->AGWPutData(AGWConnectedCall, QString(), 'd', 0, 0);
    break;
  case AgwCommand::Connect:
    if (command.call.isEmpty()) {
      ctx.dialogs.message(QStringLiteral("You must enter a call sign to connect to such as :C Q7TLV"),
                          QStringLiteral("Call sign Required"));
      break;
    }
    agw->AGWPutData(command.call, QString(), 'c', 0, 0);
    agw->AGWPutData(command.call, QString(), 'P', 0, 0);
    break;
  case AgwCommand::Other:
    break;
  case AgwCommand::Text:
    if (!AGWConnectedCall.isEmpty()) {
      const QString data = text + QLatin1Char('\r');
      agw->AGWPutData(AGWConnectedCall, data, 'D', int(data.size()), 0);
    }
    break;
  }
}

void PacketSpotfrm::AGWReceive() {
  QString callBuffer, dataBuffer;
  int kind = 0, length = 0, spare = 0;
  if (agw->AGWGetData(callBuffer, dataBuffer, kind, length, spare) != 0)
    AGWReceive(callBuffer, dataBuffer, kind, length);
}

void PacketSpotfrm::AGWReceive(const QString &callBuffer, const QString &dataBuffer, int kind, int length) {
  IntakeBatch batch(*this);
  const bool connected = !AGWConnectedCall.isEmpty();
  const AgwFrameTexts texts = agwFrameTexts(callBuffer, dataBuffer, kind, length, connected);
  const bool dxOnly = chkDX->isChecked();

  // The connected station's text may break a line between two frames.
  QStringList lines = kind == 'D' ? AGWBuffer.take(texts.spotText) : wholeClusterLines(texts.spotText);
  const LineRules rules{LineRules::Agw, connected && sameCall(texts.frameCall, AGWConnectedCall)};
  const PostSpotFn post = spotPoster();
  for (QString &line : lines)
    takeClusterLine(line, Monitor, dxOnly, rules, post);
  if (!connected && !dxOnly && !texts.frameLine.contains(QLatin1String("DX "), Qt::CaseInsensitive) &&
      !isDXLine(texts.spotText))
    AppendMonitor(texts.frameLine);

  // Only a connection that is up can end.
  if (kind == 'd' && connected && sameCall(texts.frameCall, AGWConnectedCall)) {
    ctx.dialogs.beep();
    ctx.dialogs.beep();
    AppendMonitor(QStringLiteral("\r\n** Disconnected from ") + AGWConnectedCall + QStringLiteral(" **\r\n"));
    setWindowTitle(QStringLiteral("DX Spotting Setup"));
    AGWConnectedCall.clear();
    AGWBuffer.clear();
  }
  if (kind == 'c' && !connected) {
    AGWConnectedCall = texts.frameCall;
    AppendMonitor(QStringLiteral("** Connected to ") + AGWConnectedCall + QStringLiteral(" **"));
    setWindowTitle(QStringLiteral("DX Spotting Setup - Connected to ") + AGWConnectedCall);
    ctx.dialogs.beep();
  }
}
