#pragma once
// The TNC's serial port: the settings the cluster window's option buttons choose, and the
// order in which they reach the port.

#include <QSerialPort>
#include <QString>

#include <optional>

// "9600,N,8,1": the baud without its trailing blanks, parity, data bits, stop bits.
QString tncPortSettings(const QString &baud, const QString &parity, const QString &dataBits,
                        const QString &stopBits);

struct TncPortChoice {
  int PortNumber = 0;
  QString PortSettings; // as tncPortSettings writes it
  QString PortPower;    // "N", "R" or "D"
  int PortHandshaking = 1;
};

struct TncSerialSettings {
  QString device;
  qint32 baud = 0;
  QSerialPort::Parity parity = QSerialPort::NoParity;
  QSerialPort::DataBits dataBits = QSerialPort::Data8;
  QSerialPort::StopBits stopBits = QSerialPort::OneStop;
  // "RTS OnOff" (RTS/CTS with XON/XOFF) becomes hardware flow control: the closest there is.
  QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;
};

// The device and settings the choice means; none when a value is not one the options give or
// no port was ever chosen.
std::optional<TncSerialSettings> tncSerialSettings(const TncPortChoice &choice);

// Pseudo-terminals refuse the modem lines, and the driver keeps RTS to itself under hardware
// flow control: such a refusal is reported and the port stays in use.
template <class Port> void setTncLine(Port &port, bool (Port::*set)(bool), bool on, const char *line) {
  if ((port.*set)(on))
    return;
  qWarning("TNC port %s: %s could not be set %s", qPrintable(port.portName()), line, on ? "on" : "off");
  port.clearError();
}

// Closes the port if open and opens it as chosen: the settings before the open, the lines after
// it (both low, RTS up for RTS handshaking, then the power line). False when the device is
// missing or busy or a setting is refused; the port is then closed.
template <class Port> bool openTncPort(Port &port, const TncPortChoice &choice) {
  if (port.isOpen())
    port.close();
  const auto settings = tncSerialSettings(choice);
  if (!settings)
    return false;
  port.setPortName(settings->device);
  if (!port.setBaudRate(settings->baud) || !port.setParity(settings->parity) ||
      !port.setDataBits(settings->dataBits) || !port.setStopBits(settings->stopBits) ||
      !port.setFlowControl(settings->flowControl) || !port.open(QIODevice::ReadWrite)) {
    if (port.isOpen())
      port.close();
    return false;
  }
  setTncLine(port, &Port::setDataTerminalReady, false, "DTR");
  setTncLine(port, &Port::setRequestToSend, false, "RTS");
  if (settings->flowControl == QSerialPort::HardwareControl)
    setTncLine(port, &Port::setRequestToSend, true, "RTS");
  if (choice.PortPower == QLatin1String("R"))
    setTncLine(port, &Port::setRequestToSend, true, "RTS");
  else if (choice.PortPower == QLatin1String("D"))
    setTncLine(port, &Port::setDataTerminalReady, true, "DTR");
  return true;
}
