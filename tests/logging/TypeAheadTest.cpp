// Keys typed ahead while the program is busy: they wait in the window system's queue, as they
// do while a dupe hold or a slow share keeps the program from reading them, and must give the
// same log and entry row as the same keys typed one at a time.
#include "logging/Form1.h"

#include "keying/CWFrm.h"
#include "keying/Morse.h"
#include "platform/Controls.h"
#include "tests/support/KeyLineDoubles.h"
#include "tests/support/TestContext.h"

#include <QApplication>
#include <QFile>
#include <QRadioButton>
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
  QString keyed;   // the units keyed on the CW line, "1" down and "0" up
};

// A fresh station PC with its main window shown, the country table loaded and the operator
// logged on, the focus in the call field.
struct Station {
  TestLogFile file;
  TestPc pc{file.path};
  Form1 &f = pc.laidOutForm();
  QWindow *window = nullptr;

  Station() {
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
    window = f.windowHandle();
  }

  // Keys typed one at a time, each handled before the next.
  void typeSlowly(const QString &keys) {
    for (const QChar c : keys) {
      queueKeys(window, c);
      settle();
    }
  }

  Outcome outcome() {
    Outcome out;
    for (const ContactRecord &r : pc.table())
      out.log << QStringList{r.calls,   r.rstr,   r.serialr,       r.rsts,   r.flddate,
                             r.fldtime, r.points, r.countryworked, r.prefix, r.serials}
                     .join(u'|');
    for (TextBox *t : {f.txtCall, f.txtRSTR, f.txtSec, f.txtRSTS, f.txtCntry, f.txtPref, f.txtPoints})
      out.row << t->text() + (t->hasFocus() ? QStringLiteral(" (focus)") : QString());
    return out;
  }
};

// A fresh station PC in phone mode: the first contact is typed slowly, then `keys` either one
// at a time or all queued before the program reads any of them.
Outcome typeAhead(const QString &keys, bool burst) {
  Station station;
  station.typeSlowly(QStringLiteral("dl1abc 59001\r"));
  if (burst)
    queueKeys(station.window, keys);
  else
    station.typeSlowly(keys);
  settle();
  return station.outcome();
}

// A CW station on a serial key line works K1ABC and presses F3, which thanks the station and
// logs the contact at its end. `during` is queued in one burst while the first character of the
// thanks is keyed; `after` is typed slowly once the message is over.
Outcome thanksThenNext(const QString &during, const QString &after) {
  Station station;
  std::vector<LineChange> changes;
  TestPc &pc = station.pc;
  pc.ctx->newSerialKeyLine = [&] { return std::make_unique<FakeSerialKeyLine>(pc.clock, changes); };
  pc.state().station.ModeCode = QStringLiteral("CW");
  CWFrm &cw = pc.ctx->window<CWFrm>();
  cw.OptSleep->setChecked(true);
  cw.Option1->setChecked(true); // RTS
  cw.Text10->setText(QStringLiteral("1"));
  cw.Text11->setText(QStringLiteral("25"));
  cw.Text2->setText(QStringLiteral("$ #"));
  cw.Text3->setText(QStringLiteral("TU $ !"));
  station.typeSlowly(QStringLiteral("k1abc 59911"));

  pc.clock.whileSleeping = [&, burst = during]() mutable {
    queueKeys(station.window, std::exchange(burst, {}));
  };
  station.typeSlowly(QString(functionKey(3)));
  pc.clock.whileSleeping = {};
  station.typeSlowly(after);

  Outcome out = station.outcome();
  for (const LineChange &c : changes)
    if (c.line == QLatin1String("RTS"))
      out.keyed += c.value ? u'1' : u'0';
  return out;
}

// The units a text keys at the word space the CW window starts with.
QString units(const QString &text) {
  QString out;
  for (const QChar c : text)
    out += keyedUnits(c, 0).value_or(QString());
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

TEST(TypeAhead, KeysTypedWhileAMessageHasStillToLogTheContactGoToTheNextOne) {
  const QString next = QStringLiteral("w2abz 59951");
  const QString withF2 = QStringLiteral("w2abz") + functionKey(2) + QStringLiteral("59951");
  for (const QString &keys : {next, withF2}) {
    const Outcome during = thanksThenNext(keys, {});
    const Outcome after = thanksThenNext({}, keys);
    EXPECT_EQ(during.log.join(u'\n').toStdString(), after.log.join(u'\n').toStdString());
    EXPECT_EQ(during.row.join(u',').toStdString(), after.row.join(u',').toStdString());
    EXPECT_EQ(during.keyed.toStdString(), after.keyed.toStdString());
    // The reference: K1ABC logged as it stood, W2ABZ in the row, and F2 sent to W2ABZ with the
    // next serial.
    ASSERT_EQ(after.log.size(), 1);
    EXPECT_TRUE(after.log[0].startsWith(QStringLiteral("K1ABC|599|11|599|"))) << after.log[0].toStdString();
    EXPECT_TRUE(after.log[0].endsWith(QStringLiteral("|001"))) << after.log[0].toStdString();
    EXPECT_EQ(after.row.mid(0, 3), (QStringList{"W2ABZ", "599", "51 (focus)"}));
    EXPECT_EQ(after.keyed.endsWith(units(QStringLiteral("TU K1ABC W2ABZ 2"))), keys == withF2);
  }

  // Escape stops the thanks before its end: nothing is logged, and the keys held until then and
  // those after it go into the row as it stands.
  const QString escape(QChar(27));
  const Outcome during = thanksThenNext(QStringLiteral("w2a") + escape + QStringLiteral("bz 59951"), {});
  const Outcome after = thanksThenNext(escape, next);
  EXPECT_EQ(during.log.join(u'\n').toStdString(), after.log.join(u'\n').toStdString());
  EXPECT_EQ(during.row.join(u',').toStdString(), after.row.join(u',').toStdString());
  EXPECT_EQ(during.keyed.toStdString(), after.keyed.toStdString());
  EXPECT_TRUE(after.log.isEmpty());
  EXPECT_EQ(after.row.first(), QStringLiteral("K1ABC"));
}
