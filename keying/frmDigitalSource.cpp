#include "keying/frmDigitalSource.h"

#include "app/AppContext.h"
#include "logging/Form1.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"

#include <QFont>
#include <QScopedValueRollback>

frmDigitalSource::frmDigitalSource(AppContext &context) : ctx(context) {
  const std::pair<TextBox **, const char *> made[] = {
      {&txtBMyCall, "txtBMyCall"}, {&txtBUrCall, "txtBUrCall"}, {&txtBField1, "txtBField1"},
      {&txtBField2, "txtBField2"}, {&txtBField3, "txtBField3"}, {&txtBField4, "txtBField4"},
      {&txtBField5, "txtBField5"}, {&txtBField6, "txtBField6"}, {&txtBField7, "txtBField7"},
      {&txtBField8, "txtBField8"}, {&txtSMyCall, "txtSMyCall"}, {&txtSUrCall, "txtSUrCall"},
      {&txtSField1, "txtSField1"}, {&txtSField2, "txtSField2"}, {&txtSField3, "txtSField3"},
      {&txtSField4, "txtSField4"}, {&txtSField5, "txtSField5"}, {&txtSField6, "txtSField6"},
      {&txtSField7, "txtSField7"}, {&txtSField8, "txtSField8"},
  };
  // Never shown, yet each change lays the box's text out again: plain glyphs, not shaped ones.
  QFont plain = font();
  plain.setStyleStrategy(QFont::PreferNoShaping);
  setFont(plain);
  int top = 0;
  for (const auto &[box, name] : made) {
    *box = placed<TextBox>(this, 120, top += 360, 2400, 315);
    (*box)->setObjectName(QString::fromLatin1(name));
    (*box)->setText(QString::fromLatin1(name));
    connect(*box, &QLineEdit::textChanged, this, [this, b = *box] { boxChanged(b); });
  }
  connect(&channel_, &RttyChannel::received, this, &frmDigitalSource::arrived);
}

std::array<TextBox *, 20> frmDigitalSource::boxes() const {
  return {txtBMyCall, txtBUrCall, txtBField1, txtBField2, txtBField3, txtBField4, txtBField5,
          txtBField6, txtBField7, txtBField8, txtSMyCall, txtSUrCall, txtSField1, txtSField2,
          txtSField3, txtSField4, txtSField5, txtSField6, txtSField7, txtSField8};
}

void frmDigitalSource::ConnectWithQ4ZD() {
  // A new connection, so that the RTTY program's current values come again as links are made.
  Form_Unload();
  for (TextBox *box : boxes()) {
    box->setText(QString());
    if (!channel_.isConnected() && !channel_.connectTo(serverName)) {
      ctx.keying.Q4ZDLinkOn = 0;
      ctx.dialogs.message(QStringLiteral("Please start Q4ZD RTTY and click Setup to try again!"),
                          QStringLiteral("Unable to find Q4ZD RTTY."), Dialogs::Buttons::Ok,
                          Dialogs::Icon::Critical);
      return;
    }
    linked_.insert(box);
  }
  ctx.keying.Q4ZDLinkOn = 1;
  ctx.dialogs.message(QStringLiteral("Connected with Q4ZD!\r\n\r\nFor best display of both programs on your "
                                     "screen, click Options > Appearance > Form Size and enter 85 from this "
                                     "program's menu options."),
                      QStringLiteral("Connected with Q4ZD!"), Dialogs::Buttons::Ok,
                      Dialogs::Icon::Information);
  ctx.doEvents();
  ctx.window<Form1>().SendToQ4ZD();
}

void frmDigitalSource::Form_Unload() {
  linked_.clear();
  channel_.close();
}

void frmDigitalSource::boxChanged(TextBox *box) {
  if (box->objectName().startsWith(QLatin1String("txtB"))) {
    if (box != fromPeer_ && linked_.count(box))
      channel_.send(box->objectName(), box->text());
    return;
  }
  Form1 &main = ctx.window<Form1>();
  // Only what typing into the field could put there: the RTTY program may send anything. The
  // operator picked it there, so it counts as typed; it goes in as a command given now would.
  const auto enter = [&main](TextBox *field, const QString &text) {
    main.inTurn([field, text] { field->setTyped(text); });
  };
  if (box == txtSUrCall)
    enter(main.txtCall, Form1::outsideCall(box->text()));
  else if (box == txtSField1)
    enter(main.txtRSTR, Form1::typedText(box->text(), Form1::number));
  else if (box == txtSField3)
    enter(main.txtSec, Form1::typedText(box->text(), Form1::number));
}

void frmDigitalSource::arrived(const QString &item, const QString &text) {
  for (TextBox *box : boxes()) {
    if (box->objectName() != item || !linked_.count(box))
      continue;
    const QScopedValueRollback peer(fromPeer_, box);
    box->setText(text);
    return;
  }
}
