#pragma once
// Rules of log maintenance that need no window: the checks of an edited contact, reading a
// source to append to the shared log, and the append itself.

#include "logging/LogArrays.h"
#include "platform/LogDb.h"

#include <QDate>
#include <QString>

#include <vector>

// Exactly one of the contest's band codes "10", "15", "20", "40", "80", "160".
bool isContestBand(const QString &band);

// Contacts other than slot `editIndex` whose call and band equal the given ones exactly (case
// and blanks count).
int countDuplicates(const LogArrays &log, int editIndex, const QString &call, const QString &band);

// A source named "...MDB" in any case is another log database; anything else is a text backup.
bool isLogDatabasePath(const QString &path);

// The contacts of a "BckUpLog.Dat" text, put into table order. Every line holds one contact as
// twelve fields with a numeric points field; reading stops at the first line that does not, and
// `complete` is then false (the contacts before it are kept).
struct BackupContents {
  std::vector<ContactRecord> records;
  bool complete = true;
};
BackupContents readBackup(const QString &content);

// Inserts the records into the shared log in order. With `skipDuplicates` a record whose call
// and band are already in the log (without regard to case), including the records inserted so
// far, is left out. False at the first failing statement; what was inserted before stays.
bool appendContacts(LogDb &log, const std::vector<ContactRecord> &records, bool skipDuplicates);

// The archive's proposed name: the call's file-name stem, the day "yyyy-mm-dd" and ".mdb".
QString archiveFileName(const QString &myCall, const QDate &today);
