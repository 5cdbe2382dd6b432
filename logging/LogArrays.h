#pragma once
// The in-memory log: every contact of the shared log, slots numbered from 1 as the contact list
// shows them. It grows with the log; there is no fixed capacity.

#include "platform/LogDb.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

struct LogEntry {
  QString calls, rstr, serialr, rsts, flddate, fldtime;
  float points = 0;
  QString serials, uband, trn, countryworked, prefix;
};

// What the walks on every key and every minute read of a contact, worked out once when it
// enters the log: they then touch neither its strings nor the heap.
struct ContactKey {
  static constexpr std::int64_t kNoTime = INT64_MIN;
  static constexpr int kCallBytes = 14;
  static constexpr std::uint8_t kLongCall = 0xFF;
  // The stored date and time as seconds of the wall clock since 1970, kNoTime when unreadable.
  std::int64_t when = kNoTime;
  // The call in ASCII capitals; kLongCall when it does not fit or is not plain ASCII.
  std::array<char, kCallBytes> call{};
  std::uint8_t callLength = 0;
  // The band's place among the six band codes, -1 for any other text.
  std::int8_t band = -1;
};

// Copies share the contacts until one of them changes, so that a copy handed to a worker
// thread (the backup) costs nothing and is never changed under it.
class LogArrays {
public:
  int ContactCount() const { return static_cast<int>(d_->entries.size()); }
  const LogEntry &slot(int n) const { return d_->entries.at(static_cast<size_t>(n - 1)); }
  const ContactKey &key(int n) const { return d_->keys[static_cast<size_t>(n - 1)]; }
  void append(LogEntry entry);
  void removeLast();
  void clear();
  void reserve(int n);

private:
  struct Data {
    std::vector<LogEntry> entries;
    std::vector<ContactKey> keys;
  };
  void detach();
  std::shared_ptr<Data> d_ = std::make_shared<Data>();
};

// A table row as memory holds it: points read as a number (text that is none counts 0).
LogEntry entryFromRecord(ContactRecord record);

// A call in the compact form of ContactKey; false when it does not fit.
bool compactCall(const QString &call, std::array<char, ContactKey::kCallBytes> &out, std::uint8_t &length);
// The place of a band code among the six (without regard to case), -1 for any other text.
int bandIndex(const QString &band);
