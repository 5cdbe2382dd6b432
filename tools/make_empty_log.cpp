// Writes an empty shared log (table tblLog) at the path given; never replaces a file.
#include "platform/LogDb.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_empty_log PATH\n");
    return 2;
  }
  QString error;
  if (!LogDb::createEmpty(QString::fromLocal8Bit(argv[1]), &error)) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
