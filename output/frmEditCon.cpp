#include "output/frmEditCon.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "logging/ContactListView.h"
#include "logging/CountryTable.h"
#include "logging/Form1.h"
#include "logging/LogRules.h"
#include "output/LogMaintenance.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"
#include "platform/VbText.h"

#include <QPushButton>
#include <QTimer>

frmEditCon::frmEditCon(AppContext &context) : QDialog(&context.window<Form1>()), ctx(context) {
  setWindowTitle(QStringLiteral("Edit Contact Entry"));
  buildControls();
  connectKeys();
}

void frmEditCon::buildControls() {
  const auto field = [this](const QString &caption, double left, double top, double width) {
    placed<QLabel>(this, left, top + 45, 1250, 240, caption);
    auto *box = placed<TextBox>(this, left + 1300, top, width, 330);
    box->setContextMenuPolicy(Qt::NoContextMenu);
    return box;
  };
  txtEditCall = field(QStringLiteral("Callsign"), 120, 240, 1500);
  txtEditNum = field(QStringLiteral("Rst(S)"), 120, 690, 800);
  txtEditCk = field(QStringLiteral("Rst(R)"), 120, 1140, 800);
  txtEditSec = field(QStringLiteral("# Rec"), 120, 1590, 1000);
  Text2 = field(QStringLiteral("# Sent"), 120, 2040, 1000);
  txtEditPoints = field(QStringLiteral("Points"), 120, 2490, 500);
  txtEditPre = field(QStringLiteral("Country"), 3120, 240, 2700);
  Text1 = field(QStringLiteral("Prefix"), 3120, 690, 1000);
  txtEditDate = field(QStringLiteral("Date"), 3120, 1140, 1300);
  txtEditTime = field(QStringLiteral("Time"), 3120, 1590, 1300);
  txtEditBnd = field(QStringLiteral("Band"), 3120, 2040, 700);
  Text3 = field(QStringLiteral("Transmitter #"), 3120, 2490, 500);

  Label3 = placed<QLabel>(this, 5170, 2085, 1100, 240, QStringLiteral("   Invalid!"));
  Label3->setStyleSheet(QStringLiteral("color: red"));
  Label3->hide();
  Label1 = placed<QLabel>(this, 240, 3105, 1000, 240, QStringLiteral("Dupe!"));
  Label1->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
  Label1->hide();

  // The buttons do not take the focus on a click, so a box's own check never races Done's.
  cmdDeleteDupe = placed<QPushButton>(this, 1420, 3000, 1500, 450, QStringLiteral("Delete Dupe"));
  cmdDeleteDupe->hide();
  cmdDone = placed<QPushButton>(this, 4420, 3000, 1500, 450, QStringLiteral("Done"));
  for (QPushButton *b : {cmdDone, cmdDeleteDupe}) {
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
  }
  connect(cmdDone, &QPushButton::clicked, this, &frmEditCon::cmdDone_Click);
  connect(cmdDeleteDupe, &QPushButton::clicked, this, &frmEditCon::cmdDeleteDupe_Click);

  QWidget *order[] = {txtEditCall, txtEditNum,  txtEditCk,   txtEditSec, Text2, txtEditPoints, txtEditPre,
                      Text1,       txtEditDate, txtEditTime, txtEditBnd, Text3, cmdDone,       cmdDeleteDupe};
  for (size_t i = 1; i < std::size(order); ++i)
    setTabOrder(order[i - 1], order[i]);
  placeTwips(this, 0, 0, 7300, 3750);
}

void frmEditCon::connectKeys() {
  const auto plain = [this](int &KeyAscii) {
    if (KeyAscii == '"')
      KeyAscii = 0;
    else if (!doneOnEnter(KeyAscii))
      KeyAscii = Form1::Capital(KeyAscii);
  };
  for (TextBox *t : {txtEditCall, txtEditNum, txtEditCk, txtEditSec, txtEditBnd, Text1, Text2})
    t->KeyPress = plain;

  const auto dateOrTime = [this](char separator) {
    return [this, separator](int &KeyAscii) {
      if (!doneOnEnter(KeyAscii) && KeyAscii != separator)
        KeyAscii = Form1::number(KeyAscii);
    };
  };
  txtEditDate->KeyPress = dateOrTime('/');
  txtEditTime->KeyPress = dateOrTime(':');

  txtEditPoints->KeyPress = [this](int &KeyAscii) {
    if (!doneOnEnter(KeyAscii) && KeyAscii != 8)
      KeyAscii = std::clamp(KeyAscii, int{'0'}, int{'6'});
  };
  Text3->KeyPress = [](int &KeyAscii) { KeyAscii = Form1::number(KeyAscii); };
  txtEditPre->KeyPress = [this](int &KeyAscii) { txtEditPre_KeyPress(KeyAscii); };

  // Checks on leaving a box run queued: they move the focus back, which must not happen inside
  // the focus change that started them. A box that loses the focus to another box's complaint
  // is not checked: two bad boxes would otherwise take the focus from each other for ever.
  const auto checkOnLeaving = [this](TextBox *box, bool (frmEditCon::*check)()) {
    connect(box, &TextBox::lostFocus, this, [this, check] {
      if (!refocusing_)
        QTimer::singleShot(0, this, [this, check] { (this->*check)(); });
    });
  };
  checkOnLeaving(txtEditTime, &frmEditCon::checkTime);
  checkOnLeaving(txtEditDate, &frmEditCon::checkDate);
  checkOnLeaving(txtEditBnd, &frmEditCon::checkBand);
  connect(Text3, &TextBox::lostFocus, this, [this] {
    if (!vb::isNumeric(Text3->text()))
      Text3->setText(QStringLiteral("0"));
  });
}

bool frmEditCon::Form_Load() {
  ScreenScaling::ResizeForm(*this, ctx);
  const LogArrays &log = ctx.logging.log;
  const ContactListView &list = *ctx.window<Form1>().ListView1;
  const auto row = list.selectedRow();
  EditIndex = row ? list.text(*row, 0).toInt() : 0;
  if (EditIndex < 1 || EditIndex > log.ContactCount()) {
    EditIndex = 0;
    return false;
  }
  oldCall_ = list.text(*row, 1);
  oldBand_ = list.text(*row, 7);
  const LogEntry &e = log.slot(EditIndex);
  txtEditNum->setText(e.rsts);
  txtEditPre->setText(e.countryworked);
  txtEditCall->setText(e.calls);
  txtEditCk->setText(e.rstr);
  txtEditSec->setText(e.serialr);
  txtEditDate->setText(e.flddate);
  txtEditTime->setText(e.fldtime);
  txtEditBnd->setText(e.uband);
  txtEditPoints->setText(vb::singleText(e.points));
  Text2->setText(e.serials);
  Text1->setText(e.prefix);
  Text3->setText(e.trn);
  return true;
}

bool frmEditCon::acceptOrComplain(bool valid, TextBox *box, const QString &text, const QString &title) {
  if (valid)
    return true;
  ctx.dialogs.beep();
  ctx.dialogs.message(text, title);
  refocus(box);
  return false;
}

void frmEditCon::refocus(TextBox *box) {
  refocusing_ = true;
  box->setFocus();
  refocusing_ = false;
}

bool frmEditCon::checkTime() {
  return acceptOrComplain(storedTime(txtEditTime->text()).has_value(), txtEditTime,
                          QStringLiteral("You have entered an invalid time format!"),
                          QStringLiteral("Invalid Time Format!"));
}

bool frmEditCon::checkDate() {
  return acceptOrComplain(storedDate(txtEditDate->text()).has_value(), txtEditDate,
                          QStringLiteral("You have entered an invalid date format!"),
                          QStringLiteral("Invalid Date Format!"));
}

bool frmEditCon::checkBand() {
  if (isContestBand(txtEditBnd->text())) {
    Label3->hide();
    return true;
  }
  ctx.dialogs.beep();
  Label3->show();
  refocus(txtEditBnd);
  return false;
}

void frmEditCon::cmdDone_Click() {
  // A band outside the contest's would drop the contact from dupe checks and the Cabrillo
  // file, so Done refuses it as leaving the box does.
  if (EditIndex == 0 || !checkTime() || !checkDate() || !checkBand())
    return;
  const LogArrays &log = ctx.logging.log;
  const int dupes = countDuplicates(log, EditIndex, txtEditCall->text(), txtEditBnd->text());
  for (int n = 0; n < dupes; ++n) {
    Label1->show();
    cmdDeleteDupe->show();
    ctx.dialogs.beep();
  }
  if (dupes == 0)
    Label1->hide();
  if (!vb::isNumeric(txtEditPoints->text()))
    txtEditPoints->setText(QStringLiteral("0"));
  if (dupes > 0)
    return;

  const ContactRecord edited{txtEditCall->text(),
                             txtEditCk->text(),
                             txtEditSec->text(),
                             txtEditNum->text(),
                             txtEditDate->text(),
                             txtEditTime->text(),
                             txtEditPoints->text(),
                             Text2->text(),
                             txtEditBnd->text(),
                             Text3->text(),
                             vb::rtrim(txtEditPre->text()),
                             Text1->text()};
  LogDb &db = ctx.db();
  if (!db.updateByCallBandTime(oldCall_, oldBand_, log.slot(EditIndex).fldtime, edited)) {
    ctx.dialogs.message(db.lastError(), QStringLiteral("Unable to update contact."));
    return;
  }
  hide();
}

void frmEditCon::cmdDeleteDupe_Click() {
  hide();
  ctx.window<Form1>().cmdDelete_Click();
}

bool frmEditCon::doneOnEnter(int &KeyAscii) {
  if (KeyAscii != 13)
    return false;
  KeyAscii = 0;
  cmdDone_Click();
  return true;
}

void frmEditCon::txtEditPre_KeyPress(int &KeyAscii) {
  if (KeyAscii == '"')
    KeyAscii = 0;
  doneOnEnter(KeyAscii);
  const int start =
      txtEditPre->hasSelectedText() ? txtEditPre->selectionStart() : txtEditPre->cursorPosition();
  if (start == 0)
    KeyAscii = Form1::Capital(KeyAscii);
  if (KeyAscii < 1)
    return;
  // Unlike station setup's, this completion matches the letters' case exactly.
  const QString typed = txtEditPre->text().left(start) + QChar(KeyAscii);
  const CountryList &countries = ctx.logging.CountryTable;
  const int found = countryByName(countries, typed, Qt::CaseSensitive);
  if (found == 0)
    return;
  const QString name = countries.slot(found).CountryName;
  txtEditPre->setText(name);
  txtEditPre->setSelection(static_cast<int>(name.size()), static_cast<int>(typed.size() - name.size()));
  KeyAscii = 0;
}
