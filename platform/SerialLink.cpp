#include "platform/SerialLink.h"

#include <poll.h>

#include <utility>

QtSerialLink::QtSerialLink() {
  QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { keepInput(); });
  // Qt keeps retrying output to a device that has gone (a pulled USB adapter, a closed
  // pseudo-terminal) as fast as it can; such a line is closed at its first error. Qt reports a
  // line that takes no bytes just now the same way: that one is left to the stall timer.
  QObject::connect(&port_, &QSerialPort::errorOccurred, &port_, [this](QSerialPort::SerialPortError e) {
    if ((e == QSerialPort::ResourceError || e == QSerialPort::WriteError || e == QSerialPort::ReadError) &&
        hungUp())
      lose(QStringLiteral("The serial device has gone away."));
  });
  stall_.setSingleShot(true);
  stall_.setInterval(kStallMs);
  QObject::connect(&stall_, &QTimer::timeout, &port_, [this] {
    if (port_.isOpen() && port_.bytesToWrite() > 0)
      lose(QStringLiteral("The serial device has taken no data for %1 seconds.").arg(kStallMs / 1000));
  });
  QObject::connect(&port_, &QSerialPort::bytesWritten, &port_, [this] {
    if (port_.bytesToWrite() > 0)
      stall_.start();
    else
      stall_.stop();
  });
}

bool QtSerialLink::hungUp() {
  pollfd line{port_.handle(), POLLIN | POLLOUT, 0};
  return ::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

void QtSerialLink::lose(const QString &why) {
  if (!port_.isOpen())
    return;
  close();
  lostWhy_ = why;
  if (onLost)
    onLost();
}

bool QtSerialLink::open(const QString &device, const SerialOpenSettings &s) {
  close();
  lostWhy_.clear();
  port_.setPortName(device);
  const QSerialPort::Parity parity = s.parity == 'O'   ? QSerialPort::OddParity
                                     : s.parity == 'E' ? QSerialPort::EvenParity
                                                       : QSerialPort::NoParity;
  if (!port_.setBaudRate(s.baud) || !port_.setParity(parity) ||
      !port_.setDataBits(s.dataBits == 7 ? QSerialPort::Data7 : QSerialPort::Data8) ||
      !port_.setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) ||
      !port_.setFlowControl(s.rtsCts ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl))
    return false;
  if (!port_.open(QIODevice::ReadWrite))
    return false;
  // Settings the device refused show as an error after the opening.
  if (port_.error() != QSerialPort::NoError) {
    port_.close();
    return false;
  }
  input_.clear();
  return true;
}

bool QtSerialLink::isOpen() const {
  return port_.isOpen();
}

void QtSerialLink::close() {
  stall_.stop();
  if (port_.isOpen()) {
    port_.close();
    lostWhy_.clear();
  }
  input_.clear();
}

bool QtSerialLink::write(const QByteArray &bytes) {
  if (!port_.isOpen() || port_.write(bytes) != bytes.size())
    return false;
  port_.flush();
  if (!port_.isOpen())
    return false;
  if (port_.bytesToWrite() > 0 && !stall_.isActive())
    stall_.start();
  return true;
}

qint64 QtSerialLink::bytesToWrite() {
  if (!port_.isOpen())
    return 0;
  port_.flush();
  return port_.isOpen() ? port_.bytesToWrite() : 0;
}

void QtSerialLink::keepInput() {
  input_ += port_.readAll();
  if (input_.size() > kInputLimit)
    input_.remove(0, input_.size() - kInputLimit);
}

QByteArray QtSerialLink::takeInput() {
  if (!port_.isOpen())
    return {};
  // What the system holds now, whether or not the event loop has run since the last take; a few
  // rounds at most, so a line that floods cannot hold the tick.
  for (int round = 0; round < 4 && port_.waitForReadyRead(0); ++round) {
  }
  if (!port_.isOpen())
    return {};
  keepInput();
  return std::exchange(input_, QByteArray());
}

void QtSerialLink::discardInput() {
  if (!port_.isOpen())
    return;
  takeInput();
  if (port_.isOpen())
    port_.clear(QSerialPort::Input);
}

void QtSerialLink::waitForSent(int ms) {
  if (port_.isOpen() && port_.bytesToWrite() > 0)
    port_.waitForBytesWritten(ms);
}

bool QtSerialLink::setDtr(bool on) {
  return port_.isOpen() && port_.setDataTerminalReady(on);
}

bool QtSerialLink::setRts(bool on) {
  return port_.isOpen() && port_.setRequestToSend(on);
}

QString QtSerialLink::errorString() const {
  if (port_.isOpen())
    return port_.errorString();
  return lostWhy_.isEmpty() ? QStringLiteral("The port is not open.") : lostWhy_;
}
