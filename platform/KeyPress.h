#pragma once
// Key handlers as the program's windows have them: each typed character's code is handed to a
// handler before the control sees it, and the handler answers the code to type, another code
// in its place, or 0 to drop the key. Keys without text (arrows, function keys) pass untouched.

#include <functional>

class QWidget;

void onKeyPress(QWidget *control, std::function<int(int keyAscii)> keyPress);
