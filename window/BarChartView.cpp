// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/BarChartView.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int margin = 2;

} // namespace

BarChartView::BarChartView(Bars bars, const QString& name, QWidget* parent, int levelWithin)
    : QWidget(parent), m_bars(std::move(bars)) {
    m_slot = 1.5 * fontMetrics().height();
    qreal widest = 0;
    for (const QStringList& texts : {m_bars.labels, m_bars.figures}) {
        for (const QString& text : texts) {
            widest = std::max(widest, fontMetrics().horizontalAdvance(text) / BarChart::levelShare);
        }
    }
    if (static_cast<qreal>(m_bars.labels.size()) * (widest + 2) <= levelWithin) {
        m_slot = std::max(m_slot, widest + 2);
    }
    setAccessibleName(name + QStringLiteral(" als Balkendiagramm"));
    setFixedSize(sizeHint()); // six bars stay bars, not slabs
}

// Bars four lines tall.
BarChart BarChartView::chart() const {
    return BarChart(m_bars, font(), this, static_cast<qreal>(m_bars.labels.size()) * m_slot,
                    4.0 * fontMetrics().height(), BarChart::Fit::Widen);
}

QSize BarChartView::sizeHint() const {
    const BarChart shown = chart();
    return QSize(static_cast<int>(std::ceil(shown.width())),
                 static_cast<int>(std::ceil(shown.height()))) +
           QSize(2 * margin, 2 * margin);
}

void BarChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // What stands out in a warm red that reads on light and dark themes alike.
    chart().paint(painter, QPointF(margin, margin),
                  {palette().color(QPalette::WindowText), palette().color(QPalette::Highlight),
                   QColor(200, 60, 40)});
}
