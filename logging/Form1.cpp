#include "logging/Form1.h"

#include "logging/ContactListView.h"

#include "app/AppContext.h"
#include "platform/Controls.h"

#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

namespace {

const QColor kTeal(0, 192, 192);
const QColor kRed(255, 0, 0);

// The program's name and version, blanks, then the contest. The Cabrillo CREATED-BY line takes
// the first 45 characters as they stand, the ADIF header the first 60 trimmed, so the name and
// version stand alone in the first 60.
QString programTitle() {
  return QStringLiteral("Orvex Network 1.0").leftJustified(60) + QStringLiteral("CQ WPX Contest");
}

} // namespace

Form1::Form1(AppContext &context) : ctx(context) {
  setWindowTitle(programTitle());
  buildControls();
  buildMenus();
}

Form1::~Form1() = default;

LoggingState &Form1::st() {
  return ctx.logging;
}

void Form1::buildControls() {
  auto *central = new QWidget(this);
  setCentralWidget(central);

  const auto caption = [central](const QString &text, double left, double top, double width) {
    placed<QLabel>(central, left, top, width, 240, text);
  };
  const auto box = [central](double left, double width) {
    return placed<TextBox>(central, left, 360, width, 330);
  };

  caption(QStringLiteral("Call"), 120, 120, 1500);
  caption(QStringLiteral("Rcvd"), 1680, 120, 600);
  caption(QStringLiteral("Serial"), 2340, 120, 800);
  caption(QStringLiteral("Sent"), 3200, 120, 600);
  caption(QStringLiteral("Country"), 3860, 120, 2000);
  caption(QStringLiteral("Prefix"), 5920, 120, 800);
  caption(QStringLiteral("Points"), 6780, 120, 600);
  caption(QStringLiteral("Next #"), 7440, 120, 900);
  txtCall = box(120, 1500);
  txtRSTR = box(1680, 600);
  txtSec = box(2340, 800);
  txtRSTS = box(3200, 600);
  txtCntry = box(3860, 2000);
  txtPref = box(5920, 800);
  txtPoints = box(6780, 600);
  Label4 = placed<Label>(central, 7440, 360, 900, 330, QStringLiteral("001"));
  Label4->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Label4->setAlignment(Qt::AlignCenter);
  connect(Label4, &Label::changed, this, &Form1::Label4_Change);

  lblDialog = placed<Label>(central, 120, 780, 9360, 300, QStringLiteral(" "));
  setBackColor(lblDialog, kTeal);
  lblDupe = placed<Label>(central, 120, 1110, 9360, 300);

  Label19 = placed<Label>(central, 120, 1440, 600, 240);
  caption(QStringLiteral("Bearing ....."), 900, 1440, 1000);
  Label22 = placed<Label>(central, 1900, 1440, 600, 240);
  caption(QStringLiteral("Distance ..."), 2600, 1440, 1000);
  Label23 = placed<Label>(central, 3600, 1440, 900, 240);
  Label14 = placed<Label>(central, 4700, 1440, 1600, 240, QStringLiteral("New"));
  Label14->hide();
  buildPostContestControls(central);

  ListView1 = placed<ContactListView>(central, 120, 1740, 9360, 2640);

  txtDX = placed<QTreeWidget>(central, 120, 4440, 9360, 1200);
  txtDX->setRootIsDecorated(false);
  // A click leaves the focus where typing goes; the click's own work moves it to the call field
  // in its turn.
  txtDX->setFocusPolicy(Qt::NoFocus);
  txtDX->hide();

  cmdEdit = placed<QPushButton>(central, 120, 5340, 900, 330, QStringLiteral("Edit"));
  cmdEdit->hide();
  cmdDelete = placed<QPushButton>(central, 1080, 5340, 900, 330, QStringLiteral("Delete"));
  cmdDelete->hide();
  connect(cmdDelete, &QPushButton::clicked, this, &Form1::cmdDelete_Click);
  connect(cmdEdit, &QPushButton::clicked, this, &Form1::cmdEdit_Click);

  caption(QStringLiteral("QSOs / Hr (last 60 min)"), 5200, 5340, 2400);
  lblAQSO60 = placed<Label>(central, 7700, 5340, 700, 240, QStringLiteral("0"));
  caption(QStringLiteral("QSOs / Hr (last 20 min)"), 5200, 5600, 2400);
  lblAQSO20 = placed<Label>(central, 7700, 5600, 700, 240, QStringLiteral("0"));

  Timer1 = new QTimer(this);
  Timer1->setInterval(60000);
  connect(Timer1, &QTimer::timeout, this, &Form1::TimeStats);
  Timer1->start();
  Timer3 = new Timer(this);
  Timer3->setInterval(6000);
  connect(Timer3, &QTimer::timeout, this, &Form1::Timer3_Timer);

  buildListControls(central);
  buildTimeControls(central);
  buildScoreControls(central);
  connectCallAnalysis();
  connectEntryRow();
  buildBandControls(central);
  buildBandMapControls(central);
  buildSetupControls(central);
  previewAllKeys();

  placeTwips(this, 0, 0, 9600, 7200);
}

void Form1::buildMenus() {
  QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
  mnuNew = command(file, QStringLiteral("&New"), &Form1::mnuNew_Click);
  mnuOpen = command(file, QStringLiteral("Open"), &Form1::mnuOpen_Click);
  mnuWriteSumm = command(file, QStringLiteral("&Write Cabrillo File"), &Form1::mnuWriteSumm_Click,
                         CommandKind::OpensWindow);
  buildExportMenus(*file);
  buildMaintenanceMenus(*file);
  file->addSeparator();
  mnuCopyListtoClipboard =
      command(file, QStringLiteral("Copy &Listed Items to Clipboard"), &Form1::mnuCopyListtoClipboard_Click);
  file->addSeparator();
  mnuExit = command(file, QStringLiteral("&Exit"), &Form1::mnuExit_Click);
  mnuOptions = menuBar()->addMenu(QStringLiteral("&Options"));
  buildTransmitMenu();
  mnuAppearance = mnuOptions->addMenu(QStringLiteral("&Appearance"));
  mnuFormSize = command(mnuAppearance, QStringLiteral("&Form Size"), &Form1::mnuFormSize_Click);
  mnuTaskbar = command(mnuAppearance, QStringLiteral("&Taskbar"), &Form1::mnuTaskbar_Click);
  mnuTaskbar->setCheckable(true);
  mnuOptions->addSeparator();
  mnuRefreshrate = command(mnuOptions, QStringLiteral("&Refresh Rate"), &Form1::mnuRefreshrate_Click);
  buildWindowMenus();
  mnuSetup = command(menuBar(), QStringLiteral("&Setup"), &Form1::mnuSetup_Click, CommandKind::OpensWindow);
  buildEntryRowMenus();
  buildBandMenu();
  buildGraphMenu();
  mnuHelp = command(menuBar(), QStringLiteral("&Help"), &Form1::mnuHelp_Click, CommandKind::OpensWindow);
}

QAction *Form1::command(QWidget *menu, const QString &caption, void (Form1::*handler)(), CommandKind kind,
                        QAction *before) {
  auto *action = new QAction(caption, menu);
  menu->insertAction(before, action);
  connect(action, &QAction::triggered, this, [this, action, handler, kind] {
    if (action->isCheckable())
      action->setChecked(!action->isChecked());
    if (kind == CommandKind::OpensWindow)
      (this->*handler)();
    else
      inTurn([this, handler] { (this->*handler)(); });
  });
  return action;
}

void Form1::setStatus(const QString &text, bool dupe) {
  lblDialog->setText(text);
  setBackColor(lblDialog, dupe ? kRed : kTeal);
}

void Form1::resetDupeLine() {
  lblDupe->setText(QString());
  clearDupeBackground();
}

void Form1::clearDupeBackground() {
  lblDupe->setAutoFillBackground(false);
  lblDupe->setPalette(QPalette());
}

void Form1::showPartialDupes(const QString &list) {
  if (!list.isEmpty())
    setBackColor(lblDupe, kTeal);
  lblDupe->setText(list);
}

bool Form1::entryRowEmpty() const {
  // Text the program put there itself (the "0" points of a refused dupe) was not typed.
  return std::ranges::none_of(
      std::initializer_list<const TextBox *>{txtCall, txtRSTR, txtSec, txtRSTS, txtCntry, txtPref, txtPoints},
      [](const TextBox *t) { return t->isModified() && !t->text().isEmpty(); });
}

void Form1::clearEntryRow(bool withPoints) {
  for (TextBox *t : {txtRSTS, txtCntry, txtCall, txtRSTR, txtSec, txtPref})
    t->setText(QString());
  if (withPoints)
    txtPoints->setText(QString());
  clearCountryPlace();
}
