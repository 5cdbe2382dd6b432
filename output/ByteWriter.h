#pragma once
// Writes a record of an output file straight into its bytes: room is made once per record and
// every value goes in through a cursor, so a log of many thousand contacts costs no size check
// or allocation per value. Text goes in as Latin-1, the output files' character set.

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <QtGlobal>

#include <algorithm>

class ByteWriter {
public:
  // `room` must hold everything the record will write.
  ByteWriter(QByteArray &out, qsizetype room) : out_(out), start_(out.size()) {
    out_.resize(start_ + room);
    at_ = out_.data() + start_;
  }
  // Cuts the file back to what was written.
  ~ByteWriter() {
    Q_ASSERT(at_ <= out_.data() + out_.size());
    out_.resize(at_ - out_.data());
  }
  ByteWriter(const ByteWriter &) = delete;
  ByteWriter &operator=(const ByteWriter &) = delete;

  // A character beyond Latin-1 becomes '?', as QString::toLatin1 writes it.
  void text(QStringView s) {
    for (const QChar c : s)
      *at_++ = c.unicode() < 0x100 ? static_cast<char>(c.unicode()) : '?';
  }
  // The same with line breaks as blanks, for a value that must stay on its line.
  void oneLine(QStringView s) {
    for (const QChar c : s) {
      const char16_t u = c.unicode();
      *at_++ = u == u'\r' || u == u'\n' ? ' ' : u < 0x100 ? static_cast<char>(u) : '?';
    }
  }
  void bytes(QByteArrayView b) { at_ = std::copy(b.begin(), b.end(), at_); }
  void put(char c) { *at_++ = c; }
  // The value's last `width` digits, zeros in front.
  void digits(int value, int width) {
    for (int i = width - 1; i >= 0; --i, value /= 10)
      at_[i] = static_cast<char>('0' + value % 10);
    at_ += width;
  }
  void number(qsizetype value) {
    char reversed[24];
    int n = 0;
    do {
      reversed[n++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value > 0);
    while (n > 0)
      *at_++ = reversed[--n];
  }
  // Bytes this record has written so far.
  qsizetype written() const { return at_ - (out_.data() + start_); }
  void blanks(qsizetype count) { at_ = std::fill_n(at_, count, ' '); }

private:
  QByteArray &out_;
  qsizetype start_;
  char *at_;
};
