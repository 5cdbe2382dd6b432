#include "platform/KeyCodes.h"

#include <QKeyEvent>

#include <utility>

int shiftState(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

namespace {

// Keys whose code is not their own character: the US layout's punctuation keys, the shifted
// digits and the editing and function keys.
constexpr std::pair<int, int> kKeyCodes[] = {
    {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},           {Qt::Key_Backtab, 9},
    {Qt::Key_Return, 13},      {Qt::Key_Enter, 13},        {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},     {Qt::Key_Alt, 18},          {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},    {Qt::Key_Escape, 27},       {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},      {Qt::Key_PageDown, 34},     {Qt::Key_End, 35},
    {Qt::Key_Home, 36},        {Qt::Key_Left, 37},         {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},       {Qt::Key_Down, 40},         {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},      {Qt::Key_Delete, 46},       {Qt::Key_ParenRight, 48},
    {Qt::Key_Exclam, 49},      {Qt::Key_At, 50},           {Qt::Key_NumberSign, 51},
    {Qt::Key_Dollar, 52},      {Qt::Key_Percent, 53},      {Qt::Key_AsciiCircum, 54},
    {Qt::Key_Ampersand, 55},   {Qt::Key_Asterisk, 56},     {Qt::Key_ParenLeft, 57},
    {Qt::Key_NumLock, 144},    {Qt::Key_ScrollLock, 145},  {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},      {Qt::Key_Equal, 187},       {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},      {Qt::Key_Less, 188},        {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190},      {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},      {Qt::Key_Question, 191},    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192}, {Qt::Key_BracketLeft, 219}, {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},  {Qt::Key_Bar, 220},         {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222},  {Qt::Key_QuoteDbl, 222},
    {Qt::Key_Menu, 93},        {Qt::Key_Meta, 91},         {Qt::Key_Super_L, 91},
    {Qt::Key_Super_R, 92},     {Qt::Key_Clear, 12},        {Qt::Key_Help, 47},
};

// The number pad's own codes, for keys that carry the keypad modifier.
int keypadCode(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
    return 96 + (qtKey - Qt::Key_0);
  switch (qtKey) {
  case Qt::Key_Asterisk:
    return 106;
  case Qt::Key_Plus:
    return 107;
  case Qt::Key_Minus:
    return 109;
  case Qt::Key_Period:
    return 110;
  case Qt::Key_Slash:
    return 111;
  default:
    return 0;
  }
}

} // namespace

int virtualKeyCode(const QKeyEvent &event) {
  const int qtKey = event.key();
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  if (modifiers & Qt::KeypadModifier) {
    if (const int code = keypadCode(qtKey))
      return code;
  }
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
    return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
    return 112 + (qtKey - Qt::Key_F1);
  for (const auto &[key, code] : kKeyCodes) {
    if (key == qtKey)
      return code;
  }
  return 0;
}

int keyAscii(const QKeyEvent &event) {
  const int qtKey = event.key();
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  const QString text = event.text();
  if (modifiers & Qt::AltModifier)
    return 0;
  if (modifiers & Qt::ControlModifier) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
      return qtKey - Qt::Key_A + 1;
    switch (qtKey) {
    case Qt::Key_Backspace:
      return 127;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 10;
    case Qt::Key_BracketLeft:
      return 27;
    case Qt::Key_Backslash:
      return 28;
    case Qt::Key_BracketRight:
      return 29;
    default:
      return 0;
    }
  }
  switch (qtKey) {
  case Qt::Key_Backspace:
    return 8;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    return 13;
  case Qt::Key_Escape:
    return 27;
  case Qt::Key_Delete:
  case Qt::Key_Tab:
  case Qt::Key_Backtab:
    return 0;
  default:
    break;
  }
  if (text.isEmpty() || text[0].unicode() < 32 || text[0].unicode() == 127)
    return 0;
  return text.size() == 1 && text[0].unicode() <= 255 ? text[0].unicode() : '?';
}
