#pragma once
// A printer port as a key line (CW keying, push-to-talk): its control register gets 3 keyed and
// 2 released. A port that cannot be used is reported once for the address typed, until that
// address changes or the port opens; meanwhile writes do nothing.

#include "platform/PortArbiter.h"

#include <QString>

class Dialogs;
class PrinterPorts;
class SerialKeyLine;
class TextBox;
class Timer;

// Opens serial port `port` on `line` for `user`, the ports the arbiter's table names closed
// first and both lines low. False when the port has no device, another user holds it or the
// system refuses it.
bool openKeyPort(SerialKeyLine &line, PortArbiter &arbiter, PortUser user, double port);

// A repeat-pause box left: from 0 to below 60 seconds gives the timer's interval in whole
// milliseconds; anything else shows "0" and stops the repeat, with a beep for text that is no
// number.
void takeRepeatPause(TextBox &box, Timer &timer, Dialogs &dialogs);
// The key filter of a repeat-pause box: digits, "." and Backspace.
void repeatPauseKey(int &key);

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
