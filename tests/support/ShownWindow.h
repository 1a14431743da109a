// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/frmMain.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// The program's window on screen and active, in German, its settings file in a folder of its
// own; the context menu's items are a name away.
class ShownWindow : public testing::Test {
protected:
    void SetUp() override {
        m_window = std::make_unique<frmMain>(QLocale(QLocale::German, QLocale::Germany),
                                             [this] { return m_dir.filePath("Zensulino.ini"); });
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    QAction* action(const char* name) const {
        return m_window->contextMenu()->findChild<QAction*>(QLatin1String(name));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<frmMain> m_window;
};
