// Post-contest entry (contacts from a paper log, with their own date and time) and clearing
// the entry row.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "logging/EntryKeys.h"
#include "platform/Clock.h"
#include "platform/Controls.h"

#include <QMenuBar>

void Form1::buildPostContestControls(QWidget *central) {
  const auto field = [central](Label *&label, const QString &caption, double left, TextBox *&box,
                               double boxWidth, int maxLength) {
    label = placed<Label>(central, left, 5745, 420, 240, caption);
    box = placed<TextBox>(central, left + 420, 5700, boxWidth, 330);
    box->setMaxLength(maxLength);
    label->hide();
    box->hide();
  };
  // Under the edit buttons and the own call, clear of everything else, so a click reaches them.
  field(lblPostConTime, QStringLiteral("Time"), 120, txtPostConTime, 700, 5);
  field(lblPostConDate, QStringLiteral("Date"), 1360, txtPostConDate, 1300, 10);
}

void Form1::buildEntryRowMenus() {
  mnuOptions->addSeparator();
  mnuPostContest = command(mnuOptions, QStringLiteral("&Post Contest Mode"), &Form1::mnuPostContest_Click);
  mnuPostContest->setCheckable(true);
  mnuClear = command(menuBar(), QStringLiteral("&Clear"), &Form1::mnuClear_Click);
}

void Form1::mnuPostContest_Click() {
  // The mode is the fields' visibility; the check mark follows it.
  const bool on = txtPostConTime->isHidden();
  for (QWidget *w :
       std::initializer_list<QWidget *>{lblPostConTime, txtPostConTime, lblPostConDate, txtPostConDate})
    w->setVisible(on);
  mnuPostContest->setChecked(on);
}

void Form1::txtPostConTime_GotFocus() {
  // The next contact's time overtypes the last one.
  txtPostConTime->selectAll();
}

void Form1::txtPostConDate_GotFocus() {
  // A date already there serves the next contacts too.
  if (!txtPostConDate->text().isEmpty())
    return;
  txtPostConDate->setText(ctx.clock.now().date().toString(QStringLiteral("yyyy/MM/dd")));
  txtPostConDate->selectAll();
}

void Form1::txtPostConTime_KeyPress(int &KeyAscii) {
  enterOrSpace(KeyAscii, nullptr);
  KeyAscii = postContestTimeKey(KeyAscii);
}

void Form1::txtPostConDate_KeyPress(int &KeyAscii) {
  enterOrSpace(KeyAscii, nullptr);
  KeyAscii = postContestDateKey(KeyAscii);
}

void Form1::mnuClear_Click() {
  clearEntryRow(true);
  resetDupeLine();
  setStatus(QStringLiteral(" "));
  txtCall->setFocus();
}
