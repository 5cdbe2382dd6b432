#include "keying/CWFrm.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "keying/CwMacros.h"
#include "keying/KeyerSettings.h"
#include "keying/Morse.h"
#include "keying/frmCWStrings.h"
#include "keying/frmCodePractice.h"
#include "keying/frmWinKey.h"
#include "logging/EntryKeys.h"
#include "logging/Form1.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/PrinterPorts.h"
#include "platform/SerialKeyLine.h"
#include "platform/SerialPorts.h"
#include "platform/SettingsStore.h"
#include "platform/Timer.h"
#include "platform/VbText.h"
#include "platform/WinKey.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QTimer>

namespace {

const QString kSelectionKey = QStringLiteral("UserCWSelection");
const QString kLoopOffsetKey = QStringLiteral("UserCWLoopOffset");
const QString kKeyboardModeText = QStringLiteral("Keyboard CW Mode is on.  Press F12 to exit.");

// The key filter of a box taking Backspace and the characters from `low` to `high`.
std::function<void(int &)> passing(char low, char high) {
  return [low, high](int &key) { key = passRange(key, low, high); };
}

// Whole-number text of a rounded value, as the boxes show numbers.
QString wholeText(double value) {
  return vb::numberText(vb::roundHalfEven(value));
}

} // namespace

CWFrm::CWFrm(AppContext &context)
    : ctx(context), Comm(context.newSerialKeyLine()), printer_(*context.printerPorts, context.dialogs) {
  setWindowTitle(QStringLiteral("CW String Selections"));
  buildControls();
  connectControls();
  ctx.portArbiter.registerUser(
      PortUser::CwKeyLine, [this] { return Comm->device(); }, [this] { Comm->close(); });
  Form_Load();
}

CWFrm::~CWFrm() {
  Form_Unload();
}

void CWFrm::buildControls() {
  const auto label = [](QWidget *parent, const QString &text, double left, double top, double width,
                        double height = 255) {
    auto *l = placed<QLabel>(parent, left, top, width, height, text);
    if (height > 255) {
      l->setWordWrap(true);
      l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    return l;
  };
  const auto box = [this](double left, double top, double width) {
    return placed<TextBox>(this, left, top, width, 315);
  };
  const auto button = [](QWidget *parent, const QString &text, double left, double top, double width,
                         double height = 375) {
    auto *b = placed<QPushButton>(parent, left, top, width, height, text);
    b->setAutoDefault(false);
    return b;
  };

  label(this, QStringLiteral("Wildcards are $ for Call, * for RST  and # for Number (where applicable)."),
        120, 120, 5640);
  std::array<TextBox **, 11> messages = {&Text1, &Text2, &Text3, &Text4,  &Text5, &Text6,
                                         &Text7, &Text8, &Text9, &Text12, &Text13};
  for (int n = 0; n < 11; ++n) {
    const double top = 420 + n * 360;
    label(this, QStringLiteral("F%1").arg(n + 1), 120, top + 30, 450);
    *messages[static_cast<size_t>(n)] = box(600, top, 5160);
  }
  Check1 = placed<QCheckBox>(this, 120, 4410, 5640, 285,
                             QStringLiteral("Display CW text on main form (NA for WinKey)."));

  auto *keying = placed<QGroupBox>(this, 5880, 120, 1700, 1740, QStringLiteral("Keying Options"));
  const auto option = [](QWidget *frame, const QString &text, double top, double width = 1450) {
    return placed<QRadioButton>(frame, 150, top, width, 255, text);
  };
  Option1 = option(keying, QStringLiteral("RTS"), 270);
  Option2 = option(keying, QStringLiteral("DTR"), 540);
  Option3 = option(keying, QStringLiteral("Printer"), 810);
  Option4 = option(keying, QStringLiteral("None"), 1080);
  Option5 = option(keying, QStringLiteral("WinKey"), 1350);
  cmdConfWinkey = button(this, QStringLiteral("Configure Winkey"), 5880, 1920, 1700, 345);
  cmdConfWinkey->hide();

  label(this, QStringLiteral("Timing Options: "), 7700, 120, 1780);
  auto *timing = placed<QGroupBox>(this, 7700, 390, 1780, 2610);
  label(timing, QStringLiteral("Timer is the preferred option on most systems. "), 100, 120, 1580, 480);
  optTimer = option(timing, QStringLiteral("Timer"), 660, 1500);
  OptSleep = option(timing, QStringLiteral("Sleep"), 930, 1500);
  optLoop = option(timing, QStringLiteral("Loop"), 1200, 1500);
  optTimer->setToolTip(QStringLiteral("Times by Windows System time."));
  OptSleep->setToolTip(QStringLiteral("Times by Windows System time."));
  optLoop->setToolTip(QStringLiteral("Times by a For Next loop."));
  lblLoop = label(timing, QStringLiteral("Loop Delay"), 100, 1500, 800);
  txtLoop = placed<TextBox>(timing, 900, 1470, 780, 315);
  txtLoop->setToolTip(QStringLiteral("Loops per 60 ms"));
  cmdLoopFaster = button(timing, QStringLiteral("Speed up CW"), 100, 1860, 1580, 330);
  cmdLoopSlower = button(timing, QStringLiteral("Slow Down CW"), 100, 2220, 1580, 330);

  label(this, QStringLiteral("Serial"), 5880, 3150, 900);
  Text10 = box(6780, 3120, 700);
  label(this, QStringLiteral("Parallel"), 7700, 3150, 760);
  Text14 = box(8460, 3120, 1020);
  label(this, QStringLiteral("WPM"), 5880, 3540, 900);
  Text11 = box(6780, 3510, 700);
  Command2 = button(this, QStringLiteral("Faster"), 7700, 3480, 860, 345);
  Command3 = button(this, QStringLiteral("Slower"), 8620, 3480, 860, 345);
  label(this, QStringLiteral("Word Space"), 5880, 3930, 900);
  txtSpace = box(6780, 3900, 700);
  Command5 = button(this, QStringLiteral("Less"), 7700, 3870, 860, 345);
  Command6 = button(this, QStringLiteral("More"), 8620, 3870, 860, 345);
  label(this, QStringLiteral("Loop (Sec)"), 5880, 4320, 900);
  txtCWLoop = box(6780, 4290, 700);
  Text10->setText(QStringLiteral("0"));
  Text14->setText(QStringLiteral("&H378"));
  Text11->setText(QStringLiteral("13"));
  txtSpace->setText(QStringLiteral("0"));
  txtCWLoop->setText(QStringLiteral("0"));

  label(this, QStringLiteral("Prosigns"), 5880, 4740, 900);
  const std::pair<const char *, const char *> prosigns[] = {
      {"AR", "["}, {"CL", "\\"}, {"SK", "]"}, {"KN", ";"}, {"BT", "="}};
  for (int n = 0; n < 5; ++n) {
    const auto &[name, key] = prosigns[n];
    const double left = 6780 + n * 540;
    label(this, QString::fromLatin1(name), left, 4740, 300);
    label(this, QString::fromLatin1(key), left + 300, 4740, 200);
  }

  Command1 = button(this, QStringLiteral("Done"), 120, 4830, 1100);
  Command4 = button(this, QStringLiteral("&Test"), 1340, 4830, 1100);
  Label23 = label(this, QStringLiteral("Sending!"), 2560, 4890, 900);
  Label23->hide();
  Command7 = button(this, QStringLiteral("Send Code Practice"), 3660, 4830, 2100);

  label(this, QStringLiteral("Setup:"), 120, 5340, 700);
  label(this,
        QStringLiteral(
            "Build or buy an interface that keys the transmitter from a serial port's RTS or DTR line "
            "or from the printer port, then choose that line under Keying Options."),
        840, 5340, 4920, 480);
  label(this,
        QStringLiteral(
            "Enter the serial port's number (0 for none) or the printer port's address, then press Test "
            "to send the F9 text. The program makes no side tone: listen to your transmitter."),
        840, 5850, 4920, 480);
  label(
      this,
      QStringLiteral("Set the speed, the word spacing (0 is standard, -8 is no spacing) and whether the text "
                     "shows on the main form last, then press Done."),
      840, 6360, 4920, 480);
  label(this, QStringLiteral("To Use:"), 5880, 5100, 700);
  label(this,
        QStringLiteral("Each text box corresponds to a function key.  Enter the characters you would like to "
                       "associate with the function key. From the main logging page, press the appropriate "
                       "function key each time you wish to send the string.  A ! in the string enters the "
                       "contact."),
        5880, 5370, 3600, 960);
  label(this, QStringLiteral("Keyboard"), 5880, 6360, 800);
  label(this, QStringLiteral("F12"), 6700, 6360, 500);
  label(this, QStringLiteral("Up / Down arrows on main form change speed."), 5880, 6600, 3600);
  label(this, QStringLiteral("You must be in CW mode."), 7260, 6360, 2220);

  tmrRepeat = new Timer(this);
  placeTwips(this, 0, 0, 9600, 7200);
}

void CWFrm::connectControls() {
  for (TextBox *b : messageBoxes())
    b->KeyPress = [](int &key) { key = Form1::Capital(key); };
  Text10->KeyPress = passing('0', ':');
  Text11->KeyPress = passing('0', ':');
  txtSpace->KeyPress = passing('-', ':');
  txtCWLoop->KeyPress = repeatPauseKey;
  for (TextBox *b : {Text10, Text11})
    connect(b, &TextBox::gotFocus, b, [b] { QTimer::singleShot(0, b, [b] { b->selectAll(); }); });

  connect(Text10, &TextBox::lostFocus, this, &CWFrm::Text10_LostFocus);
  connect(Text11, &TextBox::lostFocus, this, &CWFrm::Text11_LostFocus);
  connect(Text11, &QLineEdit::textChanged, this, &CWFrm::Text11_Change);
  connect(txtSpace, &QLineEdit::textChanged, this, &CWFrm::txtSpace_Change);
  connect(txtSpace, &TextBox::lostFocus, this, &CWFrm::txtSpace_LostFocus);
  connect(txtCWLoop, &TextBox::lostFocus, this, &CWFrm::txtCWLoop_LostFocus);
  connect(txtLoop, &QLineEdit::textChanged, this, &CWFrm::txtLoop_Change);
  connect(tmrRepeat, &QTimer::timeout, this, &CWFrm::tmrRepeat_Timer);

  const std::pair<QRadioButton *, void (CWFrm::*)()> options[] = {
      {Option1, &CWFrm::Option1_Click},   {Option2, &CWFrm::Option2_Click},
      {Option3, &CWFrm::Option3_Click},   {Option4, &CWFrm::Option4_Click},
      {Option5, &CWFrm::Option5_Click},   {optTimer, &CWFrm::optTimer_Click},
      {OptSleep, &CWFrm::OptSleep_Click}, {optLoop, &CWFrm::optLoop_Click},
  };
  for (const auto &[button, click] : options)
    connect(button, &QRadioButton::toggled, this, [this, click](bool on) {
      if (on)
        (this->*click)();
    });

  connect(Command1, &QPushButton::clicked, this, &CWFrm::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &CWFrm::UpDown1_UpClick);
  connect(Command3, &QPushButton::clicked, this, &CWFrm::UpDown1_DownClick);
  connect(Command4, &QPushButton::clicked, this, &CWFrm::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &CWFrm::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &CWFrm::Command6_Click);
  connect(Command7, &QPushButton::clicked, this, &CWFrm::Command7_Click);
  connect(cmdConfWinkey, &QPushButton::clicked, this, &CWFrm::cmdConfWinkey_Click);
  connect(cmdLoopFaster, &QPushButton::clicked, this, &CWFrm::cmdLoopFaster_Click);
  connect(cmdLoopSlower, &QPushButton::clicked, this, &CWFrm::cmdLoopSlower_Click);
}

std::array<TextBox *, 11> CWFrm::messageBoxes() const {
  return {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text12, Text13};
}

Form1 &CWFrm::main() {
  return ctx.window<Form1>();
}

// ---- Settings file and window ----

CwKeyerSettings CWFrm::settings() const {
  CwKeyerSettings s;
  const auto boxes = messageBoxes();
  for (size_t n = 0; n < boxes.size(); ++n)
    s.messages[n] = boxes[n]->text();
  s.serialPort = Text10->text();
  s.speedWpm = Text11->text();
  s.wordSpace = txtSpace->text();
  s.printerPort = Text14->text();
  s.echo = Check1->checkState() == Qt::Checked ? 1 : Check1->checkState() == Qt::PartiallyChecked ? 2 : 0;
  s.loopSeconds = txtCWLoop->text();
  s.repeatIntervalMs = tmrRepeat->interval();
  return s;
}

bool CWFrm::readSettings(const QString &content) {
  CwKeyerSettings s = settings();
  const bool complete = readCwKeyerSettings(content, s, ctx.keying.CWKeyingMethod);
  const auto boxes = messageBoxes();
  for (size_t n = 0; n < boxes.size(); ++n)
    boxes[n]->setText(s.messages[n]);
  Text10->setText(s.serialPort);
  Text11->setText(s.speedWpm);
  txtSpace->setText(s.wordSpace);
  Text14->setText(s.printerPort);
  Check1->setCheckState(s.echo == 1 ? Qt::Checked : s.echo == 0 ? Qt::Unchecked : Qt::PartiallyChecked);
  txtCWLoop->setText(s.loopSeconds);
  tmrRepeat->setInterval(s.repeatIntervalMs);
  if (complete)
    selectKeyingOption(ctx.keying.CWKeyingMethod);
  return complete;
}

void CWFrm::selectKeyingOption(int method) {
  for (QRadioButton *o : {Option1, Option2, Option3}) {
    o->setAutoExclusive(false);
    o->setChecked(false);
    o->setAutoExclusive(true);
  }
  QRadioButton *chosen = method == 1   ? Option1
                         : method == 2 ? Option2
                         : method == 3 ? Option3
                         : method == 0 ? Option4
                         : method == 5 ? Option5
                                       : nullptr;
  if (!chosen)
    return;
  if (chosen->isChecked())
    chosen->toggled(true);
  else
    chosen->setChecked(true);
}

void CWFrm::Form_Load() {
  ScreenScaling::WorkAreaCopy(*this, ctx);
  if (const auto loops = vb::numberIn(ctx.settings.get(kLoopOffsetKey, QStringLiteral("0"))))
    LoopsPer60ms = *loops;
  txtLoop->setText(vb::numberText(LoopsPer60ms));
  const QString selection = ctx.settings.get(kSelectionKey, QStringLiteral("Timer"));
  for (QRadioButton *o : {optTimer, OptSleep, optLoop})
    if (selection == o->text())
      o->setChecked(true);
}

void CWFrm::Form_Unload() {
  tmrRepeat->stop();
  Comm->close();
  ctx.portArbiter.unregisterUser(PortUser::CwKeyLine);
}

void CWFrm::Command1_Click() {
  const QString path = cwKeyerFilePath(ctx.folders.ProgramFolder);
  QString error;
  if (!vb::writeLatin1Atomic(path, cwKeyerFileText(settings(), ctx.keying.CWKeyingMethod), &error)) {
    hide();
    ctx.dialogs.message(error + QStringLiteral("  ") + path, QStringLiteral("Unable to save CW settings."));
    return;
  }
  for (QRadioButton *o : {optTimer, optLoop, OptSleep})
    if (o->isChecked())
      ctx.settings.set(kSelectionKey, o->text());
  ctx.settings.set(kLoopOffsetKey, vb::numberText(LoopsPer60ms));
  hide();
  if (ctx.keying.CWKeyingMethod != 0)
    showCwMessagesWindow();
  if (ctx.loaded<Form1>())
    main().activateWindow();
}

void CWFrm::Command4_Click() {
  Label23->show();
  ctx.doEvents();
  int f9 = 120;
  FKeyCW(f9);
  Label23->hide();
  if (isVisible())
    Text1->setFocus();
}

void CWFrm::Command5_Click() {
  stepWordSpace(-1);
}

void CWFrm::Command6_Click() {
  stepWordSpace(1);
}

void CWFrm::stepWordSpace(int by) {
  const auto n = vb::numberIn(txtSpace->text());
  txtSpace->setText(n ? vb::numberText(*n + by) : QStringLiteral("0"));
}

void CWFrm::Command7_Click() {
  showCodePractice();
  ctx.keying.CWBuffer.clear();
}

void CWFrm::Option1_Click() {
  ctx.keying.CWKeyingMethod = 1;
}

void CWFrm::Option2_Click() {
  ctx.keying.CWKeyingMethod = 2;
}

void CWFrm::Option3_Click() {
  ctx.keying.CWKeyingMethod = 3;
}

void CWFrm::Option4_Click() {
  ctx.keying.CWKeyingMethod = 0;
}

void CWFrm::Option5_Click() {
  ctx.keying.CWKeyingMethod = 5;
  cmdConfWinkey->show();
  loadWinKeyWindow();
}

void CWFrm::cmdConfWinkey_Click() {
  showWinKeyWindow();
  Command1->setFocus();
}

void CWFrm::Text10_LostFocus() {
  if (!vb::numberIn(Text10->text()))
    Text10->setText(QStringLiteral("0"));
  CWSetup();
}

void CWFrm::Text11_LostFocus() {
  if (!vb::numberIn(Text11->text()))
    Text11->setText(QStringLiteral("0"));
}

void CWFrm::txtSpace_Change() {
  const auto n = vb::numberIn(txtSpace->text());
  if (n && *n < -8)
    txtSpace->setText(QStringLiteral("-8"));
}

void CWFrm::txtSpace_LostFocus() {
  if (!vb::numberIn(txtSpace->text()))
    txtSpace->setText(QStringLiteral("0"));
}

void CWFrm::txtCWLoop_LostFocus() {
  takeRepeatPause(*txtCWLoop, *tmrRepeat, ctx.dialogs);
}

// ---- Timing options ----

void CWFrm::setTimingControlsEnabled(bool enabled) {
  for (QWidget *w : std::initializer_list<QWidget *>{txtLoop, lblLoop, cmdLoopFaster, cmdLoopSlower})
    w->setEnabled(enabled);
}

void CWFrm::optTimer_Click() {
  setTimingControlsEnabled(false);
}

void CWFrm::OptSleep_Click() {
  setTimingControlsEnabled(false);
}

void CWFrm::optLoop_Click() {
  setTimingControlsEnabled(true);
  ctx.doEvents();
  if (LoopsPer60ms == 0)
    CalibrateLoop();
  txtLoop->setText(vb::numberText(LoopsPer60ms));
}

void CWFrm::txtLoop_Change() {
  if (const auto n = vb::numberIn(txtLoop->text()))
    LoopsPer60ms = *n;
}

void CWFrm::scaleLoop(double factor) {
  if (const auto n = vb::numberIn(txtLoop->text()))
    txtLoop->setText(wholeText(*n * factor));
  Command1->setFocus();
}

void CWFrm::cmdLoopFaster_Click() {
  scaleLoop(0.9);
}

void CWFrm::cmdLoopSlower_Click() {
  scaleLoop(1.111111111111);
}

void CWFrm::CalibrateLoop() {
  const auto t0 = ctx.clock.timeGetTime();
  LoopsPer60ms = countLoop(0, 5000000);
  const auto t1 = ctx.clock.timeGetTime();
  if (t1 != t0)
    LoopsPer60ms = vb::roundHalfEven(LoopsPer60ms / static_cast<double>(t1 - t0) * 60);
  txtLoop->setText(vb::numberText(LoopsPer60ms));
}

// ---- Send queue ----

void CWFrm::FKeyCW(int &KeyCode) {
  KeyingState &k = ctx.keying;
  k.CWBuffer.clear();
  if (k.CWKeyingMethod != 0 && ((KeyCode > 111 && KeyCode < 125) || k.KeyboardCWMode == 1)) {
    QString text;
    if (KeyCode == 112) {
      const auto delay = vb::numberIn(txtCWLoop->text());
      if (!delay)
        return;
      text = Text1->text();
      if (*delay > 0)
        k.CWRepeatPending = 1;
    } else if (KeyCode >= 113 && KeyCode <= 120) {
      text = messageBoxes()[static_cast<size_t>(KeyCode - 112)]->text();
    } else if (KeyCode == 122) {
      text = Text13->text();
    } else if (KeyCode == 124) {
      text = Text12->text();
    }
    if (k.KeyboardCWMode == 1 && KeyCode < 112) {
      if (KeyCode < 0)
        return;
      text = QString(QChar(KeyCode)).toUpper();
    }
    if (!text.isEmpty())
      text = expandWildcards(text, k.TheirCall, k.NextSerial, k.RSTSent);
    k.CWBuffer = text;
    LoopThroughCWBuffer();
  }
  ctx.doEvents();
}

void CWFrm::LoopThroughCWBuffer() {
  KeyingState &k = ctx.keying;
  if (k.CWKeyingMethod == 5) {
    if (k.CWBuffer.contains(u'!') && !main().txtCall->text().isEmpty())
      main().Mains();
    handToWinKey();
    if (k.CWRepeatPending == 1)
      tmrRepeat->start();
    return;
  }
  k.CWSending = 1;
  while (!k.CWBuffer.isEmpty()) {
    const QChar ch = k.CWBuffer.front();
    k.CWBuffer.remove(0, 1);
    Transmit(ch);
    if (Check1->checkState() == Qt::Checked)
      main().lblDialog->setText(k.CWBuffer);
    ctx.doEvents();
  }
  if (k.CWRepeatPending == 1)
    tmrRepeat->start();
  k.CWSending = 0;
  if (Check1->checkState() == Qt::Checked)
    main().lblDialog->setText(k.KeyboardCWMode != 0 ? kKeyboardModeText : QString());
}

void CWFrm::tmrRepeat_Timer() {
  tmrRepeat->stop();
  int f1 = 112;
  FKeyCW(f1);
}

void CWFrm::stepSpeed(int by) {
  if (const auto wpm = vb::numberIn(Text11->text()))
    Text11->setText(vb::numberText(*wpm + by));
}

void CWFrm::UpDown1_UpClick() {
  stepSpeed(1);
}

void CWFrm::UpDown1_DownClick() {
  stepSpeed(-1);
}

void CWFrm::Text11_Change() {
  const auto wpm = vb::numberIn(Text11->text());
  if (wpm && *wpm > 4 && *wpm < 100 && ctx.keying.WinKeyOpen != 0 && ctx.keying.CWKeyingMethod == 5)
    winKeySpeed(static_cast<int>(vb::roundToInt(*wpm)));
}

// ---- Transmitter ----

void CWFrm::Transmit(QChar ch) {
  KeyingState &k = ctx.keying;
  if (k.CWKeyingMethod == 0)
    return;
  // The log sign holds the keys typed ahead until it is handled, the port's box included.
  const QScopedValueRollback logging(k.CWLogging);
  if (ch == u'!')
    k.CWLogging = 1;
  if ((k.CWKeyingMethod == 1 || k.CWKeyingMethod == 2) && !Comm->isOpen() && !CWSetup() && !Comm->isOpen()) {
    // Told once: the rest of the message goes as Escape empties the queue, and a repeat with it.
    k.CWBuffer.clear();
    k.CWRepeatPending = 0;
    return;
  }
  if (ch == u'!') {
    Form1 &f = main();
    const bool passed = f.txtCall->text().isEmpty() ? f.entryRowEmpty() : f.Mains();
    // Keys typed while the contact was handled, still waiting to be read, are the hold's too.
    ctx.doEvents();
    if (passed)
      ++k.CWLogSignsPassed;
    return;
  }
  const auto wordSpace = vb::numberIn(txtSpace->text());
  const auto units = wordSpace ? keyedUnits(ch, *wordSpace) : std::nullopt;
  const auto wpm = vb::numberIn(Text11->text());
  if (!units || !wpm || !(*wpm > 0))
    return;
  // However the character ends, the transmitter is left released.
  bool down = false;
  const auto release = qScopeGuard([&] {
    if (down)
      setKey(false);
  });
  for (const QChar unit : *units) {
    down = unit == u'1';
    if (!setKey(down))
      return;
    waitUnit(*wpm);
  }
}

bool CWFrm::setKey(bool down) {
  if (Option2->isChecked())
    Comm->setDtr(down);
  if (Option1->isChecked())
    Comm->setRts(down);
  return !Option3->isChecked() || printer_.set(Text14->text(), down);
}

void CWFrm::waitUnit(double wpm) {
  const double unit = 1200.0 / wpm;
  if (optTimer->isChecked()) {
    const double end = static_cast<double>(ctx.clock.timeGetTime()) + unit;
    while (static_cast<double>(ctx.clock.timeGetTime()) < end) {
    }
  } else if (OptSleep->isChecked()) {
    ctx.clock.sleepMs(static_cast<int>(vb::roundToInt(unit)));
  } else if (optLoop->isChecked()) {
    countLoop(0, loopPasses(LoopsPer60ms, wpm));
  }
}

bool CWFrm::CWSetup() {
  Comm->close();
  const auto port = vb::numberIn(Text10->text());
  if (port && *port <= 0)
    return true;
  if (port && openKeyPort(*Comm, ctx.portArbiter, PortUser::CwKeyLine, *port))
    return true;
  ctx.dialogs.beep();
  ctx.dialogs.message(
      QStringLiteral("The port you have selected for CW keying is invalid.  Please select another "
                     "or enter 0 for none."),
      QStringLiteral("Invalid port."));
  if (!isVisible())
    exec();
  return false;
}

// ---- The WinKey keyer, code practice and the CW messages window ----

void CWFrm::handToWinKey() {
  ctx.loadedWindow<frmWinKey>().WKTransmit();
}

void CWFrm::winKeySpeed(int wpm) {
  ctx.winKey->wk_wpm(static_cast<std::uint8_t>(wpm));
}

void CWFrm::loadWinKeyWindow() {
  ctx.loadedWindow<frmWinKey>();
}

void CWFrm::showWinKeyWindow() {
  ctx.loadedWindow<frmWinKey>().exec();
}

void CWFrm::showCodePractice() {
  ctx.loadedWindow<frmCodePractice>().exec();
  ctx.unload<frmCodePractice>();
}

void CWFrm::showCwMessagesWindow() {
  ctx.loadedWindow<frmCWStrings>().showMinimized();
}
