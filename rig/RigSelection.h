#pragma once
// Whether the station has a rig to poll.

#include <QString>

// Any rig but "None" (in any case) is polled from the start.
bool rigSelected(const QString &RigType);
