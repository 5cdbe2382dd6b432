#include "logging/WpxPrefix.h"

#include "platform/VbText.h"

#include <algorithm>

namespace {

bool isDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}

// The first n characters; none for n below 1.
QString leftOf(const QString &text, qsizetype n) {
  return text.left(std::max<qsizetype>(n, 0));
}

} // namespace

QString wpxPrefix(const QString &call) {
  const qsizetype length = call.size();
  if (length < 2)
    return {};

  // Positions count from 1; 0 means "none met".
  qsizetype slash = 0;
  qsizetype firstDigit = 0;
  qsizetype lastDigit = 0;
  for (qsizetype pos = 2; pos <= length; ++pos) {
    const QChar c = call[pos - 1];
    if (c == u'/') {
      slash = pos;
    } else if (isDigit(c)) {
      if (firstDigit == 0)
        firstDigit = pos;
      lastDigit = pos;
    }
  }
  if (firstDigit == 0)
    firstDigit = length;

  QString prefix;
  if (slash == 0) {
    prefix = leftOf(call, lastDigit);
  } else if (static_cast<double>(slash) < static_cast<double>(length) / 2.0 + 1.0) {
    // The part before the slash is where the station operates from.
    if (firstDigit > slash)
      firstDigit = slash - 1;
    prefix = leftOf(call, firstDigit);
  } else {
    // The part after the slash is a suffix: a call area number or a designator.
    if (lastDigit < slash)
      lastDigit = length;
    prefix = call.mid(slash, lastDigit - slash);
    if (vb::isNumeric(prefix)) {
      const auto digit = std::find_if(call.cbegin(), call.cend(), isDigit);
      prefix = leftOf(call, digit - call.cbegin()) + prefix;
    }
  }

  if (!prefix.isEmpty() && prefix.back().unicode() > u'9') {
    if (prefix.size() > 2)
      prefix.truncate(2);
    prefix += u'0';
  }
  return prefix;
}
