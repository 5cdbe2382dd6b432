// The key layer: key codes, the order in which the form and the field see a key, what a
// handler's answer types, the paths around the handlers that are closed, and the focus signals.
#include "platform/Controls.h"
#include "platform/KeyCodes.h"
#include "tests/support/TestContext.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

#include <gtest/gtest.h>

namespace {

int virtualKeyCode(int key, Qt::KeyboardModifiers modifiers) {
  return virtualKeyCode(QKeyEvent(QEvent::KeyPress, key, modifiers));
}
int keyAscii(int key, Qt::KeyboardModifiers modifiers, const QString &text) {
  return keyAscii(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
}

} // namespace

TEST(KeyCodes, VirtualKeyCodesFollowTheWindowsTable) {
  EXPECT_EQ(virtualKeyCode(Qt::Key_A, {}), 65);
  EXPECT_EQ(virtualKeyCode(Qt::Key_Z, Qt::ShiftModifier), 90);
  EXPECT_EQ(virtualKeyCode(Qt::Key_5, {}), 53);
  EXPECT_EQ(virtualKeyCode(Qt::Key_Percent, Qt::ShiftModifier), 53) << "Shift+5 is still the 5 key";
  EXPECT_EQ(virtualKeyCode(Qt::Key_F1, {}), 112);
  EXPECT_EQ(virtualKeyCode(Qt::Key_F10, {}), 121);
  EXPECT_EQ(virtualKeyCode(Qt::Key_F12, {}), 123);
  EXPECT_EQ(virtualKeyCode(Qt::Key_Up, {}), 38);
  EXPECT_EQ(virtualKeyCode(Qt::Key_Down, {}), 40);
  EXPECT_EQ(virtualKeyCode(Qt::Key_Escape, {}), 27);
  EXPECT_EQ(virtualKeyCode(Qt::Key_Return, {}), 13);
  EXPECT_EQ(virtualKeyCode(Qt::Key_Slash, {}), 191);
  EXPECT_EQ(virtualKeyCode(Qt::Key_QuoteDbl, Qt::ShiftModifier), 222);
  EXPECT_EQ(virtualKeyCode(Qt::Key_7, Qt::KeypadModifier), 103);
  EXPECT_EQ(virtualKeyCode(Qt::Key_VolumeUp, {}), 0);
  EXPECT_EQ(shiftState(Qt::ControlModifier), 2);
  EXPECT_EQ(shiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
}

TEST(KeyCodes, CharacterCodesAreWhatAnEightBitWindowReceives) {
  EXPECT_EQ(keyAscii(Qt::Key_K, {}, QStringLiteral("k")), 'k');
  EXPECT_EQ(keyAscii(Qt::Key_Return, {}, QStringLiteral("\r")), 13);
  EXPECT_EQ(keyAscii(Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r")), 13);
  EXPECT_EQ(keyAscii(Qt::Key_Backspace, {}, QStringLiteral("\b")), 8);
  EXPECT_EQ(keyAscii(Qt::Key_Escape, {}, QStringLiteral("\x1b")), 27);
  EXPECT_EQ(keyAscii(Qt::Key_V, Qt::ControlModifier, QStringLiteral("v")), 22);
  EXPECT_EQ(keyAscii(Qt::Key_C, Qt::ControlModifier, QString()), 3);
  EXPECT_EQ(keyAscii(Qt::Key_Eacute, {}, QStringLiteral("\u00e9")), 0xE9);
  EXPECT_EQ(keyAscii(Qt::Key_unknown, {}, QStringLiteral("\u0416")), '?') << "beyond Latin-1";
  // Keys that type nothing: X11 gives Delete the text DEL.
  EXPECT_EQ(keyAscii(Qt::Key_Delete, {}, QStringLiteral("\x7f")), 0);
  EXPECT_EQ(keyAscii(Qt::Key_Left, {}, QString()), 0);
  EXPECT_EQ(keyAscii(Qt::Key_F1, {}, QString()), 0);
  EXPECT_EQ(keyAscii(Qt::Key_F, Qt::AltModifier, QStringLiteral("f")), 0);
  EXPECT_EQ(keyAscii(Qt::Key_1, Qt::ControlModifier, QStringLiteral("1")), 0);
}

TEST(KeyAscii, CodesAsTheOldKeyEventsGaveThem) {
  EXPECT_EQ(keyAscii(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")), 13);
  EXPECT_EQ(keyAscii(Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r")), 13);
  EXPECT_EQ(keyAscii(Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b")), 8);
  EXPECT_EQ(keyAscii(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")), 27);
  EXPECT_EQ(keyAscii(Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16")), 22);
  EXPECT_EQ(keyAscii(Qt::Key_A, Qt::NoModifier, QStringLiteral("a")), 'a');
  EXPECT_EQ(keyAscii(Qt::Key_QuoteDbl, Qt::ShiftModifier, QStringLiteral("\"")), '"');
  EXPECT_EQ(keyAscii(Qt::Key_Left, Qt::NoModifier, QString()), 0);
  EXPECT_EQ(keyAscii(Qt::Key_F1, Qt::NoModifier, QString()), 0);
}

namespace {

class KeyLayer : public ::testing::Test {
protected:
  QWidget window;
  TextBox *box = new TextBox(&window);
  TextBox *other = new TextBox(&window);
  QPushButton *button = new QPushButton(QStringLiteral("OK"), &window);
  QStringList seen;
  int dropAtForm = -1;     // the form drops this character
  int cancelAtForm = -1;   // the form cancels this key going down
  int replaceAtField = -1; // the field types "X" for this character
  KeyTurn turnAtForm = KeyTurn::InOrder;

  void SetUp() override {
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(box);
    layout->addWidget(other);
    layout->addWidget(button);
    const FormKeys form{[this](int &KeyCode, int Shift) {
                          seen << QStringLiteral("down %1/%2").arg(KeyCode).arg(Shift);
                          if (KeyCode == cancelAtForm)
                            KeyCode = 0;
                        },
                        [this](int &KeyAscii) {
                          seen << QStringLiteral("form %1").arg(KeyAscii);
                          if (KeyAscii == dropAtForm)
                            KeyAscii = 0;
                        },
                        [this](int) { return turnAtForm; }};
    box->KeyPress = [this](int &KeyAscii) {
      seen << QStringLiteral("field %1 '%2'").arg(KeyAscii).arg(box->text());
      if (KeyAscii == replaceAtField)
        KeyAscii = 'X';
    };
    box->setKeysOnly();
    for (QWidget *control : std::initializer_list<QWidget *>{box, other, button})
      previewKeys(control, form);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    box->setFocus();
    QCoreApplication::processEvents();
  }
};

} // namespace

TEST_F(KeyLayer, TheFormSeesTheKeyFirstAndTheFieldSeesTheTextBeforeTheKey) {
  QTest::keyClick(box, 'k');
  QTest::keyClick(box, Qt::Key_1);
  EXPECT_EQ(seen, (QStringList{QStringLiteral("down 75/0"), QStringLiteral("form 107"),
                               QStringLiteral("field 107 ''"), QStringLiteral("down 49/0"),
                               QStringLiteral("form 49"), QStringLiteral("field 49 'k'")}));
  EXPECT_EQ(box->text(), QStringLiteral("k1"));

  // A key the form drops never reaches the field; one the field replaces is typed replaced.
  seen.clear();
  dropAtForm = '\'';
  replaceAtField = 'a';
  QTest::keyClick(box, '\'');
  QTest::keyClick(box, 'a');
  EXPECT_EQ(seen,
            (QStringList{QStringLiteral("down 222/0"), QStringLiteral("form 39"), QStringLiteral("down 65/0"),
                         QStringLiteral("form 97"), QStringLiteral("field 97 'k1'")}));
  EXPECT_EQ(box->text(), QStringLiteral("k1X"));

  // A typed character replaces the selection; Backspace deletes through the handlers too.
  box->setSelection(0, 2);
  QTest::keyClick(box, 'z');
  EXPECT_EQ(box->text(), QStringLiteral("zX"));
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(box->text(), QStringLiteral("X"));
  EXPECT_TRUE(seen.contains(QStringLiteral("field 8 'zX'")));
}

TEST_F(KeyLayer, KeysThatTypeNothingKeepTheirMeaningUnlessTheFormCancelsThem) {
  box->setText(QStringLiteral("K1ABC"));
  QTest::keyClick(box, Qt::Key_End);
  EXPECT_EQ(box->cursorPosition(), 5);
  cancelAtForm = 37; // Left
  QTest::keyClick(box, Qt::Key_Left);
  EXPECT_EQ(box->cursorPosition(), 5);
  QTest::keyClick(box, Qt::Key_Home);
  QTest::keyClick(box, Qt::Key_Delete);
  EXPECT_EQ(box->text(), QStringLiteral("1ABC"));
  EXPECT_TRUE(seen.contains(QStringLiteral("down 46/0")));
  EXPECT_FALSE(seen.filter(QStringLiteral("field")).size())
      << "keys without a character reach no key handler";
}

TEST_F(KeyLayer, TextComesInOnlyThroughTheHandlers) {
  QApplication::clipboard()->setText(QStringLiteral("PASTED"));
  box->setText(QStringLiteral("K1ABC"));
  box->setSelection(0, 5);
  for (const auto &[key, modifiers] :
       std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>>{{Qt::Key_V, Qt::ControlModifier},
                                                                        {Qt::Key_X, Qt::ControlModifier},
                                                                        {Qt::Key_Insert, Qt::ShiftModifier},
                                                                        {Qt::Key_Delete, Qt::ShiftModifier},
                                                                        {Qt::Key_Z, Qt::ControlModifier}})
    QTest::keyClick(box, key, modifiers);
  EXPECT_EQ(box->text(), QStringLiteral("K1ABC"));
  EXPECT_TRUE(seen.contains(QStringLiteral("field 22 'K1ABC'"))) << "Ctrl+V reaches the handlers as code 22";

  QTest::mouseClick(box, Qt::MiddleButton);
  EXPECT_EQ(box->text(), QStringLiteral("K1ABC"));
  EXPECT_EQ(box->contextMenuPolicy(), Qt::NoContextMenu);
  EXPECT_FALSE(box->acceptDrops());
}

TEST_F(KeyLayer, TheSelectionSurvivesFocusChangesAndGotFocusIgnoresWindowSwitches) {
  QSignalSpy got(other, &TextBox::gotFocus);
  box->setText(QStringLiteral("599"));
  box->setSelection(0, 3);
  other->setText(QStringLiteral("12"));
  other->setCursorPosition(1);
  QTest::keyClick(box, Qt::Key_Tab);
  EXPECT_TRUE(other->hasFocus());
  EXPECT_EQ(got.count(), 1);
  EXPECT_EQ(box->selectedText(), QStringLiteral("599")) << "the selection survives the focus going away";
  EXPECT_FALSE(other->hasSelectedText()) << "Tab does not select the whole text";
  EXPECT_EQ(other->cursorPosition(), 1);

  QWidget elsewhere;
  elsewhere.show();
  elsewhere.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_TRUE(other->hasFocus());
  EXPECT_EQ(got.count(), 1) << "the window coming back is no focus change";
  QCoreApplication::processEvents();
  EXPECT_EQ(box->selectedText(), QStringLiteral("599")) << "nor does it drop a selection";
}

TEST_F(KeyLayer, TheFormSeesTheKeysOfOtherControlsAndCanSwallowThem) {
  QSignalSpy clicked(button, &QPushButton::clicked);
  button->setFocus();
  dropAtForm = ' ';
  QTest::keyClick(button, Qt::Key_Space);
  EXPECT_EQ(clicked.count(), 0);
  EXPECT_TRUE(seen.contains(QStringLiteral("form 32")));
  dropAtForm = -1;
  QTest::keyClick(button, Qt::Key_Space);
  EXPECT_EQ(clicked.count(), 1);
  QTest::keyClick(button, Qt::Key_F1);
  EXPECT_TRUE(seen.contains(QStringLiteral("down 112/0")));
}

TEST_F(KeyLayer, WorkAKeyDefersRunsBeforeTheNextKeyHoweverManyAreWaiting) {
  // Each key queues work that queues more in turn, as a focus handler that moves the focus does.
  std::function<void(int)> defer = [&](int depth) {
    QMetaObject::invokeMethod(
        &window,
        [&, depth] {
          seen << QStringLiteral("deferred %1").arg(depth);
          if (depth < 6)
            defer(depth + 1);
        },
        Qt::QueuedConnection);
  };
  box->KeyPress = [&](int &KeyAscii) {
    seen << QStringLiteral("field %1").arg(KeyAscii);
    defer(1);
  };
  queueKeys(window.windowHandle(), QStringLiteral("ab"));
  for (int round = 0; round < 8; ++round)
    QCoreApplication::processEvents();
  QStringList work;
  for (int depth = 1; depth <= 6; ++depth)
    work << QStringLiteral("deferred %1").arg(depth);
  EXPECT_EQ(seen.filter(QStringLiteral("e")),
            QStringList{QStringLiteral("field 97")} + work + QStringList{QStringLiteral("field 98")} + work);
}

TEST_F(KeyLayer, AnotherProgramKeepsTheFocusThroughFocusMovesAndHeldKeysLetGo) {
  QWidget beside;
  beside.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&beside));
  // While the program has the focus, a focus move asks the window system for it.
  activateWithinProgram(window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

  turnAtForm = KeyTurn::Wait;
  queueKeys(window.windowHandle(), QStringLiteral("k1"));
  QCoreApplication::processEvents();
  ASSERT_EQ(box->text(), QString()) << "held";
  anotherProgramTakesTheFocus();
  QSignalSpy focusMoves(qApp, &QGuiApplication::focusWindowChanged);
  activateWithinProgram(beside);
  turnAtForm = KeyTurn::InOrder;
  EXPECT_TRUE(QTest::qWaitFor([&] { return box->text() == QStringLiteral("k1"); }));
  QTest::qWait(20);
  EXPECT_EQ(focusMoves.count(), 0);
  EXPECT_EQ(QGuiApplication::focusWindow(), nullptr);
  EXPECT_EQ(QApplication::activeWindow(), nullptr) << "Qt's active window follows the window system's again";
}

TEST_F(KeyLayer, AKeyHeldForAWindowThatHasGoneIsDroppedWithoutAskingIt) {
  bool gone = false, askedWhenGone = false;
  auto closing = std::make_unique<QWidget>();
  auto *field = new TextBox(closing.get());
  previewKeys(field, {{}, {}, [&](int) {
                        askedWhenGone = askedWhenGone || gone;
                        return KeyTurn::Wait;
                      }});
  closing->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(closing.get()));
  field->setFocus();
  queueKeys(closing->windowHandle(), QStringLiteral("k"));
  QCoreApplication::processEvents();
  closing.reset();
  gone = true;

  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  queueKeys(window.windowHandle(), QStringLiteral("a"));
  QCoreApplication::processEvents();
  EXPECT_FALSE(askedWhenGone);
  EXPECT_EQ(box->text(), QStringLiteral("a"));
}

// The window system sends keys typed while the program was busy to the menu that had the
// keyboard then, also when a key before them has closed it.
TEST_F(KeyLayer, AKeySentToAMenuThatHasClosedGoesWhereTypingGoesNow) {
  QMenu menu(&window);
  bool picked = false;
  menu.addAction(QStringLiteral("&a"), [&] { picked = true; });
  menu.popup(window.mapToGlobal(QPoint(0, 0)));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  menu.hide();
  box->setFocus();
  QTest::keyClick(&menu, Qt::Key_A);
  EXPECT_FALSE(picked);
  EXPECT_EQ(box->text(), QStringLiteral("a"));
}
