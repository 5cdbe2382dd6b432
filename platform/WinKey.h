#pragma once
// The WinKey keyer's twelve calls, as the program's keying uses them, and our driver speaking
// the keyer's host protocol on a serial port (1200 baud, 8 data bits, no parity, 2 stop bits).
// Every call returns at once or after a short blocking read; none waits for the Morse.

#include <QSerialPort>
#include <QString>

#include <cstdint>
#include <functional>

// Results of the calls.
namespace wkresult {
inline constexpr std::int32_t Success = 0;
inline constexpr std::int32_t NoEchoResponse = -1;
inline constexpr std::int32_t EchoMismatch = -2;
inline constexpr std::int32_t NoOpenResponse = -3;
inline constexpr std::int32_t ComOpenFailed = -4;
inline constexpr std::int32_t SetComStFailed = -6;
inline constexpr std::int32_t AlreadyOpen = -8;
inline constexpr std::int32_t NotOpen = -9;
} // namespace wkresult

// The status bits (the low five bits of the keyer's status byte).
namespace wkstatus {
inline constexpr std::int32_t Xoff = 1; // the keyer's buffer is more than two thirds full
inline constexpr std::int32_t BreakIn = 2;
inline constexpr std::int32_t Busy = 4;
inline constexpr std::int32_t KeyDown = 8;
inline constexpr std::int32_t Wait = 16;
// Ours, added to the keyer's bits while it is sending or its buffer is nearly full: the callers
// hand over the next character only at a status of 4 or less, and Busy alone is 4.
inline constexpr std::int32_t Hold = 32;
} // namespace wkstatus

class QDeadlineTimer;

class WinKey {
public:
  virtual ~WinKey() = default;
  // 0 with the keyer's version in `version`; a negative result (wkresult) otherwise, with
  // `version` untouched.
  virtual std::int32_t wk_open(std::uint8_t &version, std::uint8_t port) = 0;
  virtual std::int32_t wk_close() = 0;
  virtual std::int32_t wk_char(std::uint8_t code) = 0;
  // The status bits, with Hold while the keyer is Busy or in Xoff; the last known status when
  // the keyer does not answer at once.
  virtual std::int32_t wk_getstatus() = 0;
  virtual std::int32_t wk_clearbuf() = 0;
  virtual std::int32_t wk_backspace() = 0;
  virtual std::int32_t wk_wpm(std::uint8_t wpm) = 0;
  virtual std::int32_t wk_weight(std::uint8_t weight) = 0;
  virtual std::int32_t wk_ptt_leadtail(std::uint8_t leadIn, std::uint8_t tail) = 0;
  virtual std::int32_t wk_ditdah_ratio(std::uint8_t ratio) = 0;
  virtual std::int32_t wk_pincfg(std::uint8_t pins) = 0;
  virtual std::int32_t wk_setmode(std::uint8_t mode) = 0;
  // The serial device held while open, empty while closed.
  virtual QString device() const = 0;
};

class SerialWinKey : public WinKey {
public:
  // `msCounter` is a monotonic millisecond counter; it tells when the keyer has gone silent.
  explicit SerialWinKey(std::function<std::int64_t()> msCounter = {});
  ~SerialWinKey() override;

  std::int32_t wk_open(std::uint8_t &version, std::uint8_t port) override;
  std::int32_t wk_close() override;
  std::int32_t wk_char(std::uint8_t code) override;
  std::int32_t wk_getstatus() override;
  std::int32_t wk_clearbuf() override;
  std::int32_t wk_backspace() override;
  std::int32_t wk_wpm(std::uint8_t wpm) override;
  std::int32_t wk_weight(std::uint8_t weight) override;
  std::int32_t wk_ptt_leadtail(std::uint8_t leadIn, std::uint8_t tail) override;
  std::int32_t wk_ditdah_ratio(std::uint8_t ratio) override;
  std::int32_t wk_pincfg(std::uint8_t pins) override;
  std::int32_t wk_setmode(std::uint8_t mode) override;
  QString device() const override;

  // How long the keyer may take to answer the echo test and the host open, and a status request.
  static constexpr int kReplyMs = 1000;
  static constexpr int kStatusMs = 100;
  // Status requests left unanswered this long mean the keyer is gone.
  static constexpr int kGoneMs = 3000;

private:
  bool isOpen() const { return port_.isOpen(); }
  // Sends the bytes at once; false, with the port closed, on a write error.
  bool send(const QByteArray &data);
  std::int32_t command(const QByteArray &command);
  // The next byte from the keyer before the deadline, -1 when none came (a read error closes the
  // port). A status byte updates the last known status on the way.
  int nextByte(const QDeadlineTimer &deadline);
  // Reads what has already arrived, for the status bytes the keyer sent on its own.
  void takeWaitingBytes();
  void dropPort();

  QSerialPort port_;
  QString device_;
  std::function<std::int64_t()> ms_;
  QByteArray pending_; // bytes read but not yet taken by a reply read
  std::int32_t status_ = 0;
  std::int64_t lastAnswerMs_ = 0;
};
