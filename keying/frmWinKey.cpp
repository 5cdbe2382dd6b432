#include "keying/frmWinKey.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "keying/CWFrm.h"
#include "keying/WinKeySettings.h"
#include "logging/EntryKeys.h"
#include "logging/Form1.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"
#include "platform/WinKey.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <tuple>

frmWinKey::frmWinKey(AppContext &context) : ctx(context) {
  setWindowTitle(QStringLiteral(" WinKey Setup"));
  buildControls();
  ctx.portArbiter.registerUser(
      PortUser::WinKey, [this] { return wk().device(); },
      [this] {
        if (!wk().device().isEmpty())
          cmdCloseWinkey_Click();
      });
}

frmWinKey::~frmWinKey() {
  ctx.portArbiter.unregisterUser(PortUser::WinKey);
}

WinKey &frmWinKey::wk() {
  return *ctx.winKey;
}

void frmWinKey::buildControls() {
  const auto label = [this](const QString &text, double left, double top, double width) {
    return placed<QLabel>(this, left, top, width, 255, text);
  };
  const auto box = [this](const QString &text, double left, double top) {
    auto *b = placed<TextBox>(this, left, top, 600, 315);
    b->setText(text);
    b->KeyPress = [](int &key) { key = passRange(key, '0', '9'); };
    return b;
  };
  const auto button = [this](const QString &text, double left, double top) {
    auto *b = placed<QPushButton>(this, left, top, 1140, 375, text);
    b->setAutoDefault(false);
    return b;
  };

  label(QStringLiteral("Com Port:"), 120, 150, 900);
  txtWKComPort = box(QStringLiteral("5"), 1080, 120);
  cmdOpenWinkey = button(QStringLiteral("Open"), 1860, 90);
  cmdCloseWinkey = button(QStringLiteral("Close"), 3120, 90);
  label(QStringLiteral("WinKey Status:"), 4500, 150, 1320);
  lblOpenStatus = label(QStringLiteral("Closed"), 5880, 150, 1800);
  label(QStringLiteral("WinKey Version:"), 4500, 480, 1320);
  lblVersion = label(QStringLiteral("Version #"), 5880, 480, 1800);

  label(QStringLiteral("Settings:"), 120, 840, 1500);
  const auto setting = [&](const QString &caption, const QString &text, const QString &help, int row) {
    const double top = 1140 + 390 * row;
    label(caption, 120, top + 30, 900);
    auto *b = box(text, 1080, top);
    label(help, 1860, top + 30, 5700);
    return b;
  };
  txtWKWPM = setting(QStringLiteral("WPM:"), QStringLiteral("18"),
                     QStringLiteral("Up / down arrows from main form change speeds."), 0);
  txtWeight = setting(QStringLiteral("Weight:"), QStringLiteral("50"),
                      QStringLiteral("Proportional amount added or subtracted (50 is standard)."), 1);
  txtLeadIn = setting(QStringLiteral("Lead In:"), QStringLiteral("0"),
                      QStringLiteral("Lead in time for transmitter (10 ms increments)."), 2);
  txtTail = setting(QStringLiteral("Tail:"), QStringLiteral("0"),
                    QStringLiteral("Tail time after keying has stopped (10 ms increments)."), 3);
  txtRatio = setting(QStringLiteral("Ratio:"), QStringLiteral("50"),
                     QStringLiteral("Ratio of dits to dahs (Range: 33 - 66)."), 4);

  // A frame of four options, one under another.
  const auto frame = [this](const QString &title, double left, std::array<const char *, 4> captions) {
    auto *box = placed<QGroupBox>(this, left, 3150, 3600, 1350, title);
    std::array<QRadioButton *, 4> options{};
    for (size_t row = 0; row < options.size(); ++row)
      options[row] = placed<QRadioButton>(box, 150, 270 + 270.0 * static_cast<double>(row), 3000, 255,
                                          QString::fromLatin1(captions[row]));
    return options;
  };
  std::tie(optIambicA, optIambicB, optUltimatic, optBug) = std::tuple_cat(
      frame(QStringLiteral("Keyer Mode"), 120, {"Iambic A", "Iambic B", "Ultimatic", "Bug Keyer"}));
  optIambicB->setChecked(true);
  std::tie(optKey5Out3Off, optKey5Off3Out, optTone, optPTT) =
      std::tuple_cat(frame(QStringLiteral("Pin 5 Configuration"), 3960,
                           {"P5 Key Out, P3 Off", "P5 Off, P3 Key Out", "Tone", "PTT"}));
  optTone->setChecked(true);

  Text1 = placed<TextBox>(this, 120, 4680, 7440, 315);
  Text1->KeyPress = [this](int &KeyAscii) { Text1_KeyPress(KeyAscii); };

  cmdStop = button(QStringLiteral("Stop"), 120, 5160);
  Command1 = button(QStringLiteral("Buffer Test"), 1380, 5160);
  Command3 = button(QStringLiteral("Test"), 2640, 5160);
  Command2 = button(QStringLiteral("Defaults Test"), 3900, 5160);
  cmdDone = button(QStringLiteral("&Done"), 6420, 5160);
  placeTwips(this, 0, 0, 7800, 6120);

  connect(cmdOpenWinkey, &QPushButton::clicked, this, &frmWinKey::cmdOpenWinkey_Click);
  connect(cmdCloseWinkey, &QPushButton::clicked, this, &frmWinKey::cmdCloseWinkey_Click);
  connect(cmdStop, &QPushButton::clicked, this, &frmWinKey::cmdStop_Click);
  connect(Command1, &QPushButton::clicked, this, &frmWinKey::Command1_Click);
  connect(Command3, &QPushButton::clicked, this, &frmWinKey::Command3_Click);
  connect(cmdDone, &QPushButton::clicked, this, &frmWinKey::cmdDone_Click);
  connect(txtWKComPort, &TextBox::lostFocus, this, &frmWinKey::txtWKComPort_LostFocus);
  connect(txtWKWPM, &TextBox::lostFocus, this, &frmWinKey::txtWKWPM_LostFocus);
  connect(txtWeight, &TextBox::lostFocus, this, &frmWinKey::txtWeight_LostFocus);
  connect(txtLeadIn, &TextBox::lostFocus, this, &frmWinKey::txtLeadIn_LostFocus);
  connect(txtTail, &TextBox::lostFocus, this, &frmWinKey::txtTail_LostFocus);
  connect(txtRatio, &TextBox::lostFocus, this, &frmWinKey::txtRatio_LostFocus);
  for (const auto &[button, value] : modeOptions())
    connect(button, &QRadioButton::toggled, this, [this, v = value](bool on) {
      if (on)
        optionClicked(ctx.keying.WinKeyMode, v);
    });
  for (const auto &[button, value] : pinOptions())
    connect(button, &QRadioButton::toggled, this, [this, v = value](bool on) {
      if (on)
        optionClicked(ctx.keying.WinKeyPinConfig, v);
    });
}

std::array<std::pair<QRadioButton *, int>, 4> frmWinKey::modeOptions() const {
  return {{{optIambicB, 0x00}, {optIambicA, 0x10}, {optUltimatic, 0x20}, {optBug, 0x30}}};
}

std::array<std::pair<QRadioButton *, int>, 4> frmWinKey::pinOptions() const {
  return {{{optKey5Off3Out, 4}, {optPTT, 5}, {optTone, 6}, {optKey5Out3Off, 8}}};
}

void frmWinKey::optionClicked(int &setting, int value) {
  setting = value;
  if (ctx.keying.WinKeyOpen != 0)
    ApplyWinKeySettings();
}

WinKeyFileSettings frmWinKey::fileSettings() const {
  const KeyingState &k = ctx.keying;
  return {k.WinKeyComPort, txtWKWPM->text(), txtWeight->text(), txtLeadIn->text(),
          txtTail->text(), txtRatio->text(), k.WinKeyPinConfig, k.WinKeyMode};
}

void frmWinKey::Form_Load() {
  const ScreenTwips screen = ctx.screen->twips();
  ScreenScaling::ResizeControls(*this, ctx, screen.Width, screen.Height, 9600, 7200, 0, 1.0f,
                                QStringLiteral("Arial"));
  KeyingState &k = ctx.keying;
  k.WinKeyPinConfig = 6;
  k.WinKeyMode = 0;
  const QString path = files::resolve(ctx.folders.DataFolder, kWinKeyFile);
  if (files::exists(path)) {
    const auto content = vb::readLatin1(path);
    if (!content)
      return;
    WinKeyFileSettings s = fileSettings();
    const bool complete = readWinKeyFile(*content, s);
    k.WinKeyComPort = s.comPort;
    txtWKWPM->setText(s.wpm);
    txtWeight->setText(s.weight);
    txtLeadIn->setText(s.leadIn);
    txtTail->setText(s.tail);
    txtRatio->setText(s.ratio);
    k.WinKeyPinConfig = s.pinConfig;
    k.WinKeyMode = s.mode;
    if (!complete)
      return;
  }
  txtWKWPM->setText(ctx.window<CWFrm>().Text11->text());
  txtWKComPort->setText(QString::number(k.WinKeyComPort));
  // Selecting runs the option's click, which re-sends the settings to an open keyer.
  const auto select = [this](const auto &options, int &setting) {
    for (const auto &[button, value] : options) {
      if (value != setting)
        continue;
      if (button->isChecked())
        optionClicked(setting, value);
      else
        button->setChecked(true);
      return;
    }
  };
  select(pinOptions(), k.WinKeyPinConfig);
  select(modeOptions(), k.WinKeyMode);
}

void frmWinKey::Form_Unload() {
  wk().wk_close();
  ctx.keying.WinKeyOpen = 0;
}

void frmWinKey::cmdOpenWinkey_Click() {
  KeyingState &k = ctx.keying;
  ctx.portArbiter.closeOthersFor(PortUser::WinKey);
  std::uint8_t version = 0;
  const std::int32_t result = wk().wk_open(version, static_cast<std::uint8_t>(k.WinKeyComPort));
  if (result != wkresult::AlreadyOpen && version == 0)
    ctx.dialogs.message(QStringLiteral("Unable to establish connection with WinKey on com port %1.  Please "
                                       "check to make sure that you have specified the correct port and "
                                       "that the Winkey device is properly connected.")
                            .arg(k.WinKeyComPort),
                        QStringLiteral("Unable to establish connection with Winkey."));
  const QString text = winKeyResultText(result);
  if (!text.isEmpty())
    lblOpenStatus->setText(text);
  if (result == wkresult::AlreadyOpen)
    return;
  ApplyWinKeySettings();
  if (version > 0) {
    k.WinKeyOpen = version;
    lblVersion->setText(QStringLiteral("Version # %1").arg(version));
  }
  if (isVisible())
    cmdDone->setFocus();
}

void frmWinKey::cmdCloseWinkey_Click() {
  wk().wk_close();
  lblOpenStatus->setText(QStringLiteral("Closed"));
  lblVersion->setText(QStringLiteral("Version #"));
  ctx.keying.WinKeyOpen = 0;
  if (isVisible())
    cmdDone->setFocus();
}

void frmWinKey::ApplyWinKeySettings() {
  txtWKWPM_LostFocus();
  txtWeight_LostFocus();
  txtLeadIn_LostFocus();
  txtRatio_LostFocus();
  wk().wk_pincfg(static_cast<std::uint8_t>(ctx.keying.WinKeyPinConfig));
  wk().wk_setmode(static_cast<std::uint8_t>(ctx.keying.WinKeyMode));
}

namespace {

// Applies a value box's check: its new text, and the value sent when there is one.
template <class Send> void applyCheck(TextBox *box, const BoxCheck &check, Send send) {
  if (check.text)
    box->setText(*check.text);
  if (check.send)
    send(*check.send);
}

} // namespace

void frmWinKey::txtWKComPort_LostFocus() {
  const PortCheck check = checkPortBox(txtWKComPort->text());
  if (check.text)
    txtWKComPort->setText(*check.text);
  ctx.keying.WinKeyComPort = check.port;
}

void frmWinKey::txtWKWPM_LostFocus() {
  applyCheck(txtWKWPM, checkValueBox(txtWKWPM->text(), QStringLiteral("18"), 0, 99),
             [this](std::uint8_t v) { wk().wk_wpm(v); });
}

void frmWinKey::txtWeight_LostFocus() {
  applyCheck(txtWeight, checkValueBox(txtWeight->text(), QStringLiteral("50"), 0, 99),
             [this](std::uint8_t v) { wk().wk_weight(v); });
}

void frmWinKey::txtRatio_LostFocus() {
  applyCheck(txtRatio, checkValueBox(txtRatio->text(), QStringLiteral("50"), 32, 67),
             [this](std::uint8_t v) { wk().wk_ditdah_ratio(v); });
}

void frmWinKey::txtLeadIn_LostFocus() {
  leadTailLostFocus(*txtLeadIn);
}

void frmWinKey::txtTail_LostFocus() {
  leadTailLostFocus(*txtTail);
}

void frmWinKey::leadTailLostFocus(TextBox &left) {
  const LeadTailCheck check = checkLeadTail(txtLeadIn->text(), txtTail->text());
  if (check.text)
    left.setText(*check.text);
  if (check.send)
    wk().wk_ptt_leadtail(check.send->first, check.send->second);
}

void frmWinKey::WKTransmit() {
  KeyingState &k = ctx.keying;
  if (k.WinKeyOpen == 0)
    cmdOpenWinkey_Click();
  if (k.WinKeyOpen == 0) {
    k.CWBuffer.clear();
    return;
  }
  AppContext &c = ctx;
  WinKey &keyer = wk();
  const QPointer<frmWinKey> alive(this);
  while (!k.CWBuffer.isEmpty()) {
    k.WinKeyStatus = keyer.wk_getstatus();
    while (k.WinKeyStatus > wkstatus::Busy) {
      c.clock.sleepMs(10);
      c.doEvents();
      if (!alive)
        return; // unloaded meanwhile
      k.WinKeyStatus = keyer.wk_getstatus();
    }
    if (k.WinKeyStatus == wkresult::NotOpen) {
      // The keyer went away: the next drain opens it again.
      k.WinKeyOpen = 0;
      k.CWBuffer.clear();
      return;
    }
    if (k.CWBuffer.isEmpty())
      break;
    const auto code = static_cast<std::uint8_t>(k.CWBuffer[0].toLatin1());
    if (code > 0)
      keyer.wk_char(code);
    k.CWBuffer.remove(0, 1);
    c.clock.sleepMs(10);
  }
}

void frmWinKey::queueText(const QString &text) {
  const bool wasEmpty = ctx.keying.CWBuffer.isEmpty();
  ctx.keying.CWBuffer += text;
  if (wasEmpty)
    WKTransmit();
}

void frmWinKey::Command1_Click() {
  const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ ");
  queueText(alphabet + alphabet + alphabet);
}

void frmWinKey::Command3_Click() {
  const QPointer<frmWinKey> alive(this);
  queueText(QStringLiteral("VVV TEST DE ") + ctx.logging.station.MyCall);
  if (alive)
    cmdDone->setFocus();
}

void frmWinKey::Text1_KeyPress(int &KeyAscii) {
  KeyAscii = Form1::Capital(KeyAscii);
  if (KeyAscii > 13)
    queueText(QString(QChar(KeyAscii)));
}

void frmWinKey::cmdStop_Click() {
  wk().wk_clearbuf();
  ctx.keying.CWBuffer.clear();
  cmdDone->setFocus();
}

void frmWinKey::cmdDone_Click() {
  const QString path = files::resolve(ctx.folders.DataFolder, kWinKeyFile);
  QString error;
  const bool saved = vb::writeLatin1Atomic(path, winKeyFileText(fileSettings()), &error);
  hide();
  if (!saved)
    ctx.dialogs.message(error + QStringLiteral("  ") + path,
                        QStringLiteral("Unable to save WinKey settings."));
}
