#pragma once
// An independent reading of a Cabrillo file, written from the published format and not from
// the writer: every line ends CR LF, every tag is one the entry may carry, START-OF-LOG comes
// first and END-OF-LOG last, and each QSO line's fields start at their columns with a blank
// before each.

#include <QByteArray>
#include <QStringList>

#include <vector>

struct CabrilloCheck {
  QStringList faults;
  // Per QSO line: frequency, mode, date, time, own call, RST sent, serial sent, call, RST
  // received, serial received, transmitter.
  std::vector<QStringList> qsos;
};

CabrilloCheck checkCabrillo(const QByteArray &file);
