#pragma once
// A serial key line for benchmarks: it opens any device and stamps each RTS change it is asked
// for with the steady clock.

#include "platform/SerialKeyLine.h"

#include <chrono>
#include <utility>
#include <vector>

using SteadyTime = std::chrono::steady_clock::time_point;

// A key line that stamps each change it is asked for.
class StampingLine : public SerialKeyLine {
public:
  std::vector<std::pair<bool, SteadyTime>> *stamps = nullptr;
  bool open(const QString &device, QString *) override {
    device_ = device;
    return true;
  }
  void close() override { device_.clear(); }
  bool isOpen() const override { return !device_.isEmpty(); }
  QString device() const override { return device_; }
  void setDtr(bool) override {}
  void setRts(bool on) override {
    if (stamps)
      stamps->emplace_back(on, std::chrono::steady_clock::now());
  }

private:
  QString device_;
};
