#pragma once
// A printer port as a key line (CW keying, push-to-talk): its control register gets 3 keyed and
// 2 released. A port that cannot be used is reported once for the address typed, until that
// address changes or the port opens; meanwhile writes do nothing.

#include <QString>

class Dialogs;
class PrinterPorts;

class PrinterKeyLine {
public:
  PrinterKeyLine(PrinterPorts &ports, Dialogs &dialogs) : ports_(ports), dialogs_(dialogs) {}
  // `baseText` is the base address as typed ("&H378"). False when it is no number or gives no
  // port address, as nothing can then be written.
  bool set(const QString &baseText, bool keyed);

private:
  PrinterPorts &ports_;
  Dialogs &dialogs_;
  QString reported_; // the address whose failure was shown
};
