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

// Copies share the contacts in blocks until one of them changes a block, so that a copy (the
// contact list's, the backup's on the worker thread) costs next to nothing, is never changed
// under its holder, and an append to a shared log copies at most its last block.
class LogArrays {
public:
  int ContactCount() const { return count_; }
  const LogEntry &slot(int n) const { return block(n).entries.at(offset(n)); }
  const ContactKey &key(int n) const { return block(n).keys[offset(n)]; }
  void append(LogEntry entry);
  void removeLast();
  void clear();

private:
  static constexpr int kBlock = 128;
  struct Block {
    std::vector<LogEntry> entries;
    std::vector<ContactKey> keys;
  };
  const Block &block(int n) const { return *blocks_.at(static_cast<size_t>(n - 1) / kBlock); }
  static size_t offset(int n) { return static_cast<size_t>(n - 1) % kBlock; }
  // The last block, this copy's own.
  Block &ownLast();
  std::vector<std::shared_ptr<Block>> blocks_;
  int count_ = 0;
};

// A table row as memory holds it: points read as a number (text that is none counts 0).
LogEntry entryFromRecord(ContactRecord record);

// A call in the compact form of ContactKey; false when it does not fit.
bool compactCall(const QString &call, std::array<char, ContactKey::kCallBytes> &out, std::uint8_t &length);
// The place of a band code among the six (without regard to case), -1 for any other text.
int bandIndex(const QString &band);
