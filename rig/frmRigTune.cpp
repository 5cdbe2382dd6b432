#include "rig/frmRigTune.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "logging/EntryKeys.h"
#include "platform/Controls.h"
#include "platform/VbText.h"
#include "rig/RigControlfrm.h"
#include "rig/RigSelection.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const char *const kBands[16][2] = {{"160", "1.9"},    {"80", "3.75"},   {"60", "5.368"},  {"40", "7.15"},
                                   {"30", "10.13"},   {"20", "14.175"}, {"17", "18.118"}, {"15", "21.225"},
                                   {"12", "24.94"},   {"10", "28.5"},   {"6", "52"},      {"2", "146"},
                                   {"1.25", "223.5"}, {"70", "435"},    {"33", "915"},    {"23", "1270"}};
constexpr double kSteps[10] = {0.00001, -0.00001, 1, -1, 0.005, -0.005, 0.001, -0.001, 0.0001, -0.0001};
const char *const kStepCaptions[5] = {"10 Hz", "1 MHz", "5 KHz", "1 KHz", "100 Hz"};

// Numbers are typed and written with "." whatever the locale.
bool holdsNumber(const TextBox *box) {
  return vb::isNumeric(box->text());
}

// Backspace, "." "/" and the digits.
void frequencyKeys(int &KeyAscii) {
  KeyAscii = passRange(KeyAscii, '.', '9');
}

} // namespace

frmRigTune::frmRigTune(AppContext &context) : QDialog(nullptr), ctx(context) {
  setWindowTitle(QStringLiteral(" Change Frequency and Mode (Ctrl G (Go))"));
  setModal(true);
  buildControls();
}

void frmRigTune::buildControls() {
  txtFreq = placed<TextBox>(this, 240, 240, 1800, 300);
  Command1 = placed<QPushButton>(this, 2160, 180, 900, 420, QStringLiteral("&Go"));
  for (int i = 0; i < 16; ++i)
    cmdBand[size_t(i)] = placed<QPushButton>(this, 240 + (i % 8) * 660, 780 + (i / 8) * 450, 630, 420,
                                             QString::fromLatin1(kBands[i][0]));
  placed<Label>(this, 240, 1860, 600, 300, QStringLiteral(" UP"));
  placed<Label>(this, 240, 2340, 600, 300, QStringLiteral(" Down"));
  for (int i = 0; i < 10; ++i)
    cmdTune[size_t(i)] = placed<QPushButton>(this, 900 + (i / 2) * 900, 1800 + (i % 2) * 480, 870, 420,
                                             QString::fromLatin1(kStepCaptions[i / 2]));
  QPushButton **modes[] = {&cmdCW, &cmdLSB, &cmdUSB, &cmdAM, &cmdFM, &cmdRTTY};
  const char *modeWords[] = {"CW", "LSB", "USB", "AM", "FM", "RTTY"};
  for (int i = 0; i < 6; ++i) {
    const QString word = QLatin1String(modeWords[i]);
    *modes[i] = placed<QPushButton>(this, 240 + i * 780, 2880, 750, 420, u'&' + word);
    modeButton(*modes[i], word);
  }
  chkScan = placed<QCheckBox>(this, 240, 3540, 900, 300, QStringLiteral("Scan"));
  placed<Label>(this, 1260, 3570, 540, 300, QStringLiteral("From:"));
  txtFrom = placed<TextBox>(this, 1800, 3540, 960, 300);
  txtFrom->setText(QStringLiteral("1.8"));
  placed<Label>(this, 2940, 3570, 420, 300, QStringLiteral("To:"));
  txtTo = placed<TextBox>(this, 3360, 3540, 960, 300);
  txtTo->setText(QStringLiteral("54"));
  Frame1 = placed<QGroupBox>(this, 5700, 1740, 1260, 1800, QStringLiteral("Scan Steps"));
  QRadioButton **steps[] = {&Option1, &Option2, &Option3, &Option4, &Option5};
  const char *stepCaptions[] = {"500 Hz", "100 Hz", "30 Hz", "10 Hz", "2.5 KHz"};
  for (int i = 0; i < 5; ++i)
    *steps[i] =
        placed<QRadioButton>(Frame1, 120, 300 + i * 300, 1080, 270, QString::fromLatin1(stepCaptions[i]));
  Option4->setChecked(true);
  cmdDone = placed<QPushButton>(this, 5700, 3720, 1260, 420, QStringLiteral("&Done"));
  placeTwips(this, 0, 0, 7200, 4680);

  for (QPushButton *b : findChildren<QPushButton *>())
    b->setAutoDefault(false);
  connect(Command1, &QPushButton::clicked, this, &frmRigTune::Command1_Click);
  for (int i = 0; i < 16; ++i)
    connect(cmdBand[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdBand_Click(i); });
  for (int i = 0; i < 10; ++i)
    connect(cmdTune[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdTune_Click(i); });
  connect(cmdDone, &QPushButton::clicked, this, &QDialog::hide);
  connect(chkScan, &QCheckBox::clicked, this, &frmRigTune::chkScan_Click);
  const auto followText = [this] {
    const bool number = holdsNumber(txtFreq);
    for (QPushButton *b : cmdTune)
      b->setEnabled(number);
  };
  connect(txtFreq, &QLineEdit::textChanged, this, followText);
  followText();

  // Any key stops a scan; the key still goes where the operator typed it.
  const FormKeys stopScan{[this](int &, int) {
                            if (chkScan->isChecked())
                              chkScan->setChecked(false);
                          },
                          {}};
  for (QWidget *control : placedControls(this))
    previewKeys(control, stopScan);
  txtFrom->KeyPress = frequencyKeys;
  txtTo->KeyPress = frequencyKeys;
  txtFreq->KeyPress = [this](int &KeyAscii) {
    if (KeyAscii == keys::Enter) {
      KeyAscii = 0;
      Command1_Click();
      txtFreq->setFocus();
      txtFreq->end(false);
      return;
    }
    frequencyKeys(KeyAscii);
  };

  Timer1 = new QTimer(this);
  Timer1->setInterval(299);
  connect(Timer1, &QTimer::timeout, this, &frmRigTune::Timer1_Timer);
  Timer1->start();
}

void frmRigTune::modeButton(QPushButton *button, const QString &word) {
  connect(button, &QPushButton::clicked, this, [this, word] {
    if (RigControlfrm *link = rigLink()) {
      QString mode = word;
      link->ChangeMode(0, mode);
    }
    cmdDone->setFocus();
  });
}

// A rig window never loaded links no rig, and making it here would load the rig of an old
// settings file, as spot clicks also know.
RigControlfrm *frmRigTune::rigLink() const {
  if (!rigSelected(ctx.prefs.RigType) || !ctx.loaded<RigControlfrm>())
    return nullptr;
  return &ctx.window<RigControlfrm>();
}

void frmRigTune::Form_Load() {
  ScreenScaling::CentredCopy(*this, ctx, ScreenScaling::CentredWindow::frmRigTune);
}

void frmRigTune::Command1_Click() {
  if (!holdsNumber(txtFreq))
    return;
  const auto mhz = static_cast<float>(vb::val(txtFreq->text()));
  if (RigControlfrm *link = rigLink())
    link->ChangeFrequency(mhz);
}

void frmRigTune::cmdBand_Click(int index) {
  txtFreq->setText(QString::fromLatin1(kBands[index][1]));
  Command1_Click();
}

void frmRigTune::cmdTune_Click(int index) {
  if (!holdsNumber(txtFreq))
    return;
  txtFreq->setText(vb::numberText(vb::val(txtFreq->text()) + kSteps[index]));
  Command1_Click();
  cmdDone->setFocus();
}

void frmRigTune::chkScan_Click() {
  if (chkScan->isChecked() && !holdsNumber(txtFreq))
    txtFreq->setText(txtFrom->text());
  Command1->setFocus();
}

void frmRigTune::Timer1_Timer() {
  if (!chkScan->isChecked() || !holdsNumber(txtFrom) || !holdsNumber(txtTo) || !holdsNumber(txtFreq))
    return;
  const QRadioButton *options[] = {Option1, Option2, Option3, Option4, Option5};
  constexpr float kScanSteps[] = {0.0005f, 0.0001f, 0.00003f, 0.00001f, 0.0025f};
  float step = 0;
  for (int i = 0; i < 5; ++i) {
    if (options[i]->isChecked())
      step = kScanSteps[i];
  }
  auto mhz = static_cast<float>(vb::val(txtFreq->text())) + step;
  if (mhz > static_cast<float>(vb::val(txtTo->text())))
    mhz = static_cast<float>(vb::val(txtFrom->text()));
  txtFreq->setText(vb::formatSingle(mhz, QStringLiteral("####.#####"), false));
  Command1_Click();
}
