#include "logging/Form1.h"

#include "logging/EntryKeys.h"

#include <QRegularExpression>

int Form1::Capital(int KeyAscii) {
  return KeyAscii >= 'a' && KeyAscii <= 'z' ? KeyAscii - ('a' - 'A') : KeyAscii;
}

int Form1::number(int KeyAscii) {
  return passRange(KeyAscii, '0', '9');
}

int Form1::callKey(int KeyAscii) {
  // Space moves on instead of typing.
  if (keys::isQuote(KeyAscii) || KeyAscii == keys::Space)
    return 0;
  return Capital(KeyAscii);
}

QString Form1::typedText(const QString &text, int (*key)(int)) {
  QString typed;
  for (const QChar c : text) {
    // A key types Latin-1 only; a filter gives 0 for a key it drops.
    const QChar kept(c.unicode() <= 0xFF ? key(c.unicode()) : 0);
    if (kept.isPrint())
      typed += kept;
  }
  return typed;
}

QString Form1::outsideCall(const QString &text) {
  // A blank ends the call, as typing one moves on: what follows (the comment a short cluster
  // line puts in the call's columns, say) is no part of it. The blanks are space, tab, LF, VT,
  // FF, CR and the no-break space U+00A0, which cluster text (read as Latin-1) and the RTTY
  // program (UTF-8) can both carry. Any other character typing could not put in the call,
  // U+0085 among them, is dropped and does not end it.
  static const QRegularExpression blank(QStringLiteral("[ \\t\\n\\x0b\\f\\r\\x{a0}]"));
  return typedText(text.section(blank, 0, 0, QString::SectionSkipEmpty).toUpper(), callKey);
}
