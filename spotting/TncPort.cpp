#include "spotting/TncPort.h"

#include "platform/SerialPorts.h"
#include "platform/VbText.h"

QString tncPortSettings(const QString &baud, const QString &parity, const QString &dataBits,
                        const QString &stopBits) {
  return vb::rtrim(baud) + ',' + parity + ',' + dataBits + ',' + stopBits;
}

std::optional<TncSerialSettings> tncSerialSettings(const TncPortChoice &choice) {
  TncSerialSettings settings;
  settings.device = serialports::deviceForPort(choice.PortNumber);
  const QStringList fields = choice.PortSettings.split(QLatin1Char(','));
  if (settings.device.isEmpty() || fields.size() != 4)
    return std::nullopt;
  const QString &parity = fields[1], &dataBits = fields[2], &stopBits = fields[3];
  bool number = false;
  settings.baud = fields[0].toInt(&number);
  if (!number || settings.baud <= 0)
    return std::nullopt;

  if (parity == QLatin1String("O"))
    settings.parity = QSerialPort::OddParity;
  else if (parity == QLatin1String("E"))
    settings.parity = QSerialPort::EvenParity;
  else if (parity != QLatin1String("N"))
    return std::nullopt;

  if (dataBits == QLatin1String("7"))
    settings.dataBits = QSerialPort::Data7;
  else if (dataBits != QLatin1String("8"))
    return std::nullopt;

  if (stopBits == QLatin1String("2"))
    settings.stopBits = QSerialPort::TwoStop;
  else if (stopBits != QLatin1String("1"))
    return std::nullopt;

  if (choice.PortHandshaking == 2)
    settings.flowControl = QSerialPort::SoftwareControl;
  else if (choice.PortHandshaking == 3 || choice.PortHandshaking == 4)
    settings.flowControl = QSerialPort::HardwareControl;
  return settings;
}
