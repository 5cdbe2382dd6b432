#pragma once
// One station PC with its main window and the rig window, in a home folder of its own; the
// tests drive the poll timer's handler themselves.

#include "platform/Timer.h"
#include "rig/RigControlfrm.h"
#include "tests/support/FakeSerialLink.h"
#include "tests/support/TestContext.h"

#include <QListWidget>

#include <gtest/gtest.h>

class RigLink : public ::testing::Test, public PcAtHome {
protected:
  Form1 &f = pc.laidOutForm();

  RigControlfrm &rig() { return pc.ctx->window<RigControlfrm>(); }
  QString settingsPath() const { return pc.programDir.filePath(kRigSettingsFile); }
  QString band() const { return pc.ctx->logging.CurrentBand; }
  void choose(const QString &type) { rig().List1->setCurrentRow(int(rigList().indexOf(type))); }
  // "Test", with the poll timer left to the test: it calls the handler itself.
  void test() {
    rig().Command1_Click();
    holdTimer();
  }
  void holdTimer() { static_cast<QTimer *>(rig().tmrGetData)->stop(); }
  void tick() { rig().tmrGetData_Timer(); }
  FakeSerialLink &fakePort() {
    auto fake = std::make_unique<FakeSerialLink>();
    FakeSerialLink &ref = *fake;
    rig().comComm1 = std::move(fake);
    return ref;
  }
};
