// Voice navigation: which entry fields speak in each mode, the announcement the first prompt of
// a run plays, the settings window, and the bounded wait after "Dupe". The prompts are the
// shipped files; the sound device is the fake one, on the fake clock.
#include "keying/BlindFrm.h"
#include "platform/Controls.h"
#include "platform/WavePlayer.h"
#include "tests/support/TestContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

int lengthOf(const QString &name) {
  return wavDurationMs(promptFile(name)).value_or(-1);
}

struct Navigation {
  explicit Navigation(int mode, bool withPrompts = true) {
    pc.clock.readStep = 0;
    pc.ctx->keying.VoiceNavMode = mode;
    if (!withPrompts)
      return;
    const QDir prompts(sourceDataDir() + QStringLiteral("/prompts"));
    for (const QString &name : prompts.entryList({QStringLiteral("*.wav")}))
      QFile::copy(prompts.filePath(name), pc.programDir.filePath(name.toLower()));
  }
  void focus(TextBox *box) {
    emit box->gotFocus();
    QCoreApplication::processEvents();
  }
  // The prompts heard, by their names as the program asks for them (the files are lower case).
  QStringList names() const {
    const QStringList all = {"Call",   "Country", "Points", "Prefix", "RstRcvd",
                             "RstSnt", "SerNum",  "Dupe",   "NavEn",  "NavDis"};
    QStringList out;
    for (const auto &s : pc.sounds.started)
      for (const QString &name : all)
        if (name.compare(s.name, Qt::CaseInsensitive) == 0)
          out << name;
    return out;
  }
  std::int64_t at(int n) const { return pc.sounds.started.at(static_cast<size_t>(n)).ms; }
  // A contact on the band, then the same call again: a dupe.
  void dupe() {
    pc.type(QStringLiteral("K1ABC"));
    f.Mains();
    pc.type(QStringLiteral("K1ABC"));
    f.dupcheck();
  }

  TestLogFile log;
  TestPc pc{log.path};
  Form1 &f = pc.laidOutForm();
};

} // namespace

TEST(VoiceNavigation, EachModeSpeaksItsFieldsAfterItsAnnouncement) {
  const QStringList fields = {"Call", "Country", "Points", "Prefix", "RstRcvd", "RstSnt", "SerNum"};
  const struct {
    int mode;
    QStringList heard;
  } cases[] = {
      {1, {"NavEn", "Call", "Call"}},
      {2, QStringList{"NavEn"} + fields},
      {7, fields}, // a mode from a damaged file selects no option and speaks as 2
  };
  for (const auto &c : cases) {
    Navigation n(c.mode);
    for (TextBox *box :
         {n.f.txtCall, n.f.txtCntry, n.f.txtPoints, n.f.txtPref, n.f.txtRSTR, n.f.txtRSTS, n.f.txtSec})
      n.focus(box);
    EXPECT_EQ(n.names(), c.heard) << c.mode;
  }
}

TEST(VoiceNavigation, TheFirstPromptOfARunWaitsForCallOnlyAndCutsTheOthers) {
  {
    Navigation n(1);
    n.focus(n.f.txtCall);
    ASSERT_EQ(n.names(), (QStringList{"NavEn", "Call", "Call"}));
    EXPECT_GE(n.at(1), n.at(0) + lengthOf(QStringLiteral("NavEn"))) << "NavEn to its end";
    EXPECT_EQ(n.at(2), n.at(1)) << "the requested prompt cuts in";
  }
  {
    Navigation n(2);
    n.focus(n.f.txtCntry);
    ASSERT_EQ(n.names(), (QStringList{"NavEn", "Country"}));
    EXPECT_EQ(n.at(1), n.at(0));
  }
  {
    Navigation n(0);
    n.focus(n.f.txtCall);
    EXPECT_TRUE(n.names().isEmpty()) << "mode 0 asks for nothing on focus";
    n.dupe();
    EXPECT_EQ(n.names(), (QStringList{"NavDis", "Dupe"}));
    EXPECT_EQ(n.pc.clock.slept, 0) << "no wait in mode 0";
  }
}

TEST(VoiceNavigation, TheWindowAnnouncesEachChoiceAndDoneStoresTheMode) {
  Navigation n(0);
  BlindFrm &w = n.pc.ctx->window<BlindFrm>();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Voice Navigation Settings"));
  EXPECT_EQ(w.Label7->text(),
            QStringLiteral("Put the audio wave files in this program's working directory: ") +
                n.pc.programDir.path());
  EXPECT_TRUE(w.Option1->isChecked());
  w.Option2->click();
  EXPECT_EQ(n.names(), (QStringList{"NavDis", "NavEn", "Call"}));
  EXPECT_GE(n.at(2), n.at(1) + lengthOf(QStringLiteral("NavEn")));
  EXPECT_EQ(n.pc.ctx->keying.VoiceNavMode, 0) << "only Done changes the mode";
  w.Option3->click();
  EXPECT_EQ(n.names().last(), QStringLiteral("NavEn"));
  w.show();
  w.Command1->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(n.pc.ctx->keying.VoiceNavMode, 2);
  EXPECT_EQ(n.pc.storedPreference(15), QStringLiteral("2"));
  saveScreenshot(w, QStringLiteral("BlindFrm"));
}

TEST(VoiceNavigation, WithoutPromptFilesEverythingIsSilentAndNothingWaits) {
  Navigation n(2, false);
  n.focus(n.f.txtCall);
  n.focus(n.f.txtSec);
  n.dupe();
  EXPECT_TRUE(n.pc.sounds.started.empty());
  EXPECT_EQ(n.pc.clock.slept, 0);
  EXPECT_EQ(n.pc.state().DupeFlag, 1);
}

TEST(VoiceNavigation, ADeviceThatNeverReportsTheEndHoldsTheDupeWaitOnlyToItsBound) {
  Navigation n(1);
  n.focus(n.f.txtCall);
  n.pc.sounds.reportsEnd = false;
  n.pc.clock.slept = 0;
  n.dupe();
  EXPECT_EQ(n.names().last(), QStringLiteral("Dupe"));
  EXPECT_GE(n.pc.clock.slept, lengthOf(QStringLiteral("Dupe")));
  EXPECT_LE(n.pc.clock.slept, lengthOf(QStringLiteral("Dupe")) + WavePlayer::kEndMarginMs + 10);
}
