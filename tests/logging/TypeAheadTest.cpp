// Keys typed ahead while the program is busy: they wait in the window system's queue, as they
// do while a dupe hold or a slow share keeps the program from reading them, and must give the
// same log and entry row as the same keys typed one at a time.
#include "logging/Form1.h"

#include "platform/Controls.h"
#include "tests/support/TestContext.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void settle() {
  for (int round = 0; round < 4; ++round)
    QCoreApplication::processEvents();
}

struct Outcome {
  QStringList log; // each stored contact's fields
  QStringList row; // the entry row's fields, then the field with the focus
};

// A fresh station PC in phone mode: the first contact is typed slowly, then `keys` either one
// at a time or all queued before the program reads any of them.
Outcome typeAhead(const QString &keys, bool burst) {
  TestLogFile file;
  TestPc pc(file.path);
  Form1 &f = pc.laidOutForm();
  QFile::copy(sourceDataDir() + QStringLiteral("/arrlpre2.txt"),
              pc.programDir.filePath(QStringLiteral("arrlpre2.txt")));
  EXPECT_TRUE(f.LoadCountryTable());
  pc.state().station.MyCountry = QStringLiteral("USA");
  pc.state().station.MyContinent = QStringLiteral("NA");
  f.show();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
  f.Worklist();
  f.cmdLogOn_Click();
  f.txtCall->setFocus();
  settle();

  QWindow *window = f.windowHandle();
  for (const QChar c : QStringLiteral("dl1abc 59001\r")) {
    queueKeys(window, c);
    settle();
  }
  if (burst) {
    queueKeys(window, keys);
  } else {
    for (const QChar c : keys) {
      queueKeys(window, c);
      settle();
    }
  }
  settle();

  Outcome out;
  for (const ContactRecord &r : pc.table())
    out.log << QStringList{r.calls,   r.rstr,   r.serialr,       r.rsts,   r.flddate,
                           r.fldtime, r.points, r.countryworked, r.prefix, r.serials}
                   .join(u'|');
  for (TextBox *t : {f.txtCall, f.txtRSTR, f.txtSec, f.txtRSTS, f.txtCntry, f.txtPref, f.txtPoints})
    out.row << t->text() + (t->hasFocus() ? QStringLiteral(" (focus)") : QString());
  return out;
}

} // namespace

TEST(TypeAhead, KeysQueuedWhileTheProgramIsBusyGiveTheLogOfKeysTypedOneAtATime) {
  // Reports typed out and carried on from a complete call, a dupe held for its three seconds
  // and the contacts typed on during the hold; a report corrected and Enter there, which logs
  // the contact and then moves on to the serial field.
  const QString keys = QStringLiteral("ja1abc 59003\rvk2abc 59004\rdl1abc\rzs6abc 59005\r"
                                      "oh1abc59010\rea1abc 57 12 55\rw1aw 59 7<\r8 5\rk1abc59\r");
  const Outcome slow = typeAhead(keys, false);
  const Outcome burst = typeAhead(keys, true);
  EXPECT_EQ(burst.log.join(u'\n').toStdString(), slow.log.join(u'\n').toStdString());
  EXPECT_EQ(burst.row.join(u',').toStdString(), slow.row.join(u',').toStdString());
  // The slow run is the reference: each contact whole, the dupe refused and held, the corrected
  // contact logged and the next keys in the serial field.
  ASSERT_EQ(slow.log.size(), 8);
  EXPECT_TRUE(slow.log[3].startsWith(QStringLiteral("ZS6ABC|59|005|59|2024/03/30|14:05:12|")));
  EXPECT_TRUE(slow.log[4].startsWith(QStringLiteral("OH1ABC|59|010|59|")));
  EXPECT_TRUE(slow.log[5].startsWith(QStringLiteral("EA1ABC|57|12|55|")));
  EXPECT_TRUE(slow.log[6].startsWith(QStringLiteral("W1AW|59|7|59|")));
  EXPECT_TRUE(slow.log[7].startsWith(QStringLiteral("K1ABC|59|8|59|")));
  EXPECT_EQ(slow.row.join(u',').toStdString(), ",, (focus),,,,");
}
