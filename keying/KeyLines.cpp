#include "keying/KeyLines.h"

#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/PrinterPorts.h"
#include "platform/SerialKeyLine.h"
#include "platform/SerialPorts.h"
#include "platform/Timer.h"
#include "platform/VbText.h"

bool openKeyPort(SerialKeyLine &line, PortArbiter &arbiter, PortUser user, double port) {
  arbiter.closeOthersFor(user);
  line.close();
  const QString device = serialports::deviceForPort(static_cast<int>(vb::roundToInt(port)));
  line.setDtr(false);
  line.setRts(false);
  return !device.isEmpty() && !arbiter.heldByOther(user, device) && line.open(device);
}

void takeRepeatPause(TextBox &box, Timer &timer, Dialogs &dialogs) {
  const auto seconds = vb::numberIn(box.text());
  if (seconds && *seconds >= 0 && *seconds < 60) {
    timer.setInterval(static_cast<int>(vb::roundToInt(*seconds * 1000)));
    return;
  }
  box.setText(QStringLiteral("0"));
  timer.setInterval(0);
  if (!seconds)
    dialogs.beep();
}

void repeatPauseKey(int &key) {
  if (key != 8 && key != '.' && (key < '0' || key > '9'))
    key = 0;
}

bool PrinterKeyLine::set(const QString &baseText, bool keyed) {
  const auto base = vb::numberIn(baseText);
  if (!base)
    return false;
  const auto address = vb::roundToInt(*base + 2);
  if (address < 0 || address > 0xFFFF)
    return false;
  PrinterPorts::Failure failure;
  if (ports_.writeControl(static_cast<int>(address), keyed ? 3 : 2, &failure)) {
    reported_.clear();
    return true;
  }
  if (reported_ != baseText) {
    reported_ = baseText;
    dialogs_.beep();
    dialogs_.message(QStringLiteral("The printer port at %1 (%2) cannot be used: %3.")
                         .arg(baseText, failure.device, failure.description),
                     QStringLiteral("Invalid port."));
  }
  return true;
}
