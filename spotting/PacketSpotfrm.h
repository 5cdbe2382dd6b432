#pragma once
// The DX cluster window: the spotting mode and its settings, the connection's open and close,
// the monitor of cluster traffic and the send box. It holds the connection, so it lives from its
// first use until the main window closes; "&Done" only hides it.

#include "platform/Timer.h"
#include "spotting/ClusterLines.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class AgwClient;
class AppContext;
class Label;
class QCheckBox;
class QGroupBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSerialPort;
class QTcpSocket;
class QTimer;
class TextBox;

class PacketSpotfrm : public QWidget {
  Q_OBJECT
public:
  explicit PacketSpotfrm(AppContext &context);
  ~PacketSpotfrm() override;
  // The context runs Form_Load once the window can be found there (see AppContext::window).
  static constexpr bool loadsWhenMade = true;

  AppContext &ctx;

  Label *Label1 = nullptr;
  QListWidget *List1 = nullptr;    // the spotting mode
  QPushButton *Command1 = nullptr; // "Open Port"
  QPushButton *Command2 = nullptr; // "Close Port"
  QPushButton *Command3 = nullptr; // "&Spot Last"
  QPushButton *cmdDone = nullptr;
  Label *Label4 = nullptr;                  // "Listening": shown exactly while a connection is open
  QPlainTextEdit *txtUnProcessed = nullptr; // the monitor, a view of Monitor
  Label *Label6 = nullptr;                  // the send box's caption
  TextBox *txtSent = nullptr;
  QGroupBox *Frame2 = nullptr;
  QRadioButton *OptList = nullptr;
  QRadioButton *OptBand = nullptr;
  QCheckBox *chkDX = nullptr;
  QCheckBox *chkConvToHex = nullptr;
  Label *Label2 = nullptr;
  TextBox *txtHex = nullptr;
  Label *Label7 = nullptr;
  TextBox *txtTelnetHost = nullptr;
  Label *Label3 = nullptr;
  TextBox *txtTelnetPort = nullptr;
  QGroupBox *fraBaud = nullptr;
  QRadioButton *optBaud12 = nullptr, *optBaud24 = nullptr, *optBaud48 = nullptr, *optBaud96 = nullptr,
               *optBaud144 = nullptr, *optBaud192 = nullptr;
  QGroupBox *fraParity = nullptr;
  QRadioButton *optParityOdd = nullptr, *optParityNone = nullptr, *optParityEven = nullptr;
  QGroupBox *fraData = nullptr;
  QRadioButton *optData7 = nullptr, *optData8 = nullptr;
  QGroupBox *fraStop = nullptr;
  QRadioButton *optStop1 = nullptr, *optStop2 = nullptr;
  QGroupBox *fraPort = nullptr;
  std::array<QRadioButton *, 10> optComm{}; // ports 1 to 10
  QGroupBox *fraPower = nullptr;
  QRadioButton *optPowerNone = nullptr, *optPowerRTS = nullptr, *optPowerDTR = nullptr;
  QGroupBox *Frame1 = nullptr; // handshaking
  QRadioButton *Option1 = nullptr, *Option2 = nullptr, *Option3 = nullptr, *Option4 = nullptr;

  QSerialPort *comComm1 = nullptr; // the TNC
  QTcpSocket *Winsock1 = nullptr;  // the telnet cluster
  Timer *Timer1 = nullptr;         // the receive poll, 333 ms
  std::unique_ptr<AgwClient> agw;  // the packet engine

  // The monitor's text, CR LF kept: the duplicate search and the trim count these characters,
  // which a text widget would not keep as they are.
  QString Monitor;
  QString SpotMode; // a copy of the mode list's text; "" until chosen or loaded
  int LoadingSettings = 0;
  QString PortBaud, PortParity, PortDataBits, PortStopBits;
  int PortNumber = 0; // 0 until a TNC port was ever chosen
  QString PortPower;
  int PortHandshaking = 0;
  QString AGWConnectedCall;
  // The TNC's text after its last complete line.
  ClusterLineFramer ReceiveBuffer;
  float RefreshTicks = 0; // timer ticks since the last spot or band-map redraw

  void Form_Load();
  void LoadSpotSettings();
  // False when the file could not be written.
  bool SaveSpotSettings();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void cmdDone_Click();
  void List1_Click();
  void HideModeControls();
  void ShowTNCControls();
  void ShowTelnetControls();
  void ShowAGWControls();
  void ShowSpotHelp();
  void TrimMonitor();
  void Form_KeyDown(int &KeyCode, int Shift);
  void Form_Activate();
  void Form_Unload();
  // Every serial option's click: a changed setting closes the connection (not while loading).
  void optSerial_Click();

  // Appends to the monitor and trims it.
  void AppendMonitor(const QString &text);
  // Hands one spot to the main window; note the order: frequency, call, line.
  void PostSpot(QString &freq, QString &call, QString &line);
  // One poll of the TNC port, and the processing of what a poll read.
  void ReadTNCInput();
  void ReadTNCInput(const QString &TNCInput);

  // The TNC link, and the poll timer and send box all three links share.
  QString PortSettings; // "9600,N,8,1"
  void GetPortSettings();
  void OpenTNCPort();
  void Timer1_Timer();
  void txtSent_KeyPress(int &KeyAscii);
  void txtSent_Change();

  // The telnet link. Text received after the last complete line waits in TelnetBuffer.
  ClusterLineFramer TelnetBuffer;
  void TelnetConnect();
  void Winsock1_DataArrival();
  void Winsock1_DataArrival(const QString &arrival);
  void Winsock1_Error(int number);
  // The cluster closed the connection: closed as an error closes it, without a message.
  void Winsock1_Closed();
  void TelnetSend();

  // The packet engine link. The connected station's text after its last complete line waits in
  // AGWBuffer; a monitored frame is a whole frame heard, so its last line ends with it.
  QString AGWMyCall;
  ClusterLineFramer AGWBuffer;
  void AGWConnect();
  void AGWSend(const QString &text);
  void AGWReceive();
  void AGWReceive(const QString &callBuffer, const QString &dataBuffer, int kind, int length);

protected:
  void changeEvent(QEvent *event) override;

private:
  // While the intake runs, the monitor's view and the main window's spot views wait for its
  // end, when each is brought up to date once. Batches may nest.
  class IntakeBatch {
  public:
    explicit IntakeBatch(PacketSpotfrm &window);
    ~IntakeBatch();
    IntakeBatch(const IntakeBatch &) = delete;
    IntakeBatch &operator=(const IntakeBatch &) = delete;

  private:
    PacketSpotfrm &window_;
    QString monitorBefore_;
  };
  int intakeBatches_ = 0;
  // Text from the TNC or the telnet cluster waits as it arrived for the spot intake, which frames,
  // shows and takes it a slice of at most kIntakeSliceMs at a time: a burst of thousands of lines
  // leaves the event loop its turn between slices, so typed keys show while the rest follows.
  static constexpr int kIntakeSliceMs = 30;
  // An arrival is framed in pieces of at least this many characters, each up to a line end, so
  // that a large one is framed within the slices too.
  static constexpr qsizetype kFramePiece = 4096;
  // Beyond this much waiting text (a cluster sending faster than any intake, about 100,000 lines)
  // the oldest lines go.
  static constexpr qsizetype kMaxWaitingText = 8000000;
  void takeArrival(const QString &arrival, LineRules rules);
  // Frames the next piece of the waiting text and returns its lines; telnet text is shown as its
  // first piece is framed.
  QStringList frameWaitingPiece(bool dxOnly);
  void TakeWaitingLines();
  bool intakeWaiting() const { return !WaitingLines.isEmpty() || !WaitingText.isEmpty(); }
  // The arrivals not yet framed (the first from WaitingTextAt on, WaitingChars in all), the lines
  // framed and still to take, and the rules of the link they came from.
  QStringList WaitingText;
  qsizetype WaitingTextAt = 0;
  qsizetype WaitingChars = 0;
  QStringList WaitingLines;
  LineRules WaitingRules;
  QTimer *IntakeTimer = nullptr;
  // The cluster closed the connection while lines were still waiting: it closes after them.
  bool closeAfterIntake_ = false;
  // A new connection or a close: nothing received before it is taken any more.
  void dropWaitingLines();
  PostSpotFn spotPoster();
  // The telnet connection has ended: `message` (none for the cluster's close), then "Close Port".
  void telnetEnded(const QString &message);
  void buildControls();
  void connectLinks();
  void buildSerialFrames();
  bool modeIs(const char *mode) const;
  // The monitor's view, refreshed from Monitor with the caret at a position of Monitor.
  void showMonitor(qsizetype caret);
  void setModeControls(const QList<QWidget *> &controls, bool enabled);
  QList<QWidget *> serialControls() const;
  QList<QWidget *> sharedModeControls() const;
};
