#include "logging/frmStationID.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "app/SharedPreferences.h"
#include "logging/CountryTable.h"
#include "logging/Form1.h"
#include "logging/StationSetup.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
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

} // namespace

frmStationID::frmStationID(AppContext &context) : ctx(context) {
  setWindowTitle(QStringLiteral(" Amateur Station I.D."));
  setModal(true);
  buildControls();
}

void frmStationID::buildControls() {
  const auto label = [](QWidget *parent, const QString &text, double left, double top, double width,
                        double height = 255) {
    auto *l = placed<QLabel>(parent, left, top, width, height, text);
    l->setWordWrap(height > 255);
    return l;
  };
  const auto box = [this](double left, double top, double width) {
    return placed<TextBox>(this, left, top, width, 315);
  };
  // A field with its caption to the left.
  const auto field = [&](const QString &caption, double top, double width) {
    label(this, caption, 120, top + 30, 2520);
    return box(2700, top, width);
  };
  const auto option = [](QWidget *frame, const QString &text, double top) {
    return placed<QRadioButton>(frame, 150, top, 1900, 255, text);
  };
  const auto button = [this](const QString &text, double left, double top, double width = 1200) {
    auto *b = placed<QPushButton>(this, left, top, width, 375, text);
    b->setAutoDefault(false);
    return b;
  };

  Text1 = field(QStringLiteral("Please Enter your Call Sign:"), 150, 1500);
  Text6 = field(QStringLiteral("Hours added for UTC:"), 540, 900);
  Text6->setMaxLength(7);
  Text2 = field(QStringLiteral("Your Country:"), 930, 1900);
  Text3 = field(QStringLiteral("Your Continent:"), 1320, 600);
  Text3->setMaxLength(2);
  Text4 = field(QStringLiteral("Your Longitude:"), 1710, 1200);
  Text7 = field(QStringLiteral("Your Latitude:"), 2100, 1200);
  Text8 = field(QStringLiteral("Transmitter #:"), 2490, 600);
  Text8->setMaxLength(2);
  label(this, QStringLiteral("Be sure each transmitter has a unique number!"), 3450, 2520, 5400);

  auto *contest = placed<QGroupBox>(this, 4700, 60, 2300, 1080, QStringLiteral("Contest:"));
  Option1 = option(contest, QStringLiteral("Phone"), 240);
  Option2 = option(contest, QStringLiteral("CW"), 510);
  Option5 = option(contest, QStringLiteral("RTTY"), 780);
  Option2->setChecked(true);
  lblConnectQ4ZD = label(this, QStringLiteral("Connect to Q4ZD RTTY?"), 4700, 1230, 2300);
  chkQ4ZDRtty = placed<QCheckBox>(this, 7100, 1215, 300, 285);
  setRttyLinkEnabled(false);

  auto *serial = placed<QGroupBox>(this, 4700, 1560, 2300, 840, QStringLiteral("Increment Serial # By:"));
  Option3 = option(serial, QStringLiteral("Individual Band"), 240);
  Option4 = option(serial, QStringLiteral("All Bands"), 510);
  Option3->setChecked(true);
  label(this, QStringLiteral("Use All Bands only if you are running 1 transmitter."), 7150, 1650, 1750, 720);

  label(this, QStringLiteral("Path to network log file:"), 120, 2940, 3000);
  Text9 = box(120, 3210, 7500);
  Command2 = button(QStringLiteral("Browse"), 7740, 3180, 1140);
  label(this,
        QStringLiteral("The log file can be stored locally on this PC, or on any other PC on your LAN.  If "
                       "you are operating with more than one station in network configuration, it is "
                       "imperative that all PC's reference the SAME log file location on the SAME PC."),
        120, 3660, 4300, 1200);
  label(this,
        QStringLiteral("If you wish to save your networked log file in a location other than c:\\Program "
                       "Files\\Orvex Network, first, using Windows Explorer, copy OrvexLog.MDB to the "
                       "directory you wish to use for the contest."),
        4580, 3660, 4300, 1200);

  Command1 = button(QStringLiteral("Done"), 120, 4980);
  Command3 = button(QStringLiteral("Cancel"), 1440, 4980);
  Command4 = button(QStringLiteral("Help"), 2760, 4980);
  Command3->hide();
  Command4->hide();
  placeTwips(this, 0, 0, 9120, 5900);

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
  // Enter is Done in these fields, whatever their own filter.
  const auto doneOnEnter = [this](TextBox *t, std::function<int(int)> filter) {
    t->KeyPress = [this, filter = std::move(filter)](int &KeyAscii) {
      if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click();
        return;
      }
      KeyAscii = filter(KeyAscii);
    };
  };
  for (TextBox *t : {Text1, Text3})
    doneOnEnter(t, &Form1::Capital);
  doneOnEnter(Text2, [this](int k) { return Text2_KeyPress(k); });
  for (TextBox *t : {Text4, Text6, Text7}) {
    doneOnEnter(t, &Numberr);
    connect(t, &TextBox::lostFocus, this, [this, t] { checkNumberOnLeaving(t); });
  }
  connect(Text8, &TextBox::lostFocus, this, [this] { Text8->setText(transmitterNumberText(Text8->text())); });
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

int frmStationID::Text2_KeyPress(int KeyAscii) {
  if (Text2->selStart() == 0)
    KeyAscii = Form1::Capital(KeyAscii);
  const CountryList &table = ctx.logging.CountryTable;
  const int slot = Form1::completeCountryName(Text2, table, KeyAscii);
  if (slot == 0)
    return KeyAscii;
  const CountryEntry &entry = table.slot(slot);
  Text4->setText(vb::singleText(entry.CountryLongitude));
  Text7->setText(vb::singleText(entry.CountryLatitude));
  Text3->setText(entry.CountryContinent);
  return 0;
}

void frmStationID::Form_Load() {
  ScreenScaling::ResizeForm(*this, ctx);
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
    for (const auto &[option, optionMode] : modeOptions())
      if (optionMode == *mode)
        option->setChecked(true);
  }
  (s.SerialPerBand ? Option3 : Option4)->setChecked(true);
  chkQ4ZDRtty->setChecked(vb::roundToInt(vb::val(ctx.settings.get(kRttyOption, QStringLiteral("0")))) == 1);
}

std::array<std::pair<QRadioButton *, ContestMode>, 3> frmStationID::modeOptions() const {
  return {{{Option1, ContestMode::Phone}, {Option2, ContestMode::CW}, {Option5, ContestMode::RTTY}}};
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

void frmStationID::Command4_Click() {
  ctx.window<Form1>().mnuHelp_Click();
  Command1->setFocus();
}

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
