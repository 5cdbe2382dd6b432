#include "keying/PhoneFrm.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "keying/KeyerSettings.h"
#include "logging/Form1.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/SerialKeyLine.h"
#include "platform/Timer.h"
#include "platform/VbText.h"
#include "platform/WavePlayer.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

PhoneFrm::PhoneFrm(AppContext &context)
    : ctx(context), MMControl1(context.newWavePlayer()), CommPhone(context.newSerialKeyLine()),
      printer_(*context.printerPorts, context.dialogs) {
  setWindowTitle(QStringLiteral("Phone Wave Selections"));
  buildControls();
  connectControls();
  ctx.portArbiter.registerUser(
      PortUser::PushToTalk, [this] { return CommPhone->device(); }, [this] { CommPhone->close(); });
  Form_Load();
}

PhoneFrm::~PhoneFrm() {
  Form_Unload();
}

void PhoneFrm::buildControls() {
  const auto label = [this](const QString &text, double left, double top, double width, double height = 255) {
    auto *l = placed<QLabel>(this, left, top, width, height, text);
    if (height > 255) {
      l->setWordWrap(true);
      l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    return l;
  };
  const auto button = [this](const QString &text, double left, double top, double width, double height) {
    auto *b = placed<QPushButton>(this, left, top, width, height, text);
    b->setAutoDefault(false);
    return b;
  };

  const std::array<TextBox **, 9> boxes = {&Text1, &Text2, &Text3, &Text4, &Text5,
                                           &Text6, &Text7, &Text8, &Text9};
  const std::array<QPushButton **, 9> browse = {&Command2, &Command3, &Command4, &Command5, &Command6,
                                                &Command7, &Command8, &Command9, &Command10};
  for (int n = 0; n < 9; ++n) {
    const double left = 120 + (n / 3) * 3140;
    const double top = 240 + (n % 3) * 420;
    label(QStringLiteral("F%1").arg(n + 1), left, top + 30, 360);
    *boxes[static_cast<size_t>(n)] = placed<TextBox>(this, left + 360, top, 1860, 315);
    *browse[static_cast<size_t>(n)] = button(QStringLiteral("Browse"), left + 2280, top, 720, 315);
  }

  label(QStringLiteral("Setup:"), 120, 1620, 1200);
  label(QStringLiteral(
            "When playing the wave file, you can key your transmitter manually, use VOX, or an "
            "interface connected to your PC's serial or parallel (printer) port.  To use the serial "
            "port, please enter the valid comm setting (or 0 for none) and select whether you want to "
            "use the RTS or DTR line to key your radio."),
        120, 1920, 5400, 960);
  label(QStringLiteral("From the main form click Settings, Transmit, Select Mode, Phone."), 120, 2940, 5400);
  auto *caution = label(QStringLiteral("Caution, RF feedback can damage your PC!"), 120, 3240, 5400);
  caution->setStyleSheet(QStringLiteral("color: red"));

  label(QStringLiteral("Comm Port"), 5760, 1950, 1000);
  Text10 = placed<TextBox>(this, 6780, 1920, 700, 315);
  auto *line = placed<QGroupBox>(this, 5760, 2340, 1720, 1140, QStringLiteral("PTT Line"));
  Option1 = placed<QRadioButton>(line, 150, 270, 1450, 255, QStringLiteral("RTS"));
  Option2 = placed<QRadioButton>(line, 150, 540, 1450, 255, QStringLiteral("DTR"));
  Option3 = placed<QRadioButton>(line, 150, 810, 1450, 255, QStringLiteral("Parallel"));
  label(QStringLiteral("Printer Port"), 7680, 1950, 1000);
  Text11 = placed<TextBox>(this, 8700, 1920, 780, 315);
  label(QStringLiteral("Loop (Sec)"), 7680, 2370, 1000);
  txtPHLoop = placed<TextBox>(this, 8700, 2340, 780, 315);

  label(QStringLiteral("To Use:"), 120, 3660, 1200);
  label(
      QStringLiteral("Each wave file corresponds to a function key.  Select the wave file you would like to "
                     "associate with the function key. From the main logging page, key your transmitter and "
                     "press the appropriate function key each time you wish to play a wave file."),
      120, 3960, 9360, 480);
  label(
      QStringLiteral("To make the messages, record each one (your call, a CQ, the exchange) with your "
                     "system's sound recorder and a microphone, and save it as a wave (.wav) file. Keep them "
                     "short and speak as you would on the air."),
      120, 4560, 9360, 480);
  label(QStringLiteral(
            "Connect the sound card's line or speaker output to the transceiver's microphone or "
            "accessory input, through an attenuator or an isolating transformer. Keep the level low: "
            "start with the card's volume turned down and raise it until the ALC barely moves."),
        120, 5100, 9360, 480);
  label(QStringLiteral(
            "Before the contest, listen to the transmitted audio on a second receiver or ask another "
            "station for a report: too high a level distorts and splatters over your neighbours."),
        120, 5640, 9360, 480);

  Command1 = button(QStringLiteral("Done"), 120, 6300, 1100, 375);
  Command11 = button(QStringLiteral("Test"), 1440, 6300, 1100, 375);
  label(QStringLiteral("Plays F1 Command"), 2640, 6360, 1600);
  Command12 = button(QStringLiteral("Stop"), 4320, 6300, 1100, 375);

  Text10->setText(QStringLiteral("0"));
  txtPHLoop->setText(QStringLiteral("0"));
  Text11->setText(QStringLiteral("&H378"));
  Option1->setChecked(true);
  Timer1 = new Timer(this);
  Timer1->setInterval(40);
  tmrRepeat = new Timer(this);
  placeTwips(this, 0, 0, 9600, 6900);
}

void PhoneFrm::connectControls() {
  Text11->KeyPress = [](int &key) { key = key == '"' ? 0 : Form1::Capital(key); };
  txtPHLoop->KeyPress = repeatPauseKey;
  connect(Text10, &TextBox::gotFocus, Text10,
          [this] { QTimer::singleShot(0, Text10, [this] { Text10->selectAll(); }); });
  connect(Text10, &TextBox::lostFocus, this, &PhoneFrm::Text10_LostFocus);
  connect(txtPHLoop, &TextBox::lostFocus, this, &PhoneFrm::txtPHLoop_LostFocus);
  connect(Timer1, &QTimer::timeout, this, &PhoneFrm::Timer1_Timer);
  connect(tmrRepeat, &QTimer::timeout, this, &PhoneFrm::tmrRepeat_Timer);
  connect(Command1, &QPushButton::clicked, this, &PhoneFrm::Command1_Click);
  connect(Command11, &QPushButton::clicked, this, &PhoneFrm::Command11_Click);
  connect(Command12, &QPushButton::clicked, this, &PhoneFrm::Command12_Click);
  const std::array<QPushButton *, 9> browse = {Command2, Command3, Command4, Command5, Command6,
                                               Command7, Command8, Command9, Command10};
  for (size_t n = 0; n < browse.size(); ++n)
    connect(browse[n], &QPushButton::clicked, this, [this, target = waveBoxes()[n]] { Browse(target); });
}

std::array<TextBox *, 9> PhoneFrm::waveBoxes() const {
  return {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9};
}

Form1 &PhoneFrm::main() {
  return ctx.window<Form1>();
}

// ---- Settings file and window ----

VoiceKeyerSettings PhoneFrm::settings() const {
  VoiceKeyerSettings s;
  const auto boxes = waveBoxes();
  for (size_t n = 0; n < boxes.size(); ++n)
    s.waveFiles[n] = boxes[n]->text();
  s.pttPort = Text10->text();
  s.pttLine = Option2->isChecked() ? 1 : Option3->isChecked() ? 2 : 0;
  s.loopSeconds = txtPHLoop->text();
  s.repeatIntervalMs = tmrRepeat->interval();
  s.printerPort = Text11->text();
  return s;
}

bool PhoneFrm::readSettings(const QString &content) {
  VoiceKeyerSettings s = settings();
  const bool complete = readVoiceKeyerSettings(content, s);
  const auto boxes = waveBoxes();
  for (size_t n = 0; n < boxes.size(); ++n)
    boxes[n]->setText(s.waveFiles[n]);
  Text10->setText(s.pttPort);
  (s.pttLine == 1 ? Option2 : s.pttLine == 2 ? Option3 : Option1)->setChecked(true);
  txtPHLoop->setText(s.loopSeconds);
  tmrRepeat->setInterval(s.repeatIntervalMs);
  Text11->setText(s.printerPort);
  return complete;
}

void PhoneFrm::Form_Load() {
  ScreenScaling::WorkAreaCopy(*this, ctx);
  Command12->hide();
}

void PhoneFrm::Form_Unload() {
  Timer1->stop();
  tmrRepeat->stop();
  MMControl1->close();
  releaseKeyed();
  CommPhone->close();
  ctx.portArbiter.unregisterUser(PortUser::PushToTalk);
}

void PhoneFrm::Command1_Click() {
  hide();
  const QString path = voiceKeyerFilePath(ctx.folders.ProgramFolder);
  QString error;
  if (!vb::writeLatin1Atomic(path, voiceKeyerFileText(settings()), &error))
    ctx.dialogs.message(error + QStringLiteral("  ") + path,
                        QStringLiteral("Unable to save voice keyer settings."));
}

void PhoneFrm::Command11_Click() {
  int f1 = 112;
  FKeyPhone(f1);
  if (isVisible())
    Command1->setFocus();
  if (ctx.keying.VoiceRepeatPending == 1)
    Command12->show();
}

void PhoneFrm::Command12_Click() {
  ctx.keying.VoiceRepeatPending = 0;
  tmrRepeat->stop();
  Command12->hide();
}

void PhoneFrm::Browse(TextBox *target) {
  const QString path =
      ctx.dialogs.openFile(QString(), ctx.folders.ProgramFolder, QStringLiteral("(*.wav) (*.wav *.WAV)"));
  // A double quote could not be stored in wave2.txt.
  if (path.isEmpty() || path.contains(u'"')) {
    ctx.dialogs.beep();
    return;
  }
  target->setText(path);
  Command1->setFocus();
}

void PhoneFrm::Text10_LostFocus() {
  if (!vb::numberIn(Text10->text()))
    Text10->setText(QStringLiteral("0"));
  OpenPhonePort();
}

void PhoneFrm::txtPHLoop_LostFocus() {
  takeRepeatPause(*txtPHLoop, *tmrRepeat, ctx.dialogs);
}

// ---- Playing ----

void PhoneFrm::FKeyPhone(int &KeyCode) {
  if (KeyCode < 112 || KeyCode > 120)
    return;
  MMControl1->close();
  const QString file = waveBoxes()[static_cast<size_t>(KeyCode - 112)]->text();
  if (KeyCode == 112) {
    const auto pause = vb::numberIn(txtPHLoop->text());
    if (!pause)
      return;
    if (*pause > 0)
      ctx.keying.VoiceRepeatPending = 1;
  }
  if (vb::trim(file).isEmpty())
    return;

  // From here a failure releases what was keyed at once: the transmitter must not stay on.
  const auto port = vb::numberIn(Text10->text());
  if (!port) {
    releaseKeyed();
    return;
  }
  if (*port > 0) {
    if (!CommPhone->isOpen())
      OpenPhonePort();
    if (CommPhone->isOpen()) {
      const bool dtr = Option2->isChecked();
      (dtr ? keyedDtr_ : keyedRts_) = true;
      if (dtr)
        CommPhone->setDtr(true);
      else
        CommPhone->setRts(true);
    }
  }
  if (Option3->isChecked()) {
    const QString base = Text11->text();
    if (!printer_.set(base, true)) {
      releaseKeyed();
      return;
    }
    keyedPrinters_ << base;
  }
  if (!MMControl1->open(file) || !MMControl1->play()) {
    releaseKeyed();
    ctx.dialogs.beep();
    main().lblDialog->setText(QStringLiteral("Unable to play the wave file \"%1\".").arg(file));
    return;
  }
  if (!Timer1->isEnabled())
    Timer1->start();
}

void PhoneFrm::Timer1_Timer() {
  if (MMControl1->isPlaying())
    return;
  Timer1->stop();
  releaseKeyed();
  if (ctx.keying.VoiceRepeatPending == 1)
    tmrRepeat->start();
}

void PhoneFrm::tmrRepeat_Timer() {
  tmrRepeat->stop();
  int f1 = 112;
  FKeyPhone(f1);
}

void PhoneFrm::releaseKeyed() {
  if (std::exchange(keyedRts_, false))
    CommPhone->setRts(false);
  if (std::exchange(keyedDtr_, false))
    CommPhone->setDtr(false);
  for (const QString &base : std::exchange(keyedPrinters_, {}))
    printer_.set(base, false);
}

void PhoneFrm::OpenPhonePort() {
  const auto port = vb::numberIn(Text10->text());
  if (port && *port <= 0)
    return;
  if (port && openKeyPort(*CommPhone, ctx.portArbiter, PortUser::PushToTalk, *port))
    return;
  ctx.dialogs.beep();
  ctx.dialogs.message(
      QStringLiteral("The port you have selected for Phone keying is invalid.  Please select another "
                     "or enter 0 for none."),
      QStringLiteral("Invalid port."), Dialogs::Buttons::Ok, Dialogs::Icon::Information);
  if (!isVisible())
    exec();
}
