#pragma once
// Settings files keep COM port numbers 1, 2, ...; this maps such a number to a serial device.
// Port N is the device that the link "COM<N>" in the per-user ports folder points to (the name
// matched without regard to case, so Wine's "com3" serves too), else /dev/ttyS<N-1>.

#include <QString>

namespace serialports {

// The per-user ports folder: "Q7TLV_Software/ports" in the generic configuration folder.
QString portsFolder();

// The device that port number `port` opens; empty for a number of 0 or below (no port).
// A dangling link still names its target, whose opening then fails.
QString deviceForPort(int port);

} // namespace serialports
