// The main window's preferences file.
#include "logging/Form1.h"

void Form1::SavePref() {}
