// SPDX-License-Identifier: GPL-3.0-or-later
// GUI tests need one QApplication; they run on Qt's offscreen platform (no display), with
// one 1280 x 800 screen unless QT_QPA_PLATFORM says otherwise.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM",
            "offscreen:configfile=" QEL_TEST_DATA_DIR "/gui/screen-1280x800.json");
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
