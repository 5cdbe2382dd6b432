#pragma once
// Rules of the contact list and the QSO rates: which slots are listed, what each row shows,
// the rates of the last hour and the last 20 minutes, and the clipboard copy of the list.

#include "logging/LogArrays.h"

#include <QDateTime>
#include <QStringList>

#include <vector>

// How many of the newest contacts the short list shows.
constexpr int kShortListRows = 20;

// The slots to list, newest first: the newest 20 contacts or all, of every band or of `band`
// only (compared without regard to case).
std::vector<int> listedSlots(const LogArrays &log, bool listAll, bool currentBandOnly, const QString &band);

// One of the twelve column texts of slot `slot`: Rec#, Call, Rec, #R, Snt, #S, Da/Time, Bnd,
// Country, Prfx, Pts, Tr.
constexpr int kListColumns = 12;
QString listCell(const LogArrays &log, int slot, int column);

// Contacts of the last 60 minutes, and three times those of the last 20: both per hour.
struct QsoRates {
  int lastHour = 0;
  int last20Minutes = 0;
};
// Walks back from the newest contact and stops at the first one an hour old or older, or at
// one whose time cannot be read: the log is in time order.
QsoRates qsoRates(const LogArrays &log, const QDateTime &utcNow);

// The listed rows as tab-separated text: the header line, then the rows from the last shown
// to the first, every line ending CR LF.
QString clipboardText(const QStringList &headers, const std::vector<QStringList> &shownRows);
