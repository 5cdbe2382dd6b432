// The text box's key filter and lost-focus signal, driven by real key and focus events.
#include "platform/Controls.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

TEST(TextBoxKeyPress, TheFilterDropsReplacesOrPassesEachKey) {
  TextBox box;
  QList<int> seen;
  box.KeyPress = [&seen](int &KeyAscii) {
    seen << KeyAscii;
    if (KeyAscii == 'x')
      KeyAscii = 0;
    else if (KeyAscii >= 'a' && KeyAscii <= 'z')
      KeyAscii -= 'a' - 'A';
  };
  QSignalSpy returns(&box, &QLineEdit::returnPressed);
  QTest::keyClicks(&box, QStringLiteral("k1xa"));
  EXPECT_EQ(box.text(), QStringLiteral("K1A"));
  QTest::keyClick(&box, Qt::Key_Backspace);
  EXPECT_EQ(box.text(), QStringLiteral("K1"));
  QTest::keyClick(&box, Qt::Key_Left);
  EXPECT_EQ(box.cursorPosition(), 1) << "keys without a character never reach the filter";
  QTest::keyClick(&box, Qt::Key_Return);
  EXPECT_EQ(returns.count(), 1) << "an unchanged Enter is the box's own";
  EXPECT_EQ(seen, QList<int>({'k', '1', 'x', 'a', 8, 13}));

  box.setSelection(0, 2);
  QTest::keyClick(&box, Qt::Key_B);
  EXPECT_EQ(box.text(), QStringLiteral("B")) << "a replaced key replaces the selection as typing does";
}

TEST(TextBoxLostFocus, SentWhenTheFocusMovesInsideTheWindowOnly) {
  QWidget window;
  auto *a = new TextBox(&window);
  auto *b = new TextBox(&window);
  b->move(0, 40);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  a->setFocus();
  QSignalSpy lost(a, &TextBox::lostFocus);
  b->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(lost.count(), 1);

  a->setFocus();
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_EQ(lost.count(), 1) << "another window taking the activation is no lost focus";
}

TEST(TextBoxSelection, KeptAcrossTheFocusButTheSelectionAndCursorShownOnlyInTheFocusedBox) {
  QWidget window;
  auto *a = new TextBox(&window);
  auto *b = new TextBox(&window);
  b->move(0, 40);
  a->setText(QStringLiteral("WWWWWW"));
  a->selectAll();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const QColor highlight = QApplication::palette(a).color(QPalette::Active, QPalette::Highlight);
  const auto showsSelection = [&highlight](TextBox *box) {
    const QImage image = box->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) == highlight)
          return true;
    return false;
  };
  b->setFocus();
  EXPECT_FALSE(showsSelection(a)) << "a box without the focus shows no selection";
  a->setFocus();
  EXPECT_TRUE(showsSelection(a));
  b->setFocus();
  EXPECT_FALSE(showsSelection(a));
  EXPECT_EQ(a->selectedText(), QStringLiteral("WWWWWW")) << "the selection itself is kept";

  // Nor a cursor, whatever the program selects there (a default report offered ahead).
  a->setText(QStringLiteral("59"));
  const QImage unfocused = a->grab().toImage();
  a->setSelection(0, 2);
  EXPECT_EQ(a->grab().toImage(), unfocused) << "no cursor drawn";
  a->selectAll();
  a->setText(QStringLiteral("59"));
  EXPECT_EQ(a->grab().toImage(), unfocused);
  a->setFocus();
  EXPECT_NE(a->grab().toImage(), unfocused) << "the focused box draws its cursor";
}
