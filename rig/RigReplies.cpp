#include "rig/RigReplies.h"

#include "platform/VbText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

// The digits of `length` bytes from `from`, when all are there and all are decimal digits.
std::optional<double> digitsAt(const QByteArray &reply, qsizetype from, qsizetype length) {
  if (from < 0 || length <= 0 || reply.size() < from + length)
    return std::nullopt;
  double value = 0;
  for (qsizetype i = from; i < from + length; ++i) {
    const char c = reply[i];
    if (c < '0' || c > '9')
      return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// A frequency a reply may set: finite and above zero in single precision. Anything else is a
// corrupt reply, which changes nothing.
std::optional<float> usableMhz(double mhz) {
  if (!(mhz > 0) || mhz > std::numeric_limits<float>::max())
    return std::nullopt;
  const auto single = static_cast<float>(mhz);
  return single > 0 ? std::optional<float>(single) : std::nullopt;
}

// Hertz read as text replies carry them: MHz rounded to 5 decimals, halves to even.
std::optional<float> roundedMhz(double hertz) {
  return usableMhz(vb::roundHalfEven(hertz / 10.0) / 100000.0);
}

// A quotient formatted with five decimals before it is stored (halves away from zero).
std::optional<float> formattedMhz(double mhz) {
  return usableMhz(std::round(mhz * 100000.0) / 100000.0);
}

void setFrequency(std::optional<float> mhz, RigReadout &rig) {
  if (mhz)
    rig.RigFrequency = *mhz;
}

// The byte at 0-based `index`, when the reply reaches it.
std::optional<unsigned char> byteAt(const QByteArray &reply, qsizetype index) {
  if (index < 0 || index >= reply.size())
    return std::nullopt;
  return static_cast<unsigned char>(reply[index]);
}

// The hex digits from 1-based hex position `first` to `last` read as one binary number.
std::optional<double> hexNumber(const QByteArray &reply, int first, int last) {
  double value = 0;
  for (int pos = first; pos <= last; ++pos) {
    const auto b = byteAt(reply, (pos - 1) / 2);
    if (!b)
      return std::nullopt;
    const int nibble = (pos % 2 == 1) ? (*b >> 4) : (*b & 0x0F);
    value = value * 16 + nibble;
  }
  return value;
}

// The mode rule of the 890 family: the low nibble of byte 8.
void statusRecordMode(const QByteArray &reply, RigReadout &rig) {
  const auto b = byteAt(reply, 7);
  if (!b)
    return;
  const int mode = *b & 0x0F;
  if (mode == 2)
    rig.RigMode = QStringLiteral("CW");
  else if (mode <= 7)
    rig.RigMode = QStringLiteral("PH");
}

// A status record's frequency in 10 Hz units at hex positions first..last, then the mode.
void statusRecord(const QByteArray &reply, int first, int last, RigReadout &rig) {
  if (reply.size() < 5)
    return;
  const auto tens = hexNumber(reply, first, last);
  const auto mhz = tens ? formattedMhz(*tens / 100000.0) : std::nullopt;
  if (!mhz)
    return;
  rig.RigFrequency = *mhz;
  statusRecordMode(reply, rig);
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

int hexValue(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9')
    return u - u'0';
  if (u >= u'A' && u <= u'F')
    return u - u'A' + 10;
  if (u >= u'a' && u <= u'f')
    return u - u'a' + 10;
  return -1;
}

} // namespace

void ParseKenwoodFrequency(const QByteArray &reply, const QString &txtFreq, RigReadout &rig) {
  if (txtFreq.size() < 3)
    return;
  const qsizetype i = reply.indexOf(txtFreq.left(2).toLatin1());
  if (i < 0 || reply.size() <= i + 13)
    return;
  if (const auto hertz = digitsAt(reply, i + 2, 11))
    setFrequency(roundedMhz(*hertz), rig);
}

void ParseKenwoodMode(const QByteArray &reply, RigReadout &rig) {
  const qsizetype i = reply.indexOf("MD");
  if (i < 0 || reply.size() <= i + 2)
    return;
  const char m = reply[i + 2];
  rig.RigMode = (m == '3' || m == '7') ? QStringLiteral("CW") : QStringLiteral("PH");
}

void ParseKenwoodIF(const QByteArray &reply, RigReadout &rig) {
  const qsizetype i = reply.indexOf("IF");
  if (i < 0 || reply.size() <= i + 13)
    return;
  const auto hertz = digitsAt(reply, i + 2, 11);
  const auto mhz = hertz ? roundedMhz(*hertz) : std::nullopt;
  if (!mhz)
    return;
  rig.RigFrequency = *mhz;
  rig.RigMode = QStringLiteral("PH");
  const auto mode = byteAt(reply, i + 29);
  if (!mode)
    return;
  if (*mode == '3')
    rig.RigMode = QStringLiteral("CW");
  if (const auto vfo = digitsAt(reply, i + 30, 1))
    rig.ActiveVfo = static_cast<int>(*vfo);
}

void ParseFTdx9000Reply(const QByteArray &reply, const QString &txtFreq, const QString &txtMode,
                        RigReadout &rig) {
  const QByteArray freqPrefix = txtFreq.left(2).toLatin1();
  const qsizetype f = freqPrefix.isEmpty() ? -1 : reply.indexOf(freqPrefix);
  if (f >= 0 && reply.size() > f + 8) {
    if (const auto hertz = digitsAt(reply, f + 2, 8))
      setFrequency(roundedMhz(*hertz), rig);
  }
  const QByteArray modePrefix = txtMode.left(3).toLatin1();
  const qsizetype m = modePrefix.isEmpty() ? -1 : reply.indexOf(modePrefix);
  if (m >= 0 && reply.size() > m + 3)
    rig.RigMode = reply[m + 3] == '3' ? QStringLiteral("CW") : QStringLiteral("PH");
}

void ParseOrionFrequency(const QByteArray &reply, RigReadout &rig) {
  const qsizetype i = reply.indexOf("@AF");
  if (i < 0)
    return;
  const qsizetype cr = reply.indexOf('\r', i + 3);
  if (cr < 0)
    return;
  if (const auto hertz = digitsAt(reply, i + 3, cr - i - 3))
    setFrequency(roundedMhz(*hertz), rig);
}

void ParseOrionMode(const QByteArray &reply, RigReadout &rig) {
  const qsizetype i = reply.indexOf("@RMM");
  if (i < 0)
    return;
  rig.RigMode = QStringLiteral("PH");
  const auto m = byteAt(reply, i + 4);
  if (m && (*m == '2' || *m == '3'))
    rig.RigMode = QStringLiteral("CW");
}

namespace {

// Walks the CI-V frames of one command: `onByte` gets each data byte, and -1 at the frame's FD;
// it returns false to stop the walk.
enum class CivState { None, GotFirstFE, GotSecondFE, WaitForFD };

template <class OnByte> void walkCiv(const QByteArray &reply, unsigned char command, OnByte onByte) {
  CivState state = CivState::None;
  int skip = 0;
  for (const char ch : reply) {
    const auto b = static_cast<unsigned char>(ch);
    if (skip > 0) {
      --skip;
      continue;
    }
    switch (state) {
    case CivState::None:
      if (b == 0xFE)
        state = CivState::GotFirstFE;
      break;
    case CivState::GotFirstFE:
      if (b == 0xFE) {
        state = CivState::GotSecondFE;
        skip = 2;
      } else {
        state = CivState::None;
      }
      break;
    case CivState::GotSecondFE:
      state = b == command ? CivState::WaitForFD : CivState::None;
      break;
    case CivState::WaitForFD:
      if (b == 0xFD) {
        state = CivState::None;
        if (!onByte(-1))
          return;
      } else if (!onByte(b)) {
        return;
      }
      break;
    }
  }
}

} // namespace

void ParseIcomFrequency(const QByteArray &reply, bool fourByte, RigReadout &rig) {
  // Only the newest five data bytes of complete frames reach the ten digits.
  std::array<int, 5> last{};
  int kept = 0;
  std::array<int, 5> frame{};
  int inFrame = 0;
  const auto push = [](std::array<int, 5> &ring, int b) {
    std::move(ring.begin() + 1, ring.end(), ring.begin());
    ring[4] = b;
  };
  walkCiv(reply, 0x03, [&](int b) {
    if (b >= 0) {
      push(frame, b);
      ++inFrame;
      return true;
    }
    for (int k = 5 - std::min(inFrame, 5); k < 5; ++k)
      push(last, frame[k]);
    kept = std::min(kept + inFrame, 5);
    inFrame = 0;
    return true;
  });
  QByteArray newestFirst;
  for (int k = 4; k >= 5 - kept; --k) {
    // BCD: a nibble above 9 is a corrupt byte, whose letter would pass for a digit or an exponent.
    if ((last[k] >> 4) > 9 || (last[k] & 0x0F) > 9)
      return;
    newestFirst.append(static_cast<char>(last[k]));
  }
  const QString text = IcomDigitsToFrequency(ReplyToHexDigits(newestFirst));
  if (!vb::isNumeric(text))
    return;
  const double mhz = text.toDouble();
  setFrequency(usableMhz(fourByte ? mhz / 100.0 : mhz), rig);
}

void ParseIcomMode(const QByteArray &reply, RigReadout &rig) {
  walkCiv(reply, 0x04, [&](int b) {
    if (b < 0)
      return true;
    rig.RigMode = b == 0x03 ? QStringLiteral("CW") : QStringLiteral("PH");
    return false;
  });
}

void ParseYaesuStatus(const QByteArray &reply, RigReadout &rig) {
  if (reply.size() < 5)
    return;
  const QString digits = ReplyToHexDigits(reply.left(5));
  const auto mode = digitsAt(digits.toLatin1(), 8, 2);
  const auto mhz = digitsAt(digits.toLatin1(), 0, 8) ? usableMhz(DigitsToFrequency(digits.left(8)).toDouble())
                                                     : std::nullopt;
  if (!mode || !mhz)
    return;
  rig.RigFrequency = *mhz;
  const int m = static_cast<int>(*mode);
  if (m == 0 || m == 1 || m == 4 || m == 8 || m == 84 || m == 88)
    rig.RigMode = QStringLiteral("PH");
  else if (m == 2 || m == 3 || m == 82 || m == 83)
    rig.RigMode = QStringLiteral("CW");
}

void ParseYaesu757Status(const QByteArray &reply, RigReadout &rig) {
  if (reply.size() < 10)
    return;
  const QString hex = ReplyToHexDigits(reply.left(10));
  const QString digits = hex.mid(16, 2) + hex.mid(14, 2) + hex.mid(12, 2) + hex.mid(10, 2);
  const auto tens = digitsAt(digits.toLatin1(), 0, 8);
  const auto mhz = tens ? formattedMhz(*tens / 100000.0) : std::nullopt;
  if (!mhz)
    return;
  rig.RigFrequency = *mhz;
  int mode = 0;
  for (const QChar c : hex.mid(18, 2)) {
    if (!c.isDigit())
      break;
    mode = mode * 10 + c.digitValue();
  }
  static const char *const kModes[] = {"PH", "PH", "CW", "CW", "AM", "FM"};
  if (mode < 6)
    rig.RigMode = QString::fromLatin1(kModes[mode]);
}

void ParseYaesu890Status(const QByteArray &reply, RigReadout &rig) {
  statusRecord(reply, 5, 10, rig);
}

void ParseYaesu990Status(const QByteArray &reply, RigReadout &rig) {
  statusRecord(reply, 3, 8, rig);
}

void ParseYaesu1000Status(const QByteArray &reply, RigReadout &rig) {
  statusRecord(reply, 4, 9, rig);
}

void ParseYaesu920Status(const QByteArray &reply, RigReadout &rig) {
  if (reply.size() < 5)
    return;
  const auto hertz = hexNumber(reply, 3, 10);
  const auto mhz = hertz ? formattedMhz(*hertz / 1000000.0) : std::nullopt;
  if (!mhz)
    return;
  rig.RigFrequency = *mhz;
  rig.RigMode = QStringLiteral("PH");
  const auto b = byteAt(reply, 7);
  if (b && (*b & 0x0F) == 1)
    rig.RigMode = QStringLiteral("CW");
}

void ParseTenTecFrequency(const QByteArray &reply, RigReadout &rig) {
  if (const auto hertz = hexNumber(reply, 3, 10))
    setFrequency(formattedMhz(*hertz / 1000000.0), rig);
}

void ParseTenTecMode(const QByteArray &reply, RigReadout &rig) {
  if (reply.size() < 3)
    return;
  const int mode = static_cast<unsigned char>(reply[1]) & 0x0F;
  if (mode == 3)
    rig.RigMode = QStringLiteral("CW");
  else if (mode <= 4)
    rig.RigMode = QStringLiteral("PH");
}

bool parsePegasusReply(const QString &content, RigReadout &rig) {
  vb::FieldReader in(content);
  const auto number = in.number();
  const auto mhz = number ? usableMhz(*number) : std::nullopt;
  const auto word = mhz ? in.text() : std::nullopt;
  if (!word)
    return false;
  rig.RigFrequency = *mhz;
  rig.RigMode = (word->isEmpty() || *word == QLatin1String("CW")) ? *word : QStringLiteral("PH");
  return true;
}

namespace {
// The digits from the first that is not a zero (the last one is always kept).
QString dropLeadingZeros(const QString &whole) {
  qsizetype start = 0;
  while (start < whole.size() - 1 && whole[start] == u'0')
    ++start;
  return whole.mid(start);
}
} // namespace

QString DigitsToFrequency(const QString &digits) {
  // d1 to d3 before the point, each dropped while all before it are zeros; d4 to d8 after it.
  QString whole = digits.left(3);
  whole = whole == QLatin1String("000") ? QString() : dropLeadingZeros(whole);
  return whole + u'.' + digits.mid(3, 5);
}

QString IcomDigitsToFrequency(const QString &digits) {
  // d1 to d3 dropped while zeros, d4 always kept; d5 to d10 after the point.
  const QString head = digits.left(3);
  QString whole = head == QLatin1String("000") ? QString() : dropLeadingZeros(head);
  whole += digits.mid(3, 1);
  return whole + u'.' + digits.mid(4, 6);
}

QString ByteToHex(int value) {
  if (value < 0 || value > 15)
    return {};
  return QString(QChar::fromLatin1(kHexDigits[value]));
}

QString ReplyToHexText(const QByteArray &reply) {
  if (reply.isEmpty())
    return {};
  return QString::fromLatin1(reply.toHex(' ').toUpper()) + u' ';
}

QString ReplyToHexDigits(const QByteArray &reply) {
  return QString::fromLatin1(reply.toHex().toUpper());
}

std::optional<QByteArray> HexPairsToBytes(const QString &text) {
  QByteArray bytes;
  for (qsizetype pos = 0; pos < text.size(); pos += 3) {
    const int high = hexValue(text[pos]);
    if (high < 0)
      return std::nullopt;
    if (pos + 1 >= text.size()) {
      bytes.append(static_cast<char>(high));
      break;
    }
    const int low = hexValue(text[pos + 1]);
    if (low < 0)
      return std::nullopt;
    bytes.append(static_cast<char>(high * 16 + low));
  }
  return bytes;
}

QString frequencyCaption(float mhz) {
  return vb::formatSingle(mhz, QStringLiteral("###.####0"), false);
}
