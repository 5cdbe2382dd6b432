// Points of the contact being entered, the "New" indicator, the worked-prefix list and the
// score labels.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "logging/Score.h"
#include "platform/Controls.h"

#include <QPlainTextEdit>

void Form1::buildScoreControls(QWidget *central) {
  const auto label = [central](const QString &text, double left, double top, double width) {
    return placed<Label>(central, left, top, width, 240, text);
  };
  label(QStringLiteral("Total Contacts ........."), 120, 4440, 2000);
  lblTotCon = label(QStringLiteral("0"), 2160, 4440, 1000);
  label(QStringLiteral("Total Multipliers ........"), 3300, 4440, 2000);
  lblsectogo = label(QStringLiteral("0"), 5340, 4440, 1300);
  label(QStringLiteral("Total QSO Points ....."), 120, 4700, 2000);
  lblTotSec = label(QStringLiteral("0"), 2160, 4700, 1000);
  label(QStringLiteral("Total Score..............."), 3300, 4700, 2000);
  lblTotScore = label(QStringLiteral("0"), 5340, 4700, 1300);
  Label10 = label(QString(), 120, 4960, 2000);
  Label10->hide();

  lbl160 = label(QStringLiteral("Prefixes Worked"), 6800, 4440, 2680);
  Text1 = placed<QPlainTextEdit>(central, 6800, 4680, 2680, 600);
  Text1->setReadOnly(true);
  Text1->setContextMenuPolicy(Qt::NoContextMenu);
}

void Form1::txtCntry_Change() {
  const LoggingState &s = st();
  const CountryList &table = s.CountryTable;
  const bool inTable = s.CountryIndex >= 0 && s.CountryIndex <= table.CountryCount();
  const QString points =
      contactPoints({txtCntry->text(), inTable ? table.slot(s.CountryIndex).CountryContinent : QString(),
                     s.station.MyCountry, s.station.MyContinent, s.CurrentBand, s.station.ModeCode});
  txtPoints->setText(points);
  // Typing then replaces the offered points.
  if (!points.isEmpty())
    txtPoints->selectAll();
}

void Form1::txtPref_Change() {
  const QString prefix = txtPref->text();
  Label14->setVisible(!prefix.isEmpty() && !st().WorkedPrefixList.contains(prefix));
}

namespace {
// The status label is painted at once: the work that follows keeps the event loop waiting.
void showProgress(Label *label, const QString &text) {
  label->setText(text);
  label->show();
  label->repaint();
}
} // namespace

void Form1::PreFixLoad(WorkedPrefixes &&counted) {
  showProgress(Label10, QStringLiteral("Counting ..."));
  st().WorkedPrefixList = std::move(counted);
  PreFixSort2();
}

void Form1::PreFixSort2() {
  showProgress(Label10, QStringLiteral("Sorting ..."));
  st().WorkedPrefixList.sort();
  Label10->hide();
  PreFixDisplay();
}

void Form1::PreFixAddCheck() {
  LoggingState &s = st();
  if (s.log.ContactCount() == 0)
    return;
  s.WorkedPrefixList.insertInOrder(s.log.slot(s.log.ContactCount()).prefix);
  PreFixDisplay();
}

void Form1::PreFixDisplay() {
  // Laying out the same long text again is what a reload of a large log would spend most on;
  // the box then only goes back to its start, as a new text would leave it.
  QString text = st().WorkedPrefixList.displayText();
  if (text == shownPrefixes_) {
    Text1->moveCursor(QTextCursor::Start);
    return;
  }
  shownPrefixes_ = std::move(text);
  Text1->setPlainText(shownPrefixes_);
}

void Form1::Labeldisplay() {
  const LoggingState &s = st();
  const int prefixes = s.WorkedPrefixList.WorkedPrefixCount();
  lblTotCon->setText(QString::number(s.log.ContactCount()));
  lblsectogo->setText(QString::number(prefixes));
  lblTotSec->setText(scoreText(s.TotalPoints));
  lblTotScore->setText(scoreText(claimedScore(s.TotalPoints, prefixes)));
  lbl160->setText(QStringLiteral("Prefixes Worked - ") + QString::number(prefixes));
}
