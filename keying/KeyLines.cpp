#include "keying/KeyLines.h"

#include "platform/Dialogs.h"
#include "platform/PrinterPorts.h"
#include "platform/VbText.h"

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
