#pragma once
// The in-memory log: every contact of the shared log, slots numbered from 1 as the contact list
// shows them. It grows with the log; there is no fixed capacity.

#include "platform/LogDb.h"

#include <QString>

#include <vector>

struct LogEntry {
  QString calls, rstr, serialr, rsts, flddate, fldtime;
  float points = 0;
  QString serials, uband, trn, countryworked, prefix;
};

class LogArrays {
public:
  int ContactCount() const { return static_cast<int>(slots_.size()); }
  LogEntry &slot(int n) { return slots_.at(static_cast<size_t>(n - 1)); }
  const LogEntry &slot(int n) const { return slots_.at(static_cast<size_t>(n - 1)); }
  void append(LogEntry entry) { slots_.push_back(std::move(entry)); }
  void removeLast() { slots_.pop_back(); }
  void clear() { slots_.clear(); }
  void reserve(int n) { slots_.reserve(static_cast<size_t>(n)); }

private:
  std::vector<LogEntry> slots_;
};

// A table row as memory holds it: points read as a number (text that is none counts 0).
LogEntry entryFromRecord(ContactRecord record);
