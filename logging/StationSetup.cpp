#include "logging/StationSetup.h"

#include "logging/EntryKeys.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

#include <QStringList>

#include <cfloat>
#include <cmath>

int Numberr(int KeyAscii) {
  return passRange(KeyAscii, '-', '9');
}

std::optional<float> setupNumber(const QString &text) {
  if (!vb::isNumeric(text))
    return std::nullopt;
  const double v = vb::val(text);
  if (!(std::fabs(v) <= FLT_MAX))
    return std::nullopt;
  return static_cast<float>(v);
}

QString transmitterNumberText(const QString &text) {
  return vb::isNumeric(text) ? text : QStringLiteral("0");
}

QString setupLogPath(const QString &saved, const QString &programFolder) {
  return saved.size() < 3 ? files::resolve(programFolder, QStringLiteral("OrvexLog.MDB")) : saved;
}

std::optional<ContestMode> contestModeFor(const QString &code) {
  for (const ContestMode m : {ContestMode::Phone, ContestMode::CW, ContestMode::RTTY})
    if (modeCode(m).compare(code, Qt::CaseInsensitive) == 0)
      return m;
  return std::nullopt;
}

QString modeCode(ContestMode mode) {
  switch (mode) {
  case ContestMode::Phone:
    return QStringLiteral("PH");
  case ContestMode::CW:
    return QStringLiteral("CW");
  case ContestMode::RTTY:
    return QStringLiteral("RY");
  }
  return {};
}

QString logOpenFailureText() {
  return QStringList{
      QStringLiteral("Unable to find your log file (OrvexLog.MDB).  Please very the location of the log file "
                     "and try again."),
      QString(),
      QStringLiteral("If you are using Windows 95 and are:"),
      QString(),
      QStringLiteral("1. Certain you have entered the path correctly."),
      QStringLiteral("2. Certain your network is set up correctly (or are accessing the log file on this "
                     "local PC)."),
      QString(),
      QStringLiteral("The probable cause is that you did not install dcom95 before installing this "
                     "program.  If you suspect that is the case, perform the following steps :"),
      QString(),
      QStringLiteral("- Exit this program"),
      QStringLiteral("- Double Click My Computer"),
      QStringLiteral("- Double Click Control Panel"),
      QStringLiteral("- Double Click Add/Remove Programs"),
      QStringLiteral("- Select this program"),
      QStringLiteral("- Click OK"),
      QStringLiteral("- Using Windows Explorer, navigate to your installation files"),
      QStringLiteral("- Double Click DCOM95.EXE"),
      QStringLiteral("- After DCOM95.EXE has completed installation, Double Click Setup.exe")}
      .join(QStringLiteral("\r\n"));
}
