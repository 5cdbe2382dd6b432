#include "app/Form5.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "platform/Controls.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>

Form5::Form5(AppContext &context) : ctx(context) {
  setWindowTitle(QStringLiteral("Help Page"));
  placeTwips(this, 0, 0, 9000, 7000);
  Text1 = placed<QPlainTextEdit>(this, 120, 120, 8640, 5700);
  Text1->setReadOnly(true);
  // The help text lines up its lists in columns.
  Text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Command1 = placed<QPushButton>(this, 3840, 6000, 1200, 420, QStringLiteral("Close"));
  connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
}

void Form5::Form_Load() {
  // Any failure of the load, the scaling's included, leaves the page empty without a word.
  if (ScreenScaling::CentredCopy(*this, ctx, ScreenScaling::CentredWindow::Form5))
    return;
  Text1->clear();
  const auto text = vb::readLatin1(files::resolve(ctx.folders.ProgramFolder, QStringLiteral("orvexhlp.txt")));
  if (text)
    Text1->setPlainText(QString(*text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void Form5::Command1_Click() {
  hide();
}
