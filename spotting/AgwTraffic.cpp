#include "spotting/AgwTraffic.h"

#include "platform/VbText.h"

QString crLfEach(const QString &text) {
  QString out(text.size() * 2, Qt::Uninitialized);
  char16_t *to = reinterpret_cast<char16_t *>(out.data());
  const char16_t *from = reinterpret_cast<const char16_t *>(text.constData());
  for (const char16_t *end = from + text.size(); from != end; ++from) {
    if (*from == u'\r' || *from == u'\n') {
      *to++ = u'\r';
      *to++ = u'\n';
    } else {
      *to++ = *from;
    }
  }
  out.truncate(to - reinterpret_cast<char16_t *>(out.data()));
  return out;
}

AgwFrameTexts agwFrameTexts(const QString &callBuffer, const QString &dataBuffer, int kind, int length,
                            bool connected) {
  AgwFrameTexts texts;
  const qsizetype nul = callBuffer.indexOf(QChar(0));
  if (nul >= 0)
    texts.frameCall = callBuffer.left(nul);
  const QString data = dataBuffer.left(qMax(0, length));
  QString spot = crLfEach(data);
  texts.frameLine = crLfEach(QChar(kind) + texts.frameCall + QLatin1Char(' ')) + spot;
  if (!connected) {
    // The monitor header goes with its line end; then spaces are trimmed at both ends.
    QStringView rest = QStringView(spot).mid(spot.indexOf(QLatin1Char('\n')) + 1);
    while (rest.startsWith(u' '))
      rest = rest.mid(1);
    while (rest.endsWith(u' '))
      rest.chop(1);
    spot = rest.toString();
  }
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
