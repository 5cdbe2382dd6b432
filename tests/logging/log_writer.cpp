// A station PC reduced to its log traffic: dupe check then insert, COUNT times, printing each
// call once its insert has returned (so a test knows what was committed before a kill).
#include "platform/LogDb.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  if (argc != 4)
    return 2;
  const QString path = QString::fromLocal8Bit(argv[1]);
  const QString id = QString::fromLatin1(argv[2]);
  const int count = QString::fromLatin1(argv[3]).toInt();
  LogDb db(QStringLiteral("writer"));
  if (!db.open(path)) {
    std::fprintf(stderr, "open: %s\n", qPrintable(db.lastError()));
    return 1;
  }
  for (int i = 0; i < count; ++i) {
    const QString call = QStringLiteral("P%1C%2").arg(id).arg(i);
    if (!db.rowsForCall(call) ||
        !db.insert({call, QStringLiteral("599"), QString::number(i), QStringLiteral("599"),
                    QStringLiteral("2024/03/30"), QStringLiteral("12:00:00"), QStringLiteral("1"),
                    QStringLiteral("001"), QStringLiteral("20"), id, QStringLiteral("USA"),
                    QStringLiteral("P1")})) {
      std::fprintf(stderr, "%s: %s\n", qPrintable(call), qPrintable(db.lastError()));
      return 1;
    }
    std::printf("%s\n", qPrintable(call));
    std::fflush(stdout);
  }
  return 0;
}
