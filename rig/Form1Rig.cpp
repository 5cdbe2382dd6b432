// The rig link as the main window starts it.
#include "logging/Form1.h"

#include "rig/RigSelection.h"

bool rigSelected(const QString &RigType) {
  return RigType.compare(QStringLiteral("None"), Qt::CaseInsensitive) != 0;
}

// The rig's window, port and poll loop start polling here once the rig link exists.
void Form1::StartRigPolling() {}
