#pragma once

#include <QString>

// The program's folders, set once at start.
struct Folders {
  QString ProgramFolder;
  QString ProgramDrive;
  QString DataFolder;
  QString SharedFolder;
};
