#include "spotting/TncPort.h"

#include "platform/SerialPorts.h"
#include "platform/VbText.h"

QString tncPortSettings(const TncPortChoice &choice) {
  return vb::rtrim(choice.PortBaud) + ',' + choice.PortParity + ',' + choice.PortDataBits + ',' +
         choice.PortStopBits;
}

std::optional<TncSerialSettings> tncSerialSettings(const TncPortChoice &choice) {
  TncSerialSettings settings;
  settings.device = serialports::deviceForPort(choice.PortNumber);
  bool number = false;
  settings.baud = vb::rtrim(choice.PortBaud).toInt(&number);
  if (settings.device.isEmpty() || !number || settings.baud <= 0)
    return std::nullopt;

  if (choice.PortParity == QLatin1String("O"))
    settings.parity = QSerialPort::OddParity;
  else if (choice.PortParity == QLatin1String("E"))
    settings.parity = QSerialPort::EvenParity;
  else if (choice.PortParity != QLatin1String("N"))
    return std::nullopt;

  if (choice.PortDataBits == QLatin1String("7"))
    settings.dataBits = QSerialPort::Data7;
  else if (choice.PortDataBits != QLatin1String("8"))
    return std::nullopt;

  if (choice.PortStopBits == QLatin1String("2"))
    settings.stopBits = QSerialPort::TwoStop;
  else if (choice.PortStopBits != QLatin1String("1"))
    return std::nullopt;

  if (choice.PortHandshaking == 2)
    settings.flowControl = QSerialPort::SoftwareControl;
  else if (choice.PortHandshaking == 3 || choice.PortHandshaking == 4)
    settings.flowControl = QSerialPort::HardwareControl;
  return settings;
}
