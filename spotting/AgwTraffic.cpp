#include "spotting/AgwTraffic.h"

#include "platform/VbText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

bool isLineEnd(QChar c) {
  return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Where the first CR or LF of `text` stands, else its size. Four characters at a time are tested
// for one below 14 (line ends are, and little else in text is) before one at a time for a line end.
qsizetype firstLineEnd(QStringView text) {
  const auto noneBelow14 = [&text](qsizetype at) {
    constexpr std::uint64_t ones = 0x0001000100010001, highBits = 0x8000800080008000;
    std::uint64_t four;
    std::memcpy(&four, text.utf16() + at, sizeof four);
    return ((four - 14 * ones) & ~four & highBits) == 0;
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    while (i + 4 <= text.size() && noneBelow14(i))
      i += 4;
    if (i < text.size() && isLineEnd(text[i]))
      return i;
  }
  return text.size();
}

// Appends `text` with every CR and every LF written as CR LF, in one pass, a run between line
// ends at a time.
void appendCrLfEach(QString &out, QStringView text) {
  const qsizetype at = out.size();
  out.resize(at + text.size() * 2);
  QChar *to = out.data() + at;
  for (;;) {
    const qsizetype end = firstLineEnd(text);
    to = std::copy(text.begin(), text.begin() + end, to);
    if (end == text.size())
      break;
    *to++ = QLatin1Char('\r');
    *to++ = QLatin1Char('\n');
    text = text.sliced(end + 1);
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
    const qsizetype end = firstLineEnd(data);
    if (end < data.size()) {
      spot = data.sliced(end + 1);
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
