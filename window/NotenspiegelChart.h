// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/Notenspiegel.h"

#include <QLocale>
#include <QWidget>

// A key's Notenspiegel as bars in the grade-memory box, painted as on paper in the window's
// palette. A screen reader hears what it shows by its name; the count table under it holds the
// numbers.
class NotenspiegelChart : public QWidget {
public:
    NotenspiegelChart(const grading::Notenspiegel::Summary& summary, const QLocale& locale,
                      QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    grading::Notenspiegel::Summary m_summary;
    QLocale m_locale;
};
