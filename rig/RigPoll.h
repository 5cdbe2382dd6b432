#pragma once
// One turn of the poll loop without the port: the commands a send tick writes, and the parsers
// a read tick runs on the reply.

#include "rig/RigReplies.h"

#include <QByteArray>
#include <QString>

#include <vector>

struct PollTexts {
  QString rigType;
  QString freqText; // as typed in the frequency poll box
  QString modeText;
  bool convToHex = false; // "Other": the texts are hex pairs
};

struct PollTurn {
  bool ok = true; // false: a text could not be made into bytes, nothing goes out
  std::vector<QByteArray> commands;
  int pollModeNext = 0; // the alternating families' next turn: 1 asks the mode
};

// What a send tick writes, in order, given whose turn it is.
PollTurn pollCommands(const PollTexts &texts, int pollModeNext);

// Runs the rig's parsers on a reply; the alternating families pick theirs by `pollModeNext` as
// the send tick left it (1: the frequency was asked last).
void parseReply(const PollTexts &texts, const QByteArray &reply, int pollModeNext, RigReadout &rig);
