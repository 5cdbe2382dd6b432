#include "logging/EntryKeys.h"

#include "logging/Bands.h"
#include "logging/LogArrays.h"
#include "logging/StationSetup.h"

#include <algorithm>

namespace {

constexpr int kPartialListLimit = 100;

bool isDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}

} // namespace

int passRange(int KeyAscii, int low, int high) {
  return KeyAscii != keys::Backspace && (KeyAscii < low || KeyAscii > high) ? 0 : KeyAscii;
}

int clampPointsKey(int KeyAscii) {
  return KeyAscii > '6' && KeyAscii <= '9' ? '6' : KeyAscii;
}

int postContestTimeKey(int KeyAscii) {
  return passRange(KeyAscii, '0', ':');
}

int postContestDateKey(int KeyAscii) {
  return passRange(KeyAscii, '/', '9');
}

bool carriesDigitFromCall(const QString &call, int caret, int KeyAscii) {
  if (KeyAscii < '0' || KeyAscii > '9' || caret != call.size() || call.size() < 3)
    return false;
  bool slash = false;
  int digits = 0;
  qsizetype lastDigit = 0;
  // The first character does not count: a call may begin with a digit.
  for (qsizetype i = 1; i < call.size(); ++i) {
    if (call[i] == u'/')
      slash = true;
    if (isDigit(call[i])) {
      ++digits;
      lastDigit = i;
    }
  }
  return digits > 0 && !slash && lastDigit < call.size() - 1;
}

QString defaultReport(const QString &modeCode) {
  const bool phone = contestModeFor(modeCode).value_or(ContestMode::Phone) == ContestMode::Phone;
  return phone ? QStringLiteral("59") : QStringLiteral("599");
}

bool isCallKey(int KeyAscii) {
  return KeyAscii > '-' && KeyAscii < '[';
}

QString partialDupeList(const LogArrays &log, const QString &band, const QString &typed) {
  // The compact keys decide for plain calls on the six bands; the strings only for the rest.
  std::array<char, ContactKey::kCallBytes> want{};
  std::uint8_t length = 0;
  const bool compact = compactCall(typed, want, length);
  const int bandCode = bandIndex(band);
  const auto matches = [&](int n) {
    const ContactKey &k = log.key(n);
    if (bandCode < 0 || !compact || k.callLength == ContactKey::kLongCall) {
      const LogEntry &e = log.slot(n);
      return sameBand(e.uband, band) && e.calls.startsWith(typed, Qt::CaseInsensitive);
    }
    return k.band == bandCode && k.callLength >= length &&
           std::equal(want.begin(), want.begin() + length, k.call.begin());
  };
  QString list;
  for (int n = 1; n <= log.ContactCount() && list.size() <= kPartialListLimit; ++n) {
    if (matches(n))
      list = log.slot(n).calls + u' ' + list;
  }
  return list;
}

CallHint callFormatHint(const QString &typed, int KeyAscii) {
  if (typed.size() != 3 || !isCallKey(KeyAscii))
    return CallHint::None;
  const auto fine = [](QChar c) { return c == u'/' || isDigit(c); };
  return fine(typed[1]) || fine(typed[2]) ? CallHint::Fine : CallHint::NotNumeric;
}
