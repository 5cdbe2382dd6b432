#include "tests/support/FakeWinKey.h"

QStringList FakeWinKey::sent(qsizetype from) const {
  QStringList out;
  for (qsizetype i = from; i < calls.size(); ++i)
    if (calls[i] != QLatin1String("status"))
      out << calls[i];
  return out;
}

QString FakeWinKey::handedOver() const {
  QString text;
  for (const QString &call : calls)
    if (call.startsWith(QLatin1String("char ")))
      text += QChar(call.mid(5).toInt());
  return text;
}

std::int32_t FakeWinKey::record(const QString &call) {
  calls << call;
  return isOpen ? wkresult::Success : wkresult::NotOpen;
}

std::int32_t FakeWinKey::wk_open(std::uint8_t &v, std::uint8_t port) {
  calls << QStringLiteral("open %1").arg(port);
  if (isOpen)
    return wkresult::AlreadyOpen;
  if (openResult == wkresult::Success) {
    v = version;
    isOpen = true;
  }
  return openResult;
}

std::int32_t FakeWinKey::wk_close() {
  const std::int32_t result = record(QStringLiteral("close"));
  isOpen = false;
  return result;
}

std::int32_t FakeWinKey::wk_getstatus() {
  calls << QStringLiteral("status");
  std::int32_t status = 0;
  if (!statuses.empty()) {
    status = statuses.front();
    statuses.pop_front();
  }
  if (onStatus)
    onStatus();
  return isOpen ? status : wkresult::NotOpen;
}
