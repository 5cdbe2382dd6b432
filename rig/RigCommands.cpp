#include "rig/RigCommands.h"

#include "platform/VbText.h"
#include "rig/RigSettings.h"

#include <array>
#include <cmath>

namespace {

// The frequency in whole units of `scale` per MHz (halves to even); nothing when it is not above
// zero or needs more than `width` digits, so no value beyond the family's field is ever made an
// integer.
std::optional<qint64> units(float mhz, double scale, int width) {
  constexpr std::array<double, 12> kPowersOfTen = {1e0, 1e1, 1e2, 1e3, 1e4,  1e5,
                                                   1e6, 1e7, 1e8, 1e9, 1e10, 1e11};
  const double whole = std::nearbyint(double(mhz) * scale);
  if (!(whole >= 1) || whole >= kPowersOfTen.at(size_t(width)))
    return std::nullopt;
  return static_cast<qint64>(whole);
}

// The same as decimal digits padded to `pad`.
std::optional<QString> digits(float mhz, double scale, int width, int pad) {
  const auto whole = units(mhz, scale, width);
  return whole ? std::optional(QString::number(*whole).rightJustified(pad, u'0')) : std::nullopt;
}

std::optional<QString> digits(float mhz, double scale, int width) {
  return digits(mhz, scale, width, width);
}

// Two-digit pairs from the left, written last pair first.
QString reversedPairs(const QString &d) {
  QString out;
  for (qsizetype i = d.size() - 2; i >= 0; i -= 2)
    out += d.mid(i, 2);
  return out;
}

// A binary family's command from packed hex (empty when the poll text's address is not hex).
QByteArray binary(const QString &packed) {
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

std::optional<QByteArray> frequencyCommand(const TuneTexts &t, float mhz) {
  if (!(mhz > 0) || !std::isfinite(mhz))
    return std::nullopt;
  const QString &type = t.rigType;
  switch (rigFamily(type)) {
  case RigFamily::Kenwood:
  case RigFamily::KenwoodIF: {
    const QString prefix = is(type, "Kenwood 2")
                               ? (t.activeVfo == 1 ? QStringLiteral("FB") : QStringLiteral("FA"))
                           : is(type, "Elecraft") ? QStringLiteral("FA")
                                                  : t.freqText.left(2);
    const auto d = digits(mhz, 1e6, 11);
    return d ? std::optional((prefix + *d + u';').toLatin1()) : std::nullopt;
  }
  case RigFamily::FTdx9000: {
    const auto d = digits(mhz, 1e6, 8);
    return d ? std::optional((t.freqText.left(2) + *d + u';').toLatin1()) : std::nullopt;
  }
  case RigFamily::Orion: {
    // Unpadded hertz, at most the 8 digits the rig's own frequency reply carries.
    const auto d = digits(mhz, 1e6, 8, 0);
    return d ? std::optional((QStringLiteral("*AF") + *d + u'\r').toLatin1()) : std::nullopt;
  }
  case RigFamily::Icom: {
    const int width = is(type, "Icom 735") ? 8 : 10;
    const auto d = digits(mhz, 1e6, width);
    if (!d)
      return std::nullopt;
    return binary(QStringLiteral("FEFE") + t.freqText.mid(6, 2) + QStringLiteral("E005") + reversedPairs(*d) +
                  QStringLiteral("FD"));
  }
  case RigFamily::Yaesu5Byte: {
    const auto d = digits(mhz, 1e5, 8);
    if (!d)
      return std::nullopt;
    return binary(is(type, "Yaesu") ? *d + QStringLiteral("01") : reversedPairs(*d) + QStringLiteral("0A"));
  }
  case RigFamily::TenTecPanel: {
    // The hertz go through a single-precision working copy, as the rig's own program did; the
    // copy may round up past the 8 hex digits.
    const auto hertz = units(mhz, 1e6, 10);
    const auto copy = hertz ? static_cast<float>(*hertz) : 0.0f;
    if (!hertz || copy >= 4294967296.0f)
      return std::nullopt;
    const QString hex = QString::number(static_cast<qint64>(copy), 16).toUpper().rightJustified(8, u'0');
    return binary(QStringLiteral("2A41") + hex + QStringLiteral("0D"));
  }
  case RigFamily::Pegasus:
  case RigFamily::Other:
  case RigFamily::None:
    break;
  }
  return QByteArray();
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
