// The contact list and the QSO rates.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "logging/LogRules.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/VbText.h"

#include <QTreeWidget>

void Form1::ListDisplay() {
  const LoggingState &s = st();
  ListView1->clear();
  const int count = s.log.ContactCount();
  const int first = count <= 19 ? 1 : count - 19;
  for (int n = count; n >= first; --n) {
    const LogEntry &e = s.log.slot(n);
    auto *item = new QTreeWidgetItem(ListView1);
    item->setText(0, QString::number(n));
    item->setText(1, e.calls);
    item->setText(2, e.rstr);
    item->setText(3, e.serialr);
    item->setText(4, e.rsts);
    item->setText(5, e.serials);
    item->setText(6, e.flddate.right(2) + u' ' + e.fldtime.left(5));
    item->setText(7, e.uband);
    item->setText(8, e.countryworked);
    item->setText(9, e.prefix);
    item->setText(10, vb::singleText(e.points));
    item->setText(11, e.trn);
  }
}

void Form1::TimeStats() {
  const LoggingState &s = st();
  const QDateTime now = utcFromLocal(ctx.clock.now(), s.station.UtcOffsetHours);
  int last60 = 0;
  int last20 = 0;
  for (int n = s.log.ContactCount(); n >= 1; --n) {
    const LogEntry &e = s.log.slot(n);
    const std::optional<QDateTime> when = storedDateTime(e.flddate, e.fldtime);
    if (!when)
      break;
    const qint64 age = when->secsTo(now);
    if (age < 1200)
      ++last20;
    if (age >= 3600)
      break;
    ++last60;
  }
  lblAQSO60->setText(QString::number(last60));
  lblAQSO20->setText(QString::number(last20 * 3));
}
