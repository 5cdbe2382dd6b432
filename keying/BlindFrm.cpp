#include "keying/BlindFrm.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "logging/Form1.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/ProgramFiles.h"
#include "platform/WavePlayer.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

BlindFrm::BlindFrm(AppContext &context) : ctx(context), MMControl1(context.newWavePlayer()) {
  setWindowTitle(QStringLiteral("Voice Navigation Settings"));
  const auto label = [this](const QString &text, double left, double top, double width, double height = 255) {
    auto *l = placed<QLabel>(this, left, top, width, height, text);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
  };
  label(
      QStringLiteral("Choose one of the options below.  Select Off to turn the navigation function off, Call "
                     "to indicate the Call field only and All Data Fields to provide verbal prompts through "
                     "all the data fields."),
      120, 120, 6960, 720);
  auto *frame =
      placed<QGroupBox>(this, 120, 960, 3000, 1380, QStringLiteral("Choose your preferred option:"));
  Option1 = placed<QRadioButton>(frame, 240, 330, 2600, 285, QStringLiteral("Off"));
  Option2 = placed<QRadioButton>(frame, 240, 660, 2600, 285, QStringLiteral("Call Only"));
  Option3 = placed<QRadioButton>(frame, 240, 990, 2600, 285, QStringLiteral("All Data Fields"));
  Command1 = placed<QPushButton>(this, 3480, 1920, 1215, 420, QStringLiteral("Done"));
  label(QStringLiteral("To Enable Voice Navigation:"), 120, 2520, 6960);
  Label7 = label(QString(), 120, 2820, 6960, 480);
  label(QStringLiteral(
            "The navigation wave files (Call, Country, Points, Prefix, RstRcvd, RstSnt, SerNum, Dupe, "
            "NavEn and NavDis, each ending in .wav) must be added to this program's working "
            "directory."),
        120, 3360, 6960, 480);
  label(
      QStringLiteral("Additional suggestions and ideas for supporting visually impaired hams are welcome and "
                     "appreciated."),
      120, 3900, 6960, 480);
  label(QStringLiteral("Background:"), 120, 4440, 6960);
  label(QStringLiteral(
            "Each data entry field identifies itself by a recorded voice when it receives the focus, "
            "so that an operator who cannot see the screen knows where the next key goes."),
        120, 4740, 6960, 480);
  placeTwips(this, 0, 0, 7320, 5700);

  const std::pair<QRadioButton *, void (BlindFrm::*)()> options[] = {{Option1, &BlindFrm::Option1_Click},
                                                                     {Option2, &BlindFrm::Option2_Click},
                                                                     {Option3, &BlindFrm::Option3_Click}};
  for (const auto &[button, click] : options)
    connect(button, &QRadioButton::toggled, this, [this, click](bool on) {
      if (on)
        (this->*click)();
    });
  connect(Command1, &QPushButton::clicked, this, &BlindFrm::Command1_Click);
}

BlindFrm::~BlindFrm() {
  Form_Unload();
}

void BlindFrm::BlindKeyPhone(const QString &q) {
  MMControl1->close();
  const QString path = files::resolve(ctx.folders.ProgramFolder, q + QStringLiteral(".wav"));
  if (MMControl1->open(path))
    MMControl1->play();
}

void BlindFrm::Option1_Click() {
  BlindKeyPhone(QStringLiteral("NavDis"));
}

void BlindFrm::Option2_Click() {
  BlindKeyPhone(QStringLiteral("NavEn"));
  waitWhilePlaying(*MMControl1, ctx.clock);
  BlindKeyPhone(QStringLiteral("Call"));
}

void BlindFrm::Option3_Click() {
  BlindKeyPhone(QStringLiteral("NavEn"));
}

void BlindFrm::Command1_Click() {
  ctx.keying.VoiceNavMode = Option2->isChecked() ? 1 : Option3->isChecked() ? 2 : 0;
  hide();
  ctx.window<Form1>().SavePref();
}

void BlindFrm::Form_Load() {
  ScreenScaling::CentredCopy(*this, ctx, ScreenScaling::CentredWindow::BlindFrm);
  Label7->setText(QStringLiteral("Put the audio wave files in this program's working directory: ") +
                  ctx.folders.ProgramFolder);
  QRadioButton *const chosen[] = {Option1, Option2, Option3};
  const int mode = ctx.keying.VoiceNavMode;
  if (mode >= 0 && mode <= 2)
    chosen[mode]->setChecked(true);
}

void BlindFrm::Form_Unload() {
  MMControl1->close();
}
