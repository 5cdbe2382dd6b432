#include "keying/KeyerSettings.h"

#include "keying/KeyingState.h"
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

std::optional<QString> fileText(const QString &programFolder, const QString &name) {
  return vb::readLatin1(files::resolve(programFolder, name));
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
         vb::readInto(r.text(), cw.wordSpace) && vb::readInto(r.integer(0, 255), keyingMethod) &&
         vb::readInto(r.text(), cw.printerPort) && vb::readInto(r.integer(0, 2), cw.echo) &&
         readPause(r, cw.loopSeconds, cw.repeatIntervalMs);
}

bool loadVoiceKeyerSettings(const QString &programFolder, KeyingState &keying) {
  const auto content = fileText(programFolder, kVoiceKeyerFile);
  return content && readVoiceKeyerSettings(*content, keying.voice);
}

bool loadCwKeyerSettings(const QString &programFolder, KeyingState &keying) {
  const auto content = fileText(programFolder, kCwKeyerFile);
  return content && readCwKeyerSettings(*content, keying.cw, keying.CWKeyingMethod);
}
