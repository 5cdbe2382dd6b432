#pragma once
// A serial line without a device: what was written, what the test puts in as input, and
// failures on demand.

#include "platform/SerialLink.h"

#include <utility>
#include <vector>

class FakeSerialLink : public SerialLink {
public:
  bool opens = true;  // open() succeeds
  bool writes = true; // write() succeeds
  qint64 pending = 0; // reported as not yet sent while open
  QByteArray input;   // taken by the next takeInput()
  std::vector<QByteArray> written;
  QString device;
  SerialOpenSettings settings;
  bool dtr = false, rts = false;

  bool open(const QString &path, const SerialOpenSettings &s) override {
    device = path;
    settings = s;
    open_ = opens;
    return opens;
  }
  bool isOpen() const override { return open_; }
  void close() override { open_ = false; }
  bool write(const QByteArray &bytes) override {
    if (!open_ || !writes)
      return false;
    written.push_back(bytes);
    return true;
  }
  qint64 bytesToWrite() override { return open_ ? pending : 0; }
  QByteArray takeInput() override { return std::exchange(input, QByteArray()); }
  void discardInput() override { input.clear(); }
  void waitForSent(int) override { pending = 0; }
  bool setDtr(bool on) override {
    dtr = on;
    return open_;
  }
  bool setRts(bool on) override {
    rts = on;
    return open_;
  }
  QString error = QStringLiteral("Input/output error"); // a write that fails
  QString errorString() const override { return open_ ? error : QStringLiteral("Not open"); }

private:
  bool open_ = false;
};
