#include "platform/SerialLink.h"

#include <utility>

QtSerialLink::QtSerialLink() {
  QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { keepInput(); });
}

bool QtSerialLink::open(const QString &device, const SerialOpenSettings &s) {
  close();
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
  if (port_.isOpen())
    port_.close();
  input_.clear();
}

bool QtSerialLink::write(const QByteArray &bytes) {
  if (!port_.isOpen() || port_.write(bytes) != bytes.size())
    return false;
  port_.flush();
  return true;
}

qint64 QtSerialLink::bytesToWrite() {
  if (!port_.isOpen())
    return 0;
  port_.flush();
  return port_.bytesToWrite();
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
  keepInput();
  return std::exchange(input_, QByteArray());
}

void QtSerialLink::discardInput() {
  if (!port_.isOpen())
    return;
  takeInput();
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
  return port_.isOpen() ? port_.errorString() : QStringLiteral("The port is not open.");
}
