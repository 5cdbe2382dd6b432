// Keys typed ahead while the program is busy: they wait in the window system's queue, as they
// do while a dupe hold or a slow share keeps the program from reading them, and must give the
// same log and entry row as the same keys typed one at a time.
#include "logging/Form1.h"

#include "app/WindowShowing.h"
#include "keying/CWFrm.h"
#include "keying/Morse.h"
#include "keying/frmDigitalSource.h"
#include "logging/Bands.h"
#include "platform/Controls.h"
#include "platform/SerialKeyLine.h"
#include "spotting/PacketSpotfrm.h"
#include "spotting/SpectrumMap.h"
#include "tests/support/FakeRttyPeer.h"
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
#include <QTreeWidget>

#include <memory>
#include <optional>
#include <random>

#include <gtest/gtest.h>

namespace {

void settle() {
  for (int round = 0; round < 4; ++round)
    QCoreApplication::processEvents();
}

// A click on the Band menu's title, which opens the menu or closes it.
void bandMenuClicked(Form1 &f) {
  QTest::mouseClick(f.menuBar(), Qt::LeftButton, {},
                    f.menuBar()->actionGeometry(f.mnuBand->menuAction()).center());
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
  std::unique_ptr<FakeRttyPeer> rtty; // the RTTY program, once linked

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

  // A menu that has closed hands the focus back, as a window system does.
  void focusBackFromClosedMenu() {
    if (QGuiApplication::focusWindow() && !QGuiApplication::focusWindow()->isVisible())
      windowSystemActivates(window);
  }

  // Keys typed one at a time, each handled before the next, into the window that has the focus.
  void typeSlowly(const QString &keys) {
    for (const QChar c : keys) {
      focusBackFromClosedMenu();
      queueKeys(QGuiApplication::focusWindow() ? QGuiApplication::focusWindow() : window, c);
      settle();
    }
  }

  Outcome outcome() {
    focusBackFromClosedMenu();
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

// `call` spotted a minute ago 25 kHz into the current band (80, 40 or 20 m), in the spot table's
// first slot.
void spotOn(Station &s, const QString &call) {
  const float mhz = s.pc.state().CurrentBand == QLatin1String("80")   ? 3.525f
                    : s.pc.state().CurrentBand == QLatin1String("40") ? 7.025f
                                                                      : 14.025f;
  s.pc.ctx->spotting.SpotTable[0] = {call, mhz, s.pc.clock.now().addSecs(-60), call.left(2), {}};
}

// The station linked with a peer that plays the RTTY program.
void linkRtty(Station &s) {
  s.rtty = std::make_unique<FakeRttyPeer>();
  s.pc.ctx->window<frmDigitalSource>().serverName = s.rtty->name;
  s.f.ConnectRttyLink();
  EXPECT_TRUE(QTest::qWaitFor([&] { return s.rtty->client; }, 2000));
}

// The RTTY program sends `text` for `item`, and the link takes it in.
void rttySends(Station &s, const QString &item, const QString &text) {
  s.rtty->set(item, text);
  const auto *box = s.pc.ctx->window<frmDigitalSource>().findChild<TextBox *>(item);
  EXPECT_TRUE(QTest::qWaitFor([&] { return box->text() == text; }, 2000));
}

// A click on a row of the spot list.
void spotListClicked(Station &s, QTreeWidgetItem *row) {
  s.f.txtDX->scrollToItem(row);
  QTest::mouseClick(s.f.txtDX->viewport(), Qt::LeftButton, {}, s.f.txtDX->visualItemRect(row).center());
}

// A spot of `call` on 14.025 MHz from the cluster.
void spotArrives(Station &s, const QString &call) {
  QString spotted = call, frequency = QStringLiteral("14025.0"),
          record = QStringLiteral("DX de K1TTT: ") + call;
  s.f.BandMapSpots(spotted, frequency, record);
}

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
// after that; `meanwhile` runs at the keyer's wait `meanwhileAt`, `eachWait` at every wait, and
// `afterMessage` once the message is over, before `after` is typed slowly. A modal window that
// comes up gets `inModal` done in it and is closed.
struct Operating {
  bool onPseudoTerminal = false;
  std::function<void(Station &)> before = {};
  QString row = QStringLiteral("k1abc 59911");
  QString first = {};
  QString atLogSign = {};
  QString afterLog = {};
  std::function<void(TestPc &, KeyLine &)> meanwhile = {};
  int meanwhileAt = 10;
  std::function<void(Station &, int wait)> eachWait = {};
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
    if (op.eachWait)
      op.eachWait(station, waits);
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
  // DL1ABC spotted on 40 m; the spectrum map opened with a double click on the strip, and the
  // spot right-clicked in it.
  const auto dl1abcOn40 = [](Station &s) {
    s.f.mnu40_Click();
    spotOn(s, QStringLiteral("DL1ABC"));
  };
  const auto showMap = [](Form1 &f) {
    f.showSpectrumMap();
    windowSystemActivates(f.windowHandle());
  };
  const auto spectrumMap = [=](TestPc &pc, KeyLine &) { showMap(pc.ctx->window<Form1>()); };
  const auto spotRightClicked = [](Station &station) {
    QTest::mouseClick(station.pc.ctx->window<SpectrumMap>().lblDXSpot[0], Qt::RightButton);
  };
  // The RTTY program linked, and its report in the row.
  const auto rttyReport = [](Station &s) {
    linkRtty(s);
    rttySends(s, QStringLiteral("txtSField1"), QStringLiteral("599"));
  };
  // The spot list full, DL1ABC the oldest spot at its foot; at the third wait the operator clicks
  // it, and then a new spot pushes it out of the list.
  const auto spotListFull = [](Station &s) {
    s.f.layOutSpotArea(QStringLiteral("Telnet"), true);
    s.f.beginSpotBatch();
    for (int i = 0; i < 200; ++i)
      spotArrives(s, i == 0 ? QStringLiteral("DL1ABC") : QStringLiteral("W%1AA").arg(i));
    s.f.endSpotBatch();
  };
  const auto footClickedThenPushedOut = [](Station &s, int wait) {
    if (wait != 3)
      return;
    // The keys typed before come first, as the window system queued them.
    QCoreApplication::processEvents();
    spotListClicked(s, s.f.txtDX->topLevelItem(s.f.txtDX->topLevelItemCount() - 1));
    spotArrives(s, QStringLiteral("G3XYZ"));
  };
  // On 40 m, the Band menu opened with the mouse and left open.
  const auto bandMenuOpened = [](TestPc &pc, KeyLine &) {
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
      {"keys typed while the log sign's row is refused",
       {.row = QStringLiteral("k1abc"),
        .first = QStringLiteral("w2ab"),
        .atLogSign = QStringLiteral("z 599 51\r")},
       {.row = QStringLiteral("k1abc")},
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
      {"the RTTY program's report in the row, and no call",
       {.before = rttyReport, .row = {}, .first = next},
       {.before = rttyReport, .row = {}},
       true},
      {"a spot clicked at the foot of a full list, then pushed out by a new one",
       {.before = spotListFull, .first = next, .eachWait = footClickedThenPushedOut},
       {.before = spotListFull,
        .afterMessage =
            [=](Station &s) {
              s.typeSlowly(next);
              footClickedThenPushedOut(s, 3);
            }},
       false},
      {"a spot right-clicked in the spectrum map opened during the hold",
       {.before = dl1abcOn40, .first = next, .meanwhile = spectrumMap, .inModal = spotRightClicked},
       {.before = dl1abcOn40,
        .afterMessage =
            [=](Station &s) {
              s.typeSlowly(next);
              showMap(s.f);
            },
        .inModal = spotRightClicked},
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

namespace {

// What the operator left in the row before pressing F3, what happened during the thanks, and
// what was typed ahead meanwhile.
enum class RowBefore {
  Empty,
  DupeRefused,
  CountryOnly,
  CarriedDigitCallErased,
  HalfRow,
  WholeRow,
  EmptiedByHand
};
enum class During {
  Nothing,
  MenuEscapedBeforeLogSign,
  MenuClickedShutBeforeLogSign,
  MenuEscapedAfter,
  MenuClickedShutAfter,
  MenuEscapedBeforeTheKeys,
  SpotClickedInList,
  SpotClickedOnStrip,
  BandClickedInMenu,
  BandDigitInMenu,
  BandLabelClicked,
  ClearClicked,
  AltBandFirst,
  RttyCallArrives
};
enum class Ahead { NextContact, CallOnly };
// The keys and the command given during the thanks, after it, or not at all.
enum class Done { During, After, Never };
constexpr const char *kRowNames[] = {"an empty row",         "a row a dupe refused with Enter",
                                     "only a country typed", "a carried digit with the call erased",
                                     "a half row",           "a whole row",
                                     "a row emptied by hand"};
constexpr const char *kDuringNames[] = {
    "nothing",
    "the Band menu opened with the mouse and closed with Escape before the log sign",
    "the Band menu opened with the mouse and closed with a click before the log sign",
    "the Band menu opened with the mouse and closed with Escape after the message",
    "the Band menu opened with the mouse and closed with a click after the message",
    "the Band menu opened with the mouse and closed with Escape before any key",
    "a spot clicked in the spot list",
    "a spot right-clicked on the band-map strip",
    "a band clicked in the Band menu opened with the mouse",
    "a band's digit typed into the Band menu opened with the mouse",
    "the band label clicked",
    "the Clear command clicked",
    "Alt+B and a band's digit typed as the first keys",
    "the RTTY program's call arriving"};

// The Band menu's item for `band`.
QAction *bandItem(Form1 &f, const QString &band) {
  const QList<QAction *> items = f.mnuBand->actions();
  return *std::find_if(items.begin(), items.end(),
                       [&](QAction *a) { return a->text().remove(u'&') == band; });
}

// The key that picks `band` in the Band menu.
QChar bandDigit(Form1 &f, const QString &band) {
  const QString caption = bandItem(f, band)->text();
  return caption[caption.indexOf(u'&') + 1];
}

struct HoldCase {
  RowBefore row;
  During during;
  QString halfRow = {};    // a call without an exchange, or an exchange without a call
  QString next = {};       // the next station's keys
  bool eventFirst = false; // the event comes before the keys typed ahead
  int keysAt = 1;          // the keyer's wait at which the keys typed ahead come
  int opensAt = 0;         // at which the event begins (a menu opened, a spot clicked, a call sent)
  int closesAt = 0;        // and at which a menu opened then is shut or a band picked in it
  QString band = {};       // before the thanks
  QString picked = {};     // in the Band menu, or by the band label
  QString spot = {};       // the spotted call, or the call the RTTY program sends

  // Whether the log sign lets keys in: it logs the row or finds nothing typed in it.
  bool rowTaken() const {
    return row == RowBefore::Empty || row == RowBefore::DupeRefused || row == RowBefore::WholeRow ||
           row == RowBefore::EmptiedByHand;
  }
  bool spotted() const { return during == During::SpotClickedInList || during == During::SpotClickedOnStrip; }
  // A menu opened with the mouse during the thanks in every run of the case, only shut.
  bool menu() const {
    return during >= During::MenuEscapedBeforeLogSign && during <= During::MenuEscapedBeforeTheKeys;
  }
  // A command given during the thanks, after it or not at all.
  bool command() const { return during != During::Nothing && !menu(); }
  bool pickedInMenu() const {
    return during == During::BandClickedInMenu || during == During::BandDigitInMenu;
  }
  bool shutBeforeLogSign() const {
    return during == During::MenuEscapedBeforeLogSign || during == During::MenuClickedShutBeforeLogSign ||
           during == During::MenuEscapedBeforeTheKeys;
  }
  bool escaped() const {
    return during == During::MenuEscapedBeforeLogSign || during == During::MenuEscapedAfter ||
           during == During::MenuEscapedBeforeTheKeys;
  }
  QString keys(Form1 &f) const {
    return during == During::AltBandFirst ? QString(altKey('b')) + bandDigit(f, picked) + next : next;
  }
  std::string describe() const {
    QString text = QLatin1String(kRowNames[int(row)]);
    if (!halfRow.isEmpty())
      text += QStringLiteral(" \"%1\"").arg(halfRow);
    text += QStringLiteral(" on %1; ").arg(band) + QLatin1String(kDuringNames[int(during)]);
    if (during != During::Nothing && during != During::AltBandFirst)
      text += QStringLiteral(" at wait %1").arg(opensAt);
    if (spotted() || during == During::RttyCallArrives)
      text += QStringLiteral(" (%1)").arg(spot);
    if (shutBeforeLogSign() || pickedInMenu())
      text += QStringLiteral(", shut at wait %1").arg(closesAt);
    if (pickedInMenu() || during == During::AltBandFirst || during == During::BandLabelClicked)
      text += QStringLiteral(", band %1").arg(picked);
    text += QStringLiteral("; typed ahead \"%1\" at wait %2, %3 the event")
                .arg(QString(next).replace(u'\r', QStringLiteral("\\r")))
                .arg(keysAt)
                .arg(eventFirst ? QStringLiteral("after") : QStringLiteral("before"));
    return text.toStdString();
  }

  // The event's first step: a menu opened, a spot clicked, a call sent... (all of most events).
  void begin(Station &s) const {
    switch (during) {
    case During::SpotClickedOnStrip:
      QTest::mouseClick(s.f.lblDXSpot[0], Qt::RightButton);
      break;
    case During::SpotClickedInList:
      spotListClicked(s, s.f.txtDX->topLevelItem(0));
      break;
    case During::BandLabelClicked:
      QTest::mouseClick(s.f.Label21, Qt::LeftButton);
      break;
    case During::ClearClicked:
      QTest::mouseClick(s.f.menuBar(), Qt::LeftButton, {},
                        s.f.menuBar()->actionGeometry(s.f.mnuClear).center());
      break;
    case During::RttyCallArrives:
      rttySends(s, QStringLiteral("txtSUrCall"), spot);
      break;
    case During::AltBandFirst:
      break;
    default:
      bandMenuClicked(s.f);
    }
  }
  // The event's second step: the menu opened shut, or a band picked in it.
  void end(Station &s) const {
    if (during == During::BandClickedInMenu) {
      QTest::mouseClick(s.f.mnuBand, Qt::LeftButton, {},
                        s.f.mnuBand->actionGeometry(bandItem(s.f, picked)).center());
      // The window system's news of the menu come first.
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
      s.focusBackFromClosedMenu();
    } else if (during == During::BandDigitInMenu)
      queueKeys(QGuiApplication::focusWindow(), QString(bandDigit(s.f, picked)));
    else if (escaped())
      queueKeys(QGuiApplication::focusWindow(), QStringLiteral("\x1b"));
    else if (menu())
      bandMenuClicked(s.f);
  }

  // The case as the operator does it. After the thanks, the keys go in with the focus in the
  // row, before or after the command as during it.
  Operating operating(Done done) const {
    const HoldCase c = *this;
    Operating op;
    op.row = {};
    op.before = [c](Station &s) {
      bandItem(s.f, c.band)->trigger();
      spotOn(s, c.spot);
      if (c.spotted()) {
        s.f.layOutSpotArea(QStringLiteral("Telnet"), c.during == During::SpotClickedInList);
        s.f.DisplayBandMapLabels();
        s.f.txtDX->insertTopLevelItem(
            0, new QTreeWidgetItem(
                   QStringList{c.spot, QString::number(s.pc.ctx->spotting.SpotTable[0].SpotFreq)}));
      }
      if (c.during == During::RttyCallArrives)
        linkRtty(s);
      const QString keys[] = {{},
                              QStringLiteral("k1abc 59911\rk1abc\r"),
                              QStringLiteral("usa"),
                              QStringLiteral("k1abc5"),
                              c.halfRow,
                              QStringLiteral("k1abc 59911"),
                              QStringLiteral("k1abc ")};
      if (c.row == RowBefore::CountryOnly)
        s.f.txtCntry->setFocus();
      s.typeSlowly(keys[int(c.row)]);
      if (c.row == RowBefore::CarriedDigitCallErased || c.row == RowBefore::EmptiedByHand) {
        s.f.txtCall->setFocus();
        s.f.txtCall->end(false);
        s.typeSlowly(QStringLiteral("\b\b\b\b\b"));
      }
    };
    const bool eventDuring = c.menu() || (c.command() && done == Done::During);
    op.eachWait = [=](Station &s, int wait) {
      // To the window the window system gives keys to: a menu that was open, as in X, even when
      // the key that closes it is still to be read; with none, the main window takes them back.
      const auto typeAhead = [&] {
        if (wait == c.keysAt && done == Done::During)
          queueKeys(QGuiApplication::focusWindow() ? QGuiApplication::focusWindow() : s.window, c.keys(s.f));
      };
      if (!c.eventFirst)
        typeAhead();
      // The keys typed before the event come first, as the window system queued them.
      if (wait == c.opensAt)
        QCoreApplication::processEvents();
      if (wait == c.opensAt && eventDuring)
        c.begin(s);
      if (wait == c.closesAt && eventDuring && (c.shutBeforeLogSign() || c.pickedInMenu()))
        c.end(s);
      if (c.eventFirst)
        typeAhead();
    };
    op.afterMessage = [=](Station &s) {
      if (c.menu() && !c.shutBeforeLogSign())
        c.end(s);
      settle();
      if (done != Done::After)
        return;
      const auto event = [&] {
        if (!c.command())
          return;
        c.begin(s);
        if (c.pickedInMenu())
          c.end(s);
        settle();
      };
      if (c.eventFirst)
        event();
      // Escape again takes the menu bar out of the keyboard mode a menu's Escape left it in.
      if (qobject_cast<QMenuBar *>(s.f.focusWidget()))
        s.typeSlowly(QStringLiteral("\x1b"));
      s.typeSlowly(c.keys(s.f));
      if (!c.eventFirst)
        event();
      settle();
    };
    return op;
  }
};

// Every combination of row, event and keys, with the rest drawn from `random`.
std::vector<HoldCase> holdCases(std::mt19937 &random) {
  const auto pick = [&](const QStringList &from) {
    return from[std::uniform_int_distribution<qsizetype>(0, from.size() - 1)(random)];
  };
  const auto between = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
  std::vector<HoldCase> cases;
  for (int row = 0; row <= int(RowBefore::EmptiedByHand); ++row)
    for (int during = 0; during <= int(During::RttyCallArrives); ++during)
      for (const Ahead ahead : {Ahead::NextContact, Ahead::CallOnly}) {
        HoldCase c{RowBefore(row), During(during)};
        // Both halves for every event.
        if (row == int(RowBefore::HalfRow))
          c.halfRow = (during + int(ahead)) % 2 ? QStringLiteral("k1abc") : QStringLiteral(" 59911");
        const QString call =
            pick({QStringLiteral("w2abz"), QStringLiteral("ja1xyz"), QStringLiteral("on4abc")});
        c.next = ahead == Ahead::CallOnly
                     ? call
                     : call + QStringLiteral(" 599") + QString::number(between(2, 999)) + u'\r';
        c.band = pick(bandCodes().mid(1, 3)); // 80, 40 or 20
        QStringList others = bandCodes();
        others.removeAll(c.band);
        c.picked = c.during == During::BandLabelClicked ? *nextBand(c.band) : pick(others);
        c.spot = pick({QStringLiteral("DL1ABC"), QStringLiteral("G3XYZ")});
        // A command can come either side of the keys; keys typed first into the menu bar's keyboard
        // mode, or a menu key, are a case of their own. "TU  !" keys at least a dozen units before
        // its log sign.
        c.eventFirst = c.during == During::MenuEscapedBeforeTheKeys || c.during == During::AltBandFirst ||
                       (c.command() && between(0, 1) == 1);
        if (c.eventFirst) {
          c.opensAt = between(1, 4);
          c.closesAt = c.opensAt + between(1, 2);
          // Sometimes in the same burst as the key that closes the menu.
          c.keysAt = (c.shutBeforeLogSign() || c.pickedInMenu() ? c.closesAt : c.opensAt) + between(0, 3);
        } else {
          c.opensAt = between(2, 6);
          c.closesAt = c.opensAt + between(1, 4);
        }
        cases.push_back(c);
      }
  return cases;
}

} // namespace

// The hold's whole rule: where the log sign logs the row or finds nothing typed in it, what was
// done during the message gives the log and row of the same done after it, in the same order;
// otherwise nothing more is logged, the row and band stay as the operator left them, and there
// is one more beep.
TEST(TypeAhead, WhatIsDoneDuringAMessageThatHoldsItsLogSignLandsAsIfDoneAfterIt) {
  const unsigned seed =
      qEnvironmentVariableIsSet("ORVEX_SEED") ? qEnvironmentVariableIntValue("ORVEX_SEED") : 45;
  std::mt19937 random(seed);
  const auto shown = [](const Outcome &o) {
    return QStringLiteral("%1 / %2 / beeps %3")
        .arg(o.log.join(u';'), o.row.join(u','))
        .arg(o.beeps)
        .toStdString();
  };
  int failed = 0;
  const std::vector<HoldCase> cases = holdCases(random);
  for (const HoldCase &c : cases) {
    const Outcome ahead = thanks(c.operating(Done::During));
    const Outcome reference = thanks(c.operating(c.rowTaken() ? Done::After : Done::Never));
    const bool same = ahead.log == reference.log && ahead.row == reference.row &&
                      ahead.beeps == reference.beeps + (c.rowTaken() ? 0 : 1);
    failed += same ? 0 : 1;
    EXPECT_TRUE(same) << c.describe() << " (ORVEX_SEED=" << seed << ")\n  during: " << shown(ahead)
                      << "\n  after:  " << shown(reference);
  }
  EXPECT_EQ(failed, 0) << "of " << cases.size() << " cases";
}
