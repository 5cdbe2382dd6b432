#include "spotting/AgwTraffic.h"

#include "platform/VbText.h"

#include <algorithm>

namespace {

bool isLineEnd(QChar c) {
  return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Appends `text` with every CR and every LF written as CR LF, in one pass, a run between line
// ends at a time.
void appendCrLfEach(QString &out, QStringView text) {
  const qsizetype at = out.size();
  out.resize(at + text.size() * 2);
  QChar *to = out.data() + at;
  for (;;) {
    const auto end = std::find_if(text.begin(), text.end(), isLineEnd);
    to = std::copy(text.begin(), end, to);
    if (end == text.end())
      break;
    *to++ = QLatin1Char('\r');
    *to++ = QLatin1Char('\n');
    text = text.sliced(end - text.begin() + 1);
  }
  out.truncate(to - out.data());
}

} // namespace

QString crLfEach(const QString &text) {
  QString out;
  appendCrLfEach(out, text);
  return out;
}

AgwFrameTexts agwFrameTexts(const QString &callBuffer, const QString &dataBuffer, int kind, int length,
                            bool connected) {
  AgwFrameTexts texts;
  const qsizetype nul = callBuffer.indexOf(QChar(0));
  const QStringView call = nul >= 0 ? QStringView(callBuffer).left(nul) : QStringView();
  texts.frameCall = call.toString();
  const QStringView data = QStringView(dataBuffer).left(qMax(0, length));
  texts.frameLine.reserve(2 * (call.size() + data.size()) + 2);
  texts.frameLine += QChar(kind);
  appendCrLfEach(texts.frameLine, call);
  texts.frameLine += QLatin1Char(' ');
  const qsizetype dataAt = texts.frameLine.size();
  appendCrLfEach(texts.frameLine, data);

  QStringView spot = data;
  qsizetype lineEndsBefore = 0;
  if (!connected) {
    // The monitor header goes up to its line end (the first CR or LF, which becomes the text's
    // first LF); then spaces are trimmed at both ends, which the line ends' doubling leaves alone.
    const auto end = std::find_if(data.begin(), data.end(), isLineEnd);
    if (end != data.end()) {
      spot = data.mid(end - data.begin() + 1);
      lineEndsBefore = 1;
    }
    while (spot.startsWith(u' '))
      spot = spot.mid(1);
    while (spot.endsWith(u' '))
      spot.chop(1);
  }
  // Each line end is written alike wherever it stands: the spot's text is a piece of the frame
  // line's.
  texts.spotText = QStringView(texts.frameLine)
                       .sliced(dataAt + (spot.begin() - data.begin()) + lineEndsBefore)
                       .chopped(data.end() - spot.end())
                       .toString();
  if (texts.spotText == QLatin1String("\r\n"))
    texts.spotText.clear();
  else if (texts.spotText.size() > 4 && texts.spotText.endsWith(QLatin1String("\r\n\r\n")))
    texts.spotText.chop(2);
  return texts;
}

bool isAgwSpotText(const QString &spotText) {
  const auto startsWithDX = [](QStringView text) {
    return text.startsWith(QLatin1String("DX"), Qt::CaseInsensitive);
  };
  return startsWithDX(spotText) || (!spotText.isEmpty() && startsWithDX(QStringView(spotText).sliced(1)));
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
