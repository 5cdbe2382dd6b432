#include "spotting/ClusterLines.h"

#include "platform/VbText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

bool isDXLine(QStringView line) {
  return line.startsWith(QLatin1String("DX"), Qt::CaseInsensitive);
}

bool isAgwSpotText(const QString &spotText) {
  return isDXLine(spotText) || (!spotText.isEmpty() && isDXLine(QStringView(spotText).sliced(1)));
}

QString spotFreqText(const QString &line) {
  return vb::trim(line.mid(15, 9));
}

QString spotCallText(const QString &line) {
  QString call = line.mid(26, 13);
  for (qsizetype i = 0; i < call.size(); ++i) {
    if (call[i] == u'\r' || call[i] == u'\n') {
      call.truncate(i);
      break;
    }
  }
  return vb::trim(call);
}

QString SpotRecord(const QString &line) {
  return vb::trim(line.mid(3));
}

void trimMonitorText(QString &monitor) {
  // In place, so that the text's room is used again rather than allocated anew.
  if (monitor.size() > 10000)
    monitor.remove(0, monitor.size() - 9000);
}

namespace {

// Both halves at once, so that neither waits on the other's last step.
bool isAscii(QStringView text) {
  const qsizetype half = text.size() / 2;
  const char16_t *first = text.utf16(), *second = first + half;
  char16_t bits = text.size() % 2 ? text.back().unicode() : 0, more = 0;
  for (qsizetype i = 0; i < half; ++i) {
    bits |= first[i];
    more |= second[i];
  }
  return (bits | more) < 0x80;
}

char16_t asciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

bool isAsciiLetter(QChar c) {
  return asciiLower(c.unicode()) >= u'a' && asciiLower(c.unicode()) <= u'z';
}

// Two ASCII texts of one length, equal but for the case of letters. Texts that differ mostly
// differ in four characters compared with bit 5 set (which case leaves alone), so that goes first.
bool sameAsciiText(QStringView a, QStringView b) {
  constexpr std::uint64_t caseBits = 0x0020002000200020;
  for (qsizetype i = 0; i + 4 <= a.size(); i += 4) {
    std::uint64_t x, y;
    std::memcpy(&x, a.utf16() + i, sizeof x);
    std::memcpy(&y, b.utf16() + i, sizeof y);
    if ((x | caseBits) != (y | caseBits))
      return false;
  }
  return std::equal(a.begin(), a.end(), b.begin(),
                    [](QChar c, QChar d) { return asciiLower(c.unicode()) == asciiLower(d.unicode()); });
}

// The first place of `key` in `text` from `from` on, or -1. memchr finds the key's byte fastest;
// a place is one where the whole character is the key.
qsizetype placeOf(char16_t key, QStringView text, qsizetype from) {
  const char *bytes = reinterpret_cast<const char *>(text.utf16());
  const char *end = bytes + 2 * text.size();
  for (const char *hit = bytes + 2 * from;
       (hit = static_cast<const char *>(std::memchr(hit, key & 0xFF, end - hit))); ++hit) {
    if (text[(hit - bytes) / 2] == key)
      return (hit - bytes) / 2;
  }
  return -1;
}

constexpr QLatin1String kSpotStart("DX de");

// A spot line begins with "DX de" in any case.
bool beginsSpot(QStringView text) {
  return text.startsWith(kSpotStart, Qt::CaseInsensitive);
}

// Text too short to tell: it could still become "DX de".
bool couldBeginSpot(QStringView text) {
  return !text.isEmpty() && text.size() < kSpotStart.size() &&
         kSpotStart.startsWith(text, Qt::CaseInsensitive);
}

} // namespace

bool recentlyShown(const QString &monitor, const QString &line) {
  const qsizetype from = std::max<qsizetype>(0, monitor.size() - 801);
  const QStringView recent = QStringView(monitor).sliced(from);
  // Full case folding costs most of a line's framing, so ASCII text, which folds by its letters
  // alone, is compared as it stands: a match has the line's last non-letter (its LF) in the same
  // place, and only those places are compared. Anything else is left to full folding.
  const auto keyIt = std::find_if_not(line.crbegin(), line.crend(), isAsciiLetter);
  if (keyIt == line.crend() || !isAscii(line) || !isAscii(recent))
    return monitor.indexOf(line, from, Qt::CaseInsensitive) >= 0;
  const char16_t key = keyIt->unicode();
  const qsizetype keyAt = line.crend() - keyIt - 1;
  // Past a place, the next can only be where that key meets one in the line: with none before
  // `keyAt`, the line's length on. Cluster lines are mostly of one length, so the next line's LF
  // is then right there.
  const qsizetype shift = placeOf(key, line, 0) < keyAt ? 1 : keyAt + 1;
  const QStringView places = recent.first(std::max<qsizetype>(0, recent.size() - line.size() + keyAt + 1));
  for (qsizetype at = keyAt; at < places.size(); at += shift) {
    if (places[at] != key && (at = placeOf(key, places, at)) < 0)
      return false;
    if (sameAsciiText(recent.sliced(at - keyAt, line.size()), line))
      return true;
  }
  return false;
}

QStringList ClusterLineFramer::take(const QString &arrival) {
  // A held arrival is decided with this one, as if they had come together; but a spot line that
  // comes whole begins a line of its own, and the held piece stays with the waiting line.
  if (const qsizetype held = std::exchange(held_, -1); held >= 0 && !beginsSpot(arrival)) {
    const QString text = rest_.sliced(held) + arrival;
    rest_.truncate(held);
    return take(text);
  }
  // One whole line in CR LF, as a packet-engine text mostly is, goes on as it is.
  if (rest_.isEmpty() && !noise_ && arrival.size() > 2 && arrival.endsWith(QLatin1String("\r\n")) &&
      arrival.indexOf(u'\r') == arrival.size() - 2 && arrival.indexOf(u'\n') == arrival.size() - 1)
    return {arrival};
  QStringList lines;
  const auto endLine = [&lines, this](QStringView text) {
    if (std::exchange(noise_, false) || (rest_.isEmpty() && text.isEmpty())) {
      rest_.clear();
      return;
    }
    QString line;
    line.reserve(rest_.size() + text.size() + 2);
    line.append(rest_).append(text).append(QLatin1String("\r\n"));
    lines << line;
    rest_.clear();
  };
  // Only the whole "DX de": a call like DX1ABC or a comment's "DX" may begin an arrival that
  // continues the waiting line. An arrival cut inside "DX de" cannot show which it is yet.
  if (beginsSpot(arrival)) {
    endLine({});
  } else if (!rest_.isEmpty() && couldBeginSpot(arrival)) {
    held_ = rest_.size();
    rest_ += arrival;
    return lines;
  }
  qsizetype start = 0;
  for (qsizetype i = 0; i < arrival.size(); ++i) {
    if (arrival[i] == u'\r' || arrival[i] == u'\n') {
      endLine(QStringView(arrival).sliced(start, i - start));
      start = i + 1;
    }
  }
  rest_ += QStringView(arrival).sliced(start);
  if (rest_.size() > kSpotBufferLimit) {
    rest_.clear();
    noise_ = true;
  }
  return lines;
}

QStringList wholeClusterLines(const QString &text) {
  ClusterLineFramer framer;
  QStringList lines = framer.take(text);
  if (!framer.rest().isEmpty())
    lines << framer.rest() + QLatin1String("\r\n");
  return lines;
}

void takeClusterLine(QString &line, QString &monitor, bool dxOnly, LineRules rules, const PostSpotFn &post) {
  const auto show = [&monitor](const QString &text) {
    monitor += text;
    trimMonitorText(monitor);
  };
  const auto postLine = [&line, &post] {
    QString freq = spotFreqText(line), call = spotCallText(line);
    post(freq, call, line);
  };
  switch (rules.link) {
  case LineRules::Tnc:
    if (recentlyShown(monitor, line))
      return;
    if (isDXLine(line) || !dxOnly)
      show(line);
    if (isDXLine(line))
      postLine();
    return;
  case LineRules::Telnet:
    if (!isDXLine(line))
      return;
    postLine();
    if (dxOnly)
      show(line);
    return;
  case LineRules::Agw:
    // A line with one character before its "DX" is a spot and connected text both.
    if (isAgwSpotText(line) && !recentlyShown(monitor, line)) {
      show(line);
      postLine();
    }
    if (rules.fromConnectedStation && !dxOnly && !isDXLine(line))
      show(line);
    return;
  }
}
