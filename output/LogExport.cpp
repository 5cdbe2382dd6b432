#include "output/LogExport.h"

#include "output/AdifExport.h"
#include "platform/VbText.h"

QString logExpText(const LogArrays &log, const QString &modeCode, const QString &power) {
  const QString mode = exportModeWord(modeCode);
  QString out;
  for (int n = 1; n <= log.ContactCount(); ++n) {
    const LogEntry &e = log.slot(n);
    vb::WriteLine line;
    line.text(e.calls).text(e.flddate).text(e.uband).text(mode).text(power).text(e.fldtime);
    line.text(e.rsts).text(e.rstr).empty().text(e.countryworked);
    // The importer's columns the contest log has nothing for.
    for (int i = 0; i < 5; ++i)
      line.empty();
    out += line.text(QStringLiteral("CQ WPX Contest")).str();
  }
  return out;
}
