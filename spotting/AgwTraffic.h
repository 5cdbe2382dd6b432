#pragma once
// What the cluster window makes of the packet engine's frames and of the operator's lines to it.

#include <QString>

// Every CR and every LF becomes CR LF, in one pass (so CR LF becomes CR LF CR LF, never CR CR LF).
QString crLfEach(const QString &text);

struct AgwFrameTexts {
  QString frameCall; // the call buffer up to its first NUL; empty when it has none
  QString frameLine; // kind, call, a blank and the data, as monitored traffic is shown
  QString spotText;  // the data as a spot candidate
};

// The texts of one received frame, `kind` its kind byte (0 to 255). While not connected the
// data's first line (the monitor header) is dropped and the rest trimmed; a lone line end goes,
// a doubled one at the end halves.
AgwFrameTexts agwFrameTexts(const QString &callBuffer, const QString &dataBuffer, int kind, int length,
                            bool connected);

// A line typed to the engine: ":C call" asks for a connection, ":D" for its end; any other
// ":" line does nothing; everything else is text for the connected station.
struct AgwCommand {
  enum Kind { Text, Connect, Disconnect, Other } kind = Text;
  QString call; // the station to connect to, in upper case; empty when none was typed
};
AgwCommand agwCommand(const QString &typed);
