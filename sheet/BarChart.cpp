// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/BarChart.h"

#include "grading/Numbers.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <optional>

namespace {

constexpr qreal smallestPoints = 8;

qreal widest(const QFontMetricsF& metrics, const QStringList& texts) {
    qreal most = 0;
    for (const QString& text : texts) {
        most = std::max(most, metrics.horizontalAdvance(text));
    }
    return most;
}

// The text in two lines, broken at the blank that leaves the longer line shortest; none where no
// break makes both lines fit `width`.
std::optional<QString> inTwoLines(const QString& text, const QFontMetricsF& metrics, qreal width) {
    std::optional<QString> best;
    qreal bestLonger = width;
    for (qsizetype blank = text.indexOf(u' '); blank > 0; blank = text.indexOf(u' ', blank + 1)) {
        const qreal longer = std::max(metrics.horizontalAdvance(text.left(blank)),
                                      metrics.horizontalAdvance(text.mid(blank + 1)));
        if (longer <= bestLonger) {
            bestLonger = longer;
            best = text.left(blank) + u'\n' + text.mid(blank + 1);
        }
    }
    return best;
}

} // namespace

Bars gradeBars(const grading::Notenspiegel::Summary& summary, const QLocale& locale) {
    const grading::GradingKey& key = *summary.key;
    const qint64 most =
        std::max<qint64>(1, *std::max_element(summary.counts.begin(), summary.counts.end()));
    Bars bars;
    for (std::size_t grade = 0; grade < key.grades.size(); ++grade) {
        bars.labels << key.grades[grade].text;
        bars.figures << grading::countText(summary.counts[grade], locale);
        bars.heights.push_back(static_cast<qreal>(summary.counts[grade]) /
                               static_cast<qreal>(most));
        bars.standOut.push_back(key.firstWeak && grade >= *key.firstWeak);
    }
    return bars;
}

Bars taskBars(const grading::TaskAnalysis::Summary& summary, const QLocale& locale) {
    const std::vector<std::size_t> dark = grading::standingOut(summary);
    Bars bars;
    for (std::size_t number = 0; number < summary.tasks.size(); ++number) {
        const grading::TaskAnalysis::Task& task = summary.tasks[number];
        bars.labels << grading::countText(static_cast<qint64>(number) + 1, locale);
        bars.figures << grading::rateText(task, summary.results, locale);
        bars.heights.push_back(static_cast<qreal>(task.points) /
                               (static_cast<qreal>(summary.results) * task.maximum));
        bars.standOut.push_back(std::find(dark.begin(), dark.end(), number) != dark.end());
    }
    return bars;
}

BarChart::BarChart(Bars bars, const QFont& font, const QPaintDevice* device, qreal width,
                   qreal barHeight, Fit fit)
    : m_bars(std::move(bars)), m_font(font), m_width(width), m_barHeight(barHeight) {
    QStringList labels = m_bars.labels;
    const QStringList& figures = m_bars.figures;
    const auto places = static_cast<qreal>(std::max<qsizetype>(1, labels.size()));
    m_slot = width / places;

    // Level, in the largest font from the given one down to 8 pt where every text fits.
    auto level = [&] {
        const QFontMetricsF metrics(m_font, device);
        return std::max(widest(metrics, labels), widest(metrics, figures)) <= m_slot * levelShare;
    };
    const qreal given = font.pointSizeF(); // none for a font sized in pixels: it stays
    for (qreal points = given; given > 0 && !level(); points -= 0.5) {
        if (points - 0.5 < std::min(given, smallestPoints)) {
            break;
        }
        m_font.setPointSizeF(points - 0.5);
    }
    const QFontMetricsF metrics(m_font, device);
    m_line = metrics.height();
    const qreal room = m_slot * levelShare;

    if (widest(metrics, labels) <= room) {
        m_labels = Way::Level;
        m_labelBand = m_line * 1.2;
    } else if (std::all_of(labels.begin(), labels.end(), [&](const QString& text) {
                   return metrics.horizontalAdvance(text) <= room ||
                          inTwoLines(text, metrics, room).has_value();
               })) {
        m_labels = Way::TwoLines;
        m_labelBand = m_line * 2.2;
        for (QString& text : labels) {
            if (metrics.horizontalAdvance(text) > room) {
                text = *inTwoLines(text, metrics, room);
            }
        }
    } else {
        // At an angle steep enough that neighbouring labels keep apart, 45° at the least; the
        // first labels may reach further left than their slots, so the bars move right.
        m_labels = Way::Angled;
        // The slot and angle of the room that `m_left` leaves.
        auto settle = [&] {
            m_slot = fit == Fit::Widen ? width / places : (width - m_left) / places;
            m_angle = std::max<qreal>(
                45, qRadiansToDegrees(std::asin(std::min<qreal>(1, m_line * 1.1 / m_slot))));
        };
        for (int pass = 0; pass < 20; ++pass) {
            settle();
            const qreal across = std::cos(qDegreesToRadians(m_angle));
            qreal needed = 0;
            for (qsizetype place = 0; place < labels.size(); ++place) {
                needed = std::max(needed, metrics.horizontalAdvance(labels[place]) * across +
                                              m_line - m_slot * (static_cast<qreal>(place) + 0.5));
            }
            if (needed <= m_left) {
                break;
            }
            m_left = needed;
        }
        settle(); // should the passes not have settled
        if (fit == Fit::Widen) {
            m_width = width + m_left;
        }
        m_labelBand = widest(metrics, labels) * std::sin(qDegreesToRadians(m_angle)) + m_line * 1.5;
    }
    // The figures in the slots the labels left.
    m_figures = widest(metrics, figures) <= m_slot * levelShare ? Way::Level : Way::Upright;
    m_figureBand = m_figures == Way::Level ? m_line * 1.2 : widest(metrics, figures) + m_line;
    placeTexts(labels, metrics);
}

QRectF BarChart::bar(std::size_t place) const {
    const qreal height = m_barHeight * std::clamp<qreal>(m_bars.heights[place], 0, 1);
    const qreal left = m_left + m_slot * static_cast<qreal>(place);
    return {left + m_slot * 0.15, m_figureBand + m_barHeight - height, m_slot * 0.7, height};
}

void BarChart::placeTexts(const QStringList& labels, const QFontMetricsF& metrics) {
    const QStringList& figures = m_bars.figures;
    const qreal baseline = m_figureBand + m_barHeight;
    for (qsizetype place = 0; place < labels.size(); ++place) {
        const QRectF bar = this->bar(static_cast<std::size_t>(place));
        const qreal centre = bar.center().x();
        const qreal figure = metrics.horizontalAdvance(figures[place]);
        if (m_figures == Way::Level) {
            m_texts.push_back(
                {figures[place],
                 QRectF(centre - figure / 2, bar.top() - m_line * 1.1, figure, m_line),
                 {}});
        } else {
            // Upright, read from the bottom up.
            m_texts.push_back(
                {figures[place], QRectF(0, -m_line / 2, figure, m_line),
                 QTransform::fromTranslate(centre, bar.top() - m_line * 0.3).rotate(-90)});
        }
        const QString& label = labels[place];
        const qreal below = baseline + m_line * 0.1;
        const QStringList lines = label.split(u'\n');
        const qreal width = widest(metrics, lines);
        if (m_labels != Way::Angled) {
            m_texts.push_back({label,
                               QRectF(centre - width / 2, below, width,
                                      m_line * static_cast<qreal>(lines.size())),
                               {}});
        } else {
            // The label ends under its bar and runs down to the left.
            m_texts.push_back(
                {label, QRectF(-width, -m_line / 2, width, m_line),
                 QTransform::fromTranslate(centre, below + m_line * 0.5).rotate(-m_angle)});
        }
    }
}

void BarChart::paint(QPainter& painter, QPointF topLeft, const ChartColours& colours) const {
    painter.save();
    painter.translate(topLeft);
    painter.setFont(m_font);
    painter.setPen(colours.text);
    const qreal baseline = m_figureBand + m_barHeight;
    painter.drawLine(QPointF(m_left, baseline), QPointF(m_width, baseline));
    for (std::size_t place = 0; place < m_bars.heights.size(); ++place) {
        painter.fillRect(bar(place), m_bars.standOut[place] ? colours.weakBar : colours.bar);
    }
    for (const Text& text : m_texts) {
        painter.save();
        painter.setTransform(text.placing, true);
        // Never cut: the box is the text's own size.
        painter.drawText(text.box, Qt::AlignCenter | Qt::TextDontClip, text.text);
        painter.restore();
    }
    painter.restore();
}
