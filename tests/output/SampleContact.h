#pragma once
// One whole contact for the log maintenance tests: every field distinct, so that a field put
// into the wrong column shows.

#include "platform/LogDb.h"

inline ContactRecord sampleContact(const QString &call, const QString &band,
                                   const QString &time = QStringLiteral("14:05:09"),
                                   const QString &country = QStringLiteral("USA")) {
  return {call,
          QStringLiteral("579"),
          QStringLiteral("12"),
          QStringLiteral("589"),
          QStringLiteral("2024/03/30"),
          time,
          QStringLiteral("6"),
          QStringLiteral("007"),
          band,
          QStringLiteral("2"),
          country,
          QStringLiteral("K1")};
}
