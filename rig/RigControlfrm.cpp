#include "rig/RigControlfrm.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "logging/Form1.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFiles.h"
#include "platform/SerialPorts.h"
#include "platform/Timer.h"
#include "platform/VbText.h"
#include "rig/RigBands.h"
#include "rig/frmFrequencyTest.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <cstdio>

namespace {

const QString kNone = QStringLiteral("None");
const QString kPegasus = QStringLiteral("Ten Tec Pegasus");
const QString kNoResponse = QStringLiteral("No Response");

// An option group: its buttons with the values they stand for.
using Options = std::vector<std::pair<QRadioButton *, QString>>;

// The value of the selected option, or nothing when none is selected.
std::optional<QString> chosen(const Options &group) {
  for (const auto &[button, value] : group) {
    if (button->isChecked())
      return value;
  }
  return std::nullopt;
}

// Selects the option standing for `value`; a value no option stands for leaves none selected.
void choose(const Options &group, const QString &value) {
  for (const auto &[button, v] : group) {
    if (v == value) {
      button->setChecked(true);
      return;
    }
  }
  for (const auto &entry : group) {
    entry.first->setAutoExclusive(false);
    entry.first->setChecked(false);
    entry.first->setAutoExclusive(true);
  }
}

void warn(const char *what) {
  std::fprintf(stderr, "rig link: %s\n", what);
}

} // namespace

QString pegasusFile(const QString &name) {
  return files::resolve(files::resolve(QDir::homePath(), QStringLiteral("Pegasus")), name);
}

RigControlfrm::RigControlfrm(AppContext &context)
    : QDialog(context.loaded<Form1>() ? &context.window<Form1>() : nullptr), ctx(context),
      comComm1(std::make_unique<QtSerialLink>()) {
  setWindowTitle(QStringLiteral(" Rig Interface Setup"));
  buildControls();
  connectControls();
  Form_Load();
}

RigControlfrm::~RigControlfrm() = default;

void RigControlfrm::buildControls() {
  Label1 = placed<Label>(
      this, 120, 60, 9360, 900,
      QStringLiteral("To use the Rig Control interface, select the appropriate parameters for your "
                     "radio and click test.  Be sure to select the connection power option if your "
                     "interface requires it.  From the main form, when changing bands on your radio "
                     "the band on this program should automatically change.  Port numbers 1 to 10 "
                     "are the serial devices linked as COM1 to COM10 in the ports folder (see the "
                     "README).  Done saves these settings and keeps polling."));
  Label1->setWordWrap(true);
  List1 = placed<QListWidget>(this, 120, 1020, 2100, 4020);
  List1->addItems(rigList());

  const auto frame = [this](double left, double top, double width, double height, const char *caption) {
    return placed<QGroupBox>(this, left, top, width, height, QString::fromLatin1(caption));
  };
  const auto option = [](QGroupBox *box, int index, int perRow, double width, const char *caption) {
    return placed<QRadioButton>(box, 90 + (index % perRow) * width, 240 + (index / perRow) * 300, width - 30,
                                270, QString::fromLatin1(caption));
  };
  // Options of a group, `perRow` to a row of `width` twips each.
  const auto group = [&](QGroupBox *box, int perRow, double width,
                         std::initializer_list<std::pair<QRadioButton **, const char *>> items) {
    int i = 0;
    for (const auto &[slot, caption] : items)
      *slot = option(box, i++, perRow, width, caption);
  };
  group(frame(2340, 1020, 2280, 1260, "Baud Rate (k):"), 3, 700,
        {{&optBaud12, "1.2"},
         {&optBaud24, "2.4"},
         {&optBaud48, "4.8"},
         {&optBaud96, "9.6"},
         {&optBaud144, "14.4"},
         {&optBaud192, "19.2"},
         {&optBaud288, "28.8"},
         {&optBaud384, "38.4"},
         {&optBaud560, "56"}});
  group(frame(2340, 2340, 2280, 600, "Parity:"), 3, 700,
        {{&optParityOdd, "Odd"}, {&optParityNone, "None"}, {&optParityEven, "Even"}});
  group(frame(2340, 3000, 2280, 600, "Data Bits:"), 2, 700, {{&optData7, "7"}, {&optData8, "8"}});
  group(frame(2340, 3660, 2280, 600, "Stop Bits:"), 2, 700, {{&optStop1, "1"}, {&optStop2, "2"}});
  QGroupBox *comm = frame(4740, 1020, 2280, 900, "Comm Port:");
  for (int i = 0; i < 10; ++i)
    optComm[size_t(i)] = option(comm, i, 5, 430, QByteArray::number(i + 1).constData());
  group(frame(4740, 1980, 2280, 600, "Connection Power:"), 3, 700,
        {{&optPowerNone, "None"}, {&optPowerRTS, "RTS"}, {&optPowerDTR, "DTR"}});
  group(frame(4740, 2640, 2280, 900, "Radio Polling Rate:"), 2, 1050,
        {{&optPollFast, "100 ms"},
         {&optPollMed, "500 ms"},
         {&optPollSlow, "2 Sec"},
         {&optReallySlow, "10 Sec"}});
  QGroupBox *modeBy = frame(4740, 3600, 2280, 600, "Mode by:");
  group(modeBy, 3, 520, {{&OptRig, "Rig"}});
  OptFreq = placed<QRadioButton>(modeBy, 610, 240, 970, 270, QStringLiteral("Frequency"));
  OptDont = placed<QRadioButton>(modeBy, 1580, 240, 690, 270, QStringLiteral("Don't Use"));

  chkFrequency = placed<QCheckBox>(this, 7140, 1020, 2340, 270, QStringLiteral("Use Frequency"));
  chkConvToHex = placed<QCheckBox>(this, 7140, 1320, 2340, 270, QStringLiteral("Convert to Hex"));
  ChkConvHex = placed<QCheckBox>(this, 7140, 1620, 2340, 270, QStringLiteral("Convert from Hex"));
  const auto button = [this](double top, const QString &caption) {
    auto *b = placed<QPushButton>(this, 7140, top, 2340, 420, caption);
    b->setAutoDefault(false);
    return b;
  };
  Command1 = button(1980, QStringLiteral("Test"));
  Command2 = button(2460, QStringLiteral("End Test"));
  Command3 = button(2940, QStringLiteral("Change Frequency"));
  cmdDone = button(3420, QStringLiteral("&Done"));
  Label2 = placed<Label>(this, 7140, 3960, 2340, 270, QStringLiteral("Polling Rig"));
  Label10 = placed<Label>(
      this, 7140, 4260, 2340, 1380,
      QStringLiteral("Icom radio users will have to replace the 64 in the string with the ID for "
                     "your particular radio.  Please check your Icom user's manual for details."));
  Label10->setWordWrap(true);

  placed<Label>(this, 120, 5160, 2160, 270, QStringLiteral("String to read frequency:"));
  txtFreq = placed<TextBox>(this, 2340, 5130, 2700, 300);
  placed<Label>(this, 120, 5520, 2160, 270, QStringLiteral("String to read mode:"));
  txtMode = placed<TextBox>(this, 2340, 5490, 2700, 300);
  placed<Label>(this, 5160, 5520, 1860, 270, QStringLiteral("Should be PH or CW"));

  placed<Label>(this, 120, 5940, 960, 270, QStringLiteral("Frequency:"));
  lblFreq = placed<Label>(this, 1080, 5940, 1440, 270);
  placed<Label>(this, 2640, 5940, 600, 270, QStringLiteral("Mode:"));
  lblMode = placed<Label>(this, 3240, 5940, 1200, 270);
  placed<Label>(this, 120, 6300, 2160, 270, QStringLiteral("Unprocessed data returned:"));
  lblUnProcess = placed<Label>(this, 2340, 6300, 3480, 270);
  Command4 =
      placed<QPushButton>(this, 5940, 6180, 3540, 420, QStringLiteral("Copy unprocessed data to clipboard"));
  Command4->setAutoDefault(false);

  tmrGetData = new Timer(this);
  tmrGetData->setInterval(1000);

  // The initial choices of a new window.
  optBaud560->setChecked(true);
  optParityNone->setChecked(true);
  optData8->setChecked(true);
  optStop1->setChecked(true);
  optComm[1]->setChecked(true);
  optPowerNone->setChecked(true);
  optPollMed->setChecked(true);
  OptRig->setChecked(true);
  chkFrequency->setChecked(true);
  chkConvToHex->setEnabled(false);
  Command2->setEnabled(false);
  Label2->hide();
  Label10->hide();
  // The window's first focus must not land in a poll text box, which would stop polling.
  List1->setFocus();
  placeTwips(this, 0, 0, 9600, 7200);
}

void RigControlfrm::connectControls() {
  const auto onSelect = [this](QRadioButton *b, void (RigControlfrm::*handler)()) {
    connect(b, &QRadioButton::toggled, this, [this, handler](bool on) {
      if (on)
        (this->*handler)();
    });
  };
  // Any change to the line's settings stops polling.
  for (QRadioButton *b : {optBaud12,   optBaud24,   optBaud48,  optBaud96,    optBaud144,    optBaud192,
                          optBaud288,  optBaud384,  optBaud560, optParityOdd, optParityNone, optParityEven,
                          optData7,    optData8,    optStop1,   optStop2,     optPowerNone,  optPowerRTS,
                          optPowerDTR, optPollFast, optPollMed, optPollSlow,  optReallySlow})
    onSelect(b, &RigControlfrm::Command2_Click);
  for (QRadioButton *b : optComm)
    onSelect(b, &RigControlfrm::Command2_Click);
  for (QRadioButton *b : {OptRig, OptFreq, OptDont})
    onSelect(b, &RigControlfrm::ModeBy_Click);
  connect(chkConvToHex, &QCheckBox::toggled, ChkConvHex, &QCheckBox::setChecked);
  connect(txtFreq, &QLineEdit::textChanged, this, [this](const QString &t) { RigSettings.FreqPollText = t; });
  connect(txtMode, &QLineEdit::textChanged, this, [this](const QString &t) { RigSettings.ModePollText = t; });
  connect(txtFreq, &TextBox::gotFocus, this, &RigControlfrm::Command2_Click);
  connect(txtMode, &TextBox::gotFocus, this, &RigControlfrm::Command2_Click);
  connect(List1, &QListWidget::currentRowChanged, this, &RigControlfrm::List1_Click);
  connect(Command1, &QPushButton::clicked, this, &RigControlfrm::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &RigControlfrm::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &RigControlfrm::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &RigControlfrm::Command4_Click);
  connect(cmdDone, &QPushButton::clicked, this, &RigControlfrm::cmdDone_Click);
  connect(tmrGetData, &QTimer::timeout, this, &RigControlfrm::tmrGetData_Timer);
}

QString &RigControlfrm::RigType() {
  return ctx.prefs.RigType;
}

bool RigControlfrm::polling() const {
  return tmrGetData->isEnabled();
}

void RigControlfrm::Form_Load() {
  ScreenScaling::WorkAreaCopy(*this, ctx);
  LoadingSettings = true;
  LoadRigSettings();
  LoadBandPlan();
  LoadingSettings = false;
}

// The options of each group with the values they stand for.
namespace {
struct Groups {
  Options baud, parity, data, stop, comm, power, poll;
};
Groups groupsOf(const RigControlfrm &f) {
  Groups g;
  g.baud = {{f.optBaud12, QStringLiteral("1200")},   {f.optBaud24, QStringLiteral("2400")},
            {f.optBaud48, QStringLiteral("4800")},   {f.optBaud96, QStringLiteral("9600")},
            {f.optBaud144, QStringLiteral("14400")}, {f.optBaud192, QStringLiteral("19200")},
            {f.optBaud288, QStringLiteral("28800")}, {f.optBaud384, QStringLiteral("38400")},
            {f.optBaud560, QStringLiteral("56000")}};
  g.parity = {{f.optParityOdd, QStringLiteral("O")},
              {f.optParityNone, QStringLiteral("N")},
              {f.optParityEven, QStringLiteral("E")}};
  g.data = {{f.optData7, QStringLiteral("7")}, {f.optData8, QStringLiteral("8")}};
  g.stop = {{f.optStop1, QStringLiteral("1")}, {f.optStop2, QStringLiteral("2")}};
  for (int i = 0; i < 10; ++i)
    g.comm.emplace_back(f.optComm[size_t(i)], QString::number(i + 1));
  g.power = {{f.optPowerNone, QStringLiteral("N")},
             {f.optPowerRTS, QStringLiteral("R")},
             {f.optPowerDTR, QStringLiteral("D")}};
  g.poll = {{f.optPollFast, QStringLiteral("F")},
            {f.optPollMed, QStringLiteral("M")},
            {f.optPollSlow, QStringLiteral("S")},
            {f.optReallySlow, QStringLiteral("R")}};
  return g;
}
} // namespace

void RigControlfrm::LoadRigSettings() {
  const auto content = vb::readLatin1(files::resolve(ctx.folders.ProgramFolder, kRigSettingsFile));
  if (!content)
    return;
  RigSettings.RigType = RigType();
  const bool whole = readRigSettings(*content, RigSettings);
  RigType() = RigSettings.RigType;
  if (whole)
    showSettings();
}

void RigControlfrm::showSettings() {
  const RigLinkSettings s = RigSettings;
  chkConvToHex->setChecked(s.ConvToHex != 0);
  chkFrequency->setChecked(s.UseFrequency != 0);
  if (s.ModeBy == 1)
    OptRig->setChecked(true);
  else if (s.ModeBy == 2)
    OptFreq->setChecked(true);
  else if (s.ModeBy == 3)
    OptDont->setChecked(true);
  txtFreq->setText(s.FreqPollText);
  txtMode->setText(s.ModePollText);
  const qsizetype row = rigList().indexOf(RigType());
  if (row >= 0)
    List1->setCurrentRow(int(row));
  if (RigType() == QLatin1String("Other"))
    chkConvToHex->setEnabled(true);
  if (RigType() == QLatin1String("Icom"))
    Label10->show();
  const Groups g = groupsOf(*this);
  choose(g.comm, QString::number(s.CommPort));
  choose(g.baud, vb::rtrim(s.BaudRate));
  choose(g.parity, s.Parity);
  choose(g.data, s.DataBits);
  choose(g.stop, s.StopBits);
  choose(g.power, s.PowerLine);
  choose(g.poll, s.PollRate);
}

void RigControlfrm::takeSettings() {
  const Groups g = groupsOf(*this);
  RigLinkSettings &s = RigSettings;
  if (const auto port = chosen(g.comm))
    s.CommPort = port->toInt();
  if (const auto baud = chosen(g.baud))
    s.BaudRate = baud->leftJustified(5, u' ');
  vb::readInto(chosen(g.parity), s.Parity);
  vb::readInto(chosen(g.data), s.DataBits);
  vb::readInto(chosen(g.stop), s.StopBits);
  s.CommSettings = vb::rtrim(s.BaudRate) + u',' + s.Parity + u',' + s.DataBits + u',' + s.StopBits;
  vb::readInto(chosen(g.power), s.PowerLine);
  vb::readInto(chosen(g.poll), s.PollRate);
}

void RigControlfrm::SaveRigSettings() {
  RigLinkSettings &s = RigSettings;
  s.ModeBy = OptDont->isChecked() ? 3 : OptFreq->isChecked() ? 2 : 1;
  s.RigType = RigType();
  s.ConvToHex = chkConvToHex->isChecked() ? 1 : 0;
  s.UseFrequency = chkFrequency->isChecked() ? 1 : 0;
  vb::writeLatin1Atomic(files::resolve(ctx.folders.ProgramFolder, kRigSettingsFile), rigSettingsText(s));
}

void RigControlfrm::LoadBandPlan() {
  BandPlanRows = loadExtraRows(files::resolve(ctx.folders.ProgramFolder, kBandPlanFile));
}

void RigControlfrm::ModeFromBandPlan(float mhz, QString &mode) const {
  modeFromBandPlan(BandPlanRows, mhz, mode);
}

void RigControlfrm::Command1_Click() {
  const bool rig = RigType() != kNone;
  if (rig) {
    lblMode->setText(kNoResponse);
    lblFreq->setText(kNoResponse);
    Command2->setEnabled(true);
    Label2->show();
    Rig.RigMode.clear();
  }
  takeSettings();
  if (!rig)
    return;
  const bool pegasus = RigType() == kPegasus;
  if (!pegasus)
    OpenRigPort();
  if (comComm1->isOpen() || pegasus) {
    tmrGetData_Timer();
    StartRigPolling();
  } else {
    Command2->setEnabled(false);
    Label2->hide();
  }
}

bool RigControlfrm::OpenRigPort() {
  const RigLinkSettings &s = RigSettings;
  comComm1->close();
  comComm1->onLost = [this] { lineLost(); };
  const auto line = parseCommSettings(s.CommSettings);
  if (!line || s.CommPort < 1 || s.CommPort > 10) {
    portFailed();
    return false;
  }
  SerialOpenSettings open{line->baud, line->parity, line->dataBits, line->stopBits,
                          RigType() == QLatin1String("Ten Tec Fnt Pnl") ||
                              RigType() == QLatin1String("Ten Tec Orion")};
  if (!comComm1->open(serialports::deviceForPort(s.CommPort), open)) {
    portFailed();
    return false;
  }
  // Control lines are a courtesy to interfaces powered from the port; a line that refuses them
  // (a pseudo-terminal, RTS under handshaking) still carries the data.
  if (!comComm1->setDtr(false) || !comComm1->setRts(false))
    warn("could not switch DTR and RTS off");
  if (s.PowerLine == QLatin1String("R") && !comComm1->setRts(true))
    warn("could not raise RTS to power the interface");
  if (s.PowerLine == QLatin1String("D") && !comComm1->setDtr(true))
    warn("could not raise DTR to power the interface");
  bool sent = true;
  if (isYaesuCat(RigType()))
    sent = comComm1->write(QByteArray(5, '\0'));
  if (RigType() == QLatin1String("Ten Tec Orion"))
    sent = comComm1->write(QByteArrayLiteral("X\r"));
  if (!sent) {
    comComm1->close();
    portFailed();
    return false;
  }
  return true;
}

void RigControlfrm::portFailed() {
  portMessage();
  if (!isVisible())
    exec();
}

// The line went away: polling ends at once, and the operator is told once, after the link's own
// call has returned. A tune or mode command that fails on it tells instead, in its own box.
void RigControlfrm::lineLost() {
  Command2_Click();
  lossUntold_ = true;
  QTimer::singleShot(0, this, &RigControlfrm::tellLoss);
}

void RigControlfrm::tellLoss() {
  if (commandDepth_ == 0 && std::exchange(lossUntold_, false))
    portMessage();
}

void RigControlfrm::portMessage() {
  ctx.dialogs.message(
      QStringLiteral("The comm port that you selected for rig interface is either in use, invalid or "
                     "the settings that you have selected are invalid.  Please select another "
                     "combination or choose None for your rig selection."),
      QStringLiteral("Invalid Comm Settings."), Dialogs::Buttons::Ok, Dialogs::Icon::Information);
}

RigControlfrm::CommandRun::CommandRun(RigControlfrm &form) : f(form) {
  ++f.commandDepth_;
}

RigControlfrm::CommandRun::~CommandRun() {
  --f.commandDepth_;
  f.tellLoss();
}

void RigControlfrm::commandFailed(const QString &text, const QString &title) {
  lossUntold_ = false;
  ctx.dialogs.message(text, title);
}

void RigControlfrm::StartRigPolling() {
  if (const auto ms = pollInterval(RigSettings.PollRate))
    tmrGetData->setInterval(*ms);
  tmrGetData->start();
}

void RigControlfrm::Command2_Click() {
  lblMode->setText(QString());
  lblFreq->setText(QString());
  lblUnProcess->setText(QString());
  tmrGetData->stop();
  Label2->hide();
  Command2->setEnabled(false);
  comComm1->close();
}

void RigControlfrm::Command3_Click() {
  if (polling()) {
    auto &test = ctx.window<frmFrequencyTest>();
    test.Form_Load();
    test.exec();
    ctx.unload<frmFrequencyTest>();
    return;
  }
  ctx.dialogs.message(
      QStringLiteral("You must be polling your rig to test this function.  Please select your rig "
                     "type and click the Test command button."),
      QStringLiteral("You must be polling your rig to test this function."), Dialogs::Buttons::Ok,
      Dialogs::Icon::Information);
}

void RigControlfrm::Command4_Click() {
  QClipboard *clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(lblUnProcess->text());
  cmdDone->setFocus();
}

void RigControlfrm::cmdDone_Click() {
  if (RigType() != kNone)
    Command1_Click();
  ctx.window<Form1>().SavePref();
  SaveRigSettings();
  hide();
}

void RigControlfrm::List1_Click() {
  if (LoadingSettings || List1->currentRow() < 0)
    return;
  Command2_Click();
  RigType() = List1->currentItem()->text();
  txtFreq->setText(QString());
  txtMode->setText(QString());
  chkConvToHex->setChecked(false);
  chkConvToHex->setEnabled(false);
  Label10->hide();
  applyDefaults(rigDefaults(RigType()));
}

void RigControlfrm::applyDefaults(const RigDefaults &d) {
  const Groups g = groupsOf(*this);
  if (!d.baud.isEmpty())
    choose(g.baud, d.baud);
  if (!d.dataBits.isEmpty())
    choose(g.data, d.dataBits);
  if (!d.stopBits.isEmpty())
    choose(g.stop, d.stopBits);
  if (!d.parity.isEmpty())
    choose(g.parity, d.parity);
  txtFreq->setText(d.freqText);
  txtMode->setText(d.modeText);
  chkConvToHex->setChecked(d.convToHex);
  chkConvToHex->setEnabled(d.hexSettable);
  Label10->setVisible(d.icomNote);
}

void RigControlfrm::ModeBy_Click() {
  lblMode->setText(kNoResponse);
  Rig.RigMode.clear();
}

TuneTexts RigControlfrm::tuneTexts() const {
  return {ctx.prefs.RigType, RigSettings.FreqPollText, RigSettings.ModePollText, Rig.ActiveVfo};
}

PollTexts RigControlfrm::pollTexts() const {
  return {ctx.prefs.RigType, RigSettings.FreqPollText, RigSettings.ModePollText, chkConvToHex->isChecked()};
}

void RigControlfrm::tmrGetData_Timer() {
  if (ReadTickNext == 1)
    readTick();
  else
    sendTick();
}

bool RigControlfrm::sendTick() {
  if (comComm1->bytesToWrite() == 0) {
    const PollTurn turn = pollCommands(pollTexts(), PollModeNext);
    if (!turn.ok)
      return false;
    for (const QByteArray &command : turn.commands) {
      if (!comComm1->write(command))
        return false;
    }
    PollModeNext = turn.pollModeNext;
  }
  ReadTickNext = 1;
  RigReply.clear();
  return true;
}

void RigControlfrm::readTick() {
  const bool pegasus = RigType() == kPegasus;
  if (!pegasus)
    RigReply = comComm1->takeInput();
  if (!RigReply.isEmpty() || pegasus) {
    if (pegasus)
      ReadPegasusReply();
    else
      parseReply(pollTexts(), RigReply, PollModeNext, Rig);
    if (OptFreq->isChecked())
      ModeFromFrequency();
    if (isVisible()) {
      if (Rig.RigFrequency > 0)
        lblFreq->setText(frequencyCaption(Rig.RigFrequency));
      lblMode->setText(Rig.RigMode);
      lblUnProcess->setText(ChkConvHex->isChecked() ? ReplyToHexText(RigReply)
                                                    : QString::fromLatin1(RigReply));
    }
    Form1 &main = ctx.window<Form1>();
    if (chkFrequency->isChecked())
      main.BandFreqConversion(Rig.RigFrequency);
    if (!OptDont->isChecked())
      main.ModeSelection(Rig.RigMode);
  }
  RigReply.clear();
  ReadTickNext = 0;
}

void RigControlfrm::ModeFromFrequency() {
  const QString word = modeForFrequency(Rig.RigFrequency);
  if (!word.isEmpty())
    Rig.RigMode = word;
}

void RigControlfrm::ReadPegasusReply() {
  if (const auto content = vb::readLatin1(pegasusFile(QStringLiteral("PEGASUS.OUT"))))
    parsePegasusReply(*content, Rig);
}

void RigControlfrm::Form_Unload() {
  if (isYaesuCat(RigType()) && polling()) {
    // Closing the port at once would drop the CAT-off bytes.
    if (comComm1->write(QByteArray::fromHex("0000000080")))
      comComm1->waitForSent(2000);
  }
  tmrGetData->stop();
  comComm1->close();
}

void RigControlfrm::ChangeFrequency(float qChangeFreq) {
  const CommandRun run(*this);
  if (tuning_) {
    nextTune_ = qChangeFreq;
    return;
  }
  tuning_ = true;
  std::optional<float> next = qChangeFreq;
  while (next) {
    const float mhz = *next;
    nextTune_.reset();
    next = tuneOnce(mhz) ? nextTune_ : std::nullopt;
  }
  nextTune_.reset();
  tuning_ = false;
}

// One request; false when it failed (polling then stays off).
bool RigControlfrm::tuneOnce(float mhz) {
  if (!polling())
    return true;
  tmrGetData->stop();
  const bool pegasus = RigType() == kPegasus;
  if (!pegasus)
    comComm1->discardInput();
  RigReply.clear();
  // A bad number fails before anything, the band plan's mode included, goes to the rig.
  const auto command = frequencyCommand(tuneTexts(), mhz);
  if (!command)
    return tuneFailed(QStringLiteral("Invalid frequency: %1 MHz").arg(vb::singleText(mhz)));
  QString mode;
  ChangeMode(mhz, mode);
  WaitForOutputDrain();
  const TunePause pause = frequencyPause(RigType());
  PauseMilliseconds(pause.ms);
  if (pause.yieldFirst)
    ctx.doEvents();
  PauseMilliseconds(pause.moreMs);
  if (pegasus)
    WritePegasusCommand(mhz);
  else if (!command->isEmpty() && !comComm1->write(*command))
    return tuneFailed(comComm1->errorString());
  WaitForOutputDrain();
  // A line that went away meanwhile took nothing.
  if (!pegasus && !comComm1->isOpen())
    return tuneFailed(comComm1->errorString());
  tmrGetData->start();
  return true;
}

bool RigControlfrm::tuneFailed(const QString &why) {
  commandFailed(why, QStringLiteral("Error Changing Frequency"));
  return false;
}

void RigControlfrm::ChangeMode(float qChangeFrequency, QString &ModeToChangeTo) {
  if (RigType() == kNone)
    return;
  const CommandRun run(*this);
  if (ModeToChangeTo.isEmpty())
    ModeFromBandPlan(qChangeFrequency, ModeToChangeTo);
  if (!ModeToChangeTo.isEmpty()) {
    ctx.doEvents();
    WaitForOutputDrain();
    PauseMilliseconds(99);
    const QByteArray command = modeCommand(tuneTexts(), ModeToChangeTo);
    if (!command.isEmpty() && !comComm1->write(command)) {
      commandFailed(comComm1->errorString() + u' ' + ModeToChangeTo, QStringLiteral("Error Changing Mode"));
      return;
    }
  }
  WaitForOutputDrain();
}

void RigControlfrm::WaitForOutputDrain() {
  const std::int64_t start = ctx.clock.timeGetTime();
  while (comComm1->bytesToWrite() >= 1 && ctx.clock.timeGetTime() - start < 2000) {
    ctx.doEvents();
    ctx.clock.sleepMs(1);
  }
}

// The rig's time to take the last command: a blocking wait, so that no timer or handler runs
// in the middle of it.
void RigControlfrm::PauseMilliseconds(int ms) {
  if (ms <= 0)
    return;
  ctx.doEvents();
  ctx.clock.sleepMs(ms);
  ctx.doEvents();
}

void RigControlfrm::WritePegasusCommand(float mhz) {
  const QString file = pegasusFile(QStringLiteral("PEGASUS.IN"));
  if (QFileInfo(file).dir().exists())
    vb::writeLatin1Atomic(file, pegasusCommandText(mhz, Rig.RigMode));
}
