#include "app/SharedPreferences.h"

#include "app/AppContext.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

bool SharedPreferences::LoadSharedPreferences(const QString &path, QString *error) {
  path_ = path;
  text_ = kXmlDeclaration;
  if (!files::exists(path))
    return true;
  const auto content = vb::readLatin1(path, error);
  if (!content)
    return false;
  // Only a line break that is really there is taken off: a hand-edited file may lack it.
  QString text = *content;
  if (text.endsWith(QStringLiteral("\r\n")))
    text.chop(2);
  else if (text.endsWith(u'\n'))
    text.chop(1);
  if (content->size() >= 2 && !text.isEmpty())
    text_ = text;
  return true;
}

bool SharedPreferences::SetSharedPreference(const QString &tag, const QString &value, bool save,
                                            QString *error) {
  const QString key = tag.toUpper();
  const QString open = u'<' + key + u'>';
  const QString close = QStringLiteral("</") + key + u'>';
  const qsizetype start = text_.indexOf(open);
  if (start < 0) {
    text_ += QStringLiteral("\r\n") + open + value + close;
  } else {
    const qsizetype valueStart = start + open.size();
    const qsizetype end = text_.indexOf(close, valueStart - 1);
    if (end >= 0) {
      text_ = text_.left(valueStart) + value + text_.mid(end);
    } else {
      // No closing tag: the rest of the line was the value, and the line is written whole.
      qsizetype lineEnd = valueStart;
      while (lineEnd < text_.size() && text_[lineEnd] != u'\r' && text_[lineEnd] != u'\n')
        ++lineEnd;
      text_ = text_.left(valueStart) + value + close + text_.mid(lineEnd);
    }
  }
  return !save || SaveSharedPreferences(path_, error);
}

bool SharedPreferences::SaveSharedPreferences(const QString &path, QString *error) {
  path_ = path;
  return vb::writeLatin1Atomic(path, text_ + QStringLiteral("\r\n"), error);
}

void setSharedPreference(AppContext &ctx, const QString &tag, const QString &value, bool save) {
  QString error;
  if (!ctx.sharedPrefs.SetSharedPreference(tag, value, save, &error))
    ctx.dialogs.message(error + QStringLiteral("  ") + ctx.sharedPrefs.SharedPrefsPath(),
                        QStringLiteral("Unable to save shared preferences."));
}

QString CallToFileName(const QString &call) {
  QString stem;
  for (const QChar c : call) {
    if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z')))
      break;
    stem += c;
  }
  return stem.isEmpty() ? QStringLiteral("YourCall") : stem;
}
