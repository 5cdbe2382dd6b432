#include "logging/LogArrays.h"

#include "logging/Bands.h"
#include "logging/LogRules.h"

bool compactCall(const QString &call, std::array<char, ContactKey::kCallBytes> &out, std::uint8_t &length) {
  if (call.size() > ContactKey::kCallBytes)
    return false;
  for (qsizetype i = 0; i < call.size(); ++i) {
    const char16_t c = call[i].unicode();
    if (c >= 0x80)
      return false;
    out[static_cast<size_t>(i)] = static_cast<char>(c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c);
  }
  length = static_cast<std::uint8_t>(call.size());
  return true;
}

int bandIndex(const QString &band) {
  const QStringList &codes = bandCodes();
  for (qsizetype i = 0; i < codes.size(); ++i)
    if (sameBand(codes[i], band))
      return static_cast<int>(i);
  return -1;
}

LogArrays::Block &LogArrays::ownLast() {
  std::shared_ptr<Block> &last = blocks_.back();
  if (last.use_count() > 1)
    last = std::make_shared<Block>(*last);
  return *last;
}

void LogArrays::append(LogEntry entry) {
  ContactKey k;
  if (const auto when = storedSeconds(entry.flddate, entry.fldtime))
    k.when = *when;
  if (!compactCall(entry.calls, k.call, k.callLength))
    k.callLength = ContactKey::kLongCall;
  k.band = static_cast<std::int8_t>(bandIndex(entry.uband));
  if (count_ % kBlock == 0) {
    blocks_.push_back(std::make_shared<Block>());
    blocks_.back()->entries.reserve(kBlock);
    blocks_.back()->keys.reserve(kBlock);
  }
  Block &last = ownLast();
  last.keys.push_back(k);
  last.entries.push_back(std::move(entry));
  ++count_;
}

void LogArrays::removeLast() {
  Block &last = ownLast();
  last.entries.pop_back();
  last.keys.pop_back();
  if (last.entries.empty())
    blocks_.pop_back();
  --count_;
}

void LogArrays::clear() {
  blocks_.clear();
  count_ = 0;
}
