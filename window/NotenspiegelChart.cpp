// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/NotenspiegelChart.h"

#include "sheet/BarChart.h"

#include <QPainter>

namespace {

constexpr int margin = 2;

// A slot of one and a half lines a bar, bars four lines tall.
BarChart chartFor(const QWidget& widget, const grading::Notenspiegel::Summary& summary,
                  const QLocale& locale) {
    const int line = widget.fontMetrics().height();
    return BarChart(summary, locale, widget.font(), &widget,
                    static_cast<qreal>(summary.counts.size()) * 1.5 * line, 4.0 * line,
                    BarChart::Fit::Widen);
}

} // namespace

NotenspiegelChart::NotenspiegelChart(const grading::Notenspiegel::Summary& summary,
                                     const QLocale& locale, QWidget* parent)
    : QWidget(parent), m_summary(summary), m_locale(locale) {
    setAccessibleName(summary.caption + QStringLiteral(" als Balkendiagramm"));
    setFixedSize(sizeHint()); // six bars stay bars, not slabs
}

QSize NotenspiegelChart::sizeHint() const {
    const BarChart chart = chartFor(*this, m_summary, m_locale);
    return QSize(static_cast<int>(std::ceil(chart.width())),
                 static_cast<int>(std::ceil(chart.height()))) +
           QSize(2 * margin, 2 * margin);
}

void NotenspiegelChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The weak grades in a warm red that reads on light and dark themes alike.
    chartFor(*this, m_summary, m_locale)
        .paint(painter, QPointF(margin, margin),
               {palette().color(QPalette::WindowText), palette().color(QPalette::Highlight),
                QColor(200, 60, 40)});
}
