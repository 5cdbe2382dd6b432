#include "keying/WinKeySettings.h"

#include "platform/VbText.h"
#include "platform/WinKey.h"

namespace {

bool readByte(vb::FieldReader &r, int &into) {
  const auto field = r.text();
  if (!field)
    return false;
  const ByteValue value = byteValue(*field);
  if (value.ok)
    into = value.value;
  return value.ok;
}

} // namespace

ByteValue byteValue(const QString &text) {
  const auto number = vb::numberIn(text);
  if (!number)
    return {};
  const double rounded = vb::roundHalfEven(*number);
  if (rounded < 0 || rounded > 255)
    return {true, false, 0};
  return {true, true, static_cast<std::uint8_t>(rounded)};
}

bool readWinKeyFile(const QString &content, WinKeyFileSettings &into) {
  vb::FieldReader r(content);
  if (!readByte(r, into.comPort))
    return false;
  for (QString *text : {&into.wpm, &into.weight, &into.leadIn, &into.tail, &into.ratio})
    if (!vb::readInto(r.text(), *text))
      return false;
  if (!r.atEnd() && !readByte(r, into.pinConfig))
    return false;
  return r.atEnd() || readByte(r, into.mode);
}

QString winKeyFileText(const WinKeyFileSettings &s) {
  QString out = vb::WriteLine().number(s.comPort).str();
  for (const QString &text : {s.wpm, s.weight, s.leadIn, s.tail, s.ratio})
    out += vb::WriteLine().text(text).str();
  return out + vb::WriteLine().number(s.pinConfig).str() + vb::WriteLine().number(s.mode).str();
}

BoxCheck checkValueBox(const QString &text, const QString &fallback, int min, int max) {
  const ByteValue value = byteValue(text);
  if (!value.ok)
    return {fallback, std::nullopt};
  if (value.value < min || value.value > max)
    return {};
  return {std::nullopt, value.value};
}

LeadTailCheck checkLeadTail(const QString &leadIn, const QString &tail) {
  const ByteValue lead = byteValue(leadIn), end = byteValue(tail);
  if (!lead.ok || !end.ok)
    return {QStringLiteral("0"), std::nullopt};
  return {std::nullopt, std::pair{lead.value, end.value}};
}

PortCheck checkPortBox(const QString &text) {
  const ByteValue value = byteValue(text);
  if (!value.numeric)
    return {QStringLiteral("0"), 0};
  return {std::nullopt, value.value};
}

QString winKeyResultText(std::int32_t result) {
  // -5 is the library's separate settings read, which this driver does not have.
  static const std::pair<std::int32_t, const char *> kTexts[] = {
      {wkresult::Success, "WK Success!"},
      {wkresult::NoEchoResponse, "No Echo Response"},
      {wkresult::EchoMismatch, "Echo Mismatch"},
      {wkresult::NoOpenResponse, "No Open Response"},
      {wkresult::ComOpenFailed, "Com Open Failed"},
      {-5, "Get Com ST Failed"},
      {wkresult::SetComStFailed, "Set Com ST Failed"},
      {wkresult::AlreadyOpen, "WK Already Open"},
      {wkresult::NotOpen, "WK Not Open"},
  };
  for (const auto &[code, text] : kTexts)
    if (code == result)
      return QString::fromLatin1(text);
  return {};
}
