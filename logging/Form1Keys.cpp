// The main window sees every key before the control that has the focus: the key going down,
// then the character it types.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "logging/EntryKeys.h"

namespace {
constexpr int kCtrl = 2;
} // namespace

void Form1::Form_KeyDown(int & /*KeyCode*/, int Shift) {
  // A suppression is for the character of this one key: a Ctrl key that types nothing must
  // not swallow the next key typed.
  SuppressKeyPress = Shift == kCtrl ? 1 : 0;
}

void Form1::Form_KeyPress(int &KeyAscii) {
  if (SuppressKeyPress == 1) {
    SuppressKeyPress = 0;
    KeyAscii = 0;
    return;
  }
  // Quotes would break the log's text files.
  if (KeyAscii == keys::DoubleQuote || KeyAscii == '\'')
    KeyAscii = 0;
  if (KeyAscii == keys::Escape) {
    if (ctx.keying.CWSending == 0)
      mnuClear_Click();
    else
      ctx.keying.CWBuffer.clear();
    KeyAscii = 0;
  }
}
