#pragma once
// Morse characters as key units: each digit is one unit of time, "1" key down and "0" key up.
// A dot is "10", a dash "1110", and a character ends with "00", so the gap after it is three
// units; the space is eight more units of key up.

#include <QString>

#include <optional>

// The units of a character (upper-cased first); empty for a character that keys nothing.
QString morseBits(QChar ch);

// The units keyed for `ch` with the word-space adjustment N: the space gains N units of key up
// for N > 0 (whole units only) or keeps its first 8 + N for N < 0. Nothing when that leaves a
// negative length.
std::optional<QString> keyedUnits(QChar ch, double wordSpace);

// One unit in milliseconds at the speed typed in words per minute (1200 / WPM); nothing for
// text that is no number above 0.
std::optional<double> unitMs(const QString &speedText);

// The Loop timing's passes for one unit: `loopsPer60ms` is one unit at 20 WPM.
double loopPasses(double loopsPer60ms, double wpm);
// Counts from `from` by 1 while below `limit`, on a counter the compiler must keep (the Loop
// timing and its calibration run this same loop); the count reached.
double countLoop(double from, double limit);
