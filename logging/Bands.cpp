#include "logging/Bands.h"

#include "platform/VbText.h"

const QStringList &bandCodes() {
  static const QStringList codes{QStringLiteral("160"), QStringLiteral("80"), QStringLiteral("40"),
                                 QStringLiteral("20"),  QStringLiteral("15"), QStringLiteral("10")};
  return codes;
}

bool sameBand(const QString &a, const QString &b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<QString> nextBand(const QString &current) {
  const QStringList &codes = bandCodes();
  for (qsizetype i = 0; i < codes.size(); ++i)
    if (sameBand(codes[i], current))
      return codes[(i + 1) % codes.size()];
  return std::nullopt;
}

RefreshRateAnswer refreshRateAnswer(const QString &answer) {
  if (!vb::isNumeric(answer))
    return {};
  const double ms = vb::val(answer);
  if (!(ms > 5999 && ms < 60001))
    return {RefreshRateAnswer::Outcome::Ignored};
  return {RefreshRateAnswer::Outcome::Accepted, static_cast<float>(ms), static_cast<int>(vb::roundToInt(ms))};
}

std::optional<int> refreshTimerInterval(float refreshMs) {
  if (!(refreshMs > -1 && refreshMs < 65536))
    return std::nullopt;
  const auto ms = vb::roundToInt(refreshMs);
  if (ms < 0 || ms > 65535)
    return std::nullopt;
  return static_cast<int>(ms);
}

QString refreshRatePrompt() {
  return QStringLiteral(
      "How often do you want the program to check the log to update the contact list and "
      "score statistics?  This does not effect dupe checking.  Dupe checking is always done "
      "in real time.  Use 60000 for slower PC's (less than 300 MHz)\r\n\r\nPlease enter a "
      "value in milliseconds from 6000 (six seconds) to 60000 (one minute).");
}
