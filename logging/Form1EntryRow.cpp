// The entry row at contest speed: each field's keys, the keys carried on into the next field,
// the default reports, the partial-dupe list and format hint while the call is typed, and what
// the fields do as they take and lose the focus.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "keying/BlindFrm.h"
#include "keying/frmDigitalSource.h"
#include "logging/EntryKeys.h"
#include "logging/StationSetup.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"

#include <map>

void Form1::connectEntryRow() {
  const std::map<TextBox *, void (Form1::*)(int &)> fieldKeys{
      {txtCall, &Form1::txtCall_KeyPress},
      {txtRSTR, &Form1::txtRSTR_KeyPress},
      {txtSec, &Form1::txtSec_KeyPress},
      {txtRSTS, &Form1::txtRSTS_KeyPress},
      {txtCntry, &Form1::txtCntry_KeyPress},
      {txtPref, &Form1::txtPref_KeyPress},
      {txtPoints, &Form1::txtPoints_KeyPress},
      {txtPostConTime, &Form1::txtPostConTime_KeyPress},
      {txtPostConDate, &Form1::txtPostConDate_KeyPress},
  };
  for (const auto &[box, keyPress] : fieldKeys) {
    box->KeyPress = [this, handler = keyPress](int &KeyAscii) { (this->*handler)(KeyAscii); };
    box->setKeysOnly();
  }

  connect(txtCall, &QLineEdit::textChanged, this, &Form1::txtCall_Change);
  connect(txtRSTS, &QLineEdit::textChanged, this, &Form1::txtRSTS_Change);
  // Queued: a key handler that moves the focus finishes first, so a carried key is in its
  // field before the field it left is checked.
  const auto onFocus = [this](TextBox *field, void (TextBox::*signal)(), auto handler) {
    connect(field, signal, this, handler, Qt::QueuedConnection);
  };
  onFocus(txtCall, &TextBox::gotFocus, &Form1::txtCall_GotFocus);
  onFocus(txtCall, &TextBox::lostFocus, &Form1::txtCall_LostFocus);
  onFocus(txtPostConTime, &TextBox::gotFocus, &Form1::txtPostConTime_GotFocus);
  onFocus(txtPostConDate, &TextBox::gotFocus, &Form1::txtPostConDate_GotFocus);
  const std::pair<TextBox *, const char *> prompts[] = {
      {txtCntry, "Country"}, {txtPoints, "Points"}, {txtPref, "Prefix"},
      {txtRSTR, "RstRcvd"},  {txtRSTS, "RstSnt"},   {txtSec, "SerNum"},
  };
  for (const auto &[field, name] : prompts)
    onFocus(field, &TextBox::gotFocus, [this, name] { fieldPrompt(QString::fromLatin1(name)); });

  // Tab moves along the row; the post-contest fields follow the points.
  TextBox *const order[] = {txtCall, txtRSTR,   txtSec,         txtRSTS,       txtCntry,
                            txtPref, txtPoints, txtPostConTime, txtPostConDate};
  for (size_t i = 1; i < std::size(order); ++i)
    setTabOrder(order[i - 1], order[i]);
}

void Form1::carry(int &KeyAscii, int target, TextBox *to, void (Form1::*receive)(int &)) {
  LoggingState &s = st();
  s.CarryKey = KeyAscii;
  s.CarryTarget = target;
  to->setFocus();
  (this->*receive)(KeyAscii);
}

void Form1::placeCarried(TextBox *field, int KeyAscii) {
  field->setTyped(QString(QChar(KeyAscii)));
  field->setCursorPosition(1);
  st().CarryTarget = carryTo::None;
}

void Form1::enterOrSpace(int &KeyAscii, TextBox *next) {
  if (KeyAscii == keys::Enter) {
    KeyAscii = 0;
    Mains();
  } else if (KeyAscii == keys::Space) {
    KeyAscii = 0;
    if (next)
      next->setFocus();
    else
      focusNextChild();
  }
}

void Form1::fieldPrompt(const QString &name) {
  if (ctx.keying.VoiceNavMode > 1)
    ctx.window<BlindFrm>().BlindKeyPhone(name);
}

void Form1::txtCall_Change() {
  CallPreFix();
  CountryLookup();
  KeyingState &k = ctx.keying;
  k.TheirCall = txtCall->text();
  if (feedsRttyLink())
    ctx.window<frmDigitalSource>().txtBUrCall->setText(k.TheirCall);
}

void Form1::txtCall_KeyPress(int &KeyAscii) {
  LoggingState &s = st();
  const QString call = txtCall->text();
  if (call.size() < 2) {
    txtCntry->setText(QString());
    txtPoints->setText(QString());
    clearCountryPlace();
  }
  if (carriesDigitFromCall(call, txtCall->selStart(), KeyAscii)) {
    carry(KeyAscii, carryTo::Report, txtRSTR, &Form1::txtRSTR_KeyPress);
    KeyAscii = 0;
  }
  if (s.LoggedOn == 1 && call.size() < 3)
    lblDialog->setText(QStringLiteral(" "));
  if (s.LoggedOn == 0) {
    lblDialog->setText(QStringLiteral("Click Log \"Time On\"!"));
    ctx.dialogs.beep();
  }
  if (KeyAscii == keys::Enter) {
    KeyAscii = 0;
    Mains();
  }
  if (KeyAscii == keys::Space && s.CarryTarget == carryTo::None) {
    KeyAscii = 0;
    txtRSTR->setFocus();
  }
  KeyAscii = callKey(KeyAscii);
  PartialDupCheck(KeyAscii);
  if (s.DupeFlag == 1)
    DupeHold();
}

void Form1::PartialDupCheck(int KeyAscii) {
  const LoggingState &s = st();
  setStatus(lblDialog->text());
  resetDupeLine();
  const QString call = txtCall->text();
  const QString typed = call + QChar(KeyAscii);
  QString list;
  if (s.PartialDupesOn == 1 && isCallKey(KeyAscii)) {
    list = partialDupeList(s.log, s.CurrentBand, typed);
    showPartialDupes(list);
  }
  if (!list.isEmpty() && call.size() >= 3)
    lblDialog->setText(QStringLiteral("Possible Duplicate!"));
  else if (s.LoggedOn == 1)
    lblDialog->setText(QStringLiteral(" "));
  switch (callFormatHint(typed, KeyAscii)) {
  case CallHint::None:
    break;
  case CallHint::Fine:
    lblDialog->setText(QStringLiteral(" "));
    break;
  case CallHint::NotNumeric:
    ctx.dialogs.beep();
    lblDialog->setText(QStringLiteral("The second or third character is not numeric!"));
    break;
  }
}

void Form1::txtCall_GotFocus() {
  showEditButtons(false);
  if (txtCall->text().isEmpty()) {
    txtRSTS->setText(QString());
    txtRSTR->setText(QString());
    if (st().LogChanged)
      reloadInBackground();
  }
  // A log that never opened would fail on every tick.
  if (!Timer3->isActive() && ctx.db().isOpen())
    Timer3->start();
  if (ctx.keying.VoiceNavMode != 0)
    ctx.window<BlindFrm>().BlindKeyPhone(QStringLiteral("Call"));
}

void Form1::txtCall_LostFocus() {
  if (txtCall->text().isEmpty())
    return;
  dupcheck();
  const QString report = defaultReport(st().station.ModeCode);
  for (TextBox *field : {txtRSTR, txtRSTS}) {
    if (field->text().isEmpty()) {
      // Selected, so that the first key typed replaces it.
      field->setText(report);
      field->setSelection(0, static_cast<int>(report.size()));
    }
  }
  txtPref->setSelection(txtPref->selStart(), static_cast<int>(txtPref->text().size()));
}

void Form1::txtRSTR_KeyPress(int &KeyAscii) {
  LoggingState &s = st();
  // A complete report: the key goes on to the serial number.
  if (txtRSTR->text().size() == defaultReport(s.station.ModeCode).size() && !txtRSTR->hasSelectedText() &&
      KeyAscii != keys::Backspace) {
    carry(KeyAscii, carryTo::Serial, txtSec, &Form1::txtSec_KeyPress);
    KeyAscii = keys::Space;
  }
  if (s.CarryTarget == carryTo::Report)
    KeyAscii = s.CarryKey;
  enterOrSpace(KeyAscii, txtSec);
  KeyAscii = number(KeyAscii);
  if (s.CarryTarget == carryTo::Report)
    placeCarried(txtRSTR, KeyAscii);
}

void Form1::txtSec_KeyPress(int &KeyAscii) {
  LoggingState &s = st();
  if (KeyAscii == keys::Enter) {
    KeyAscii = 0;
    Mains();
  }
  if (s.CarryTarget == carryTo::Serial) {
    KeyAscii = s.CarryKey;
    if (KeyAscii == keys::Space)
      KeyAscii = 0;
  }
  if (KeyAscii == keys::Space) {
    KeyAscii = 0;
    txtRSTS->setFocus();
  }
  KeyAscii = number(KeyAscii);
  if (s.CarryTarget == carryTo::Serial) {
    if (KeyAscii != 0)
      placeCarried(txtSec, KeyAscii);
    s.CarryTarget = carryTo::None;
  }
}

void Form1::txtRSTS_Change() {
  KeyingState &k = ctx.keying;
  k.RSTSent = txtRSTS->text();
  if (feedsRttyLink())
    ctx.window<frmDigitalSource>().txtBField1->setText(k.RSTSent);
}

bool Form1::feedsRttyLink() {
  return contestModeFor(st().station.ModeCode) == ContestMode::RTTY && ctx.keying.Q4ZDLinkOn == 1;
}

void Form1::txtRSTS_KeyPress(int &KeyAscii) {
  // A letter starts the country.
  if (KeyAscii > '9') {
    KeyAscii = Capital(KeyAscii);
    carry(KeyAscii, carryTo::Country, txtCntry, &Form1::txtCntry_KeyPress);
    KeyAscii = keys::Space;
  }
  if (KeyAscii == keys::Enter) {
    KeyAscii = 0;
    Mains();
    return;
  }
  if (KeyAscii == keys::Space)
    txtCntry->setFocus();
  KeyAscii = number(KeyAscii);
}

void Form1::txtPref_KeyPress(int &KeyAscii) {
  enterOrSpace(KeyAscii, txtPoints);
  KeyAscii = Capital(KeyAscii);
}

void Form1::txtPoints_KeyPress(int &KeyAscii) {
  enterOrSpace(KeyAscii, nullptr);
  KeyAscii = number(KeyAscii);
  KeyAscii = clampPointsKey(KeyAscii);
}
