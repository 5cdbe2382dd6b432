#include "logging/Form1.h"

int Form1::Capital(int KeyAscii) {
  return KeyAscii >= 'a' && KeyAscii <= 'z' ? KeyAscii - ('a' - 'A') : KeyAscii;
}

int Form1::number(int KeyAscii) {
  return (KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == 8 ? KeyAscii : 0;
}
