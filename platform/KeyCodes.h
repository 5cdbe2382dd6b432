#pragma once
// The key codes the program's key handlers work with: the Windows virtual-key code and shift
// state of a key going down, and the character code (0 to 255) that a key types.

#include <Qt>

class QKeyEvent;

// Shift state as a bit set: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers);

// The Windows virtual-key code of a key (letters as upper case, F1 = 112, Up = 38 ...), 0 for a
// key that has none.
int virtualKeyCode(const QKeyEvent &event);

// The character code a key types, as the old key events gave it: Backspace 8, Enter 13,
// Escape 27, Ctrl+A to Ctrl+Z 1 to 26, the printable Latin-1 characters as themselves and any
// other character as "?", as an 8-bit window receives it. 0 for a key that types nothing
// (arrows, Delete, Alt combinations...).
int keyAscii(const QKeyEvent &event);
