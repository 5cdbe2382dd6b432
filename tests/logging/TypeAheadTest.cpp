// Keys typed ahead while the program is busy: they wait in the window system's queue, as they
// do while a dupe hold or a slow share keeps the program from reading them, and must give the
// same log and entry row as the same keys typed one at a time.
#include "logging/Form1.h"

#include "app/WindowShowing.h"
#include "keying/CWFrm.h"
#include "keying/Morse.h"
#include "platform/Controls.h"
#include "platform/SerialKeyLine.h"
#include "spotting/PacketSpotfrm.h"
#include "tests/support/KeyLineDoubles.h"
#include "tests/support/PortLinks.h"
#include "tests/support/TestContext.h"

#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <optional>

#include <gtest/gtest.h>

namespace {

void settle() {
  for (int round = 0; round < 4; ++round)
    QCoreApplication::processEvents();
}

struct Outcome {
  QStringList log; // each stored contact's fields
  QStringList row; // the entry row's fields, the one with the focus marked, then the band
  QString keyed;   // the units keyed on the CW line, "1" down and "0" up
  int beeps = 0;
  QStringList boxes;   // the messages shown
  QStringList modals;  // the modal windows that came up, each with the text of its focused box
  QStringList windows; // the program's other windows on screen, each with the text of its focused box
  QString lastSpeed;   // the CW speed at the message's last keyed unit
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

  // Keys typed one at a time, each handled before the next, into the window that has the focus.
  void typeSlowly(const QString &keys) {
    for (const QChar c : keys) {
      queueKeys(QGuiApplication::focusWindow() ? QGuiApplication::focusWindow() : window, c);
      settle();
    }
  }

  Outcome outcome() {
    Outcome out;
    for (const ContactRecord &r : pc.table())
      out.log << QStringList{r.calls,  r.rstr,          r.serialr, r.rsts,    r.flddate, r.fldtime,
                             r.points, r.countryworked, r.prefix,  r.serials, r.uband}
                     .join(u'|');
    for (TextBox *t : {f.txtCall, f.txtRSTR, f.txtSec, f.txtRSTS, f.txtCntry, f.txtPref, f.txtPoints})
      out.row << t->text() + (t->hasFocus() ? QStringLiteral(" (focus)") : QString());
    out.row << pc.state().CurrentBand;
    for (QWidget *w : QApplication::topLevelWidgets()) {
      if (w == &f || !w->isVisible())
        continue;
      const auto *box = qobject_cast<QLineEdit *>(w->focusWidget());
      out.windows << QString::fromLatin1(w->metaObject()->className()) + u':' +
                         (box ? box->text() : QString());
    }
    out.windows.sort();
    out.beeps = pc.dialogs.beeps;
    out.boxes = pc.dialogs.messages();
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

// The CW key line: a double that records the units keyed, or a real serial line on a
// pseudo-terminal.
struct KeyLine {
  FakeSerialKeyLine *fake = nullptr;
  PseudoTerminal *pty = nullptr;
};

// What the operator does around F3, which thanks K1ABC and logs the contact at its end (keys as
// queueKeys takes them). `before` is done before the row is typed. `first` is queued in one burst
// while the first character of the thanks is keyed, `atLogSign` while the log sign is handled (as
// it clears the row, or as it beeps at a row it refuses) and `afterLog` at the keyer's first wait
// after that; `meanwhile` runs at the keyer's wait `meanwhileAt` and `afterMessage` once the
// message is over, before `after` is typed slowly. A modal window that comes up gets `inModal`
// done in it and is closed.
struct Operating {
  bool onPseudoTerminal = false;
  std::function<void(Station &)> before = {};
  QString row = QStringLiteral("k1abc 59911");
  QString first = {};
  QString atLogSign = {};
  QString afterLog = {};
  std::function<void(TestPc &, KeyLine &)> meanwhile = {};
  int meanwhileAt = 10;
  std::function<void(Station &)> afterMessage = {};
  QString after = {};
  std::function<void(Station &)> inModal = {};
};

// Each modal window that comes up, once active, is noted with the text of its focused box after
// `inModal` is done in it, then closed.
class ModalCloser {
public:
  ModalCloser(Station &station, const std::function<void(Station &)> &inModal) {
    timer_.setInterval(10);
    timer_.callOnTimeout([this, &station, inModal] {
      QWidget *modal = QApplication::activeModalWidget();
      if (!modal || !modal->isActiveWindow())
        return;
      timer_.stop();
      if (inModal)
        inModal(station);
      QTest::qWait(50);
      const auto *box = qobject_cast<QLineEdit *>(modal->focusWidget());
      seen << QString::fromLatin1(modal->metaObject()->className()) + u':' + (box ? box->text() : QString());
      modal->close();
      timer_.start();
    });
    timer_.start();
  }
  QStringList seen;

private:
  QTimer timer_;
};

// A CW station on a serial key line works K1ABC and presses F3 ("TU $ !"); F2 is "$ #".
Outcome thanks(const Operating &op) {
  Station station;
  std::vector<LineChange> changes;
  KeyLine line;
  TestPc &pc = station.pc;
  std::optional<TempHome> home;
  std::optional<PseudoTerminal> pty;
  if (op.onPseudoTerminal) {
    home.emplace();
    line.pty = &pty.emplace();
    EXPECT_TRUE(linkComPort(1, pty->device));
    pc.ctx->newSerialKeyLine = [] { return std::make_unique<QtSerialKeyLine>(); };
  } else {
    pc.ctx->newSerialKeyLine = [&] {
      auto made = std::make_unique<FakeSerialKeyLine>(pc.clock, changes);
      line.fake = made.get();
      return made;
    };
  }
  pc.state().station.ModeCode = QStringLiteral("CW");
  CWFrm &cw = pc.ctx->window<CWFrm>();
  cw.OptSleep->setChecked(true);
  cw.Option1->setChecked(true); // RTS
  cw.Text10->setText(QStringLiteral("1"));
  cw.Text11->setText(QStringLiteral("25"));
  cw.Text2->setText(QStringLiteral("$ #"));
  cw.Text3->setText(QStringLiteral("TU $ !"));
  if (op.before)
    op.before(station);
  station.typeSlowly(op.row);

  bool logged = false, logSign = false;
  const auto atLogSign = [&] {
    if (!std::exchange(logSign, true))
      queueKeys(station.window, op.atLogSign);
  };
  const QMetaObject::Connection atLog =
      QObject::connect(station.f.txtCall, &QLineEdit::textChanged, [&](const QString &call) {
        if (call.isEmpty() && !std::exchange(logged, true))
          atLogSign();
      });
  pc.dialogs.whileBeeping = atLogSign;
  // The fake keyer takes no time: the key layer's check of held keys comes due as the message
  // lets events run after its log sign, as amid a real message.
  pc.ctx->doEvents = [&logged, dueAfterLog = true]() mutable {
    if (logged && std::exchange(dueAfterLog, false))
      QThread::msleep(15);
    QCoreApplication::processEvents();
  };
  int waits = 0;
  bool afterLog = false;
  QString lastSpeed;
  pc.clock.whileSleeping = [&] {
    ++waits;
    lastSpeed = cw.Text11->text();
    if (waits == 1)
      queueKeys(station.window, op.first);
    if (waits == op.meanwhileAt && op.meanwhile)
      op.meanwhile(pc, line);
    if (logged && !std::exchange(afterLog, true))
      queueKeys(station.window, op.afterLog);
  };
  ModalCloser modals(station, op.inModal);
  station.typeSlowly(QString(functionKey(3)));
  pc.clock.whileSleeping = {};
  pc.dialogs.whileBeeping = {};
  QObject::disconnect(atLog);
  if (op.afterMessage)
    op.afterMessage(station);
  // Keys still held go at the key layer's next check.
  QTest::qWait(30);
  station.typeSlowly(op.after);
  // A menu opened by a key let go waits for the key typed next.
  EXPECT_TRUE(QTest::qWaitFor([] { return !QApplication::activePopupWidget(); }));
  settle();

  Outcome out = station.outcome();
  for (const LineChange &c : changes)
    if (c.line == QLatin1String("RTS"))
      out.keyed += c.value ? u'1' : u'0';
  out.modals = modals.seen;
  out.lastSpeed = lastSpeed;
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
  EXPECT_EQ(slow.row.join(u',').toStdString(), ",, (focus),,,,,20");
}

TEST(TypeAhead, KeysTypedWhileAMessageHasStillToLogTheContactGoToTheNextOne) {
  const QString next = QStringLiteral("w2abz 59951");
  const QString withF2 = QStringLiteral("w2abz") + functionKey(2) + QStringLiteral("59951");
  for (const QString &keys : {next, withF2}) {
    const Outcome during = thanks({.first = keys});
    const Outcome after = thanks({.after = keys});
    EXPECT_EQ(during.log.join(u'\n').toStdString(), after.log.join(u'\n').toStdString());
    EXPECT_EQ(during.row.join(u',').toStdString(), after.row.join(u',').toStdString());
    EXPECT_EQ(during.keyed.toStdString(), after.keyed.toStdString());
    // The reference: K1ABC logged as it stood, W2ABZ in the row, and F2 sent to W2ABZ with the
    // next serial.
    ASSERT_EQ(after.log.size(), 1);
    EXPECT_TRUE(after.log[0].startsWith(QStringLiteral("K1ABC|599|11|599|"))) << after.log[0].toStdString();
    EXPECT_TRUE(after.log[0].contains(QStringLiteral("|001|"))) << after.log[0].toStdString();
    EXPECT_EQ(after.row.mid(0, 3), (QStringList{"W2ABZ", "599", "51 (focus)"}));
    EXPECT_EQ(after.keyed.endsWith(units(QStringLiteral("TU K1ABC W2ABZ 2"))), keys == withF2);
  }
}

TEST(TypeAhead, KeysHeldForALogSignKeepTheirOrderAndPlaceAndNeverSpoilAContactLeftUnlogged) {
  const QString f2(functionKey(2)), f3(functionKey(3)), f12(functionKey(12)), escape(QChar(27));
  const QString ctrlC(QChar(3)), ctrlD(QChar(4)), ctrlG(QChar(7));
  const QString next = QStringLiteral("w2abz 59951\r");
  const QString third = QStringLiteral("k3abc 59912\r");
  const QString dupe = QStringLiteral("k1abc 59911\rk1abc\r");
  const QString toSpotting = QStringLiteral("w2abz") + ctrlD + QStringLiteral("shdx");
  // The keyer's last wait before the log sign of "TU K1ABC !".
  const int lastWait = static_cast<int>(units(QStringLiteral("TU K1ABC ")).size());
  const auto keyerOff = [](TestPc &pc, KeyLine &) { pc.ctx->window<CWFrm>().Option4->click(); };
  const auto faster = [](TestPc &pc, KeyLine &) { pc.ctx->window<CWFrm>().UpDown1_UpClick(); };
  const auto lineLost = [](TestPc &, KeyLine &line) {
    line.fake->refused.insert(line.fake->device());
    line.fake->close();
  };
  const auto lineCallsFail = [](TestPc &, KeyLine &line) { line.pty->failModemLines(); };
  const auto anotherPort = [](Station &station) {
    CWFrm &cw = station.pc.ctx->window<CWFrm>();
    cw.Text10->setText(QStringLiteral("2"));
    cw.Text10_LostFocus();
  };
  const auto typing = [](const QString &keys) {
    return [keys](Station &station) { station.typeSlowly(keys); };
  };
  const auto otherWindow = [](TestPc &pc, KeyLine &) { showBeside(pc.ctx->window<PacketSpotfrm>(), false); };
  const auto backToTheRow = [](Station &station) {
    station.f.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&station.f));
  };
  // The spotting window open behind the main window.
  const auto spottingBehind = [=](Station &station) {
    showBeside(station.pc.ctx->window<PacketSpotfrm>(), false);
    backToTheRow(station);
  };
  // W2ABZ's exchange and F3 ("TU W2ABZ !"), with `keys` queued as its first character is keyed.
  const auto nextThanks = [=](const QString &keys) {
    return [=](Station &station) {
      backToTheRow(station);
      station.typeSlowly(QStringLiteral(" 59951"));
      station.pc.clock.whileSleeping = [&station, keys, queued = false]() mutable {
        if (!std::exchange(queued, true))
          queueKeys(station.window, keys);
      };
      station.typeSlowly(f3);
      station.pc.clock.whileSleeping = {};
    };
  };
  // A click on the Band menu's title, which opens the menu or closes it.
  const auto bandMenuClicked = [](Form1 &f) {
    QTest::mouseClick(f.menuBar(), Qt::LeftButton, {},
                      f.menuBar()->actionGeometry(f.mnuBand->menuAction()).center());
  };
  // On 40 m, the Band menu opened with the mouse and left open.
  const auto bandMenuOpened = [=](TestPc &pc, KeyLine &) {
    Form1 &f = pc.ctx->window<Form1>();
    f.mnu40_Click();
    bandMenuClicked(f);
  };
  struct Case {
    const char *name;
    Operating ahead;
    // Either the same keys typed after the thanks, or the same case with nothing typed ahead.
    Operating reference;
    bool beep; // one beep more than the reference: the held keys dropped, or a held menu key refused
  };
  // The same keys typed during the thanks and after it.
  const auto aheadOrAfter = [](const char *name, const QString &keys, bool beep = false) {
    return Case{name, {.first = keys}, {.after = keys}, beep};
  };
  const Case cases[] = {
      {"a key typed as the log sign logs, and keys during a released message, come in order",
       {.first = QStringLiteral("w2") + f2,
        .atLogSign = QStringLiteral("a"),
        .afterLog = QStringLiteral("bz")},
       {.after = QStringLiteral("w2") + f2 + QStringLiteral("abz")},
       false},
      {"a log sign with nothing in the row", {.row = {}, .first = next}, {.row = {}, .after = next}, false},
      {"a log sign after a dupe refused with Enter",
       {.row = dupe, .first = next},
       {.row = dupe, .after = next},
       false},
      {"Up and Down change the message's speed at once",
       {.first = QString(upKey()) + upKey() + downKey()},
       {.meanwhile = faster},
       false},
      {"keys after a released Ctrl+G go to the tuning window it opened",
       {.first = ctrlG + QStringLiteral("14")},
       {.after = ctrlG, .inModal = typing(QStringLiteral("14"))},
       false},
      aheadOrAfter("keys after a released Ctrl+D go to the spotting window it brought up", toSpotting),
      {"keys after a released Ctrl+D go to the spotting window it raised",
       {.before = spottingBehind, .first = toSpotting},
       {.before = spottingBehind, .after = toSpotting},
       false},
      {"keys held for the next message go to the row, not to a window the last one's brought up",
       {.first = toSpotting, .afterMessage = nextThanks(third)},
       {.first = toSpotting, .afterMessage = nextThanks({}), .after = third},
       false},
      aheadOrAfter("keys after a released Ctrl+C go to the CW settings window it brought up",
                   QStringLiteral("w2abz") + ctrlC + QStringLiteral(" 599 51\r")),
      aheadOrAfter("a menu key after a released Ctrl+D", QStringLiteral("w2abz") + ctrlD + altKey('b'), true),
      {"a row the log sign cannot log",
       {.row = QStringLiteral("k1abc"), .first = next},
       {.row = QStringLiteral("k1abc")},
       true},
      {"keys typed while the log sign's row is refused",
       {.row = QStringLiteral("k1abc"),
        .first = QStringLiteral("w2ab"),
        .atLogSign = QStringLiteral("z 599 51\r")},
       {.row = QStringLiteral("k1abc")},
       true},
      {"a row with an exchange and no call",
       {.row = QStringLiteral(" 59911"), .first = next},
       {.row = QStringLiteral(" 59911")},
       true},
      {"Escape", {.first = QStringLiteral("w2a") + escape}, {.first = escape}, true},
      {"the keyer switched to None", {.first = next, .meanwhile = keyerOff}, {.meanwhile = keyerOff}, true},
      {"the key line lost", {.first = next, .meanwhile = lineLost}, {.meanwhile = lineLost}, true},
      {"the key line's calls failing",
       {.onPseudoTerminal = true, .first = next, .meanwhile = lineCallsFail},
       {.onPseudoTerminal = true, .meanwhile = lineCallsFail},
       true},
      {"the key line lost at the log sign, and another port set in the CW window",
       {.first = next,
        .meanwhile = lineLost,
        .meanwhileAt = lastWait,
        .afterMessage = backToTheRow,
        .inModal = anotherPort},
       {.meanwhile = lineLost,
        .meanwhileAt = lastWait,
        .afterMessage = backToTheRow,
        .after = next,
        .inModal = anotherPort},
       false},
      aheadOrAfter("the Clear command", QStringLiteral("w2abz") + altKey('c')),
      aheadOrAfter("a band from the menu", QStringLiteral("w2abz") + altKey('b') + QStringLiteral("4")),
      aheadOrAfter("F12", QStringLiteral("w2abz") + f12),
      {"another window of the program active at the log sign",
       {.first = next, .meanwhile = otherWindow},
       {.meanwhile = otherWindow, .afterMessage = backToTheRow, .after = next},
       false},
      {"a menu opened with the mouse during the hold, 40 then picked in it",
       {.first = next, .meanwhile = bandMenuOpened, .afterMessage = typing(QStringLiteral("4"))},
       {.meanwhile = bandMenuOpened, .afterMessage = typing(QStringLiteral("4")), .after = next},
       false},
      {"a menu opened with the mouse during the hold, then closed with Escape",
       {.first = next, .meanwhile = bandMenuOpened, .afterMessage = typing(escape)},
       {.meanwhile = bandMenuOpened,
        .afterMessage = [=](Station &s) { bandMenuClicked(s.f); },
        .after = next},
       false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome ahead = thanks(c.ahead);
    const Outcome reference = thanks(c.reference);
    EXPECT_EQ(ahead.log, reference.log);
    EXPECT_EQ(ahead.row, reference.row);
    EXPECT_EQ(ahead.keyed.toStdString(), reference.keyed.toStdString());
    EXPECT_EQ(ahead.lastSpeed, reference.lastSpeed);
    EXPECT_EQ(ahead.modals, reference.modals);
    EXPECT_EQ(ahead.windows, reference.windows);
    EXPECT_EQ(ahead.boxes, reference.boxes);
    EXPECT_EQ(ahead.beeps, reference.beeps + (c.beep ? 1 : 0));
    // A failing key line is told once a message, not once a character.
    EXPECT_EQ(QStringList(ahead.boxes).removeDuplicates(), 0) << ahead.boxes.join(u'/').toStdString();
  }
}
