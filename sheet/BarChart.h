// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/Notenspiegel.h"

#include <QColor>
#include <QFont>
#include <QLocale>
#include <QPolygonF>
#include <QRectF>
#include <QTransform>
#include <vector>

class QFontMetricsF;
class QPainter;
class QPaintDevice;

// The colours a chart is painted in: the window's palette on screen, black on white on paper.
struct ChartColours {
    QColor text;
    QColor bar;
    QColor weakBar; // the weak grades stand out without a legend
};

// Where a key's Notenspiegel chart puts its texts so that every one stands whole: one bar a grade,
// the best on the left, its grade under it and its count above it, 0 included. Texts stand level
// where they fit their bar's slot, else the font shrinks, down to 8 pt and never below; then a
// grade breaks into two lines at a blank, or stands at an angle, and a count turns upright.
class BarChart {
public:
    // Within `width`, as on paper; or with bars in `width` and the chart wider to the left by
    // what angled grades need, as on screen.
    enum class Fit { Within, Widen };
    // For bars `barHeight` tall, texts in `font` on `device`.
    BarChart(const grading::Notenspiegel::Summary& summary, const QLocale& locale,
             const QFont& font, const QPaintDevice* device, qreal width, qreal barHeight,
             Fit fit = Fit::Within);

    qreal width() const { return m_width; }
    qreal height() const { return m_countBand + m_barHeight + m_labelBand; }
    const QFont& font() const { return m_font; }
    // The chart's top left at `topLeft`.
    void paint(QPainter& painter, QPointF topLeft, const ChartColours& colours) const;

    // A grade's text or its count where it stands: `box` just holds the text, turned by
    // `placing`; the chart's top left is at 0, 0.
    struct Text {
        QString text;
        QRectF box;
        QTransform placing;
        QPolygonF outline() const { return placing.map(QPolygonF(box)); }
    };
    const std::vector<Text>& texts() const { return m_texts; }

private:
    QRectF bar(std::size_t grade) const;
    void placeTexts(const QStringList& labels, const QStringList& counts,
                    const QFontMetricsF& metrics);

    enum class Way { Level, TwoLines, Angled, Upright };
    grading::Notenspiegel::Summary m_summary;
    QFont m_font;
    qreal m_width;
    qreal m_barHeight;
    qreal m_line = 0;
    qreal m_left = 0; // room left of the first slot for an angled grade
    qreal m_slot = 0;
    qreal m_angle = 0; // degrees, for angled grades
    qreal m_countBand = 0;
    qreal m_labelBand = 0;
    Way m_labels = Way::Level;
    Way m_counts = Way::Level;
    std::vector<Text> m_texts;
};
