// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/ExamSheet.h"

#include "grading/Numbers.h"
#include "sheet/BarChart.h"
#include "zensulino/Version.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <QTextOption>
#include <functional>
#include <numeric>

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

constexpr int titleLines = 3;
// Bars grey on paper, what stands out dark: it reads in black and white too.
const ChartColours onPaper{Qt::black, QColor(150, 150, 150), QColor(40, 40, 40)};
// Above so many grades a count table stands one grade a row.
constexpr std::size_t gradesInARow = 16;

// `text` wrapped at blanks into lines of `width`, at most `most` of them, the last ending in "…"
// where the text goes on.
QStringList wrapped(const QString& text, const QFont& font, const QPaintDevice* device, qreal width,
                    int most) {
    QTextLayout layout(text, font, device);
    // A word wider than the line, as in a title without blanks, breaks where it must.
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrapping);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() + 1 == most) {
            lines << QFontMetricsF(font, device)
                         .elidedText(text.mid(line.textStart()).trimmed(), Qt::ElideRight, width);
            break;
        }
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

// Lays blocks down the pages, each page headed by the title and the date and footed by its number
// and the program. A first pass only counts the pages, so that the second can say "Seite 1 von 2".
class Pages {
public:
    Pages(QPagedPaintDevice& device, QPainter& painter, const ExamSheet& sheet,
          const QLocale& locale, std::optional<int> count, PageRange range)
        : m_device(device), m_painter(painter), m_count(count), m_range(range) {
        m_area = QRectF(0, 0, device.width(), device.height());
        if (!sheet.title.isEmpty()) {
            m_title = wrapped(sheet.title, sheetFont(15, true), &device, width(), titleLines);
        }
        m_date =
            QStringLiteral("Datum: ") + locale.toString(sheet.date, QStringLiteral("dd.MM.yyyy"));
        head();
    }

    qreal points(qreal pt) const { return pt * m_device.logicalDpiY() / 72.0; }
    qreal width() const { return m_area.width(); }
    // The second pass, on a page asked for.
    bool painting() const { return m_count.has_value() && m_range.holds(m_page); }
    // Room for blocks on a page under its head.
    qreal body() const { return m_area.bottom() - points(16) - m_bodyTop; }
    qreal lineHeight(const QFont& font) const {
        return QFontMetricsF(font, &m_device).height() * 1.25;
    }

    // Paints a block of `height` at the next place it fits whole.
    void place(qreal height, const std::function<void(qreal top)>& paint) {
        if (m_y > m_bodyTop && m_y + height > m_area.bottom() - points(16)) {
            foot();
            const bool painted = painting();
            ++m_page;
            if (painted && painting()) {
                m_device.newPage();
            }
            head();
        }
        if (painting()) {
            paint(m_y);
        }
        m_y += height;
    }

    // Foots the last page; the number of pages.
    int finish() {
        foot();
        return m_page;
    }

    void text(const QString& line, const QFont& font, qreal top) {
        m_painter.setFont(font);
        m_painter.drawText(QRectF(0, top, width(), lineHeight(font)),
                           Qt::AlignLeft | Qt::AlignVCenter, line);
    }

private:
    void head() {
        m_y = m_area.top();
        for (const QString& line : m_title) {
            if (painting()) {
                text(line, sheetFont(15, true), m_y);
            }
            m_y += lineHeight(sheetFont(15, true));
        }
        if (painting()) {
            text(m_date, sheetFont(10), m_y);
        }
        m_y += lineHeight(sheetFont(10)) + points(8);
        m_bodyTop = m_y;
    }

    void foot() {
        if (!painting()) {
            return;
        }
        m_painter.setFont(sheetFont(8));
        const QRectF line(0, m_area.bottom() - points(10), width(), points(10));
        m_painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                           QStringLiteral("Seite %1 von %2").arg(m_page).arg(*m_count));
        m_painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                           QStringLiteral("Erstellt mit Zensulino " ZENSULINO_ABOUT_VERSION));
    }

    QPagedPaintDevice& m_device;
    QPainter& m_painter;
    std::optional<int> m_count; // none while counting
    PageRange m_range;
    QRectF m_area;
    QStringList m_title;
    QString m_date;
    int m_page = 1;
    qreal m_y = 0;
    qreal m_bodyTop = 0;
};

// A grid of cells, the first row bold, each column as wide as its widest text and `least` at
// the least; the columns from `sameFrom` on as wide as each other.
struct Table {
    grading::PasteTable cells;
    QFont font;
    std::vector<qreal> columns;
    qreal row = 0;

    Table(const grading::PasteTable& table, const QFont& look, const Pages& pages,
          const QPaintDevice* device, qreal least, std::size_t sameFrom = 1)
        : cells(table), font(look) {
        QFont bold = font;
        bold.setBold(true);
        const QFontMetricsF plain(font, device);
        const QFontMetricsF heading(bold, device);
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            const QStringList& line = table.rows[r];
            columns.resize(std::max<std::size_t>(columns.size(), line.size()), 0);
            for (qsizetype c = 0; c < line.size(); ++c) {
                const qreal text = (r == 0 ? heading : plain).horizontalAdvance(line[c]);
                auto& width = columns[static_cast<std::size_t>(c)];
                width = std::max({width, text + pages.points(6), least});
            }
        }
        if (sameFrom < columns.size()) {
            const qreal widest = *std::max_element(columns.begin() + sameFrom, columns.end());
            std::fill(columns.begin() + sameFrom, columns.end(), widest);
        }
        row = pages.lineHeight(font);
    }

    qreal width() const { return std::accumulate(columns.begin(), columns.end(), qreal(0)); }
    qreal height() const { return static_cast<qreal>(cells.rows.size()) * row; }

    void paint(QPainter& painter, QPointF topLeft) const {
        for (std::size_t r = 0; r < cells.rows.size(); ++r) {
            QFont look = font;
            look.setBold(r == 0);
            painter.setFont(look);
            qreal x = topLeft.x();
            const QStringList& line = cells.rows[r];
            for (qsizetype c = 0; c < line.size(); ++c) {
                const QRectF cell(x, topLeft.y() + row * static_cast<qreal>(r),
                                  columns[static_cast<std::size_t>(c)], row);
                painter.drawRect(cell);
                painter.drawText(cell, Qt::AlignCenter, line[c]);
                x += cell.width();
            }
        }
    }
};

grading::PasteTable transposed(const grading::PasteTable& table) {
    grading::PasteTable turned{table.caption, {}};
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        for (qsizetype c = 0; c < table.rows[r].size(); ++c) {
            turned.rows.resize(std::max<std::size_t>(turned.rows.size(), c + 1));
            turned.rows[static_cast<std::size_t>(c)] << table.rows[r][c];
        }
    }
    return turned;
}

int layOut(QPagedPaintDevice& device, QPainter& painter, const ExamSheet& sheet,
           const QLocale& locale, std::optional<int> pageCount, PageRange range) {
    Pages pages(device, painter, sheet, locale, pageCount, range);
    painter.setPen(QPen(Qt::black, pages.points(0.5)));

    // A part of a key's block: what it paints, from its top, and how tall it is.
    struct Part {
        qreal height = 0;
        std::function<void(qreal top)> paint;
    };
    // Parts that follow each other stand on one page as far as a page holds them.
    auto placeTogether = [&](const std::vector<Part>& parts) {
        for (std::size_t first = 0; first < parts.size();) {
            std::size_t end = first + 1;
            qreal height = parts[first].height;
            while (end < parts.size() && height + parts[end].height <= pages.body()) {
                height += parts[end++].height;
            }
            pages.place(height, [&](qreal top) {
                for (std::size_t part = first; part < end; ++part) {
                    if (parts[part].paint) {
                        parts[part].paint(top);
                    }
                    top += parts[part].height;
                }
            });
            first = end;
        }
    };
    auto keyTable = [&](const std::optional<grading::PasteTable>& shown,
                        const QString& note) -> Part {
        if (shown) {
            const QFont headingFont = sheetFont(11, true);
            grading::PasteTable cells = *shown;
            cells.caption.clear();
            auto table = std::make_shared<const Table>(cells, sheetFont(9), pages, &device,
                                                       pages.points(40));
            const qreal heading = pages.lineHeight(headingFont);
            return {heading + table->height(),
                    [&, table, heading, headingFont, caption = shown->caption](qreal top) {
                        pages.text(caption, headingFont, top);
                        table->paint(painter, {0, top + heading});
                    }};
        }
        if (!note.isEmpty()) {
            const QFont font = sheetFont(10);
            return {pages.lineHeight(font), [&, font, note](qreal top) {
                        pages.text(note, font, top);
                    }};
        }
        return {};
    };
    // The teacher's line closes the last block and never stands alone on a page.
    const QFont teacherFont = sheetFont(10);
    const qreal teacherGap = pages.points(24);
    const Part teacher{teacherGap + pages.lineHeight(teacherFont), [&](qreal top) {
                           pages.text(QStringLiteral("Lehrkraft: ______________"), teacherFont,
                                      top + teacherGap);
                       }};
    auto withTeacher = [&](Part last) -> Part {
        return {last.height + teacher.height, [&, last](qreal top) {
                    if (last.paint) {
                        last.paint(top);
                    }
                    teacher.paint(top + last.height);
                }};
    };
    if (sheet.keys.empty()) {
        placeTogether({withTeacher(keyTable(sheet.keyTable, sheet.keyTableNote))});
    }

    for (const ExamSheet::Key& sheetKey : sheet.keys) {
        const grading::Notenspiegel::Summary& summary = sheetKey.summary;
        const grading::GradingKey& key = *summary.key;
        struct Figure {
            QString text;
            bool standsOut = false;
        };
        std::vector<Figure> figures{
            {QStringLiteral("Ergebnisse: ") + grading::countText(summary.results, locale)},
            {QStringLiteral("%1: %2").arg(key.averageHeading,
                                          grading::averageText(summary, locale))},
            {QStringLiteral("Median: ") + grading::medianText(summary, locale)}};
        if (summary.weak) {
            figures.push_back({QStringLiteral("%1: %2 (%3)")
                                   .arg(key.weakHeading, grading::countText(*summary.weak, locale),
                                        grading::weakShareText(summary, locale))});
        }
        // The legend for the dark bars, in the key's own unit: "ab Note 5", "unter 05 Punkten".
        if (key.firstWeak) {
            figures.push_back({QStringLiteral("dunkel: schwach, ") +
                               (key.gradeHeading == QStringLiteral("Note")
                                    ? QStringLiteral("ab Note ") + key.grades[*key.firstWeak].text
                                    : key.weakHeading)});
        }
        if (const auto needed = grading::approvalNeeded(summary)) {
            figures.push_back({grading::approvalSentence(summary, locale), *needed});
            if (*needed) {
                figures.push_back({QStringLiteral("Genehmigt: ______________ (Datum, Unterschrift "
                                                  "Schulleitung)")});
            }
        }
        // The counts in a row under the bars where they fit the page in 9 or 8 pt, else one
        // grade a row.
        const grading::PasteTable counts = grading::countTable(summary, locale);
        const grading::PasteTable countsDown = transposed(counts);
        std::optional<Table> across;
        for (const qreal points : {9.0, 8.0}) {
            if (!across && key.grades.size() <= gradesInARow) {
                const Table tried(counts, sheetFont(points), pages, &device, pages.points(28));
                if (tried.width() <= pages.width()) {
                    across = tried;
                }
            }
        }
        const Table table =
            across ? *across : Table(countsDown, sheetFont(9), pages, &device, pages.points(40), 2);
        const qreal chartLeft = across ? table.columns.front() : 0;
        const BarChart chart(gradeBars(summary, locale), sheetFont(9), &device,
                             across ? table.width() - chartLeft : pages.width(), pages.points(90));
        const QFont headingFont = sheetFont(11, true);
        const QFont figureFont = sheetFont(10);
        const qreal heading = pages.lineHeight(headingFont);
        const qreal figureLine = pages.lineHeight(figureFont);
        // A key's chart, counts and figures stay on one page, where a page holds them; else the
        // chart stands on one and the counts and figures on the next.
        const qreal chartPart = pages.points(14) + heading + chart.height() + pages.points(4);
        const qreal countsPart = table.height() + static_cast<qreal>(figures.size()) * figureLine;
        auto paintChart = [&](qreal y) {
            y += pages.points(14);
            pages.text(summary.caption, headingFont, y);
            chart.paint(painter, {chartLeft, y + heading}, onPaper);
        };
        auto paintCounts = [&](qreal y) {
            table.paint(painter, {0, y});
            y += table.height();
            for (const Figure& figure : figures) {
                QFont font = figureFont;
                font.setBold(figure.standsOut);
                pages.text(figure.text, font, y);
                y += figureLine;
            }
        };
        const Part gap{pages.points(10), {}};
        const Part countsAndFigures{countsPart, paintCounts};
        const bool last = &sheetKey == &sheet.keys.back() && sheet.analyses.empty();
        placeTogether({gap,
                       keyTable(sheetKey.keyTable, sheetKey.keyTableNote),
                       {chartPart, paintChart},
                       last ? withTeacher(countsAndFigures) : countsAndFigures});
    }

    // An exam's tasks: its caption over the rates' bars, then a row a task and the hardest named.
    for (const grading::TaskAnalysis::Summary& analysis : sheet.analyses) {
        const grading::PasteTable tasks = grading::taskTable(analysis, locale);
        const QFont headingFont = sheetFont(11, true);
        QStringList caption = wrapped(grading::wrappableCaption(analysis, locale), headingFont,
                                      &device, pages.width(), 8);
        for (QString& line : caption) {
            line.remove(u'\u200B');
        }
        const qreal captionHeight =
            static_cast<qreal>(caption.size()) * pages.lineHeight(headingFont);
        auto paintCaption = [&](qreal y) {
            for (const QString& line : caption) {
                pages.text(line, headingFont, y);
                y += pages.lineHeight(headingFont);
            }
        };
        const auto count = static_cast<qreal>(analysis.tasks.size());
        const BarChart chart(taskBars(analysis, locale), sheetFont(9), &device,
                             std::min(pages.width(), count * pages.points(40)), pages.points(90));
        const qreal chartHeight =
            pages.points(14) + captionHeight + chart.height() + pages.points(4);
        const QFont lineFont = sheetFont(10);
        // Forty tasks of one rate are named in a few lines; the dark bars explained as the
        // Notenspiegel's are.
        QStringList hardest = wrapped(grading::hardestSentence(analysis, locale), lineFont, &device,
                                      pages.width(), 4);
        if (const std::size_t dark = grading::standingOut(analysis).size(); dark > 0) {
            hardest << (dark == 1 ? QStringLiteral("dunkel: schwerste Aufgabe")
                                  : QStringLiteral("dunkel: schwerste Aufgaben"));
        }
        const qreal hardestHeight = static_cast<qreal>(hardest.size()) * pages.lineHeight(lineFont);
        const bool last = &analysis == &sheet.analyses.back();
        const qreal below = hardestHeight + (last ? teacher.height : 0);
        // In 9 pt, or in 8 pt where that keeps the block on one page.
        Table table(tasks, sheetFont(9), pages, &device, pages.points(40));
        if (chartHeight + table.height() + below > pages.body()) {
            const Table smaller(tasks, sheetFont(8), pages, &device, pages.points(40));
            if (chartHeight + smaller.height() + below <= pages.body()) {
                table = smaller;
            }
        }
        // A table on a page of its own is headed by the caption as well.
        const qreal tableCaption =
            chartHeight + table.height() + below > pages.body() ? captionHeight : 0;
        auto paintChart = [&](qreal y) {
            y += pages.points(14);
            paintCaption(y);
            chart.paint(painter, {0, y + captionHeight}, onPaper);
        };
        auto paintTable = [&](qreal y) {
            if (tableCaption > 0) {
                paintCaption(y);
                y += tableCaption;
            }
            table.paint(painter, {0, y});
            y += table.height();
            for (const QString& line : hardest) {
                pages.text(line, lineFont, y);
                y += pages.lineHeight(lineFont);
            }
        };
        const Part tablePart{tableCaption + table.height() + hardestHeight, paintTable};
        placeTogether({{chartHeight, paintChart}, last ? withTeacher(tablePart) : tablePart});
    }
    return pages.finish();
}

} // namespace

void paintExamSheet(QPagedPaintDevice& device, const ExamSheet& sheet, const QLocale& locale,
                    PageRange range) {
    QPainter painter(&device);
    const int pages = layOut(device, painter, sheet, locale, std::nullopt, range);
    layOut(device, painter, sheet, locale, pages, range);
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
