// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ExamSheet.h"

#include "grading/Numbers.h"
#include "window/NotenspiegelChart.h"
#include "window/Version.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <functional>

namespace {

// A TrueType face every system has: the window's "MS Sans Serif" is a bitmap font on Windows.
QFont sheetFont(qreal points, bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Lays blocks down a page and starts the next page where one does not fit.
class Pages {
public:
    Pages(QPagedPaintDevice& device, QPainter& painter) : m_device(device), m_painter(painter) {
        const QRect page = device.pageLayout().paintRectPixels(device.logicalDpiX());
        m_area = QRectF(0, 0, page.width(), page.height());
        m_y = m_area.top();
    }

    qreal points(qreal pt) const { return pt * m_device.logicalDpiY() / 72.0; }
    qreal width() const { return m_area.width(); }

    // Paints a block of `height` at the next place it fits whole, the footer on every page.
    void place(qreal height, const std::function<void(qreal top)>& paint) {
        const qreal bottom = m_area.bottom() - points(16);
        if (m_y > m_area.top() && m_y + height > bottom) {
            footer();
            m_device.newPage();
            m_y = m_area.top();
        }
        paint(m_y);
        m_y += height;
    }

    void footer() {
        m_painter.setFont(sheetFont(8));
        m_painter.drawText(QRectF(0, m_area.bottom() - points(10), width(), points(10)),
                           Qt::AlignRight | Qt::AlignVCenter,
                           QStringLiteral("Erstellt mit Zensulino " ZENSULINO_ABOUT_VERSION));
    }

private:
    QPagedPaintDevice& m_device;
    QPainter& m_painter;
    QRectF m_area;
    qreal m_y = 0;
};

qreal lineHeight(QPainter& painter, const QFont& font) {
    return QFontMetricsF(font, painter.device()).height() * 1.25;
}

// A grid of the cells, the first row bold; every column as wide as `columnWidth`.
qreal tableHeight(QPainter& painter, const grading::PasteTable& table) {
    return static_cast<qreal>(table.rows.size()) * lineHeight(painter, sheetFont(9));
}

void paintTable(QPainter& painter, const grading::PasteTable& table, QPointF topLeft,
                qreal firstColumn, qreal columnWidth) {
    const qreal row = lineHeight(painter, sheetFont(9));
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        painter.setFont(sheetFont(9, r == 0));
        qreal x = topLeft.x();
        for (qsizetype c = 0; c < table.rows[r].size(); ++c) {
            const qreal width = c == 0 ? firstColumn : columnWidth;
            const QRectF cell(x, topLeft.y() + row * static_cast<qreal>(r), width, row);
            painter.drawRect(cell);
            painter.drawText(cell, Qt::AlignCenter, table.rows[r][c]);
            x += width;
        }
    }
}

} // namespace

void paintExamSheet(QPagedPaintDevice& device, const ExamSheet& sheet, const QLocale& locale) {
    QPainter painter(&device);
    Pages pages(device, painter);
    painter.setPen(QPen(Qt::black, pages.points(0.5)));

    auto text = [&](const QString& line, const QFont& font) {
        const qreal height = lineHeight(painter, font);
        pages.place(height, [&](qreal top) {
            painter.setFont(font);
            painter.drawText(QRectF(0, top, pages.width(), height),
                             Qt::AlignLeft | Qt::AlignVCenter, line);
        });
    };
    auto gap = [&](qreal pt) {
        pages.place(pages.points(pt), [](qreal) {});
    };

    if (!sheet.title.isEmpty()) {
        text(sheet.title, sheetFont(15, true));
    }
    text(QStringLiteral("Datum: ") + locale.toString(sheet.date, QStringLiteral("dd.MM.yyyy")),
         sheetFont(10));
    gap(8);
    if (sheet.keyTable) {
        text(sheet.keyTable->caption, sheetFont(11, true));
        grading::PasteTable table = *sheet.keyTable;
        table.caption.clear();
        pages.place(tableHeight(painter, table), [&](qreal top) {
            paintTable(painter, table, {0, top}, pages.points(60), pages.points(60));
        });
    } else {
        text(sheet.keyTableHint, sheetFont(10));
    }

    for (const grading::Notenspiegel::Summary& summary : sheet.summaries) {
        const grading::GradingKey& key = *summary.key;
        QStringList figures{QStringLiteral("Ergebnisse: ") +
                                grading::countText(summary.results, locale),
                            QStringLiteral("%1: %2").arg(key.averageHeading,
                                                         grading::averageText(summary, locale))};
        if (summary.weak) {
            figures << QStringLiteral("%1: %2 (%3)")
                           .arg(key.weakHeading, grading::countText(*summary.weak, locale),
                                grading::weakShareText(summary, locale));
        }
        const grading::PasteTable counts = grading::countTable(summary, locale);
        const auto grades = static_cast<qreal>(key.grades.size());
        const qreal firstColumn = pages.points(60);
        const qreal columnWidth =
            std::min(pages.points(28), (pages.width() - firstColumn) / grades);
        const qreal heading = lineHeight(painter, sheetFont(11, true));
        const qreal chart = pages.points(110);
        const qreal figureLine = lineHeight(painter, sheetFont(10));
        // One block, so that a key's chart, counts and figures stay on one page.
        pages.place(pages.points(14) + heading + chart + tableHeight(painter, counts) +
                        static_cast<qreal>(figures.size()) * figureLine,
                    [&](qreal top) {
                        qreal y = top + pages.points(14);
                        painter.setFont(sheetFont(11, true));
                        painter.drawText(QRectF(0, y, pages.width(), heading),
                                         Qt::AlignLeft | Qt::AlignVCenter, summary.caption);
                        y += heading;
                        painter.setFont(sheetFont(9));
                        paintNotenspiegelChart(
                            painter, QRectF(firstColumn, y, columnWidth * grades, chart), summary,
                            {Qt::black, QColor(150, 150, 150), QColor(40, 40, 40)}, locale);
                        y += chart;
                        paintTable(painter, counts, {0, y}, firstColumn, columnWidth);
                        y += tableHeight(painter, counts);
                        painter.setFont(sheetFont(10));
                        for (const QString& figure : figures) {
                            painter.drawText(QRectF(0, y, pages.width(), figureLine),
                                             Qt::AlignLeft | Qt::AlignVCenter, figure);
                            y += figureLine;
                        }
                    });
    }
    pages.footer();
}

QByteArray examSheetPdf(const ExamSheet& sheet, const QLocale& locale) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter));
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("Zensulino " ZENSULINO_ABOUT_VERSION));
        writer.setTitle(sheet.title.isEmpty() ? QStringLiteral("Notenspiegel") : sheet.title);
        paintExamSheet(writer, sheet, locale);
    }
    return bytes;
}
