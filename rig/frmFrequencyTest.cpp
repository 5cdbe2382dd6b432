#include "rig/frmFrequencyTest.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "platform/Controls.h"
#include "platform/VbText.h"
#include "rig/RigControlfrm.h"

#include <QCheckBox>
#include <QPushButton>

frmFrequencyTest::frmFrequencyTest(AppContext &context) : QDialog(nullptr), ctx(context) {
  setWindowTitle(QStringLiteral("Test Change Frequency Function"));
  setModal(true);
  const auto label = [this](double top, double height, const char *text) {
    auto *l = placed<Label>(this, 240, top, 5520, height, QString::fromLatin1(text));
    l->setWordWrap(true);
    return l;
  };
  Label1 =
      label(120, 600,
            "Please use the text box below to enter a complete command to send to your radio.  The default "
            "example is the command used for Kenwood radios.");
  Text1 = placed<TextBox>(this, 240, 780, 3840, 300);
  Text1->setText(QStringLiteral("FA00028475000;"));
  Command1 = placed<QPushButton>(this, 4320, 720, 1440, 420, QStringLiteral("Send"));
  Label2 = label(1260, 840,
                 "If your radio requires a hexidecimal format, please enter in the format of XX XX XX (using "
                 "spaces between each two digits) and click the Convert to Hex check box below.");
  Check1 = placed<QCheckBox>(this, 240, 2160, 2400, 300, QStringLiteral("Convert to Hex"));
  Label4 = label(
      2640, 840,
      "Most Elecrafts, Icoms, Kenwoods and Yaesus are now supported. For any supported radio, you should "
      "be able to enter a frequency in Mhz, click send and your radio should switch to the specified "
      "frequency.");
  Text2 = placed<TextBox>(this, 240, 3600, 3840, 300);
  Command2 = placed<QPushButton>(this, 4320, 3540, 1440, 420, QStringLiteral("Send"));
  for (QPushButton *b : {Command1, Command2})
    b->setAutoDefault(false);
  connect(Command1, &QPushButton::clicked, this, &frmFrequencyTest::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &frmFrequencyTest::Command2_Click);
  placeTwips(this, 0, 0, 6120, 4560);
}

void frmFrequencyTest::Form_Load() {
  ScreenScaling::CentredCopy(*this, ctx, ScreenScaling::CentredWindow::frmFrequencyTest);
  Text2->setText(QStringLiteral("28.475"));
}

// Raw commands go out as they stand; the rig's answer is read by the next poll.
void frmFrequencyTest::Command1_Click() {
  const QString text = Text1->text().trimmed();
  const auto bytes = Check1->isChecked() ? HexPairsToBytes(text) : std::optional<QByteArray>(text.toLatin1());
  if (bytes && !bytes->isEmpty())
    ctx.window<RigControlfrm>().comComm1->write(*bytes);
}

void frmFrequencyTest::Command2_Click() {
  const QString text = Text2->text();
  if (vb::isNumeric(text))
    ctx.window<RigControlfrm>().ChangeFrequency(static_cast<float>(vb::val(text)));
}
