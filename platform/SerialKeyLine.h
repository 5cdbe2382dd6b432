#pragma once
// A serial port used only for its DTR and RTS lines (CW key line, push-to-talk): nothing is sent
// or received. Line states asked for while the port is closed are kept and applied at the next
// open; closing leaves both lines low.

#include <QString>

#include <memory>

class QSerialPort;

class SerialKeyLine {
public:
  virtual ~SerialKeyLine() = default;
  // Opens `device`; the lines then take the states asked for (low unless set since the last
  // close). False with the system's description when the device cannot be opened.
  virtual bool open(const QString &device, QString *error = nullptr) = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  // The device last opened, empty while closed.
  virtual QString device() const = 0;
  virtual void setDtr(bool on) = 0;
  virtual void setRts(bool on) = 0;
};

// The real line on a QSerialPort. A device that refuses modem-line calls (a pseudo-terminal)
// stays open; a device that is gone, or fails them, closes the port and does not open.
class QtSerialKeyLine : public SerialKeyLine {
public:
  QtSerialKeyLine();
  ~QtSerialKeyLine() override;
  bool open(const QString &device, QString *error) override;
  void close() override;
  bool isOpen() const override;
  QString device() const override;
  void setDtr(bool on) override;
  void setRts(bool on) override;

private:
  // Applies the wanted states; a line call that fails because the device went away or failed
  // closes the port, and the failure's description is returned.
  QString apply();
  std::unique_ptr<QSerialPort> port_;
  QString device_;
  bool dtr_ = false;
  bool rts_ = false;
};
