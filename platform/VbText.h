#pragma once
// The text rules of the program's settings, data and output files: comma-separated
// "write" lines, the matching field reader, column-aligned "print" lines, and the number
// and date formatting those files and the displays use. Files are Latin-1 with CR LF.

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace vb {

// Optional blanks, an optional sign, digits with at most one decimal point, an optional
// exponent, optional blanks. The empty text is not numeric.
bool isNumeric(const QString &text);

// The leading number of a text, 0 when there is none ("12abc" is 12, "abc" is 0).
// Blanks before and inside the digits are skipped.
double val(const QString &text);

// The number in a box, as the old conversion of text to number reads it: a decimal number as
// isNumeric takes it, or "&H" hexadecimal or "&O" octal digits ("&H378" is 888); nothing for
// text that is no number.
std::optional<double> numberIn(const QString &text);

// The text without its leading and trailing blanks (other white space stays).
QString trim(const QString &text);

// The text without its trailing blanks (other white space stays).
QString rtrim(const QString &text);

// Round to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);
// The same as a 64-bit integer: beyond its range the nearest end, NaN as 0.
std::int64_t roundToInt(double value);

// A number as the files carry it: "." as the decimal point, no blanks, a whole number as its
// digits. Single-precision values show at most 7 significant digits.
QString numberText(double value);
QString singleText(float value);

// Fixed decimals with halves rounded away from zero (2.25 with one decimal is "2.3").
QString fixedText(double value, int decimals);

// Number patterns of '#', '0', ',' and one '.', e.g. "###", "##,###", "###0.0".
// Halves round away from zero; ',' groups thousands with the locale's separator when asked.
// A '0' after the point shows its place and every place before it; the point itself always
// shows ("####.#####" writes 7 as "7." and 0.5 as ".5").
QString formatNumber(double value, const QString &pattern, bool localeSeparators = true);
// The same for a single-precision value: its 7-digit decimal form is what gets rounded, so
// 0.45f (stored as 0.449999988) is a half and shows "0.5" under "###0.0".
QString formatSingle(float value, const QString &pattern, bool localeSeparators = true);

// Date and time patterns: yyyy, yy, mm (month, or minutes right after an hour), dd, hh, h,
// nn, ss, AMPM. "/" and ":" stay literal so that stored texts never depend on the locale.
QString formatDateTime(const QDateTime &when, const QString &pattern);
// The same for a date shown on screen: "/" becomes the date separator of `locale`.
QString formatShownDate(const QDateTime &when, const QString &pattern, const QLocale &locale);

// One comma-separated line: text in double quotes, numbers bare, CR LF at the end. There is no
// escaping, so a double quote inside a text is dropped: it would end the field when read back.
class WriteLine {
public:
  WriteLine &text(const QString &value);
  WriteLine &number(double value);
  WriteLine &single(float value);
  WriteLine &boolean(bool value);
  WriteLine &empty();
  QString str() const;

private:
  void next();
  QString line_;
  bool first_ = true;
};

// Reads fields separated by commas or line ends (not line by line). A quoted field keeps its
// commas and blanks; an unquoted one is trimmed. Every read fails past the end of the data.
class FieldReader {
public:
  explicit FieldReader(QString content);
  static std::optional<FieldReader> fromFile(const QString &path);

  bool atEnd() const;
  std::optional<QString> text();
  // A non-numeric field reads as 0; a field outside [min, max] is a failure.
  std::optional<double> number(double min = -1.0e308, double max = 1.0e308);
  std::optional<int> integer(int min, int max);
  std::optional<bool> boolean();
  // The text fields from here to the end of the line (one record of a line-per-record file).
  std::optional<QStringList> line();

private:
  QString data_;
  qsizetype pos_ = 0;
  bool lineEnded_ = false; // the last field read ended its line
};

// Stores a value just read into its variable; false, leaving the variable alone, when the read
// failed. Settings files are read this way, value by value in file order.
template <class T, class U> bool readInto(const std::optional<T> &value, U &into) {
  if (value)
    into = static_cast<U>(*value);
  return value.has_value();
}

// A line of values printed one after another, with tab stops at 1-based columns. A tab stop
// the line has already passed continues on a new line at that column.
class PrintLine {
public:
  PrintLine &text(const QString &value);
  // A number prints with a blank in place of a plus sign and a blank after it.
  PrintLine &number(double value);
  PrintLine &tab(int column);
  // A tab stop that keeps the line whole: a line already at or past the column gets one blank,
  // so an over-long value neither breaks the line nor runs into the next value.
  PrintLine &column(int column);
  // The finished text, every line ending CR LF.
  QString str() const;

private:
  QString done_;
  QString line_;
};

// Whole-file helpers. Reading returns nullopt when the file cannot be read; writing goes to a
// temporary file, flushed and synced, then renamed over the target, so a failure (a full disk
// among them) never leaves an empty or half-written file: the old one stays as it was. Both
// give the system's description of a failure in `error` when asked.
std::optional<QString> readLatin1(const QString &path, QString *error = nullptr);
bool writeLatin1Atomic(const QString &path, const QString &content, QString *error = nullptr);
bool writeAtomic(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace vb
