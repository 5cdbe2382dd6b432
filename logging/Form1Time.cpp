// Operating time and the clocks.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "logging/OperatingTime.h"
#include "platform/Clock.h"
#include "platform/Controls.h"

#include <QLocale>
#include <QPushButton>
#include <QTimer>

void Form1::buildTimeControls(QWidget *central) {
  const auto label = [central](const QString &text, double left, double top, double width) {
    return placed<Label>(central, left, top, width, 240, text);
  };
  cmdLogOn = placed<QPushButton>(central, 4500, 6060, 1700, 330, logOnCaption(false));
  cmdLogOn->setToolTip(QStringLiteral("Records On/Off times and controls duration clock."));
  connect(cmdLogOn, &QPushButton::clicked, this, &Form1::cmdLogOn_Click);
  label(QStringLiteral("Total Time On:"), 6360, 6105, 1400);
  lblttrack = label(QStringLiteral("00:00:00"), 7780, 6105, 900);

  lblCurTime = label(QString(), 6400, 1440, 900);
  lblCurTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label16 = label(QString(), 7360, 1440, 450);
  label(QStringLiteral("UTC"), 7900, 1440, 400);
  lblutctime = label(QString(), 8300, 1440, 900);

  Timer2 = new QTimer(this);
  Timer2->setInterval(1000);
  connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
  Timer2->start();
}

void Form1::cmdLogOn_Click() {
  LoggingState &s = st();
  const QDateTime now = ctx.clock.now();
  if (s.LoggedOn == 0) {
    s.SessionStart = now;
    s.LoggedOn = 1;
    cmdLogOn->setText(logOnCaption(true));
    lblDialog->setText(QStringLiteral(" "));
  } else {
    s.LoggedOn = 0;
    cmdLogOn->setText(logOnCaption(false));
    s.TimeOnTotal = runningOperatingTime(s.TimeOnTotal, s.SessionStart, now);
    s.TimeOnRunning = s.TimeOnTotal;
    lblDialog->setText(loggedOffMessage(now, s.station.UtcOffsetHours, QLocale()));
    SavePref();
    BackupLog();
  }
  txtCall->setFocus();
}

void Form1::Timer2_Timer() {
  LoggingState &s = st();
  const QDateTime now = ctx.clock.now();
  lblutctime->setText(utcClockText(now, s.station.UtcOffsetHours));
  const TwelveHourClock local = localClock(now, QLocale());
  lblCurTime->setText(local.time);
  Label16->setText(local.designator);
  if (s.LoggedOn != 1)
    return;
  s.TimeOnRunning = runningOperatingTime(s.TimeOnTotal, s.SessionStart, now);
  lblttrack->setText(operatingTimeText(s.TimeOnRunning));
}
