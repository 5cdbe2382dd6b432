#pragma once
// A serial line as the program's links use it: open with its settings, write, ask what is still
// to be sent, take what has come in, switch the control lines. The real one is a QSerialPort on
// the user-interface thread; tests put a double in its place.

#include <QByteArray>
#include <QSerialPort>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

struct SerialOpenSettings {
  qint32 baud = 9600;
  char parity = 'N'; // 'N', 'O', 'E'
  int dataBits = 8;
  int stopBits = 1;
  bool rtsCts = false;
};

class SerialLink {
public:
  virtual ~SerialLink() = default;
  // Closes first when open. False with errorString() when the device is missing, busy or
  // refuses a setting.
  virtual bool open(const QString &device, const SerialOpenSettings &settings) = 0;
  virtual bool isOpen() const = 0;
  virtual void close() = 0;
  // Hands the bytes to the system at once; false when the line takes none (a closed port).
  virtual bool write(const QByteArray &bytes) = 0;
  // Bytes written but not yet sent; 0 when closed.
  virtual qint64 bytesToWrite() = 0;
  // Everything that has come in since the last take, at most the newest kInputLimit bytes.
  virtual QByteArray takeInput() = 0;
  virtual void discardInput() = 0;
  // Waits until the output has gone, at most `ms`.
  virtual void waitForSent(int ms) = 0;
  // The control lines; false when the line refuses (a pseudo-terminal has no RTS).
  virtual bool setDtr(bool on) = 0;
  virtual bool setRts(bool on) = 0;
  // Why the last call failed; after the device went away, why it went.
  virtual QString errorString() const = 0;

  // Called once when the device goes away while open: a read or write error that means it is
  // gone, or output that has not moved for kStallMs. The port is closed by then. It may be called
  // from inside the link's own calls, so it must not wait for the operator there.
  std::function<void()> onLost;

  static constexpr qsizetype kInputLimit = 4096;
  static constexpr int kStallMs = 2000;
};

class QtSerialLink : public SerialLink {
public:
  QtSerialLink();
  bool open(const QString &device, const SerialOpenSettings &settings) override;
  bool isOpen() const override;
  void close() override;
  bool write(const QByteArray &bytes) override;
  qint64 bytesToWrite() override;
  QByteArray takeInput() override;
  void discardInput() override;
  void waitForSent(int ms) override;
  bool setDtr(bool on) override;
  bool setRts(bool on) override;
  QString errorString() const override;

private:
  void keepInput();
  bool hungUp();
  void lose(const QString &why);
  QSerialPort port_;
  QByteArray input_;
  QTimer stall_; // runs while output waits and has not moved
  QString lostWhy_;
};
