// The main window sees every key before the control that has the focus: the key going down,
// then the character it types. The CW strings window hands its keys to the same handlers.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "app/WindowShowing.h"
#include "keying/CWFrm.h"
#include "keying/PhoneFrm.h"
#include "keying/frmCWStrings.h"
#include "keying/frmDigitalSource.h"
#include "logging/EntryKeys.h"
#include "logging/StationSetup.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Timer.h"
#include "platform/WavePlayer.h"
#include "platform/WinKey.h"
#include "rig/frmRigTune.h"
#include "spotting/PacketSpotfrm.h"

#include <QScopeGuard>

namespace {

constexpr int kCtrl = 2;
constexpr int kUp = 38;
constexpr int kDown = 40;
constexpr int kF1 = 112;
constexpr int kF9 = 120;
constexpr int kF10 = 121;
constexpr int kF12 = 123;
constexpr int kF10Message = 124; // the F10 message goes by the code after F12

const QColor kKeyboardModeColour(255, 255, 192);
const QColor kNormalColour(0, 192, 192);

bool isMode(const QString &code, ContestMode mode) {
  return contestModeFor(code) == mode;
}

} // namespace

void Form1::previewAllKeys() {
  const FormKeys form{[this](int &KeyCode, int Shift) { Form_KeyDown(KeyCode, Shift); },
                      [this](int &KeyAscii) { Form_KeyPress(KeyAscii); },
                      [this](int KeyCode) { return keyTurn(KeyCode); }, [this] { ctx.dialogs.beep(); }};
  // Every control that can take the focus, whichever part of the program placed it.
  for (QWidget *control : findChildren<QWidget *>()) {
    if (control->focusPolicy() != Qt::NoFocus)
      previewKeys(control, form);
  }
}

KeyTurn Form1::keyTurn(int KeyCode) {
  // Escape stops the message and the speed keys act on the sending: neither waits.
  if (KeyCode == keys::Escape || KeyCode == kUp || KeyCode == kDown)
    return KeyTurn::AtOnce;
  const KeyingState &k = ctx.keying;
  if (k.CWSending == 1 && (k.CWLogging == 1 || k.CWBuffer.contains(u'!'))) {
    if (!logSignHoldFrom_)
      logSignHoldFrom_ = k.CWLogSignsPassed;
    return KeyTurn::Wait;
  }
  if (!logSignHoldFrom_)
    return KeyTurn::InOrder;
  // The hold is over. Its keys go into the next contact only when the log sign logged this one;
  // not when the message was stopped, its line failed, the keyer was switched off or the row refused.
  if (std::exchange(logSignHoldFrom_, std::nullopt) != k.CWLogSignsPassed)
    return KeyTurn::InOrder;
  ctx.dialogs.beep();
  return KeyTurn::Drop;
}

void Form1::inTurn(std::function<void()> act) {
  actInTurn(this, std::move(act));
}

void Form1::Form_KeyDown(int &KeyCode, int Shift) {
  // The suppression is for the character of this one key. Windows and events that run inside
  // this handler may take other keys meanwhile, so it is written when the handler ends.
  int suppress = Shift == kCtrl ? 1 : 0;
  const auto keep = qScopeGuard([&] { SuppressKeyPress = suppress; });
  if (Shift == kCtrl && ctrlShortcut(KeyCode)) {
    KeyCode = 0;
    return;
  }
  cancelRepeats();
  const QString &mode = st().station.ModeCode;
  if (isMode(mode, ContestMode::Phone)) {
    if (KeyCode == kF10)
      KeyCode = 0;
    if (KeyCode >= kF1 && KeyCode <= kF9)
      ctx.window<PhoneFrm>().FKeyPhone(KeyCode);
  }
  if (isMode(mode, ContestMode::CW) && ctx.keying.CWKeyingMethod != 0)
    cwKeyDown(KeyCode);
  if (isMode(mode, ContestMode::RTTY) && ctx.keying.Q4ZDLinkOn == 1)
    rttyKeyDown(KeyCode, suppress);
}

bool Form1::ctrlShortcut(int KeyCode) {
  switch (KeyCode) {
  case 'W':
    showBeside(ctx.loadedWindow<frmCWStrings>(), true);
    return true;
  case 'C':
  case 'S':
    ShowCwKeyer();
    return true;
  case 'P':
    showBeside(ctx.window<PhoneFrm>(), true);
    return true;
  case 'D':
    showBeside(ctx.window<PacketSpotfrm>(), true);
    return true;
  case 'B':
    mnuSpectrumMap_Click();
    return true;
  case 'F':
    mnuPrivileges_Click();
    return true;
  case 'R':
    mnuRigInterface_Click();
    return true;
  case 'G':
    showModalFresh<frmRigTune>(ctx);
    return true;
  default:
    return false;
  }
}

void Form1::cancelRepeats() {
  KeyingState &k = ctx.keying;
  if (k.CWRepeatPending != 0) {
    if (k.WinKeyOpen != 0)
      ctx.winKey->wk_clearbuf();
    k.CWBuffer.clear();
    k.CWRepeatPending = 0;
    if (ctx.loaded<CWFrm>())
      ctx.window<CWFrm>().tmrRepeat->stop();
  }
  if (k.VoiceRepeatPending != 0) {
    k.VoiceRepeatPending = 0;
    if (ctx.loaded<PhoneFrm>())
      ctx.window<PhoneFrm>().tmrRepeat->stop();
  }
}

void Form1::cwKeyDown(int &KeyCode) {
  CWFrm &cw = ctx.window<CWFrm>();
  if (KeyCode == kDown || KeyCode == kUp) {
    if (KeyCode == kDown)
      cw.UpDown1_DownClick();
    else
      cw.UpDown1_UpClick();
    lblDialog->setText(cw.Text11->text() + QStringLiteral(" WPM"));
    KeyCode = 0;
    return;
  }
  if (KeyCode < kF1 || KeyCode > kF12)
    return;
  if (KeyCode == kF10)
    KeyCode = kF10Message;
  if (KeyCode != kF12) {
    cw.FKeyCW(KeyCode);
    return;
  }
  KeyingState &k = ctx.keying;
  k.KeyboardCWMode = k.KeyboardCWMode == 0 ? 1 : 0;
  showKeyboardMode(k.KeyboardCWMode == 1,
                   QStringLiteral("Keyboard CW mode is ON!  Press F12 to exit keyboard CW mode."));
}

void Form1::rttyKeyDown(int &KeyCode, int &suppress) {
  if (KeyCode == kF10)
    KeyCode = kF10Message;
  if (KeyboardRTTYMode == 1)
    suppress = 1;
  ctx.doEvents();
  // A key without a code has nothing to pass on.
  if (KeyCode != 0) {
    TextBox *box = ctx.window<frmDigitalSource>().txtBField8;
    box->setText(QString());
    box->setText(QString::number(KeyCode));
  }
  if (KeyCode != kF12)
    return;
  KeyboardRTTYMode = KeyboardRTTYMode == 0 ? 1 : 0;
  if (KeyboardRTTYMode == 0)
    suppress = 0;
  showKeyboardMode(KeyboardRTTYMode == 1,
                   QStringLiteral("Keyboard RTTY mode.  Press F12 to exit keyboard RTTY."));
}

void Form1::showKeyboardMode(bool on, const QString &text) {
  lblDialog->setText(on ? text : QString());
  setBackColor(lblDialog, on ? kKeyboardModeColour : kNormalColour);
}

void Form1::Form_KeyPress(int &KeyAscii) {
  if (SuppressKeyPress == 1) {
    SuppressKeyPress = 0;
    KeyAscii = 0;
    return;
  }
  KeyingState &k = ctx.keying;
  if (KeyAscii == keys::Escape && escapeStopsVoice()) {
    KeyAscii = 0;
    return;
  }
  if (keys::isQuote(KeyAscii))
    KeyAscii = 0;
  if (KeyAscii == keys::Escape && escapeStopsWinKey()) {
    KeyAscii = 0;
    return;
  }
  if (KeyAscii == keys::Escape) {
    if (k.CWSending == 0)
      mnuClear_Click();
    else
      k.CWBuffer.clear();
    KeyAscii = 0;
  }
  if (KeyAscii == keys::Backspace && k.KeyboardCWMode == 1 && takeBackCw()) {
    KeyAscii = 0;
    return;
  }
  if (isMode(st().station.ModeCode, ContestMode::CW) && k.KeyboardCWMode == 1) {
    // A key already dropped sends nothing.
    const int code = Capital(KeyAscii);
    KeyAscii = 0;
    if (code == 0)
      return;
    k.CWBuffer += QChar(code);
    if (k.CWSending == 0)
      ctx.window<CWFrm>().LoopThroughCWBuffer();
  }
}

bool Form1::escapeStopsVoice() {
  // A voice keyer never loaded plays nothing.
  if (!isMode(st().station.ModeCode, ContestMode::Phone) || !ctx.loaded<PhoneFrm>())
    return false;
  WavePlayer &player = *ctx.window<PhoneFrm>().MMControl1;
  if (player.Mode() != WavePlayer::kModePlaying)
    return false;
  player.stop();
  return true;
}

bool Form1::escapeStopsWinKey() {
  KeyingState &k = ctx.keying;
  if (k.CWKeyingMethod != 5 || k.WinKeyOpen == 0)
    return false;
  k.WinKeyStatus = ctx.winKey->wk_getstatus();
  if (k.WinKeyStatus <= 0)
    return false;
  ctx.winKey->wk_clearbuf();
  k.CWBuffer.clear();
  return true;
}

bool Form1::takeBackCw() {
  KeyingState &k = ctx.keying;
  // The status is read only here, where it is used: typing never waits on the keyer's line.
  if (k.WinKeyOpen != 0) {
    k.WinKeyStatus = ctx.winKey->wk_getstatus();
    if (k.WinKeyStatus > 0) {
      ctx.winKey->wk_backspace();
      return true;
    }
  }
  if (k.CWSending == 1 && !k.CWBuffer.isEmpty()) {
    k.CWBuffer.chop(1);
    return true;
  }
  return false;
}
