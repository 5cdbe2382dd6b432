#pragma once
// Printer ports as key lines, through the Linux parallel-port device (ppdev): one byte written
// to a port's control register (base + 2). Each device is opened and claimed once for the whole
// program, since a second claim from the same process would block; CW keying and push-to-talk
// share it.

#include <QString>

#include <map>

// The parallel-port device for a base address: the port whose "<procFolder>/parport<k>/base-addr"
// begins with that address, else /dev/parport0, 1 or 2 for &H378, &H278 and &H3BC; empty when
// neither knows the address.
QString parportDevice(int baseAddress, const QString &procFolder = QStringLiteral("/proc/sys/dev/parport"));

class PrinterPorts {
public:
  struct Failure {
    QString device;
    QString description;
  };
  virtual ~PrinterPorts() = default;
  // Writes `value` to the control register at `address`, opening and claiming its device on
  // first use. False, with the device and the system's description, when it cannot be used;
  // the next write tries again.
  virtual bool writeControl(int address, int value, Failure *failure = nullptr) = 0;
  // Releases every device; one left at 3 (keyed) gets 2 first.
  virtual void closeAll() = 0;
};

class PpdevPrinterPorts : public PrinterPorts {
public:
  explicit PpdevPrinterPorts(QString procFolder = QStringLiteral("/proc/sys/dev/parport"));
  ~PpdevPrinterPorts() override;
  bool writeControl(int address, int value, Failure *failure) override;
  void closeAll() override;

private:
  struct Device {
    int fd = -1;
    int last = -1;
  };
  QString procFolder_;
  std::map<QString, Device> devices_;
};
