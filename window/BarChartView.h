// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet/BarChart.h"

#include <QWidget>

// A chart in the grade-memory box, a key's Notenspiegel or an exam's tasks, painted as on paper
// in the window's palette. A screen reader hears what it shows by its name; the table under it
// holds the numbers.
class BarChartView : public QWidget {
public:
    // Bars in slots of one and a half lines; or, where that keeps the chart within
    // `levelWithin` pixels, in slots wide enough for every label and figure to stand level.
    BarChartView(Bars bars, const QString& name, QWidget* parent, int levelWithin = 0);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BarChart chart() const;

    Bars m_bars;
    qreal m_slot = 0;
};
