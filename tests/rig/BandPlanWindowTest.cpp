#include "platform/Controls.h"
#include "platform/VbText.h"
#include "rig/RigControlfrm.h"
#include "rig/frmBandPlan.h"
#include "tests/support/TestContext.h"

#include <QFontInfo>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class PrivilegesChart : public ::testing::Test, public PcAtHome {
protected:
  void SetUp() override { pc.ctx->screen = std::make_unique<FixedScreenMetrics>(1920, 1080, 1920, 1040); }
  void shipPlan() { pc.shipDataFile(kBandPlanFile); }
  QList<QLabel *> labels(frmBandPlan &w, const char *prefix) {
    QList<QLabel *> out;
    for (QLabel *l : w.findChildren<QLabel *>())
      if (l->objectName().startsWith(QLatin1String(prefix)))
        out << l;
    return out;
  }
};

} // namespace

TEST_F(PrivilegesChart, DrawsTheShippedPlanClassByClass) {
  shipPlan();
  frmBandPlan &w = pc.ctx->window<frmBandPlan>();
  w.Form_Load();
  EXPECT_TRUE(pc.dialogs.shown.empty());
  EXPECT_EQ(w.Label1->text(), QStringLiteral("Frequencies Effective: 03/05/2012"));
  EXPECT_EQ(w.Label2->text(), QStringLiteral("Extra Frequency Privileges"));
  const auto rowsOf = [&](const char *cls) {
    return int(std::count_if(w.records.begin(), w.records.end(),
                             [cls](const BandPlanRecord &r) { return r.cls == QLatin1String(cls); }));
  };
  EXPECT_EQ(labels(w, "blbl").size(), 10);
  EXPECT_EQ(labels(w, "bnlb").size(), 10);
  EXPECT_EQ(labels(w, "priv").size(), rowsOf("E"));
  saveScreenshot(w, QStringLiteral("privileges-extra"));

  for (int twice = 0; twice < 2; ++twice)
    w.Command4->click();
  EXPECT_EQ(w.Label2->text(), QStringLiteral("General Frequency Privileges"));
  EXPECT_EQ(labels(w, "blbl").size(), 10);
  EXPECT_EQ(labels(w, "priv").size(), rowsOf("G"));
  saveScreenshot(w, QStringLiteral("privileges-general"));

  w.Command2->click(); // Technician: 80, 40, 15 and 10 m only
  EXPECT_EQ(labels(w, "blbl").size(), 4);
  EXPECT_EQ(labels(w, "bnlb").size(), 4);
  QLabel *bar = w.findChild<QLabel *>(QStringLiteral("blbl1"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->toolTip(), QStringLiteral("80  3.500 - 4.000"));
  QLabel *segment = w.findChild<QLabel *>(QStringLiteral("priv1"));
  ASSERT_NE(segment, nullptr);
  EXPECT_EQ(segment->toolTip(), QStringLiteral("CW  3.525 - 3.600"));
  EXPECT_EQ(QFontInfo(segment->font()).family(), QStringLiteral("Liberation Sans Narrow"));
  EXPECT_EQ(QFontInfo(w.findChild<QLabel *>(QStringLiteral("bnlb1"))->font()).family(),
            QStringLiteral("Liberation Sans"));
  w.Command3->click();
  EXPECT_EQ(w.Label2->text(), QStringLiteral("Technician Plus Frequency Privileges"));
}

TEST_F(PrivilegesChart, MissingOrOverlongPlanGivesTheMessageAndNoBars) {
  for (int records : {-1, 201}) {
    if (records > 0) {
      QString text = QStringLiteral("\"d\"\r\n\"20\",\"O\",\"PH\",14,14.35\r\n");
      for (int i = 1; i < records; ++i)
        text += QStringLiteral("\"20\",\"E\",\"CW\",14,14.1\r\n");
      ASSERT_TRUE(vb::writeLatin1Atomic(pc.programDir.filePath(kBandPlanFile), text));
    }
    frmBandPlan w(*pc.ctx);
    w.Form_Load();
    ASSERT_NE(pc.dialogs.last(), nullptr);
    EXPECT_EQ(pc.dialogs.last()->text, QStringLiteral("Band data not available."));
    EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Band Data Not Available."));
    EXPECT_TRUE(labels(w, "blbl").isEmpty());
    pc.dialogs.shown.clear();
  }
}

TEST_F(PrivilegesChart, RigWindowAsTheOperatorSeesIt) {
  shipPlan();
  RigControlfrm &rig = pc.ctx->window<RigControlfrm>();
  EXPECT_EQ(rig.BandPlanRows.size(), 21u); // the Extra rows
  rig.List1->setCurrentRow(2);             // Icom
  rig.show();
  rig.lblFreq->setText(QStringLiteral("14.02500"));
  rig.lblMode->setText(QStringLiteral("CW"));
  rig.lblUnProcess->setText(QStringLiteral("FE FE E0 64 03 00 50 02 14 00 FD "));
  saveScreenshot(rig, QStringLiteral("rig-interface-setup"));
}
