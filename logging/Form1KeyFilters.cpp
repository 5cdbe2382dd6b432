#include "logging/Form1.h"

int Form1::Capital(int KeyAscii) {
  return KeyAscii >= 'a' && KeyAscii <= 'z' ? KeyAscii - ('a' - 'A') : KeyAscii;
}
