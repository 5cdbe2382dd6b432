#include "keying/KeyerSettings.h"

#include "keying/WinKeySettings.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

#include <QStringList>

namespace {

bool readPause(vb::FieldReader &r, QString &seconds, int &intervalMs) {
  if (!vb::readInto(r.text(), seconds))
    return false;
  const auto ms = repeatIntervalMs(seconds);
  if (ms)
    intervalMs = *ms;
  return ms.has_value();
}

// A byte read from the file, as the WinKey file reads one; other text is a failure.
std::optional<int> byteField(const std::optional<QString> &field) {
  const ByteValue v = field ? byteValue(*field) : ByteValue{};
  return v.ok ? std::optional<int>(v.value) : std::nullopt;
}

} // namespace

std::optional<int> repeatIntervalMs(const QString &seconds) {
  if (!vb::isNumeric(seconds))
    return std::nullopt;
  const double ms = vb::val(seconds) * 1000;
  if (!(ms > -0.5 && ms < 65535.5))
    return std::nullopt;
  return static_cast<int>(vb::roundToInt(ms));
}

bool readVoiceKeyerSettings(const QString &content, VoiceKeyerSettings &voice) {
  vb::FieldReader r(content);
  for (QString &file : voice.waveFiles)
    if (!vb::readInto(r.text(), file))
      return false;
  QString line;
  if (!vb::readInto(r.text(), voice.pttPort) || !vb::readInto(r.text(), line))
    return false;
  const qsizetype choice =
      QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}.indexOf(line);
  if (choice >= 0)
    voice.pttLine = static_cast<int>(choice);
  return readPause(r, voice.loopSeconds, voice.repeatIntervalMs) && vb::readInto(r.text(), voice.printerPort);
}

bool readCwKeyerSettings(const QString &content, CwKeyerSettings &cw, int &keyingMethod) {
  vb::FieldReader r(content);
  for (int n = 0; n < 9; ++n)
    if (!vb::readInto(r.text(), cw.messages[static_cast<size_t>(n)]))
      return false;
  if (cw.messages[8].isEmpty())
    cw.messages[8] = QStringLiteral("VVV DE ");
  return vb::readInto(r.text(), cw.serialPort) && vb::readInto(r.text(), cw.speedWpm) &&
         vb::readInto(r.text(), cw.messages[9]) && vb::readInto(r.text(), cw.messages[10]) &&
         vb::readInto(r.text(), cw.wordSpace) && vb::readInto(byteField(r.text()), keyingMethod) &&
         vb::readInto(r.text(), cw.printerPort) && vb::readInto(r.integer(0, 2), cw.echo) &&
         readPause(r, cw.loopSeconds, cw.repeatIntervalMs);
}

QString voiceKeyerFileText(const VoiceKeyerSettings &voice) {
  QString out;
  for (const QString &file : voice.waveFiles)
    out += vb::WriteLine().text(vb::trim(file)).str();
  return out + vb::WriteLine().text(voice.pttPort).str() + vb::WriteLine().number(voice.pttLine).str() +
         vb::WriteLine().text(voice.loopSeconds).str() + vb::WriteLine().text(voice.printerPort).str();
}

QString voiceKeyerFilePath(const QString &programFolder) {
  return files::resolve(programFolder, kVoiceKeyerFile);
}

QString cwKeyerFileText(const CwKeyerSettings &cw, int keyingMethod) {
  const auto &m = cw.messages;
  const QString texts[] = {m[0], m[1], m[2],          m[3],        m[4], m[5],  m[6],
                           m[7], m[8], cw.serialPort, cw.speedWpm, m[9], m[10], cw.wordSpace};
  QString out;
  for (const QString &t : texts)
    out += vb::WriteLine().text(t).str();
  return out + vb::WriteLine().number(keyingMethod).str() + vb::WriteLine().text(cw.printerPort).str() +
         vb::WriteLine().number(cw.echo).str() + vb::WriteLine().text(cw.loopSeconds).str();
}

QString cwKeyerFilePath(const QString &programFolder) {
  return files::resolve(programFolder, kCwKeyerFile);
}
