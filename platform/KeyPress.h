#pragma once
// Key handlers for controls other than text boxes (text boxes have TextBox::KeyPress): each
// typed character's code is handed to a handler before the control sees it, and the handler
// answers the code to type, another code in its place, or 0 to drop the key. Keys without text
// (arrows, function keys) pass untouched.

#include <functional>

class QWidget;

void onKeyPress(QWidget *control, std::function<int(int keyAscii)> keyPress);
