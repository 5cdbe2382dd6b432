#include "rig/RigCommands.h"

#include "platform/VbText.h"
#include "rig/RigSettings.h"

#include <array>

namespace {

// The frequency as whole units of `scale` per MHz (halves to even), in decimal digits padded
// to `width`.
QString digits(float mhz, double scale, int width) {
  return QString::number(vb::roundToInt(double(mhz) * scale)).rightJustified(width, u'0');
}

// Two-digit pairs from the left, written last pair first.
QString reversedPairs(const QString &d) {
  QString out;
  for (qsizetype i = d.size() - 2; i >= 0; i -= 2)
    out += d.mid(i, 2);
  return out;
}

// A binary family's command from packed hex; nothing when the digits outgrew their width.
QByteArray binary(const QString &packed, const QString &digits, int width) {
  if (digits.size() > width)
    return {};
  return PackedHexToBytes(packed).value_or(QByteArray());
}

bool is(const QString &type, const char *name) {
  return type == QLatin1String(name);
}

// The mode words in table order and each family's command text for them ("" for none).
constexpr std::array<const char *, 11> kModes = {"LSB",  "USB",    "CW",  "CW-R", "AM", "FM",
                                                 "RTTY", "RTTY-R", "FSK", "DIG",  "PKT"};
constexpr std::array<const char *, 11> kIcom = {"E00600FD", "E00601FD", "E00603FD", "E00607FD",
                                                "E00602FD", "E00605FD", "E00604FD", "E00608FD",
                                                "",         "",         ""};
constexpr std::array<const char *, 11> kKenwood = {"MD1;", "MD2;", "MD3;", "", "MD5;", "MD4;",
                                                   "MD6;", "",     "MD6;", "", ""};
constexpr std::array<const char *, 11> kYaesu = {"0000000007", "0100000007", "0200000007", "",
                                                 "0400000007", "0800000007", "0A00000007", "",
                                                 "",           "0A00000007", "0C00000007"};
constexpr std::array<const char *, 11> kYaesuStatus = {"000000000C", "000000010C", "000000020C", "000000030C",
                                                       "000000040C", "000000060C", "000000080C", "",
                                                       "",           "",           "0000000A0C"};
constexpr std::array<const char *, 11> kNewcat = {"1", "2", "3", "7", "5", "4", "6", "", "", "", ""};

} // namespace

QByteArray frequencyCommand(const TuneTexts &t, float mhz) {
  const QString &type = t.rigType;
  switch (rigFamily(type)) {
  case RigFamily::Kenwood:
  case RigFamily::KenwoodIF: {
    const QString prefix = is(type, "Kenwood 2")
                               ? (t.activeVfo == 1 ? QStringLiteral("FB") : QStringLiteral("FA"))
                           : is(type, "Elecraft") ? QStringLiteral("FA")
                                                  : t.freqText.left(2);
    return (prefix + digits(mhz, 1e6, 11) + u';').toLatin1();
  }
  case RigFamily::FTdx9000:
    return (t.freqText.left(2) + digits(mhz, 1e6, 8) + u';').toLatin1();
  case RigFamily::Orion:
    return (QStringLiteral("*AF") + digits(mhz, 1e6, 0) + u'\r').toLatin1();
  case RigFamily::Icom: {
    const int width = is(type, "Icom 735") ? 8 : 10;
    const QString d = digits(mhz, 1e6, width);
    return binary(QStringLiteral("FEFE") + t.freqText.mid(6, 2) + QStringLiteral("E005") + reversedPairs(d) +
                      QStringLiteral("FD"),
                  d, width);
  }
  case RigFamily::Yaesu5Byte: {
    const QString d = digits(mhz, 1e5, 8);
    return is(type, "Yaesu") ? binary(d + QStringLiteral("01"), d, 8)
                             : binary(reversedPairs(d) + QStringLiteral("0A"), d, 8);
  }
  case RigFamily::TenTecPanel: {
    // The hertz go through a single-precision working copy, as the rig's own program did.
    const auto hertz = static_cast<float>(vb::roundToInt(double(mhz) * 1e6));
    const QString hex = QString::number(qint64(hertz), 16).toUpper().rightJustified(8, u'0');
    return binary(QStringLiteral("2A41") + hex + QStringLiteral("0D"), hex, 8);
  }
  case RigFamily::Pegasus:
  case RigFamily::Other:
  case RigFamily::None:
    break;
  }
  return {};
}

QByteArray modeCommand(const TuneTexts &t, const QString &mode) {
  const auto at =
      std::find_if(kModes.begin(), kModes.end(), [&](const char *m) { return mode == QLatin1String(m); });
  if (at == kModes.end())
    return {};
  const auto row = size_t(at - kModes.begin());
  const QString &type = t.rigType;
  const auto bytes = [](const QString &packed) { return PackedHexToBytes(packed).value_or(QByteArray()); };
  switch (rigFamily(type)) {
  case RigFamily::Icom:
    if (is(type, "Icom 735") || !*kIcom[row])
      return {};
    return bytes(QStringLiteral("FEFE") + t.freqText.mid(6, 2) + QLatin1String(kIcom[row]));
  case RigFamily::Kenwood:
  case RigFamily::KenwoodIF:
    return QByteArray(kKenwood[row]);
  case RigFamily::Yaesu5Byte:
    return bytes(QLatin1String(is(type, "Yaesu") ? kYaesu[row] : kYaesuStatus[row]));
  case RigFamily::FTdx9000:
    if (!*kNewcat[row])
      return {};
    return (t.modeText.left(3) + QLatin1String(kNewcat[row]) + u';').toLatin1();
  default:
    return {};
  }
}

TunePause frequencyPause(const QString &rigType) {
  const RigFamily f = rigFamily(rigType);
  if (is(rigType, "Elecraft"))
    return {205, true, 1000};
  if (is(rigType, "Ten Tec Omni VI"))
    return {140, false, 220};
  if (f == RigFamily::Icom)
    return {140};
  if (is(rigType, "Yaesu 1000"))
    return {10};
  if (f == RigFamily::Other || f == RigFamily::None)
    return {};
  return {205};
}

std::optional<QByteArray> PackedHexToBytes(const QString &text) {
  QByteArray bytes;
  for (qsizetype i = 0; i < text.size(); i += 2) {
    bool ok = false;
    const int value = text.mid(i, 2).toInt(&ok, 16);
    if (!ok)
      return std::nullopt;
    bytes.append(static_cast<char>(value));
  }
  return bytes;
}

QString pegasusCommandText(float mhz, const QString &mode) {
  return vb::singleText(mhz) + QStringLiteral("\r\n") + mode.trimmed() + QStringLiteral("\r\n");
}
