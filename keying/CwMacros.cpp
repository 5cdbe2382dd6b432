#include "keying/CwMacros.h"

#include "platform/VbText.h"

#include <functional>

namespace {

void replaceEach(QString &text, QChar wildcard, const std::function<QString()> &value) {
  for (qsizetype at = text.indexOf(wildcard); at >= 0; at = text.indexOf(wildcard, at)) {
    const QString inserted = value();
    text.replace(at, 1, inserted);
    at += inserted.size();
  }
}

} // namespace

QString expandWildcards(QString text, const QString &theirCall, const QString &nextSerial, QString &rstSent) {
  replaceEach(text, u'$', [&] { return vb::trim(theirCall); });
  replaceEach(text, u'#', [&] { return vb::trim(nextSerial); });
  replaceEach(text, u'*', [&] {
    if (rstSent.isEmpty() || rstSent == QLatin1String("599"))
      rstSent = QStringLiteral("5NN");
    return vb::trim(rstSent);
  });
  return text;
}
