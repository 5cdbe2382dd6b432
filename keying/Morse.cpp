#include "keying/Morse.h"

#include "platform/VbText.h"

#include <cmath>

namespace {

// Dots and dashes of each character that keys; the prosigns AR "[", SK "]", KN ";", CL "\"
// (C and L run together) and BT, as "=" and as the hyphen.
struct Character {
  char ch;
  const char *elements;
};
constexpr Character kTable[] = {
    {'A', ".-"},     {'B', "-..."},      {'C', "-.-."},   {'D', "-.."},   {'E', "."},     {'F', "..-."},
    {'G', "--."},    {'H', "...."},      {'I', ".."},     {'J', ".---"},  {'K', "-.-"},   {'L', ".-.."},
    {'M', "--"},     {'N', "-."},        {'O', "---"},    {'P', ".--."},  {'Q', "--.-"},  {'R', ".-."},
    {'S', "..."},    {'T', "-"},         {'U', "..-"},    {'V', "...-"},  {'W', ".--"},   {'X', "-..-"},
    {'Y', "-.--"},   {'Z', "--.."},      {'0', "-----"},  {'1', ".----"}, {'2', "..---"}, {'3', "...--"},
    {'4', "....-"},  {'5', "....."},     {'6', "-...."},  {'7', "--..."}, {'8', "---.."}, {'9', "----."},
    {'.', ".-.-.-"}, {',', "--..--"},    {'?', "..--.."}, {'/', "-..-."}, {'[', ".-.-."}, {']', "...-.-"},
    {';', "-.--."},  {'\\', "-.-..-.."}, {'-', "-...-"},  {'=', "-...-"}};

const char *elements(char c) {
  for (const Character &entry : kTable)
    if (entry.ch == c)
      return entry.elements;
  return nullptr;
}

} // namespace

QString morseBits(QChar ch) {
  const QChar upper = ch.toUpper();
  if (upper == u' ')
    return QStringLiteral("00000000");
  if (upper.unicode() > 127)
    return {};
  const char *e = elements(static_cast<char>(upper.unicode()));
  if (!e)
    return {};
  QString bits;
  for (; *e; ++e)
    bits += *e == '.' ? QStringLiteral("10") : QStringLiteral("1110");
  return bits + QStringLiteral("00");
}

std::optional<QString> keyedUnits(QChar ch, double wordSpace) {
  QString bits = morseBits(ch);
  if (ch != u' ')
    return bits;
  if (wordSpace > 0)
    return bits + QString(static_cast<qsizetype>(std::floor(std::min(wordSpace, 1.0e6))), u'0');
  if (wordSpace < 0) {
    const double kept = vb::roundHalfEven(8 + wordSpace);
    if (kept < 0)
      return std::nullopt;
    bits.truncate(static_cast<qsizetype>(kept));
  }
  return bits;
}

std::optional<double> unitMs(const QString &speedText) {
  const auto wpm = vb::numberIn(speedText);
  if (!wpm || !(*wpm > 0))
    return std::nullopt;
  return 1200.0 / *wpm;
}

double loopPasses(double loopsPer60ms, double wpm) {
  return loopsPer60ms / wpm * 20;
}

double countLoop(double from, double limit) {
  volatile double n = from;
  while (n < limit)
    n = n + 1;
  return n;
}
