#pragma once
// Keying and audio values that the logging side reads and writes.

#include <QString>

#include <cstdint>

struct KeyingState {
  QString CWBuffer;
  int CWSending = 0;        // 1 while a CW message is being sent
  int CWLogging = 0;        // 1 while a key line's "!" is handled (the line opened, the contact logged)
  int CWLogSignsPassed = 0; // key-line "!" that logged their contact or found no call to log
  int CWKeyingMethod = 0;   // 0 none, 1 serial RTS, 2 serial DTR, 3 printer port, 5 WinKey
  int KeyboardCWMode = 0;
  int CWRepeatPending = 0;
  int VoiceRepeatPending = 0;
  int WinKeyOpen = 0; // the keyer's version while it is open
  std::int32_t WinKeyStatus = 0;
  int WinKeyComPort = 0;
  int WinKeyPinConfig = 0;
  int WinKeyMode = 0;
  int VoiceNavMode = 0; // 0 off, 1 the call field only, 2 every entry field
  int Q4ZDLinkOn = 0;
  QString TheirCall;
  QString RSTSent;
  QString NextSerial;
};
