#pragma once
// The cluster window of a test station PC, driven as the window tests drive it; `Pc` holds the
// station PC as `pc`.

#include "spotting/PacketSpotfrm.h"
#include "tests/support/TestContext.h"

#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

template <class Pc> class ClusterWindowTest : public ::testing::Test, public Pc {
protected:
  PacketSpotfrm &w() {
    TestPc &station = this->pc;
    return station.ctx->window<PacketSpotfrm>();
  }
  void choose(const QString &mode) {
    w().List1->setCurrentItem(w().List1->findItems(mode, Qt::MatchExactly).value(0));
  }
  bool listening() { return !w().Label4->isHidden(); }
  void showActive() {
    w().show();
    w().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
  }
};
