// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/Notenspiegel.h"

#include <QColor>
#include <QLocale>
#include <QWidget>

class QPainter;

// The colours a chart is painted in: the window's palette on screen, black on white on paper.
struct ChartColours {
    QColor text;
    QColor bar;
    QColor weakBar; // the weak grades stand out without a legend
};

// A key's Notenspiegel as bars: one a grade, the best on the left, its text under it and its
// count above it, 0 included; all bars of a chart on one scale.
void paintNotenspiegelChart(QPainter& painter, const QRectF& area,
                            const grading::Notenspiegel::Summary& summary,
                            const ChartColours& colours, const QLocale& locale);

// The chart in the grade-memory box. A screen reader hears what it shows by its name; the count
// table beside it holds the numbers.
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
