// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/NotenspiegelChart.h"

#include "grading/Numbers.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

void paintNotenspiegelChart(QPainter& painter, const QRectF& area,
                            const grading::Notenspiegel::Summary& summary,
                            const ChartColours& colours, const QLocale& locale) {
    const grading::GradingKey& key = *summary.key;
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal line = metrics.height();
    const auto grades = static_cast<qreal>(key.grades.size());
    const qreal slot = area.width() / grades;
    const qreal barWidth = slot * 0.7;
    // Room for the count above the tallest bar and the grade under every bar.
    const qreal baseline = area.bottom() - line * 1.2;
    const qreal tallest = baseline - area.top() - line * 1.2;
    const qint64 most =
        std::max<qint64>(1, *std::max_element(summary.counts.begin(), summary.counts.end()));

    painter.save();
    painter.setPen(colours.text);
    painter.drawLine(QPointF(area.left(), baseline), QPointF(area.right(), baseline));
    for (std::size_t grade = 0; grade < key.grades.size(); ++grade) {
        const qreal left = area.left() + slot * static_cast<qreal>(grade);
        const qreal height =
            tallest * static_cast<qreal>(summary.counts[grade]) / static_cast<qreal>(most);
        const QRectF bar(left + (slot - barWidth) / 2, baseline - height, barWidth, height);
        const bool weak = key.firstWeak && grade >= *key.firstWeak;
        painter.fillRect(bar, weak ? colours.weakBar : colours.bar);
        const QRectF column(left, 0, slot, line);
        // A count as wide as "2000" may stand out over its neighbours' empty space.
        painter.drawText(column.adjusted(-slot, 0, slot, 0).translated(0, bar.top() - line * 1.1),
                         Qt::AlignCenter, grading::countText(summary.counts[grade], locale));
        painter.drawText(column.translated(0, baseline + line * 0.1), Qt::AlignCenter,
                         key.grades[grade].text);
    }
    painter.restore();
}

NotenspiegelChart::NotenspiegelChart(const grading::Notenspiegel::Summary& summary,
                                     const QLocale& locale, QWidget* parent)
    : QWidget(parent), m_summary(summary), m_locale(locale) {
    setAccessibleName(summary.caption + QStringLiteral(" als Balkendiagramm"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setMaximumWidth(sizeHint().width()); // six bars stay bars, not slabs
}

QSize NotenspiegelChart::sizeHint() const {
    const int line = fontMetrics().height();
    return {static_cast<int>(m_summary.counts.size()) * 3 * line / 2, 6 * line};
}

void NotenspiegelChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor highlight = palette().color(QPalette::Highlight);
    // The weak grades in a warm red that reads on light and dark themes alike.
    paintNotenspiegelChart(painter, QRectF(rect()).adjusted(2, 2, -2, -2), m_summary,
                           {palette().color(QPalette::WindowText), highlight, QColor(200, 60, 40)},
                           m_locale);
}
