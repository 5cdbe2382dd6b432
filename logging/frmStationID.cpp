#include "logging/frmStationID.h"

#include "app/AppContext.h"
#include "app/SharedPreferences.h"
#include "logging/Form1.h"
#include "logging/StationSetup.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/KeyPress.h"
#include "platform/LogDb.h"
#include "platform/SettingsStore.h"
#include "platform/VbText.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QValidator>

namespace {

const QString kRttyOption = QStringLiteral("UserQ4ZDOption");

// Drops double quotes from whatever reaches the box, typed or pasted.
class NoQuotes : public QValidator {
public:
  using QValidator::QValidator;
  State validate(QString &input, int &pos) const override {
    pos -= static_cast<int>(input.left(pos).count(u'"'));
    input.remove(u'"');
    return Acceptable;
  }
};

// The focus left with the window (a message box, another program), not for another field.
bool byWindowChange(const QEvent *focusOut) {
  const auto reason = static_cast<const QFocusEvent *>(focusOut)->reason();
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

} // namespace

frmStationID::frmStationID(AppContext &context) : ctx(context) {
  setWindowTitle(QStringLiteral(" Amateur Station I.D."));
  setModal(true);
  buildControls();
}

void frmStationID::buildControls() {
  const auto label = [this](QWidget *parent, const QString &text, double left, double top, double width,
                            double height = 255) {
    auto *l = new QLabel(text, parent);
    placeTwips(l, left, top, width, height);
    l->setWordWrap(height > 255);
    return l;
  };
  const auto box = [this](double left, double top, double width) {
    auto *t = new TextBox(this);
    placeTwips(t, left, top, width, 330);
    return t;
  };
  const auto option = [](QWidget *frame, const QString &text, double top) {
    auto *o = new QRadioButton(text, frame);
    placeTwips(o, 120, top, 2000, 285);
    return o;
  };
  const auto button = [this](const QString &text, double left, double top) {
    auto *b = new QPushButton(text, this);
    placeTwips(b, left, top, 1200, 400);
    b->setAutoDefault(false);
    return b;
  };

  label(this, QStringLiteral("Please Enter your Call Sign:"), 240, 285, 2500);
  Text1 = box(2800, 240, 1400);
  label(this, QStringLiteral("Hours added for UTC:"), 240, 705, 2500);
  Text6 = box(2800, 660, 900);
  Text6->setMaxLength(7);

  auto *contest = new QGroupBox(QStringLiteral("Contest:"), this);
  placeTwips(contest, 4440, 120, 2400, 1140);
  Option1 = option(contest, QStringLiteral("Phone"), 240);
  Option2 = option(contest, QStringLiteral("CW"), 525);
  Option5 = option(contest, QStringLiteral("RTTY"), 810);
  Option2->setChecked(true);
  lblConnectQ4ZD = label(this, QStringLiteral("Connect to Q4ZD RTTY?"), 4440, 1380, 1950);
  chkQ4ZDRtty = new QCheckBox(this);
  placeTwips(chkQ4ZDRtty, 6480, 1365, 300, 285);
  setRttyLinkEnabled(false);

  label(this, QStringLiteral("Your Country:"), 240, 1845, 2500);
  Text2 = box(2800, 1800, 3000);
  label(this, QStringLiteral("Your Continent:"), 240, 2265, 2500);
  Text3 = box(2800, 2220, 600);
  Text3->setMaxLength(2);
  label(this, QStringLiteral("Your Longitude:"), 240, 2685, 2500);
  Text4 = box(2800, 2640, 1200);
  label(this, QStringLiteral("Your Latitude:"), 240, 3105, 2500);
  Text7 = box(2800, 3060, 1200);
  label(this, QStringLiteral("Transmitter #:"), 240, 3525, 2500);
  Text8 = box(2800, 3480, 600);
  Text8->setMaxLength(2);
  label(this, QStringLiteral("Be sure each transmitter has a unique number!"), 3600, 3525, 3300);

  auto *serial = new QGroupBox(QStringLiteral("Increment Serial # By:"), this);
  placeTwips(serial, 240, 3900, 3200, 900);
  Option3 = option(serial, QStringLiteral("Individual Band"), 270);
  Option4 = option(serial, QStringLiteral("All Bands"), 555);
  Option3->setChecked(true);
  label(this, QStringLiteral("Use All Bands only if you are running 1 transmitter."), 3600, 4050, 3300, 540);

  label(this, QStringLiteral("Path to network log file:"), 240, 4980, 2500);
  Text9 = box(240, 5280, 5400);
  Command2 = button(QStringLiteral("Browse"), 5760, 5245);
  label(this,
        QStringLiteral("The log file can be stored locally on this PC, or on any other PC on your LAN.  If "
                       "you are operating with more than one station in network configuration, it is "
                       "imperative that all PC's reference the SAME log file location on the SAME PC."),
        240, 5760, 6600, 780);
  label(this,
        QStringLiteral("If you wish to save your networked log file in a location other than c:\\Program "
                       "Files\\Orvex Network, first, using Windows Explorer, copy OrvexLog.MDB to the "
                       "directory you wish to use for the contest."),
        240, 6600, 6600, 780);

  Command1 = button(QStringLiteral("Done"), 240, 7500);
  Command3 = button(QStringLiteral("Cancel"), 1560, 7500);
  Command4 = button(QStringLiteral("Help"), 2880, 7500);
  Command3->hide();
  Command4->hide();
  placeTwips(this, 0, 0, 7080, 8160);

  connect(Command1, &QPushButton::clicked, this, &frmStationID::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &frmStationID::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &frmStationID::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &frmStationID::Command4_Click);
  connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
    if (on)
      Option1_Click();
  });
  connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
    if (on)
      Option2_Click();
  });
  connect(Option5, &QRadioButton::toggled, this, [this](bool on) {
    if (on)
      Option5_Click();
  });

  for (TextBox *t : {Text1, Text2, Text3, Text8, Text9})
    t->setValidator(new NoQuotes(t));
  for (TextBox *t : {Text1, Text3})
    onKeyPress(t, [this](int k) {
      if (k == 13) {
        Command1_Click();
        return 0;
      }
      return Form1::Capital(k);
    });
  for (TextBox *t : {Text4, Text6, Text7}) {
    onKeyPress(t, [this](int k) {
      if (k == 13) {
        Command1_Click();
        return 0;
      }
      return Numberr(k);
    });
    onEvent(t, QEvent::FocusOut, [this, t](QEvent *e) {
      if (!byWindowChange(e))
        checkNumberOnLeaving(t);
    });
  }
  onEvent(Text8, QEvent::FocusOut, [this](QEvent *e) {
    if (!byWindowChange(e))
      Text8->setText(transmitterNumberText(Text8->text()));
  });
}

void frmStationID::checkNumberOnLeaving(TextBox *box) {
  if (refocusing_ || setupNumber(box->text()))
    return;
  const QWidget *next = QApplication::focusWidget();
  if (next == Command1 || next == Command3 || next == Command4)
    return;
  ctx.dialogs.beep();
  // Taken back once the focus has settled; a second field left empty on the way is not checked
  // as the focus passes back through it.
  QTimer::singleShot(0, box, [this, box] {
    refocusing_ = true;
    box->setFocus();
    refocusing_ = false;
  });
}

void frmStationID::Form_Load() {
  const StationSettings &s = ctx.logging.station;
  Text1->setText(s.MyCall);
  Text2->setText(s.MyCountry);
  Text3->setText(s.MyContinent);
  Text4->setText(vb::singleText(s.MyLongitude));
  Text7->setText(vb::singleText(s.MyLatitude));
  Text6->setText(vb::singleText(s.UtcOffsetHours));
  Text8->setText(s.TransmitterNumber);
  Text9->setText(setupLogPath(s.LogFilePath, ctx.folders.ProgramFolder));
  if (const auto mode = contestModeFor(s.ModeCode)) {
    QRadioButton *chosen = *mode == ContestMode::Phone ? Option1
                           : *mode == ContestMode::CW  ? Option2
                                                       : Option5;
    chosen->setChecked(true);
  }
  (s.SerialPerBand ? Option3 : Option4)->setChecked(true);
  chkQ4ZDRtty->setChecked(vb::roundToInt(vb::val(ctx.settings.get(kRttyOption, QStringLiteral("0")))) == 1);
}

void frmStationID::Command1_Click() {
  for (TextBox *t : {Text6, Text4, Text7})
    if (!setupNumber(t->text()))
      t->setText(QStringLiteral("0"));
  ctx.settings.set(kRttyOption, chkQ4ZDRtty->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
  setSharedPreference(ctx, QStringLiteral("OWN_CALL"), Text1->text(), false);
  setSharedPreference(ctx, QStringLiteral("OWN_UTC"), Text6->text(), false);
  setSharedPreference(ctx, QStringLiteral("OWN_COUNTRY"), Text2->text(), false);
  setSharedPreference(ctx, QStringLiteral("OWN_LONGITUDE"), Text4->text(), false);
  setSharedPreference(ctx, QStringLiteral("OWN_LATITUDE"), Text7->text(), false);
  setSharedPreference(ctx, QStringLiteral("OWN_CONTINENT"), Text3->text(), true);

  QString &path = ctx.logging.station.LogFilePath;
  path = Text9->text().trimmed();
  if (!ctx.db().open(path)) {
    ctx.dialogs.beep();
    Command3->show();
    Command4->show();
    ctx.dialogs.message(logOpenFailureText(), kLogOpenFailureTitle);
    return;
  }
  accept();
}

void frmStationID::Command2_Click() {
  const QString path = ctx.dialogs.openFile(QStringLiteral("Open"), ctx.folders.ProgramFolder,
                                            QStringLiteral("(*.MDB) (*.MDB *.mdb);;(All Files) (*)"));
  // The field cannot hold a double quote, so such a name is refused as a cancel is.
  if (path.isEmpty() || path.contains(u'"')) {
    ctx.dialogs.beep();
    return;
  }
  Text9->setText(path);
  Command1->setFocus();
}

void frmStationID::Command3_Click() {
  ctx.window<Form1>().EndProgram();
}

void frmStationID::Command4_Click() {}

void frmStationID::Option1_Click() {
  setRttyLinkEnabled(false);
}

void frmStationID::Option2_Click() {
  setRttyLinkEnabled(false);
}

void frmStationID::Option5_Click() {
  setRttyLinkEnabled(true);
}

void frmStationID::setRttyLinkEnabled(bool enabled) {
  lblConnectQ4ZD->setEnabled(enabled);
  chkQ4ZDRtty->setEnabled(enabled);
}

void frmStationID::reject() {}

void frmStationID::closeEvent(QCloseEvent *event) {
  event->ignore();
  Command3_Click();
}
