#pragma once
// The DX cluster window's help for a spotting mode, shown in its monitor when the mode is chosen.

#include <QString>

// The mode's blocks, every paragraph followed by a blank line (CR LF twice); "" for no mode.
QString spotHelpText(const QString &mode);
