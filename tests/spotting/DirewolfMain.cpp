#include "platform/Controls.h"
#include "tests/spotting/DirewolfEngine.h"

#include <QApplication>

#include <gtest/gtest.h>

// The engine tests share direwolf's network namespace: entered before anything else starts.
int main(int argc, char **argv) {
  enterPrivateNetwork();
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  useDesignFont();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
