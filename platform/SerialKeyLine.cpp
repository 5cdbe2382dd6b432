#include "platform/SerialKeyLine.h"

#include <QSerialPort>

QtSerialKeyLine::QtSerialKeyLine() : port_(std::make_unique<QSerialPort>()) {
  port_->setFlowControl(QSerialPort::NoFlowControl);
}

QtSerialKeyLine::~QtSerialKeyLine() {
  close();
}

bool QtSerialKeyLine::open(const QString &device, QString *error) {
  close();
  port_->setPortName(device);
  if (!port_->open(QIODevice::ReadWrite)) {
    if (error)
      *error = port_->errorString();
    return false;
  }
  device_ = device;
  // The tty driver raised both lines on open; this is the earliest they can come down. A device
  // that fails these calls (a failing adapter) opens, but is no key line.
  const QString failure = apply();
  if (!port_->isOpen() && error)
    *error = failure;
  return port_->isOpen();
}

void QtSerialKeyLine::close() {
  dtr_ = rts_ = false;
  if (port_->isOpen()) {
    apply();
    port_->close();
  }
}

bool QtSerialKeyLine::isOpen() const {
  return port_->isOpen();
}

QString QtSerialKeyLine::device() const {
  return port_->isOpen() ? device_ : QString();
}

void QtSerialKeyLine::setDtr(bool on) {
  dtr_ = on;
  apply();
}

void QtSerialKeyLine::setRts(bool on) {
  rts_ = on;
  apply();
}

QString QtSerialKeyLine::apply() {
  if (!port_->isOpen())
    return {};
  // A refusal (a pseudo-terminal has no modem lines) is no reason to give the port up.
  for (const bool ok : {port_->setDataTerminalReady(dtr_), port_->setRequestToSend(rts_)}) {
    const auto failure = port_->error();
    const QString description = port_->errorString();
    port_->clearError();
    if (!ok && failure == QSerialPort::ResourceError) {
      port_->close();
      return description;
    }
  }
  return {};
}
