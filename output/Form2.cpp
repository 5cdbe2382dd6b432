#include "output/Form2.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "app/SharedPreferences.h"
#include "logging/Form1.h"
#include "logging/Score.h"
#include "output/Cabrillo.h"
#include "output/WrittenFile.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/KeyPress.h"
#include "platform/SettingsStore.h"
#include "platform/VbText.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The address boxes with the names they are remembered under, in the order they are stored.
struct AddressField {
  TextBox *Form2::*box;
  const char *setting;
  const char *sharedKey;
};
const AddressField kAddress[] = {
    {&Form2::Text5, "UserAddressName", "OWN_ADDRESS_NAME"},
    {&Form2::Text6, "UserAddressLine1", "OWN_ADDRESS_Line1"},
    {&Form2::Text7, "UserAddressLine2", "OWN_ADDRESS_Line2"},
    {&Form2::Text8, "UserEMail", "OWN_EMAIL"},
    {&Form2::txtSection, "UserARRLSection", "OWN_ARRL_SECTION"},
    {&Form2::Text10, "UserClubName", "OWN_CLUB_NAME"},
};

// Quotes and commas would break the entry's fields; letters go in as capitals.
int callsKeyPress(int KeyAscii) {
  return KeyAscii == '"' || KeyAscii == ',' ? 0 : Form1::Capital(KeyAscii);
}

void setRadioOff(QRadioButton *option) {
  // An exclusive radio button cannot be unchecked while its group is exclusive.
  option->setAutoExclusive(false);
  option->setChecked(false);
  option->setAutoExclusive(true);
}

} // namespace

Form2::Form2(AppContext &context) : ctx(context) {
  setWindowTitle(QStringLiteral("Summary Sheet Information"));
  buildControls();
  Form_Load();
}

Form2::~Form2() = default;

void Form2::buildControls() {
  const auto label = [this](const QString &text, double left, double top, double width) {
    placed<QLabel>(this, left, top, width, 240, text);
  };
  const auto box = [](double left, double top, double width, QWidget *parent) {
    return placed<TextBox>(parent, left, top, width, 330);
  };
  const auto option = [](const QString &text, QGroupBox *frame, double left, double top, double width) {
    return placed<QRadioButton>(frame, left, top, width, 300, text);
  };
  const auto frame = [this](const QString &title, double top, double height) {
    return placed<QGroupBox>(this, 4800, top, 4260, height, title);
  };

  label(QStringLiteral("Your Name:"), 240, 240, 4200);
  Text5 = box(240, 480, 4200, this);
  label(QStringLiteral("Address Line 1:"), 240, 900, 4200);
  Text6 = box(240, 1140, 4200, this);
  label(QStringLiteral("Address Line 2:"), 240, 1560, 4200);
  Text7 = box(240, 1800, 4200, this);
  label(QStringLiteral("Email Address:"), 240, 2220, 4200);
  Text8 = box(240, 2460, 4200, this);
  label(QStringLiteral("ARRL Section:"), 240, 2880, 4200);
  txtSection = box(240, 3120, 1200, this);
  label(QStringLiteral("Club Name (if club participation):"), 240, 3540, 4200);
  Text10 = box(240, 3780, 4200, this);

  label(QStringLiteral("Band:"), 4800, 285, 600);
  Combo1 = placed<QComboBox>(this, 5460, 240, 1320, 330);

  Frame3 = frame(QStringLiteral("Operator:"), 660, 1320);
  Option6 = option(QStringLiteral("Single"), Frame3, 120, 300, 1900);
  Option5 = option(QStringLiteral("Single Assisted"), Frame3, 2100, 300, 2040);
  Option7 = option(QStringLiteral("Multiple"), Frame3, 120, 600, 1900);
  Option9 = option(QStringLiteral("Checklog"), Frame3, 2100, 600, 2040);
  Text2 = box(120, 900, 4020, Frame3);
  Text2->setToolTip(QStringLiteral("Operators"));

  Frame1 = frame(QStringLiteral("Number of Transmitters (if multioperator)"), 2040, 660);
  Option1 = option(QStringLiteral("One"), Frame1, 120, 300, 1300);
  Option2 = option(QStringLiteral("Two"), Frame1, 1500, 300, 1300);
  Option3 = option(QStringLiteral("Multi"), Frame1, 2880, 300, 1300);

  Frame6 = frame(QStringLiteral("Power Category:"), 2760, 660);
  Option18 = option(QStringLiteral("High"), Frame6, 120, 300, 1300);
  Option19 = option(QStringLiteral("Low"), Frame6, 1500, 300, 1300);
  Option20 = option(QStringLiteral("QRP"), Frame6, 2880, 300, 1300);

  Frame2 = frame(QStringLiteral("Select if appropriate for Category Overlay:"), 3480, 660);
  Check1 = placed<QCheckBox>(Frame2, 120, 300, 1200, 300, QStringLiteral("Rookie"));
  Check2 = placed<QCheckBox>(Frame2, 1320, 300, 1620, 300, QStringLiteral("Band-Limited"));
  Check3 = placed<QCheckBox>(Frame2, 2960, 300, 1200, 300, QStringLiteral("TB-Wires"));

  label(QStringLiteral("Soapbox (Add any comments you would like to make about the contest):"), 240, 4320,
        8820);
  Text11 = box(240, 4560, 8820, this);

  Command4 = placed<QPushButton>(this, 240, 5160, 3000, 450, QStringLiteral("Write Cabrillo Log File"));
  Command3 = placed<QPushButton>(this, 7560, 5160, 1500, 450, QStringLiteral("Done"));
  // Enter in a box must not write the file.
  Command4->setAutoDefault(false);
  Command3->setAutoDefault(false);

  placeTwips(this, 0, 0, 9420, 6365); // outer size: a client area of 9,300 x 5,900

  Text2->KeyPress = [](int &KeyAscii) { KeyAscii = callsKeyPress(KeyAscii); };
  txtSection->KeyPress = [](int &KeyAscii) { KeyAscii = callsKeyPress(KeyAscii); };
  // The band comes from the list only: a typed "2" would otherwise pick "20M", in the closed box
  // and in its open list (where Enter and Escape still choose and close).
  onKeyPress(Combo1, [](int) { return 0; });
  onKeyPress(Combo1->view(), [](int KeyAscii) { return KeyAscii < ' ' ? KeyAscii : 0; });

  connect(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
  connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
  for (QRadioButton *o : {Option6, Option5, Option9})
    connect(o, &QRadioButton::clicked, this, &Form2::TransmittersOff);
  connect(Option7, &QRadioButton::clicked, this, &Form2::Option7_Click);
}

void Form2::Form_Load() {
  ScreenScaling::ResizeForm(*this, ctx);
  Combo1->addItems({QStringLiteral("ALL"), QStringLiteral("160M"), QStringLiteral("80M"),
                    QStringLiteral("40M"), QStringLiteral("20M"), QStringLiteral("15M"),
                    QStringLiteral("10M")});
  Combo1->setCurrentIndex(0);
  Option6->setChecked(true);
  TransmittersOff();
  Option19->setChecked(true);
  for (const AddressField &f : kAddress)
    (this->*f.box)->setText(ctx.settings.get(QLatin1String(f.setting)));
}

void Form2::TransmittersOff() {
  Frame1->setEnabled(false);
  for (QRadioButton *o : {Option1, Option2, Option3})
    setRadioOff(o);
}

void Form2::Option7_Click() {
  Frame1->setEnabled(true);
  Option1->setChecked(true);
}

void Form2::Command3_Click() {
  hide();
}

CabrilloHeader Form2::summary() const {
  const StationSettings &station = ctx.logging.station;
  CabrilloHeader h;
  h.programTitle = ctx.window<Form1>().windowTitle();
  h.section = txtSection->text();
  h.modeCode = station.ModeCode;
  h.myCall = station.MyCall;

  CabrilloCategory &c = h.category;
  c.op = Option6->isChecked()   ? OperatorCategory::Single
         : Option5->isChecked() ? OperatorCategory::SingleAssisted
         : Option7->isChecked() ? OperatorCategory::Multiple
         : Option9->isChecked() ? OperatorCategory::Checklog
                                : OperatorCategory::None;
  c.transmitters = Option1->isChecked()   ? TransmitterCategory::One
                   : Option2->isChecked() ? TransmitterCategory::Two
                   : Option3->isChecked() ? TransmitterCategory::Multi
                                          : TransmitterCategory::None;
  c.band = Combo1->currentText();
  c.power = Option18->isChecked()   ? PowerCategory::High
            : Option19->isChecked() ? PowerCategory::Low
            : Option20->isChecked() ? PowerCategory::Qrp
                                    : PowerCategory::None;
  c.rookie = Check1->isChecked();
  c.bandLimited = Check2->isChecked();
  c.tbWires = Check3->isChecked();

  h.claimedScore = static_cast<double>(
      claimedScore(ctx.logging.TotalPoints, ctx.logging.WorkedPrefixList.WorkedPrefixCount()));
  h.operators = Text2->text();
  h.club = Text10->text();
  h.name = Text5->text();
  h.address1 = Text6->text();
  h.address2 = Text7->text();
  h.email = Text8->text();
  h.soapbox = Text11->text();
  return h;
}

void Form2::Command4_Click() {
  StationSettings &station = ctx.logging.station;
  station.MyCall = station.MyCall.trimmed();

  const QString suggested =
      QDir(ctx.folders.DataFolder).filePath(CallToFileName(station.MyCall) + QStringLiteral(".log"));
  const QString path = ctx.dialogs.saveFile(QStringLiteral("Save As"), QDir::toNativeSeparators(suggested),
                                            QStringLiteral("LOG Files (*.log)"));
  if (path.isEmpty())
    return;

  QString error;
  if (!vb::writeAtomic(path, cabrilloLog(summary(), ctx.logging.log), &error)) {
    ctx.dialogs.message(error, kWriteErrorTitle);
    return;
  }
  ctx.dialogs.beep();
  ctx.dialogs.message(fileWrittenText(path) +
                          QStringLiteral("\r\n\r\nAttach this file to an e-mail addressed for contest "
                                         "submission.  If you wish to print this file, you can open it "
                                         "with Notepad or Wordpad to print."),
                      kFileWrittenTitle);
  Command3->setFocus();
  if (!StoreAddress(&error))
    ctx.dialogs.message(error, kWriteErrorTitle);
}

bool Form2::StoreAddress(QString *error) {
  for (const AddressField &f : kAddress)
    ctx.settings.set(QLatin1String(f.setting), (this->*f.box)->text().trimmed());
  const AddressField &last = kAddress[std::size(kAddress) - 1];
  for (const AddressField &f : kAddress)
    if (!ctx.sharedPrefs.SetSharedPreference(QLatin1String(f.sharedKey), (this->*f.box)->text().trimmed(),
                                             &f == &last, error))
      return false;
  return true;
}
