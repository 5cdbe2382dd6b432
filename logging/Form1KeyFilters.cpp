#include "logging/Form1.h"

#include "logging/EntryKeys.h"

int Form1::Capital(int KeyAscii) {
  return KeyAscii >= 'a' && KeyAscii <= 'z' ? KeyAscii - ('a' - 'A') : KeyAscii;
}

int Form1::number(int KeyAscii) {
  return passRange(KeyAscii, '0', '9');
}
