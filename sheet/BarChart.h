// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/Notenspiegel.h"
#include "grading/TaskAnalysis.h"

#include <QColor>
#include <QFont>
#include <QLocale>
#include <QPolygonF>
#include <QRectF>
#include <QStringList>
#include <QTransform>
#include <vector>

class QFontMetricsF;
class QPainter;
class QPaintDevice;

// The colours a chart is painted in: the window's palette on screen, black on white on paper.
struct ChartColours {
    QColor text;
    QColor bar;
    QColor weakBar; // the weak grades and the hardest tasks stand out without a legend
};

// What a chart shows: a bar a grade or a task, the label under it and the figure above it.
struct Bars {
    QStringList labels;
    QStringList figures;
    std::vector<qreal> heights; // 0 to 1, the full height
    std::vector<bool> standOut;
};
// A bar a grade, best first, as tall as its count beside the largest; the weak grades stand out.
Bars gradeBars(const grading::Notenspiegel::Summary& summary, const QLocale& locale);
// A bar a task, as tall as its solution rate from 0 to 100 %; the hardest tasks stand out.
Bars taskBars(const grading::TaskAnalysis::Summary& summary, const QLocale& locale);

// Where a chart puts its texts so that every one stands whole: a key's Notenspiegel, one bar a
// grade, the best on the left, its grade under it and its count above it, 0 included; or an
// exam's tasks with their rates. Texts stand level where they fit their bar's slot, else the font
// shrinks, down to 8 pt and never below; then a label breaks into two lines at a blank, or stands
// at an angle, and a figure turns upright.
class BarChart {
public:
    // Within `width`, as on paper; or with bars in `width` and the chart wider to the left by
    // what angled grades need, as on screen.
    enum class Fit { Within, Widen };
    // A text stands level in a slot where it leaves a little room on either side.
    static constexpr qreal levelShare = 0.9;
    // For bars `barHeight` tall, texts in `font` on `device`.
    BarChart(Bars bars, const QFont& font, const QPaintDevice* device, qreal width, qreal barHeight,
             Fit fit = Fit::Within);

    qreal width() const { return m_width; }
    qreal height() const { return m_figureBand + m_barHeight + m_labelBand; }
    const QFont& font() const { return m_font; }
    // The chart's top left at `topLeft`.
    void paint(QPainter& painter, QPointF topLeft, const ChartColours& colours) const;

    // A label or a figure where it stands: `box` just holds the text, turned by
    // `placing`; the chart's top left is at 0, 0.
    struct Text {
        QString text;
        QRectF box;
        QTransform placing;
        QPolygonF outline() const { return placing.map(QPolygonF(box)); }
    };
    const std::vector<Text>& texts() const { return m_texts; }

private:
    QRectF bar(std::size_t place) const;
    void placeTexts(const QStringList& labels, const QFontMetricsF& metrics);

    enum class Way { Level, TwoLines, Angled, Upright };
    Bars m_bars;
    QFont m_font;
    qreal m_width;
    qreal m_barHeight;
    qreal m_line = 0;
    qreal m_left = 0; // room left of the first slot for an angled grade
    qreal m_slot = 0;
    qreal m_angle = 0; // degrees, for angled grades
    qreal m_figureBand = 0;
    qreal m_labelBand = 0;
    Way m_labels = Way::Level;
    Way m_figures = Way::Level;
    std::vector<Text> m_texts;
};
