#pragma once
// The rig's frequency as the log sees it: the contest band it lies in, and the mode word of the
// fixed band segments for operators who take the mode from the frequency. Bounds are single
// precision and strict: a frequency exactly on a bound lies in no interval.

#include <QString>

// "160", "80", "40", "20", "15" or "10"; empty outside the six contest bands.
QString bandForFrequency(float mhz);
// "CW" or "PH" in the segments from 80 m to 2 m; empty elsewhere (the rig's word then stands).
QString modeForFrequency(float mhz);
