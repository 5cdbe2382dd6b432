// Points total, worked prefixes and the score line.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "platform/Controls.h"

void Form1::PreFixLoad() {}

void Form1::PreFixAddCheck() {}

void Form1::Labeldisplay() {
  lblScore->setText(QStringLiteral("Points %1").arg(st().TotalPoints));
}
