#include "spotting/AgwTraffic.h"

#include "platform/VbText.h"

QString crLfEach(const QString &text) {
  QString out;
  out.reserve(text.size() + text.size() / 8);
  for (const QChar c : text) {
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
      out += QLatin1String("\r\n");
    else
      out += c;
  }
  return out;
}

AgwFrameTexts agwFrameTexts(const QString &callBuffer, const QString &dataBuffer, int kind, int length,
                            bool connected) {
  AgwFrameTexts texts;
  const qsizetype nul = callBuffer.indexOf(QChar(0));
  if (nul >= 0)
    texts.frameCall = callBuffer.left(nul);
  const QString data = dataBuffer.left(qMax(0, length));
  texts.frameLine = crLfEach(QChar(kind) + texts.frameCall + QLatin1Char(' ') + data);
  QString spot = crLfEach(data);
  if (!connected)
    spot = vb::trim(spot.mid(spot.indexOf(QLatin1Char('\n')) + 1));
  if (spot == QLatin1String("\r\n"))
    spot.clear();
  else if (spot.size() > 4 && spot.endsWith(QLatin1String("\r\n\r\n")))
    spot.chop(2);
  texts.spotText = spot;
  return texts;
}

bool isAgwSpotText(const QString &spotText) {
  const qsizetype dx = spotText.indexOf(QLatin1String("DX"), 0, Qt::CaseInsensitive);
  return dx == 0 || dx == 1;
}

AgwCommand agwCommand(const QString &typed) {
  AgwCommand command;
  if (!typed.startsWith(QLatin1Char(':')))
    return command;
  const QString letter = typed.mid(1, 1).toUpper();
  if (letter == QLatin1String("C")) {
    command.kind = AgwCommand::Connect;
    command.call = vb::trim(typed.mid(2)).toUpper();
  } else if (letter == QLatin1String("D")) {
    command.kind = AgwCommand::Disconnect;
  } else {
    command.kind = AgwCommand::Other;
  }
  return command;
}
