#include "keying/frmCWStrings.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "keying/CWFrm.h"
#include "logging/Form1.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <memory>

namespace {

// A click as the old labels had it: the button pressed and released over the label.
void onClick(QLabel *label, std::function<void()> click) {
  auto pressed = std::make_shared<bool>(false);
  onEvent(label, QEvent::MouseButtonPress, [pressed](QEvent *) { *pressed = true; });
  onEvent(label, QEvent::MouseButtonRelease, [label, pressed, click = std::move(click)](QEvent *event) {
    const bool over = label->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint());
    if (std::exchange(*pressed, false) && over)
      click();
  });
}

} // namespace

frmCWStrings::frmCWStrings(AppContext &context) : ctx(context) {
  setWindowFlag(Qt::Window);
  setWindowTitle(QStringLiteral("CW Strings"));
  buildControls();
}

void frmCWStrings::buildControls() {
  QFont bold = QApplication::font();
  bold.setPointSizeF(8.25);
  bold.setBold(true);
  Label2 = placed<QLabel>(this, 120, 40, 2415, 255, QStringLiteral("Press Ctrl W to Show this form."));
  for (int i = 0; i < 12; ++i) {
    const double top = 360 + 360 * i;
    auto *name = placed<QLabel>(this, 120, top, 405, 255, QStringLiteral("F%1").arg(i + 1));
    name->setFont(bold);
    auto *message = placed<QLabel>(this, 600, top, 1935, 255);
    onClick(name, [this, i] { Label1_Click(i); });
    onClick(message, [this, i] { lblCWString_Click(i); });
    Label1[static_cast<size_t>(i)] = name;
    lblCWString[static_cast<size_t>(i)] = message;
  }
  lblCWString[11]->setText(QStringLiteral("Keyboard"));
  Command1 = placed<QPushButton>(this, 840, 4680, 855, 255, QStringLiteral("Done"));
  Command1->setAutoDefault(false);
  const QSizeF outer = frameTwips(this);
  placeTwips(this, 0, 0, 2610 + outer.width(), 4965 + outer.height());
  connect(Command1, &QPushButton::clicked, this, &frmCWStrings::Command1_Click);

  // The main window's key handlers see this window's keys first.
  const FormKeys keys{[this](int &KeyCode, int Shift) { ctx.window<Form1>().Form_KeyDown(KeyCode, Shift); },
                      [this](int &KeyAscii) { ctx.window<Form1>().Form_KeyPress(KeyAscii); },
                      [this](int KeyCode) { return ctx.window<Form1>().keyTurn(KeyCode); },
                      [this] { ctx.dialogs.beep(); }};
  previewKeys(this, keys);
  previewKeys(Command1, keys);
}

void frmCWStrings::Form_Load() {
  ScreenScaling::CentredCopy(*this, ctx, ScreenScaling::CentredWindow::frmCWStrings);
}

void frmCWStrings::changeEvent(QEvent *event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow())
    Form_Activate();
}

void frmCWStrings::Form_Activate() {
  const auto messages = ctx.window<CWFrm>().messageBoxes();
  for (size_t i = 0; i < messages.size(); ++i)
    lblCWString[i]->setText(messages[i]->text());
}

void frmCWStrings::Label1_Click(int Index) {
  if (ctx.keying.CWKeyingMethod == 0)
    return;
  int KeyCode = Index + 112;
  if (KeyCode == 121)
    KeyCode = 124; // F10's message goes by its own code
  if (KeyCode != 123)
    ctx.window<CWFrm>().FKeyCW(KeyCode);
}

void frmCWStrings::Command1_Click() {
  setWindowState(windowState() | Qt::WindowMinimized);
}
