#include "spotting/PacketSpotfrm.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "logging/Form1.h"
#include "platform/AgwClient.h"
#include "platform/Controls.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"
#include "spotting/ClusterLines.h"
#include "spotting/PackSpotSettings.h"
#include "spotting/SpotHelp.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

constexpr int kEscape = 27;
constexpr int kKeyC = 67;
constexpr int kCtrl = 2;

// Options side by side in a frame, each `width` twips wide.
template <size_t N>
std::array<QRadioButton *, N> optionRow(QGroupBox *frame, const std::array<const char *, N> &captions,
                                        int width) {
  std::array<QRadioButton *, N> options{};
  for (size_t i = 0; i < N; ++i)
    options[i] = placed<QRadioButton>(frame, 100 + static_cast<int>(i) * width, 260, width - 20, 270,
                                      QString::fromLatin1(captions[i]));
  return options;
}

// Sets each option to the truth of its own comparison, so a value matching none leaves none set.
void setEach(const QList<QRadioButton *> &options, const QList<bool> &values) {
  for (QRadioButton *option : options)
    option->setAutoExclusive(false);
  for (qsizetype i = 0; i < options.size(); ++i)
    options[i]->setChecked(values[i]);
  for (QRadioButton *option : options)
    option->setAutoExclusive(true);
}

bool same(const QString &a, const char *b) {
  return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

} // namespace

PacketSpotfrm::PacketSpotfrm(AppContext &context) : QWidget(nullptr), ctx(context) {
  setWindowTitle(QStringLiteral(" DX Spotting Setup"));
  placeTwips(this, 0, 0, 9500, 6950);
  buildControls();
  comComm1 = new QSerialPort(this);
  Winsock1 = new QTcpSocket(this);
  Timer1 = new Timer(this);
  Timer1->setInterval(333);
  IntakeTimer = new QTimer(this);
  IntakeTimer->setSingleShot(true);
  // A timer, not a posted call: typed keys wait for posted work, but never for the intake.
  IntakeTimer->setInterval(0);
  connect(IntakeTimer, &QTimer::timeout, this, &PacketSpotfrm::TakeWaitingLines);
  agw = std::make_unique<AgwClient>();
  connectLinks();
}

PacketSpotfrm::~PacketSpotfrm() = default;

void PacketSpotfrm::buildControls() {
  Label1 = placed<Label>(this, 120, 120, 2300, 240, QStringLiteral("Select Option:"));
  List1 = placed<QListWidget>(this, 120, 380, 2300, 1000);
  Command1 = placed<QPushButton>(this, 120, 1460, 1110, 360, QStringLiteral("Open Port"));
  Command2 = placed<QPushButton>(this, 1310, 1460, 1110, 360, QStringLiteral("Close Port"));
  Command3 = placed<QPushButton>(this, 120, 1880, 1110, 360, QStringLiteral("&Spot Last"));
  cmdDone = placed<QPushButton>(this, 1310, 1880, 1110, 360, QStringLiteral("&Done"));
  Label4 = placed<Label>(this, 120, 2320, 2300, 300, QStringLiteral("Listening"));
  Label4->setAlignment(Qt::AlignCenter);
  setBackColor(Label4, Qt::blue);
  QPalette white = Label4->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  Label4->setPalette(white);
  Label4->hide();
  Frame2 = placed<QGroupBox>(this, 120, 2700, 2300, 620, QStringLiteral("Main Form Display"));
  OptList = placed<QRadioButton>(Frame2, 100, 260, 900, 270, QStringLiteral("List"));
  OptBand = placed<QRadioButton>(Frame2, 1000, 260, 1200, 270, QStringLiteral("Band Map"));
  OptBand->setChecked(true);

  txtUnProcessed = placed<QPlainTextEdit>(this, 2540, 120, 6720, 2800);
  txtUnProcessed->setReadOnly(true);
  txtUnProcessed->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  txtUnProcessed->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette monitor = txtUnProcessed->palette();
  monitor.setColor(QPalette::Base, QColor(0, 0, 128));
  monitor.setColor(QPalette::Text, Qt::white);
  txtUnProcessed->setPalette(monitor);
  Label6 = placed<Label>(this, 2540, 3000, 6720, 240,
                         QStringLiteral("Send text  (Ctrl  C or Esc for TNC Command mode):"));
  txtSent = placed<TextBox>(this, 2540, 3260, 6720, 300);
  chkDX = placed<QCheckBox>(this, 2540, 3660, 4200, 270,
                            QStringLiteral("List DX Only (also controls main form)"));
  chkConvToHex = placed<QCheckBox>(this, 6900, 3660, 2360, 270, QStringLiteral("Convert to Hex"));
  chkConvToHex->setEnabled(false);

  Label2 = placed<Label>(this, 120, 4060, 2500, 240, QStringLiteral("TNC cmd mode hex character:"));
  txtHex = placed<TextBox>(this, 2640, 4020, 500, 300);
  txtHex->setMaxLength(2);
  Label7 = placed<Label>(this, 3400, 4060, 1100, 240, QStringLiteral("Telnet Host:"));
  txtTelnetHost = placed<TextBox>(this, 4500, 4020, 2500, 300);
  Label3 = placed<Label>(this, 7160, 4060, 1100, 240, QStringLiteral("Telnet Port:"));
  txtTelnetPort = placed<TextBox>(this, 8260, 4020, 1000, 300);
  txtTelnetPort->setMaxLength(5);
  buildSerialFrames();

  connect(Command1, &QPushButton::clicked, this, &PacketSpotfrm::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &PacketSpotfrm::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &PacketSpotfrm::Command3_Click);
  connect(cmdDone, &QPushButton::clicked, this, &PacketSpotfrm::cmdDone_Click);
  connect(List1, &QListWidget::currentRowChanged, this, &PacketSpotfrm::List1_Click);
  const FormKeys keys{[this](int &KeyCode, int Shift) { Form_KeyDown(KeyCode, Shift); }, {}};
  for (TextBox *box : {txtSent, txtHex, txtTelnetHost, txtTelnetPort})
    box->setFormKeys(keys);
  for (QWidget *control : findChildren<QWidget *>()) {
    if (!qobject_cast<TextBox *>(control) && control->focusPolicy() != Qt::NoFocus)
      previewKeys(control, keys);
  }
}

void PacketSpotfrm::buildSerialFrames() {
  const auto frame = [this](QGroupBox *&box, double left, double top, double width, const char *caption) {
    box = placed<QGroupBox>(this, left, top, width, 600, QString::fromLatin1(caption));
    return box;
  };
  std::tie(optBaud12, optBaud24, optBaud48, optBaud96, optBaud144, optBaud192) = std::tuple_cat(optionRow<6>(
      frame(fraBaud, 120, 4420, 6300, "Baud Rate of Com Port to TNC (not necessarily transmitted baud rate)"),
      {"1.2k", "2.4k", "4.8k", "9.6k", "14.4k", "19.2k"}, 1000));
  std::tie(optParityOdd, optParityNone, optParityEven) = std::tuple_cat(
      optionRow<3>(frame(fraParity, 6500, 4420, 2760, "Parity"), {"Odd", "None", "Even"}, 880));
  std::tie(optData7, optData8) =
      std::tuple_cat(optionRow<2>(frame(fraData, 120, 5100, 1300, "Data Bits"), {"7", "8"}, 560));
  std::tie(optStop1, optStop2) =
      std::tuple_cat(optionRow<2>(frame(fraStop, 1500, 5100, 1300, "Stop Bits"), {"1", "2"}, 560));
  std::tie(optPowerNone, optPowerRTS, optPowerDTR) = std::tuple_cat(
      optionRow<3>(frame(fraPower, 2880, 5100, 2700, "Connection Power"), {"None", "RTS", "DTR"}, 850));
  std::tie(Option1, Option2, Option3, Option4) = std::tuple_cat(optionRow<4>(
      frame(Frame1, 5660, 5100, 3600, "Handshaking"), {"None", "Xon Xoff", "RTS", "RTS OnOff"}, 860));
  optComm = optionRow<10>(frame(fraPort, 120, 5780, 6300, "Comm Port"),
                          {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, 610);
  // The design's choices before any settings file exists.
  for (QRadioButton *option :
       {optBaud192, optParityNone, optData8, optStop1, optPowerNone, Option1, optComm[0]})
    option->setChecked(true);
  for (QWidget *control : serialControls()) {
    if (auto *option = qobject_cast<QRadioButton *>(control)) {
      connect(option, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
          optSerial_Click();
      });
    }
  }
}

QList<QWidget *> PacketSpotfrm::serialControls() const {
  QList<QWidget *> controls;
  for (QGroupBox *frame : {fraBaud, fraParity, fraData, fraStop, fraPort, fraPower, Frame1}) {
    controls << frame;
    for (QRadioButton *option : frame->findChildren<QRadioButton *>())
      controls << option;
  }
  return controls;
}

QList<QWidget *> PacketSpotfrm::sharedModeControls() const {
  return {Frame2, OptBand, OptList, chkDX, txtSent, Label6, Command1, Command2};
}

void PacketSpotfrm::setModeControls(const QList<QWidget *> &controls, bool enabled) {
  for (QWidget *control : controls)
    control->setEnabled(enabled);
}

bool PacketSpotfrm::modeIs(const char *mode) const {
  return same(SpotMode, mode);
}

void PacketSpotfrm::Form_Load() {
  ScreenScaling::CentredCopy(*this, ctx, ScreenScaling::CentredWindow::PacketSpotfrm);
  List1->addItems({QStringLiteral("None"), QStringLiteral("TNC"), QStringLiteral("Telnet"),
                   QStringLiteral("AGW Packet Engine")});
  HideModeControls();
  LoadingSettings = 1;
  LoadSpotSettings();
  // Whatever the file held, the option handlers close connections again from here on.
  LoadingSettings = 0;
}

void PacketSpotfrm::LoadSpotSettings() {
  const auto content = vb::readLatin1(files::resolve(ctx.folders.ProgramFolder, kPackSpotFile));
  if (!content)
    return;
  PackSpotFields f;
  const bool complete = readPackSpot(*content, f);
  copySpotVariables(f, *this);
  if (!complete)
    return;
  chkConvToHex->setChecked(f.ConvToHex != 0);
  OptList->setChecked(f.ListDisplay);
  txtHex->setText(f.Hex);
  txtTelnetPort->setText(f.TelnetPort);
  txtTelnetHost->setText(f.TelnetHost);
  for (int i = 0; i < List1->count(); ++i) {
    if (SpotMode.compare(List1->item(i)->text(), Qt::CaseInsensitive) == 0)
      List1->setCurrentRow(i);
  }
  if (PortNumber >= 1 && PortNumber <= 10)
    optComm[static_cast<size_t>(PortNumber - 1)]->setChecked(true);
  const QString baud = vb::rtrim(PortBaud);
  setEach({optBaud12, optBaud24, optBaud48, optBaud96, optBaud144, optBaud192},
          {baud == QLatin1String("1200"), baud == QLatin1String("2400"), baud == QLatin1String("4800"),
           baud == QLatin1String("9600"), baud == QLatin1String("14400"), baud == QLatin1String("19200")});
  setEach({optParityOdd, optParityNone, optParityEven},
          {same(PortParity, "O"), same(PortParity, "N"), same(PortParity, "E")});
  setEach({optData7, optData8}, {PortDataBits == QLatin1String("7"), PortDataBits == QLatin1String("8")});
  setEach({optStop1, optStop2}, {PortStopBits == QLatin1String("1"), PortStopBits == QLatin1String("2")});
  setEach({optPowerNone, optPowerRTS, optPowerDTR},
          {same(PortPower, "N"), same(PortPower, "R"), same(PortPower, "D")});
  const std::array<QRadioButton *, 4> handshaking{Option1, Option2, Option3, Option4};
  if (PortHandshaking >= 1 && PortHandshaking <= 4)
    handshaking[static_cast<size_t>(PortHandshaking - 1)]->setChecked(true);
  LoadingSettings = 0;
  if (modeIs("TNC"))
    ShowTNCControls();
  else if (modeIs("Telnet"))
    ShowTelnetControls();
  else if (modeIs("AGW Packet Engine"))
    ShowAGWControls();
  if (!modeIs("None"))
    Command1_Click();
}

bool PacketSpotfrm::SaveSpotSettings() {
  PackSpotFields f;
  copySpotVariables(*this, f);
  f.ConvToHex = chkConvToHex->isChecked() ? 1 : 0;
  f.DXOnly = chkDX->isChecked() ? 1 : 0;
  f.ListDisplay = OptList->isChecked();
  f.Hex = txtHex->text();
  f.TelnetPort = txtTelnetPort->text();
  f.TelnetHost = txtTelnetHost->text();
  return vb::writeLatin1Atomic(files::resolve(ctx.folders.ProgramFolder, kPackSpotFile), packSpotText(f));
}

void PacketSpotfrm::Command1_Click() {
  dropWaitingLines();
  Monitor = QStringLiteral("** Attempting to Open Port **\r\n\r\n");
  showMonitor(0);
  if (comComm1->isOpen())
    comComm1->close();
  if (!modeIs("None")) {
    Label4->show();
    if (isVisible())
      txtSent->setFocus();
  }
  if (modeIs("TNC"))
    GetPortSettings();
  else if (modeIs("AGW Packet Engine"))
    AGWConnect();
  else if (modeIs("Telnet"))
    TelnetConnect();
}

void PacketSpotfrm::Command2_Click() {
  if (Label4->isHidden())
    return;
  Label4->hide();
  dropWaitingLines();
  AppendMonitor(QStringLiteral("\r\n\r\n** Port Closed **"));
  if (comComm1->isOpen())
    comComm1->close();
  Winsock1->abort();
  if (modeIs("AGW Packet Engine")) {
    if (!AGWConnectedCall.isEmpty()) {
      agw->AGWPutData(AGWConnectedCall, QString(), 'd', 0, 0);
      setWindowTitle(QStringLiteral("DX Spotting Setup"));
      AGWConnectedCall.clear();
    }
    agw->AGWClose();
  }
  Timer1->stop();
}

void PacketSpotfrm::Command3_Click() {
  const LogArrays &log = ctx.logging.log;
  const QString last = log.ContactCount() > 0 ? log.slot(log.ContactCount()).calls : QString();
  txtSent->setText(QStringLiteral("DX Frequency in kHz ") + last);
  txtSent->setFocus();
  txtSent->setSelection(3, 16);
}

void PacketSpotfrm::cmdDone_Click() {
  if (!modeIs("None") && Label4->isHidden())
    Command1_Click();
  ctx.window<Form1>().SavePref();
  if (!SaveSpotSettings())
    return;
  ctx.window<Form1>().PacketResize();
  hide();
}

void PacketSpotfrm::List1_Click() {
  chkDX->setChecked(false);
  const QString mode = List1->currentItem() ? List1->currentItem()->text() : QString();
  if (LoadingSettings == 0) {
    Command2_Click();
    HideModeControls();
    SpotMode = mode;
    if (modeIs("TNC")) {
      for (QRadioButton *option : {optBaud96, optParityNone, optData8, optStop1, Option3})
        option->setChecked(true);
      txtHex->setText(QStringLiteral("03"));
      ShowTNCControls();
    }
  }
  ShowSpotHelp();
  if (same(mode, "Telnet"))
    ShowTelnetControls();
  else if (same(mode, "AGW Packet Engine"))
    ShowAGWControls();
  if (same(mode, "TNC"))
    Label6->setText(QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):"));
  else if (same(mode, "AGW Packet Engine"))
    Label6->setText(QStringLiteral("Send text (use : to send cmds such as :C Q7TLV or :D)"));
  else if (same(mode, "Telnet"))
    Label6->setText(QStringLiteral("Type text to send and press enter:"));
}

void PacketSpotfrm::HideModeControls() {
  setModeControls({txtTelnetHost, txtTelnetPort, txtHex, Label7, Label3, Label2, chkConvToHex}, false);
  setModeControls(sharedModeControls(), false);
  setModeControls(serialControls(), false);
}

void PacketSpotfrm::ShowTNCControls() {
  setModeControls(sharedModeControls(), true);
  setModeControls(serialControls(), true);
  setModeControls({txtHex, Label2, Label4, Label1}, true);
}

void PacketSpotfrm::ShowTelnetControls() {
  setModeControls(sharedModeControls(), true);
  setModeControls({txtTelnetHost, txtTelnetPort, Label7, Label3}, true);
}

void PacketSpotfrm::ShowAGWControls() {
  setModeControls(sharedModeControls(), true);
}

void PacketSpotfrm::ShowSpotHelp() {
  Monitor = spotHelpText(List1->currentItem() ? List1->currentItem()->text() : QString());
  showMonitor(0);
}

void PacketSpotfrm::TrimMonitor() {
  trimMonitorText(Monitor);
  if (intakeBatches_ > 0)
    return;
  showMonitor(Monitor.size() > 2 ? Monitor.size() - 1 : 0);
}

void PacketSpotfrm::AppendMonitor(const QString &text) {
  Monitor += text;
  TrimMonitor();
}

void PacketSpotfrm::showMonitor(qsizetype caret) {
  // The view shows each CR LF, and a CR or LF alone, as one line break.
  QString view = Monitor;
  view.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  view.replace(u'\r', u'\n');
  // A NUL from the packet engine stays in the monitor's text; the view shows a mark for it.
  view.replace(QChar(0), QChar(0x00A4));
  txtUnProcessed->setPlainText(view);
  // Only a CR LF wholly before the caret has become one character there.
  QTextCursor cursor = txtUnProcessed->textCursor();
  cursor.setPosition(static_cast<int>(caret - QStringView(Monitor).first(caret).count(u"\r\n")));
  txtUnProcessed->setTextCursor(cursor);
}

void PacketSpotfrm::Form_KeyDown(int &KeyCode, int Shift) {
  if (KeyCode != kEscape && !(KeyCode == kKeyC && Shift == kCtrl))
    return;
  chkDX->setChecked(false);
  if (Label4->isHidden())
    Command1_Click();
  if (comComm1->isOpen() && modeIs("TNC")) {
    // A hex text that is no character code ends the key silently.
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{1,2}$"));
    if (!hex.match(txtHex->text()).hasMatch())
      return;
    const int code = txtHex->text().toInt(nullptr, 16);
    comComm1->write(QByteArray(1, static_cast<char>(code)));
    KeyCode = 0;
    txtSent->setFocus();
  }
  if (txtSent->text().isEmpty())
    txtSent->setFocus();
}

void PacketSpotfrm::Form_Activate() {
  if (modeIs("None"))
    return;
  TrimMonitor();
  if (txtSent->isEnabled())
    txtSent->setFocus();
}

void PacketSpotfrm::changeEvent(QEvent *event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow())
    Form_Activate();
}

void PacketSpotfrm::Form_Unload() {
  if (!AGWConnectedCall.isEmpty())
    agw->AGWPutData(AGWConnectedCall, QString(), 'd', 0, 0);
  if (modeIs("AGW Packet Engine"))
    agw->AGWClose();
  // The port, the socket and the intake end with the window.
  comComm1->close();
  Winsock1->abort();
  dropWaitingLines();
}

void PacketSpotfrm::optSerial_Click() {
  if (LoadingSettings == 0)
    Command2_Click();
}

void PacketSpotfrm::PostSpot(QString &freq, QString &call, QString &line) {
  RefreshTicks = 0;
  QString record = SpotRecord(line);
  ctx.window<Form1>().BandMapSpots(call, freq, record);
}

PostSpotFn PacketSpotfrm::spotPoster() {
  return [this](QString &freq, QString &call, QString &line) { PostSpot(freq, call, line); };
}

void PacketSpotfrm::ReadTNCInput() {
  ReadTNCInput(QString::fromLatin1(comComm1->readAll()));
}

void PacketSpotfrm::ReadTNCInput(const QString &TNCInput) {
  takeArrival(TNCInput, {LineRules::Tnc});
}

PacketSpotfrm::IntakeBatch::IntakeBatch(PacketSpotfrm &window)
    : window_(window), monitorBefore_(window.Monitor) {
  ++window_.intakeBatches_;
  window_.ctx.window<Form1>().beginSpotBatch();
}

PacketSpotfrm::IntakeBatch::~IntakeBatch() {
  window_.ctx.window<Form1>().endSpotBatch();
  if (--window_.intakeBatches_ == 0 && window_.Monitor != monitorBefore_)
    window_.TrimMonitor();
}

void PacketSpotfrm::takeArrival(const QString &arrival, LineRules rules) {
  if (arrival.isEmpty())
    return;
  WaitingText << arrival;
  WaitingChars += arrival.size();
  WaitingRules = rules;
  if (WaitingChars > kMaxWaitingText) {
    // The oldest lines go, those framed already and then those of the oldest text: framed, so that
    // no line is left cut.
    IntakeBatch batch(*this);
    WaitingLines.clear();
    while (WaitingChars > kMaxWaitingText)
      frameWaitingPiece(chkDX->isChecked());
  }
  // Behind text still waiting, this waits its turn.
  if (!IntakeTimer->isActive())
    TakeWaitingLines();
}

QStringList PacketSpotfrm::frameWaitingPiece(bool dxOnly) {
  const QString arrival = WaitingText.front();
  // Telnet text is shown whole as it came, so that the trim keeps what it always kept and a prompt
  // without a line end shows at once.
  if (WaitingTextAt == 0 && WaitingRules.link == LineRules::Telnet && !dxOnly)
    AppendMonitor(arrival);
  // Each piece after the first starts a line, so the pieces are framed as the whole arrival is.
  qsizetype end = std::min(WaitingTextAt + kFramePiece, arrival.size());
  while (end < arrival.size() && arrival[end - 1] != u'\r' && arrival[end - 1] != u'\n')
    ++end;
  const QString piece = arrival.mid(WaitingTextAt, end - WaitingTextAt); // a whole one shared
  WaitingChars -= piece.size();
  WaitingTextAt = end;
  if (end == arrival.size()) {
    WaitingText.removeFirst();
    WaitingTextAt = 0;
  }
  return (WaitingRules.link == LineRules::Tnc ? ReceiveBuffer : TelnetBuffer).take(piece);
}

void PacketSpotfrm::TakeWaitingLines() {
  QElapsedTimer slice;
  slice.start();
  qsizetype taken = 0;
  {
    IntakeBatch batch(*this);
    const bool dxOnly = chkDX->isChecked();
    const PostSpotFn post = spotPoster();
    while (!slice.hasExpired(kIntakeSliceMs)) {
      if (taken < WaitingLines.size()) {
        takeClusterLine(WaitingLines[taken++], Monitor, dxOnly, WaitingRules, post);
      } else if (!WaitingText.isEmpty()) {
        WaitingLines = frameWaitingPiece(dxOnly);
        taken = 0;
      } else {
        break;
      }
    }
  }
  WaitingLines.remove(0, taken);
  if (intakeWaiting())
    IntakeTimer->start();
  else if (std::exchange(closeAfterIntake_, false))
    Winsock1_Closed();
}

void PacketSpotfrm::dropWaitingLines() {
  WaitingText.clear();
  WaitingTextAt = 0;
  WaitingChars = 0;
  WaitingLines.clear();
  IntakeTimer->stop();
  closeAfterIntake_ = false;
  ReceiveBuffer.clear();
  TelnetBuffer.clear();
  AGWBuffer.clear();
}
