#include "keying/KeyerSettings.h"

#include "keying/KeyingState.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

#include <QStringList>

namespace {

bool readText(vb::FieldReader &r, QString &into) {
  const auto v = r.text();
  if (v)
    into = *v;
  return v.has_value();
}

bool readInteger(vb::FieldReader &r, int min, int max, int &into) {
  const auto v = r.integer(min, max);
  if (v)
    into = *v;
  return v.has_value();
}

bool readPause(vb::FieldReader &r, QString &seconds, int &intervalMs) {
  if (!readText(r, seconds))
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
    if (!readText(r, file))
      return false;
  QString line;
  if (!readText(r, voice.pttPort) || !readText(r, line))
    return false;
  const qsizetype choice =
      QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}.indexOf(line);
  if (choice >= 0)
    voice.pttLine = static_cast<int>(choice);
  return readPause(r, voice.loopSeconds, voice.repeatIntervalMs) && readText(r, voice.printerPort);
}

bool readCwKeyerSettings(const QString &content, CwKeyerSettings &cw, int &keyingMethod) {
  vb::FieldReader r(content);
  for (int n = 0; n < 9; ++n)
    if (!readText(r, cw.messages[static_cast<size_t>(n)]))
      return false;
  if (cw.messages[8].isEmpty())
    cw.messages[8] = QStringLiteral("VVV DE ");
  return readText(r, cw.serialPort) && readText(r, cw.speedWpm) && readText(r, cw.messages[9]) &&
         readText(r, cw.messages[10]) && readText(r, cw.wordSpace) && readInteger(r, 0, 255, keyingMethod) &&
         readText(r, cw.printerPort) && readInteger(r, 0, 2, cw.echo) &&
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
