// SPDX-License-Identifier: GPL-3.0-or-later
// gtest main for widget tests: one QApplication, headless unless a display is asked for. What
// paints without widgets runs under a QGuiApplication alone (TESTS_WITHOUT_WIDGETS).
#ifdef TESTS_WITHOUT_WIDGETS
#include <QGuiApplication>
using Application = QGuiApplication;
#else
#include <QApplication>
using Application = QApplication;
#endif
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Nothing a test does may touch the real home folder.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(".config").toLocal8Bit());
    Application app(argc, argv);
    return RUN_ALL_TESTS();
}
