#pragma once
// The lines a DX cluster sends: the layout of a "DX de" spot line, the framing of the serial
// TNC stream into lines with its duplicate check, and the monitor text they are shown in.

#include <QString>

#include <functional>

// A line whose first two characters are "DX" in any case.
bool isDXLine(QStringView line);
// Characters 16 to 24, blanks trimmed: the frequency in kHz as the cluster wrote it.
QString spotFreqText(const QString &line);
// Characters 27 to 39, blanks trimmed and cut at a line end, which a short TNC line carries
// into this field.
QString spotCallText(const QString &line);
// The line without "DX" and the character after it, blanks trimmed (line ends stay).
QString SpotRecord(const QString &line);

// Over 10,000 characters the monitor keeps its last 9,000.
void trimMonitorText(QString &monitor);
// Whether `line` occurs, in any case, within the last 800 characters of the monitor.
bool recentlyShown(const QString &monitor, const QString &line);

// Hands one DX line on: frequency text, call, the whole line.
using PostSpotFn = std::function<void(QString &freq, QString &call, QString &line)>;

// Works off every complete line of `buffer`, which begins with the LF that ended the last line:
// a line seen in the last 800 monitor characters is dropped; a DX line is appended to the
// monitor and posted; another line is appended unless `dxOnly`.
void processSpotLines(QString &buffer, QString &monitor, bool dxOnly, const PostSpotFn &post);

// Cluster text this long without a line end is noise (or a TNC ending lines in CR alone).
constexpr qsizetype kSpotBufferLimit = 65536;

// One poll's input: added to the buffer, whose lines are worked off once it holds more than 2
// characters. A buffer then still longer than kSpotBufferLimit has gone that long without a
// line end: it is emptied, so the rest of that line is dropped up to its LF.
void takeSpotInput(QString &buffer, QString &monitor, bool dxOnly, const QString &input,
                   const PostSpotFn &post);
