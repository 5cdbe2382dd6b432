#include "platform/WinKey.h"

#include "platform/Clock.h"
#include "platform/SerialPorts.h"

#include <QDeadlineTimer>

namespace {

bool isStatusByte(int byte) {
  return (byte & 0xE0) == 0xC0;
}

QByteArray bytes(std::initializer_list<std::uint8_t> values) {
  QByteArray out;
  for (const std::uint8_t value : values)
    out.append(static_cast<char>(value));
  return out;
}

constexpr std::uint8_t kEchoByte = 0x55;

} // namespace

SerialWinKey::SerialWinKey(std::function<std::int64_t()> msCounter)
    : ms_(msCounter ? std::move(msCounter) : steadyMs) {}

SerialWinKey::~SerialWinKey() {
  wk_close();
}

QString SerialWinKey::device() const {
  return isOpen() ? device_ : QString();
}

std::int32_t SerialWinKey::wk_open(std::uint8_t &version, std::uint8_t port) {
  if (isOpen())
    return wkresult::AlreadyOpen;
  const QString device = serialports::deviceForPort(port);
  if (device.isEmpty())
    return wkresult::ComOpenFailed;
  port_.setPortName(device);
  if (!port_.open(QIODevice::ReadWrite))
    return wkresult::ComOpenFailed;
  device_ = device;
  if (!port_.setBaudRate(QSerialPort::Baud1200) || !port_.setDataBits(QSerialPort::Data8) ||
      !port_.setParity(QSerialPort::NoParity) || !port_.setStopBits(QSerialPort::TwoStop) ||
      !port_.setFlowControl(QSerialPort::NoFlowControl)) {
    dropPort();
    return wkresult::SetComStFailed;
  }
  // The keyer is powered from these lines on some models; a pseudo-terminal has none and refuses.
  port_.setDataTerminalReady(true);
  port_.setRequestToSend(false);
  port_.clearError();
  status_ = 0;
  pending_.clear();
  // Null commands complete any command the keyer's parser was left inside.
  if (!send(bytes({0x13, 0x13, 0x13})))
    return wkresult::ComOpenFailed;
  port_.clear(QSerialPort::Input);

  if (!send(bytes({0x00, 0x04, kEchoByte})))
    return wkresult::ComOpenFailed;
  const int echo = nextByte(QDeadlineTimer(kReplyMs));
  if (echo != kEchoByte) {
    dropPort();
    return echo < 0 ? wkresult::NoEchoResponse : wkresult::EchoMismatch;
  }
  if (!send(bytes({0x00, 0x02})))
    return wkresult::ComOpenFailed;
  const int reply = nextByte(QDeadlineTimer(kReplyMs));
  if (reply < 0) {
    dropPort();
    return wkresult::NoOpenResponse;
  }
  version = static_cast<std::uint8_t>(reply);
  lastAnswerMs_ = ms_();
  return wkresult::Success;
}

std::int32_t SerialWinKey::wk_close() {
  if (!isOpen())
    return wkresult::NotOpen;
  send(bytes({0x00, 0x03}));
  dropPort();
  return wkresult::Success;
}

std::int32_t SerialWinKey::wk_char(std::uint8_t code) {
  if (!isOpen())
    return wkresult::NotOpen;
  // Codes below 0x20 are commands to the keyer (Enter would set its Farnsworth speed).
  if (code < 0x20 || code > 0x7E)
    return wkresult::Success;
  if (code >= 'a' && code <= 'z')
    code = static_cast<std::uint8_t>(code - 'a' + 'A');
  return command(bytes({code}));
}

std::int32_t SerialWinKey::wk_getstatus() {
  if (!isOpen())
    return wkresult::NotOpen;
  takeWaitingBytes();
  if (!send(bytes({0x15})))
    return wkresult::NotOpen;
  const QDeadlineTimer deadline(kStatusMs);
  for (int byte; (byte = nextByte(deadline)) >= 0;)
    if (isStatusByte(byte))
      return status_;
  if (!isOpen())
    return wkresult::NotOpen;
  if (ms_() - lastAnswerMs_ >= kGoneMs) {
    dropPort();
    return wkresult::NotOpen;
  }
  return status_;
}

std::int32_t SerialWinKey::wk_clearbuf() {
  return command(bytes({0x0A}));
}
std::int32_t SerialWinKey::wk_backspace() {
  return command(bytes({0x08}));
}
std::int32_t SerialWinKey::wk_wpm(std::uint8_t wpm) {
  return command(bytes({0x02, wpm}));
}
std::int32_t SerialWinKey::wk_weight(std::uint8_t weight) {
  return command(bytes({0x03, weight}));
}
std::int32_t SerialWinKey::wk_ptt_leadtail(std::uint8_t leadIn, std::uint8_t tail) {
  return command(bytes({0x04, leadIn, tail}));
}
std::int32_t SerialWinKey::wk_ditdah_ratio(std::uint8_t ratio) {
  return command(bytes({0x17, ratio}));
}
std::int32_t SerialWinKey::wk_pincfg(std::uint8_t pins) {
  return command(bytes({0x09, pins}));
}
std::int32_t SerialWinKey::wk_setmode(std::uint8_t mode) {
  return command(bytes({0x0E, mode}));
}

std::int32_t SerialWinKey::command(const QByteArray &command) {
  if (!isOpen())
    return wkresult::NotOpen;
  takeWaitingBytes();
  return send(command) ? wkresult::Success : wkresult::NotOpen;
}

bool SerialWinKey::send(const QByteArray &data) {
  if (!isOpen())
    return false;
  port_.clearError();
  // QSerialPort writes only when the event loop runs, and the callers do not run it between
  // characters: push the bytes out now.
  bool sent = port_.write(data) == data.size();
  port_.flush();
  if (sent && port_.bytesToWrite() > 0)
    sent = port_.waitForBytesWritten(kStatusMs);
  const auto error = port_.error();
  if (sent && error != QSerialPort::WriteError && error != QSerialPort::ResourceError)
    return true;
  dropPort();
  return false;
}

int SerialWinKey::nextByte(const QDeadlineTimer &deadline) {
  while (pending_.isEmpty()) {
    if (!isOpen())
      return -1;
    port_.clearError();
    if (!port_.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
      const auto error = port_.error();
      if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError)
        dropPort(); // the adapter was unplugged
      return -1;
    }
    pending_ += port_.readAll();
  }
  const int byte = static_cast<std::uint8_t>(pending_.front());
  pending_.remove(0, 1);
  if (isStatusByte(byte)) {
    status_ = byte & 0x1F;
    if (status_ & (wkstatus::Busy | wkstatus::Xoff))
      status_ |= wkstatus::Hold;
    lastAnswerMs_ = ms_();
  }
  return byte;
}

void SerialWinKey::takeWaitingBytes() {
  while (nextByte(QDeadlineTimer(0)) >= 0) {
  }
}

void SerialWinKey::dropPort() {
  port_.close();
  pending_.clear();
  device_.clear();
}
