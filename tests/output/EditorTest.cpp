// The contact editor: what it shows, the checks at Done and on leaving a box, the duplicate
// offer, the key filters and the country completion, and the update the other PCs see.
#include "logging/ContactListView.h"
#include "logging/Form1.h"
#include "output/frmEditCon.h"
#include "platform/Controls.h"
#include "tests/output/SampleContact.h"
#include "tests/support/TestContext.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Editor : ::testing::Test {
  TestLogFile log;
  TestPc pc{log.path};
  Form1 &f = pc.form();

  void add(const ContactRecord &r) { ASSERT_TRUE(pc.ctx->db().insert(r)); }
  // Selects the contact in the list as the operator's click does and loads the editor on it.
  frmEditCon &open(const QString &call, const QString &band,
                   const QString &time = QStringLiteral("14:05:09")) {
    f.Worklist();
    for (int i = 0; i < f.ListView1->rowCount(); ++i) {
      const LogEntry &e = pc.state().log.slot(f.ListView1->text(i, 0).toInt());
      if (e.calls == call && e.uband == band && e.fldtime == time)
        f.ListView1->selectRow(i);
    }
    frmEditCon &editor = pc.ctx->window<frmEditCon>();
    EXPECT_TRUE(editor.Form_Load());
    return editor;
  }
  std::vector<ContactRecord> rows() {
    std::vector<ContactRecord> out;
    EXPECT_TRUE(pc.ctx->db().loadInTableOrder([&out](const ContactRecord &r) {
      out.push_back(r);
      return true;
    }));
    return out;
  }
  static void showActive(frmEditCon &editor) {
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
  }
};

} // namespace

TEST_F(Editor, EachBoxShowsItsColumnAndDoneStoresThemBackUnchanged) {
  add(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20")));
  add(sampleContact(QStringLiteral("W9XYZ"), QStringLiteral("20")));
  const auto before = rows();
  frmEditCon &editor = open(QStringLiteral("K1ABC"), QStringLiteral("20"));
  EXPECT_EQ(editor.windowTitle(), QStringLiteral("Edit Contact Entry"));
  const std::vector<std::pair<TextBox *, const char *>> boxes{{editor.txtEditNum, "589"},
                                                              {editor.txtEditPre, "USA"},
                                                              {editor.txtEditCall, "K1ABC"},
                                                              {editor.txtEditCk, "579"},
                                                              {editor.txtEditSec, "12"},
                                                              {editor.txtEditDate, "2024/03/30"},
                                                              {editor.txtEditTime, "14:05:09"},
                                                              {editor.txtEditBnd, "20"},
                                                              {editor.txtEditPoints, "6"},
                                                              {editor.Text2, "007"},
                                                              {editor.Text1, "K1"},
                                                              {editor.Text3, "2"}};
  for (const auto &[box, text] : boxes)
    EXPECT_EQ(box->text(), QLatin1String(text)) << text;
  EXPECT_TRUE(editor.Label1->isHidden());
  EXPECT_TRUE(editor.cmdDeleteDupe->isHidden());
  EXPECT_TRUE(editor.Label3->isHidden());

  editor.show();
  editor.cmdDone_Click();
  EXPECT_TRUE(pc.dialogs.shown.empty());
  EXPECT_EQ(pc.dialogs.beeps, 0) << "the contact is not its own duplicate";
  EXPECT_TRUE(editor.isHidden());
  EXPECT_EQ(rows(), before);
}

TEST_F(Editor, OneEditRewritesEveryRowOfTheOldCallBandAndTimeAsTyped) {
  add(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20")));
  add(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20")));
  add(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20"), QStringLiteral("15:00:00")));
  frmEditCon &editor = open(QStringLiteral("K1ABC"), QStringLiteral("20"));
  editor.txtEditCall->setText(QStringLiteral("K1AB'C"));
  editor.txtEditPre->setText(QStringLiteral("Cote d'Ivoire  "));
  editor.Text1->setText(QStringLiteral("T\"U"));
  editor.txtEditDate->setText(QStringLiteral("2024/5/25"));
  editor.txtEditTime->setText(QStringLiteral("7:05"));
  editor.txtEditBnd->setText(QStringLiteral("40"));
  editor.txtEditPoints->setText(QStringLiteral("x"));
  editor.cmdDone_Click();
  EXPECT_TRUE(pc.dialogs.shown.empty());

  ContactRecord edited =
      sampleContact(QStringLiteral("K1AB'C"), QStringLiteral("40"), QStringLiteral("7:05"));
  edited.countryworked = QStringLiteral("Cote d'Ivoire");
  edited.prefix = QStringLiteral("T\"U");
  edited.flddate = QStringLiteral("2024/5/25");
  edited.points = QStringLiteral("0");
  const auto after = rows();
  ASSERT_EQ(after.size(), 3u);
  EXPECT_EQ(after[0], edited);
  EXPECT_EQ(after[1], edited);
  EXPECT_EQ(after[2],
            sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20"), QStringLiteral("15:00:00")));
}

TEST_F(Editor, TimeThenDateThenBandAreCheckedAtDone) {
  add(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20")));
  const auto before = rows();
  frmEditCon &editor = open(QStringLiteral("K1ABC"), QStringLiteral("20"));
  editor.show();
  editor.txtEditTime->setText(QStringLiteral("24:00"));
  editor.txtEditDate->setText(QStringLiteral("2024/02/30"));
  editor.txtEditBnd->setText(QStringLiteral("2"));
  editor.cmdDone_Click();
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.last()->text, QStringLiteral("You have entered an invalid time format!"));
  EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Invalid Time Format!"));

  editor.txtEditTime->setText(QStringLiteral("23:59:59"));
  editor.cmdDone_Click();
  ASSERT_EQ(pc.dialogs.shown.size(), 2u);
  EXPECT_EQ(pc.dialogs.last()->text, QStringLiteral("You have entered an invalid date format!"));
  EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Invalid Date Format!"));

  editor.txtEditDate->setText(QStringLiteral("2024/2/29"));
  editor.cmdDone_Click();
  EXPECT_EQ(pc.dialogs.shown.size(), 2u) << "the band has no message box";
  EXPECT_FALSE(editor.Label3->isHidden());
  EXPECT_EQ(editor.Label3->text(), QStringLiteral("   Invalid!"));
  EXPECT_EQ(pc.dialogs.beeps, 3);
  EXPECT_FALSE(editor.isHidden());
  EXPECT_EQ(rows(), before);

  editor.txtEditBnd->setText(QStringLiteral("160"));
  editor.cmdDone_Click();
  EXPECT_TRUE(editor.Label3->isHidden());
  EXPECT_TRUE(editor.isHidden());
  EXPECT_EQ(rows()[0].uband, QStringLiteral("160"));
}

TEST_F(Editor, LeavingABadBoxComplainsOnceAndTakesTheFocusBack) {
  add(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20")));
  frmEditCon &editor = open(QStringLiteral("K1ABC"), QStringLiteral("20"));
  showActive(editor);

  editor.txtEditTime->setFocus();
  editor.txtEditTime->setText(QStringLiteral("9:60"));
  editor.txtEditBnd->setFocus(Qt::TabFocusReason);
  QTest::qWait(1);
  EXPECT_EQ(pc.dialogs.messages(), QStringList{QStringLiteral("You have entered an invalid time format!")});
  EXPECT_TRUE(editor.txtEditTime->hasFocus());

  editor.txtEditTime->setText(QStringLiteral("9:59"));
  editor.txtEditBnd->setFocus(Qt::TabFocusReason);
  editor.txtEditBnd->setText(QStringLiteral("20m"));
  editor.Text3->setFocus(Qt::TabFocusReason);
  QTest::qWait(1);
  EXPECT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_FALSE(editor.Label3->isHidden());
  EXPECT_TRUE(editor.txtEditBnd->hasFocus());
  EXPECT_EQ(pc.dialogs.beeps, 2);

  editor.txtEditBnd->setText(QStringLiteral("20"));
  editor.Text3->setText(QStringLiteral("x"));
  editor.Text3->setFocus(Qt::TabFocusReason);
  QTest::qWait(1);
  EXPECT_TRUE(editor.Label3->isHidden());
  editor.txtEditDate->setFocus(Qt::TabFocusReason);
  QTest::qWait(1);
  EXPECT_EQ(editor.Text3->text(), QStringLiteral("0")) << "a transmitter that is no number becomes 0";
}

TEST_F(Editor, MovingBetweenTwoBadBoxesComplainsOnceNotInTurnForEver) {
  // A contact restored from elsewhere may carry a date and a time that are both unreadable.
  ContactRecord odd = sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20"), QStringLiteral("905"));
  odd.flddate = QStringLiteral("2024/02/30");
  add(odd);
  frmEditCon &editor = open(QStringLiteral("K1ABC"), QStringLiteral("20"), QStringLiteral("905"));
  showActive(editor);
  editor.txtEditTime->setFocus();
  editor.txtEditDate->setFocus(Qt::MouseFocusReason);
  for (int i = 0; i < 5; ++i)
    QTest::qWait(1);
  EXPECT_EQ(pc.dialogs.messages().join(u'|').toStdString(), "You have entered an invalid time format!")
      << "the date box lost the focus to the time box's complaint, not to the operator";
  EXPECT_TRUE(editor.txtEditTime->hasFocus());

  // Done from the date box: the time is checked first and takes the focus, once.
  pc.dialogs.shown.clear();
  editor.txtEditDate->setFocus(Qt::MouseFocusReason);
  QTest::qWait(1);
  pc.dialogs.shown.clear();
  QTest::keyClick(editor.txtEditDate, Qt::Key_Return);
  for (int i = 0; i < 5; ++i)
    QTest::qWait(1);
  EXPECT_EQ(pc.dialogs.messages().join(u'|').toStdString(), "You have entered an invalid time format!");
  EXPECT_TRUE(editor.txtEditTime->hasFocus());
}

TEST_F(Editor, ADuplicateIsOfferedForDeletionAndOnlyAnExactMatchCounts) {
  add(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20")));
  add(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20"), QStringLiteral("14:06:00")));
  add(sampleContact(QStringLiteral("W9XYZ"), QStringLiteral("20")));
  const auto before = rows();
  frmEditCon &editor = open(QStringLiteral("W9XYZ"), QStringLiteral("20"));
  editor.show();
  editor.txtEditCall->setText(QStringLiteral("K1ABC"));
  editor.cmdDone_Click();
  EXPECT_EQ(pc.dialogs.beeps, 2) << "one beep per duplicate";
  EXPECT_FALSE(editor.Label1->isHidden());
  EXPECT_EQ(editor.Label1->text(), QStringLiteral("Dupe!"));
  EXPECT_FALSE(editor.cmdDeleteDupe->isHidden());
  EXPECT_FALSE(editor.isHidden());
  EXPECT_EQ(rows(), before);

  // Case counts in the scan; the old values still find the row.
  editor.txtEditCall->setText(QStringLiteral("k1abc"));
  editor.cmdDone_Click();
  EXPECT_TRUE(editor.Label1->isHidden());
  EXPECT_TRUE(editor.isHidden());
  EXPECT_EQ(rows()[2].calls, QStringLiteral("k1abc"));
}

TEST_F(Editor, DeleteDupeHidesTheEditorAndDeletesTheContactUnderEdit) {
  add(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20")));
  add(sampleContact(QStringLiteral("W9XYZ"), QStringLiteral("20")));
  frmEditCon &editor = open(QStringLiteral("W9XYZ"), QStringLiteral("20"));
  editor.show();
  editor.txtEditCall->setText(QStringLiteral("K1ABC"));
  editor.cmdDone_Click();
  pc.dialogs.answers = {Dialogs::Answer::Yes};
  editor.cmdDeleteDupe_Click();
  EXPECT_TRUE(editor.isHidden());
  EXPECT_EQ(pc.dialogs.last()->text, QStringLiteral("Are you sure?"));
  const auto after = rows();
  ASSERT_EQ(after.size(), 1u);
  EXPECT_EQ(after[0].calls, QStringLiteral("K1ABC"));
}

TEST_F(Editor, AFailedUpdateIsReportedAndTheTypedValuesStay) {
  add(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20")));
  frmEditCon &editor = open(QStringLiteral("K1ABC"), QStringLiteral("20"));
  editor.show();
  editor.txtEditCall->setText(QStringLiteral("K1ABD"));
  pc.flaky().failUpdates = 1;
  editor.cmdDone_Click();
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Unable to update contact."));
  EXPECT_EQ(pc.dialogs.last()->text, QStringLiteral("network error"));
  EXPECT_FALSE(editor.isHidden());
  EXPECT_EQ(editor.txtEditCall->text(), QStringLiteral("K1ABD"));
  editor.cmdDone_Click();
  EXPECT_TRUE(editor.isHidden());
  EXPECT_EQ(rows()[0].calls, QStringLiteral("K1ABD"));
}

TEST_F(Editor, AContactGoneFromTheLogMeanwhileIsReportedNotTakenAsStored) {
  add(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20")));
  frmEditCon &editor = open(QStringLiteral("K1ABC"), QStringLiteral("20"));
  editor.show();
  // Another PC deletes the contact while this one edits it.
  TestPc other{log.path};
  ASSERT_TRUE(other.ctx->db().deleteByCallBandTime(QStringLiteral("K1ABC"), QStringLiteral("20"),
                                                   QStringLiteral("14:05:09")));
  editor.txtEditCall->setText(QStringLiteral("K1ABD"));
  editor.cmdDone_Click();
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Unable to update contact."));
  EXPECT_FALSE(pc.dialogs.last()->text.isEmpty());
  EXPECT_FALSE(editor.isHidden());
  EXPECT_TRUE(rows().empty());
}

TEST_F(Editor, KeysAreFilteredPerBoxAndEnterStoresFromAllButTheTransmitter) {
  add(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20")));
  frmEditCon &editor = open(QStringLiteral("K1ABC"), QStringLiteral("20"));
  showActive(editor);
  const auto typeInto = [](TextBox *box, const QString &keys) {
    box->setFocus();
    box->setText(QString());
    QTest::keyClicks(box, keys);
    return box->text();
  };
  EXPECT_EQ(typeInto(editor.txtEditPoints, QStringLiteral("a 3")), QStringLiteral("603"));
  // The date and time typed are refused on leaving, before the next key: valid ones go back.
  EXPECT_EQ(typeInto(editor.txtEditDate, QStringLiteral("2024/o5-25")), QStringLiteral("2024/525"));
  editor.txtEditDate->setText(QStringLiteral("2024/5/25"));
  EXPECT_EQ(typeInto(editor.txtEditTime, QStringLiteral("12:3a4.5")), QStringLiteral("12:345"));
  editor.txtEditTime->setText(QStringLiteral("12:34"));
  EXPECT_EQ(typeInto(editor.txtEditCall, QStringLiteral("w9\"xyz/p")), QStringLiteral("W9XYZ/P"));
  EXPECT_EQ(typeInto(editor.Text3, QStringLiteral("1a2 ")), QStringLiteral("12"));
  QTest::keyClick(editor.Text3, Qt::Key_Return);
  EXPECT_FALSE(editor.isHidden()) << "Enter in the transmitter box does not store";

  typeInto(editor.txtEditTime, QStringLiteral("12:34"));
  typeInto(editor.txtEditDate, QStringLiteral("2024/5/25"));
  QTest::keyClick(editor.txtEditCall, Qt::Key_Enter);
  EXPECT_TRUE(pc.dialogs.shown.empty());
  EXPECT_TRUE(editor.isHidden());
  EXPECT_EQ(rows()[0].calls, QStringLiteral("W9XYZ/P"));
  EXPECT_EQ(rows()[0].trn, QStringLiteral("12"));
}

TEST_F(Editor, TheCountryCompletesFromTheLastEntryMatchingInCase) {
  for (const char *name : {"Germany", "Georgia", "Ghana", "Greece"})
    pc.state().CountryTable.add({QStringLiteral("X"), QString::fromLatin1(name), QStringLiteral("EU"), 0, 0});
  add(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20")));
  frmEditCon &editor = open(QStringLiteral("K1ABC"), QStringLiteral("20"));
  showActive(editor);
  TextBox *box = editor.txtEditPre;
  box->setFocus();
  box->setText(QString());

  QTest::keyClick(box, Qt::Key_G); // capital at the start of the box
  EXPECT_EQ(box->text(), QStringLiteral("Greece"));
  EXPECT_EQ(box->selectedText(), QStringLiteral("reece"));
  EXPECT_EQ(box->selectionStart(), 1);
  QTest::keyClicks(box, QStringLiteral("e"));
  EXPECT_EQ(box->text(), QStringLiteral("Georgia"));
  EXPECT_EQ(box->selectedText(), QStringLiteral("orgia"));
  QTest::keyClicks(box, QStringLiteral("r"));
  EXPECT_EQ(box->text(), QStringLiteral("Germany"));
  EXPECT_EQ(box->selectedText(), QStringLiteral("many"));
  QTest::keyClicks(box, QStringLiteral("M"));
  EXPECT_EQ(box->text(), QStringLiteral("GerM")) << "no entry matches in that case: the key goes in";
  EXPECT_FALSE(box->hasSelectedText());
}

TEST_F(Editor, TheEditButtonOpensTheEditorAndReloadsTheChange) {
  add(sampleContact(QStringLiteral("K1ABC"), QStringLiteral("20")));
  f.cmdEdit_Click();
  EXPECT_FALSE(pc.ctx->loaded<frmEditCon>()) << "nothing selected, nothing to edit";
  EXPECT_TRUE(f.Timer3->isActive());

  f.ListView1->selectRow(0);
  QTimer::singleShot(0, [this] {
    frmEditCon &editor = pc.ctx->window<frmEditCon>();
    editor.txtEditCall->setText(QStringLiteral("K1ABD"));
    editor.cmdDone_Click();
  });
  f.cmdEdit_Click();
  EXPECT_EQ(f.ListView1->text(0, 1), QStringLiteral("K1ABD"));
  EXPECT_EQ(pc.state().log.slot(1).calls, QStringLiteral("K1ABD"));
  EXPECT_TRUE(f.Timer3->isActive());
  EXPECT_TRUE(f.cmdEdit->isHidden());
}
