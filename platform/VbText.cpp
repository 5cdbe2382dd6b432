#include "platform/VbText.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

#include <unistd.h>

namespace vb {

bool isNumeric(const QString &text) {
  static const QRegularExpression re(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eEdD][+-]?\d+)?\s*$)"));
  return re.match(text).hasMatch();
}

double val(const QString &text) {
  // Whole numbers (points, serials) are by far the most common; read them without the scan.
  if (!text.isEmpty() && text.size() < 10 &&
      std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
    return text.toInt();
  QString digits;
  bool point = false;
  bool exponent = false;
  bool any = false;
  for (const QChar c : text) {
    if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
      continue;
    if (c.isDigit() && c.unicode() < 128) {
      digits += c;
      any = true;
    } else if ((c == u'+' || c == u'-') && (digits.isEmpty() || digits.endsWith(u'e'))) {
      digits += c;
    } else if (c == u'.' && !point && !exponent) {
      digits += c;
      point = true;
    } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && any && !exponent) {
      digits += u'e';
      exponent = true;
    } else {
      break;
    }
  }
  while (!digits.isEmpty() && !digits.back().isDigit() && digits.back() != u'.')
    digits.chop(1);
  bool ok = false;
  const double v = digits.toDouble(&ok);
  return ok ? v : 0.0;
}

std::optional<double> numberIn(const QString &text) {
  static const QRegularExpression radix(QStringLiteral(R"(^\s*&([hH][0-9a-fA-F]{1,8}|[oO][0-7]{1,11})\s*$)"));
  const auto m = radix.match(text);
  if (m.hasMatch()) {
    const QString digits = m.captured(1);
    return static_cast<double>(digits.mid(1).toLongLong(nullptr, digits[0].toUpper() == u'H' ? 16 : 8));
  }
  if (!isNumeric(text))
    return std::nullopt;
  return val(text);
}

QString trim(const QString &text) {
  qsizetype start = 0;
  while (start < text.size() && text[start] == u' ')
    ++start;
  return rtrim(text.mid(start));
}

QString rtrim(const QString &text) {
  qsizetype end = text.size();
  while (end > 0 && text[end - 1] == u' ')
    --end;
  return text.left(end);
}

double roundHalfEven(double value) {
  return std::nearbyint(value);
}

std::int64_t roundToInt(double value) {
  const double whole = std::nearbyint(value);
  if (std::isnan(whole))
    return 0;
  if (whole >= 0x1p63)
    return std::numeric_limits<std::int64_t>::max();
  if (whole < -0x1p63)
    return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(whole);
}

QString numberText(double value) {
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
    return QString::number(static_cast<qint64>(value));
  return QString::number(value, 'g', 15);
}

QString singleText(float value) {
  const double v = value;
  if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 1e7)
    return QString::number(static_cast<qint64>(v));
  return QString::number(v, 'g', 7);
}

namespace {

double roundAwayFromZero(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale;
}

QString groupThousands(const QString &digits, const QString &separator) {
  QString out;
  const qsizetype n = digits.size();
  for (qsizetype i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0)
      out += separator;
    out += digits[i];
  }
  return out;
}

} // namespace

QString fixedText(double value, int decimals) {
  return QString::number(roundAwayFromZero(value, decimals), 'f', decimals);
}

QString formatNumber(double value, const QString &pattern, bool localeSeparators) {
  const qsizetype dot = pattern.indexOf(u'.');
  const QString intPart = dot < 0 ? pattern : pattern.left(dot);
  const QString fracPart = dot < 0 ? QString() : pattern.mid(dot + 1);
  // A '0' makes its place and every place before it show.
  const int required = static_cast<int>(fracPart.lastIndexOf(u'0') + 1);
  const int decimals = required + static_cast<int>(fracPart.count(u'#'));
  const int minInt = static_cast<int>(intPart.count(u'0'));
  const bool group = intPart.contains(u',');

  const double rounded = roundAwayFromZero(std::fabs(value), decimals);
  const QString fixed = QString::number(rounded, 'f', decimals);
  QString whole = fixed.section(u'.', 0, 0);
  QString frac = decimals > 0 ? fixed.section(u'.', 1, 1) : QString();
  while (frac.size() > required && frac.endsWith(u'0'))
    frac.chop(1);
  if (whole == QLatin1String("0") && minInt == 0)
    whole.clear();
  while (whole.size() < minInt)
    whole.prepend(u'0');

  const QLocale locale = localeSeparators ? QLocale::system() : QLocale::c();
  if (group)
    whole = groupThousands(whole, locale.groupSeparator());
  QString out = whole;
  if (dot >= 0)
    out += locale.decimalPoint() + frac;
  if (value < 0 && rounded != 0.0)
    out.prepend(u'-');
  return out;
}

QString formatSingle(float value, const QString &pattern, bool localeSeparators) {
  return formatNumber(QString::number(static_cast<double>(value), 'g', 7).toDouble(), pattern,
                      localeSeparators);
}

QString formatShownDate(const QDateTime &when, const QString &pattern, const QLocale &locale) {
  // The first character between the fields of the locale's short date ("dd.MM.yy", "M/d/yy").
  const QString format = locale.dateFormat(QLocale::ShortFormat);
  const auto field = [](QChar c) { return c == u'd' || c == u'M' || c == u'y'; };
  const auto first = std::find_if(format.begin(), format.end(), field);
  const auto separator = std::find_if_not(first, format.end(), field);
  return formatDateTime(when, pattern).replace(u'/', separator == format.end() ? u'/' : *separator);
}

QString formatDateTime(const QDateTime &when, const QString &pattern) {
  const QString p = pattern.toLower();
  const bool ampm = p.contains(QLatin1String("ampm")) || p.contains(QLatin1String("am/pm"));
  const QDate d = when.date();
  const QTime t = when.time();
  const auto two = [](int v) { return QString::number(v).rightJustified(2, u'0'); };
  int hour = t.hour();
  if (ampm) {
    hour %= 12;
    if (hour == 0)
      hour = 12;
  }

  QString out;
  bool afterHour = false;
  for (qsizetype i = 0; i < p.size();) {
    const auto starts = [&](const char *token) { return p.mid(i).startsWith(QLatin1String(token)); };
    if (starts("yyyy")) {
      out += QString::number(d.year()).rightJustified(4, u'0');
      i += 4;
    } else if (starts("yy")) {
      out += two(d.year() % 100);
      i += 2;
    } else if (starts("mm")) {
      out += afterHour ? two(t.minute()) : two(d.month());
      afterHour = false;
      i += 2;
    } else if (starts("dd")) {
      out += two(d.day());
      i += 2;
    } else if (starts("hh")) {
      out += two(hour);
      afterHour = true;
      i += 2;
      continue;
    } else if (starts("h")) {
      out += QString::number(hour);
      afterHour = true;
      i += 1;
      continue;
    } else if (starts("nn")) {
      out += two(t.minute());
      i += 2;
    } else if (starts("ss")) {
      out += two(t.second());
      i += 2;
    } else if (starts("am/pm")) {
      out += t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
      i += 5;
    } else if (starts("ampm")) {
      out += t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
      i += 4;
    } else {
      out += pattern[i];
      if (pattern[i] != u':')
        afterHour = false;
      i += 1;
    }
  }
  return out;
}

void WriteLine::next() {
  if (!first_)
    line_ += u',';
  first_ = false;
}

WriteLine &WriteLine::text(const QString &value) {
  next();
  line_ += u'"';
  if (value.contains(u'"'))
    line_ += QString(value).remove(u'"');
  else
    line_ += value;
  line_ += u'"';
  return *this;
}

WriteLine &WriteLine::number(double value) {
  next();
  line_ += numberText(value);
  return *this;
}

WriteLine &WriteLine::single(float value) {
  next();
  line_ += singleText(value);
  return *this;
}

WriteLine &WriteLine::boolean(bool value) {
  next();
  line_ += value ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
  return *this;
}

WriteLine &WriteLine::empty() {
  next();
  return *this;
}

QString WriteLine::str() const {
  return line_ + QStringLiteral("\r\n");
}

FieldReader::FieldReader(QString content) : data_(std::move(content)) {}

std::optional<FieldReader> FieldReader::fromFile(const QString &path) {
  auto content = readLatin1(path);
  if (!content)
    return std::nullopt;
  return FieldReader(*content);
}

bool FieldReader::atEnd() const {
  for (qsizetype i = pos_; i < data_.size(); ++i) {
    const QChar c = data_[i];
    if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n' && c != QChar(0x1a))
      return false;
  }
  return true;
}

std::optional<QString> FieldReader::text() {
  if (pos_ >= data_.size())
    return std::nullopt;
  while (pos_ < data_.size() && (data_[pos_] == u' ' || data_[pos_] == u'\t'))
    ++pos_;
  QString value;
  if (pos_ < data_.size() && data_[pos_] == u'"') {
    const qsizetype close = data_.indexOf(u'"', pos_ + 1);
    const qsizetype end = close < 0 ? data_.size() : close;
    value = data_.mid(pos_ + 1, end - pos_ - 1);
    pos_ = close < 0 ? data_.size() : close + 1;
    // Anything between the closing quote and the delimiter is dropped.
    while (pos_ < data_.size() && data_[pos_] != u',' && data_[pos_] != u'\r' && data_[pos_] != u'\n')
      ++pos_;
  } else {
    const qsizetype start = pos_;
    while (pos_ < data_.size() && data_[pos_] != u',' && data_[pos_] != u'\r' && data_[pos_] != u'\n')
      ++pos_;
    value = data_.mid(start, pos_ - start).trimmed();
  }
  lineEnded_ = pos_ >= data_.size() || data_[pos_] != u',';
  if (pos_ < data_.size()) {
    if (data_[pos_] == u',') {
      ++pos_;
    } else if (data_[pos_] == u'\r') {
      ++pos_;
      if (pos_ < data_.size() && data_[pos_] == u'\n')
        ++pos_;
    } else {
      ++pos_;
    }
  }
  return value;
}

std::optional<QStringList> FieldReader::line() {
  QStringList fields;
  do {
    auto field = text();
    if (!field)
      return std::nullopt;
    fields << *field;
  } while (!lineEnded_);
  return fields;
}

std::optional<double> FieldReader::number(double min, double max) {
  const auto field = text();
  if (!field)
    return std::nullopt;
  const double v = isNumeric(*field) ? val(*field) : 0.0;
  if (v < min || v > max)
    return std::nullopt;
  return v;
}

std::optional<int> FieldReader::integer(int min, int max) {
  const auto v = number();
  if (!v)
    return std::nullopt;
  const double r = roundHalfEven(*v);
  if (r < min || r > max)
    return std::nullopt;
  return static_cast<int>(r);
}

std::optional<bool> FieldReader::boolean() {
  const auto field = text();
  if (!field)
    return std::nullopt;
  const QString f = field->trimmed().toUpper();
  if (f == QLatin1String("#TRUE#"))
    return true;
  if (f == QLatin1String("#FALSE#"))
    return false;
  if (isNumeric(f))
    return val(f) != 0.0;
  return std::nullopt;
}

PrintLine &PrintLine::text(const QString &value) {
  line_ += value;
  return *this;
}

PrintLine &PrintLine::number(double value) {
  line_ += (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + numberText(std::fabs(value)) +
           QLatin1Char(' ');
  return *this;
}

PrintLine &PrintLine::tab(int column) {
  const qsizetype target = std::max(column, 1) - 1;
  if (line_.size() > target) {
    done_ += line_ + QStringLiteral("\r\n");
    line_.clear();
  }
  line_ += QString(target - line_.size(), u' ');
  return *this;
}

PrintLine &PrintLine::column(int column) {
  const qsizetype target = std::max(column, 1) - 1;
  line_ += line_.size() >= target ? QString(u' ') : QString(target - line_.size(), u' ');
  return *this;
}

QString PrintLine::str() const {
  return done_ + line_ + QStringLiteral("\r\n");
}

namespace {

bool failed(const QFileDevice &f, QString *error) {
  if (error)
    *error = f.errorString();
  return false;
}

// The file's bytes on the disk: a file system that reports a full disk only when the data goes
// out (a network share, a quota) fails here. One that cannot sync at all counts as written.
bool synced(const QFileDevice &f, QString *error) {
  if (::fsync(f.handle()) == 0 || errno == EINVAL || errno == EROFS || errno == ENOTSUP || errno == ENOSYS)
    return true;
  if (error)
    *error = QString::fromLocal8Bit(std::strerror(errno));
  return false;
}

} // namespace

std::optional<QString> readLatin1(const QString &path, QString *error) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    failed(f, error);
    return std::nullopt;
  }
  const QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) {
    failed(f, error);
    return std::nullopt;
  }
  return QString::fromLatin1(bytes);
}

bool writeLatin1Atomic(const QString &path, const QString &content, QString *error) {
  return writeAtomic(path, content.toLatin1(), error);
}

bool writeAtomic(const QString &path, const QByteArray &bytes, QString *error) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly))
    return failed(f, error);
  // write() only fills Qt's buffer: a full disk shows when the buffer goes to the file, and
  // commit() would still put the short file in place of the old one. So the bytes are flushed
  // and synced here, and any failure leaves the old file as it was.
  if (f.write(bytes) != bytes.size() || !f.flush()) {
    failed(f, error);
    f.cancelWriting();
    return false;
  }
  if (!synced(f, error)) {
    f.cancelWriting();
    return false;
  }
  return f.commit() || failed(f, error);
}

} // namespace vb
