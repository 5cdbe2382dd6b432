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

void LogArrays::detach() {
  if (d_.use_count() > 1)
    d_ = std::make_shared<Data>(*d_);
}

void LogArrays::append(LogEntry entry) {
  ContactKey k;
  if (const auto when = storedSeconds(entry.flddate, entry.fldtime))
    k.when = *when;
  if (!compactCall(entry.calls, k.call, k.callLength))
    k.callLength = ContactKey::kLongCall;
  k.band = static_cast<std::int8_t>(bandIndex(entry.uband));
  detach();
  d_->keys.push_back(k);
  d_->entries.push_back(std::move(entry));
}

void LogArrays::removeLast() {
  detach();
  d_->entries.pop_back();
  d_->keys.pop_back();
}

void LogArrays::clear() {
  d_ = std::make_shared<Data>();
}

void LogArrays::reserve(int n) {
  detach();
  d_->entries.reserve(static_cast<size_t>(n));
  d_->keys.reserve(static_cast<size_t>(n));
}
