// The contact list, its buttons, the clipboard copy and the QSO rates.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "logging/ContactList.h"
#include "logging/ContactListView.h"
#include "logging/LogRules.h"
#include "output/frmEditCon.h"
#include "platform/Clock.h"
#include "platform/Controls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>

namespace {

const QString kAllBands = QStringLiteral("All Bands");
const QString kCurrentBand = QStringLiteral("Current Band");

} // namespace

void Form1::buildListControls(QWidget *central) {
  const auto button = [central](const QString &text, double left, double width, const QString &tip) {
    auto *b = placed<QPushButton>(central, left, 6060, width, 330, text);
    b->setToolTip(tip);
    return b;
  };
  const QString listTip = QStringLiteral("List all or last 20 contacts (Listing all will slow the program)");
  cmdList = button(QStringLiteral("Last 20"), 120, 900, listTip);
  Command2 = button(kAllBands, 1080, 1260, listTip);
  placed<QLabel>(central, 2460, 6105, 1250, 240, QStringLiteral("Partial Dupes"));
  cmdDup = button(QStringLiteral("On"), 3720, 600,
                  QStringLiteral("Displaying partial dupes slows the program on older pc's."));
  connect(cmdList, &QPushButton::clicked, this, &Form1::cmdList_Click);
  connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
  connect(cmdDup, &QPushButton::clicked, this, &Form1::cmdDup_Click);

  ListView1->setSortingEnabled(false);
  ListView1->header()->setSectionsClickable(true);
  connect(ListView1->header(), &QHeaderView::sectionClicked, this, &Form1::ListView1_ColumnClick);
  connect(ListView1, &QTreeView::clicked, this, &Form1::ListView1_ItemClick);
  onEvent(ListView1, QEvent::FocusIn, [this](QEvent *) { ListView1_GotFocus(); });
  onEvent(ListView1->viewport(), QEvent::MouseButtonRelease,
          [this](QEvent *e) { ListView1_MouseUp(static_cast<QMouseEvent *>(e)->button()); });
}

void Form1::ListDisplay() {
  const LoggingState &s = st();
  ListView1->rows().show(s.log,
                         listedSlots(s.log, s.ListAllFlag == 1, listsCurrentBandOnly(), s.CurrentBand));
}

void Form1::TimeStats() {
  const LoggingState &s = st();
  const QsoRates rates = qsoRates(s.log, utcFromLocal(ctx.clock.now(), s.station.UtcOffsetHours));
  lblAQSO60->setText(QString::number(rates.lastHour));
  lblAQSO20->setText(QString::number(rates.last20Minutes));
}

void Form1::cmdList_Click() {
  LoggingState &s = st();
  cmdList->setText(s.ListAllFlag == 1 ? QStringLiteral("Last 20") : QStringLiteral("All"));
  s.ListAllFlag = s.ListAllFlag == 1 ? 0 : 1;
  ListDisplay();
  txtCall->setFocus();
}

bool Form1::listsCurrentBandOnly() const {
  return Command2->text().compare(kAllBands, Qt::CaseInsensitive) != 0;
}

void Form1::Command2_Click() {
  Command2->setText(listsCurrentBandOnly() ? kAllBands : kCurrentBand);
  ListDisplay();
  txtCall->setFocus();
}

void Form1::cmdDup_Click() {
  LoggingState &s = st();
  clearDupeBackground();
  s.PartialDupesOn = s.PartialDupesOn == 1 ? 0 : 1;
  cmdDup->setText(s.PartialDupesOn == 1 ? QStringLiteral("On") : QStringLiteral("Off"));
  txtCall->setFocus();
}

void Form1::cmdEdit_Click() {
  Timer3->stop();
  frmEditCon &editor = ctx.window<frmEditCon>();
  if (editor.Form_Load())
    editor.exec();
  ctx.unload<frmEditCon>();
  showEditButtons(false);
  Worklist();
  Timer3->start();
  txtCall->setFocus();
}

void Form1::showEditButtons(bool visible) {
  cmdEdit->setVisible(visible);
  cmdDelete->setVisible(visible);
}

void Form1::ListView1_GotFocus() {
  if (st().log.ContactCount() <= 0)
    return;
  showEditButtons(true);
}

void Form1::ListView1_ItemClick() {
  ListView1_GotFocus();
  // Selecting a contact holds the refresh; the call field starts it again.
  if (st().log.ContactCount() > 0)
    Timer3->stop();
}

void Form1::ListView1_MouseUp(Qt::MouseButton button) {
  if (button == Qt::RightButton && ListView1->rowCount() > 0)
    cmdEdit_Click();
}

void Form1::ListView1_ColumnClick(int column) {
  // Sorted once: rows added later keep their own order.
  ListView1->rows().sortByColumn(column);
}

void Form1::mnuCopyListtoClipboard_Click() {
  const QStringList headers = ListView1->headers();
  std::vector<QStringList> rows;
  rows.reserve(static_cast<size_t>(ListView1->rowCount()));
  for (int i = 0; i < ListView1->rowCount(); ++i) {
    QStringList texts;
    for (int c = 0; c < headers.size(); ++c)
      texts << ListView1->text(i, c);
    rows.push_back(texts);
  }
  QClipboard *clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(clipboardText(headers, rows));
}
