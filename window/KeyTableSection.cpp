// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/KeyTableSection.h"

#include "grading/KeyTable.h"
#include "window/CellTable.h"
#include "window/TableClipboard.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

KeyTableSection::KeyTableSection(const QString& maximumText, const grading::Key& key,
                                 const QLocale& locale, QWidget* parent, Copy copy)
    : QWidget(parent), m_key(key), m_maximum(grading::keyTableMaximum(maximumText, locale)),
      m_locale(locale) {
    setObjectName(QStringLiteral("keyTable"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_heading = new QLabel(this);
    m_heading->setTextFormat(Qt::PlainText);
    m_heading->setWordWrap(true); // the table, not its heading, sets the section's width
    layout->addWidget(m_heading);
    if (!m_maximum) {
        m_heading->setText(noTableText());
        layout->addStretch();
        return;
    }

    m_halfPoints = new QCheckBox(QStringLiteral("&halbe Punkte"), this);
    m_halfPoints->setChecked(grading::endsInAHalf(*m_maximum));
    connect(m_halfPoints, &QCheckBox::toggled, this, &KeyTableSection::fill);
    layout->addWidget(m_halfPoints, 0, Qt::AlignLeft);

    m_table = new QTableWidget(this);
    m_heading->setBuddy(m_table);
    layout->addWidget(m_table);
    m_tooLarge = new QLabel(this);
    m_tooLarge->setWordWrap(true);
    layout->addWidget(m_tooLarge);

    m_copy = new QPushButton(QStringLiteral("Noten&schlüssel kopieren"), this);
    m_copy->setObjectName(QStringLiteral("copyNotenschluessel"));
    connect(m_copy, &QPushButton::clicked, this, [this] {
        if (const auto table = shownTable()) {
            copyTables({*table}, CaptionInText::No);
        }
    });
    layout->addWidget(m_copy, 0, Qt::AlignLeft);
    m_copy->setVisible(copy == Copy::Button);
    layout->addStretch();
    setKey(key);
}

void KeyTableSection::setKey(const grading::Key& key) {
    m_key = key;
    if (!m_maximum) {
        return;
    }
    const QString heading = grading::keyTableHeading(*m_key, *m_maximum, m_locale);
    m_heading->setText(heading);
    m_table->setAccessibleName(heading);
    fill();
}

double KeyTableSection::step() const {
    return m_halfPoints->isChecked() ? 0.5 : 1.0;
}

QString KeyTableSection::noTableText() const {
    if (m_maximum) {
        return grading::tooLargeToSplit(step());
    }
    return QStringLiteral(
        "Für den Notenschlüssel bitte unter „Rohpunkte“ eine Höchstpunktzahl über "
        "0 eingeben.");
}

QString KeyTableSection::sheetNote() const {
    return m_maximum && !shownTable() ? noTableText() : QString();
}

std::optional<grading::PasteTable> KeyTableSection::shownTable() const {
    return tableFor(*m_key);
}

std::optional<grading::PasteTable> KeyTableSection::tableFor(const grading::GradingKey& key) const {
    if (!m_maximum) {
        return std::nullopt;
    }
    const auto rows = grading::keyTable(key, *m_maximum, step());
    if (!rows) {
        return std::nullopt;
    }
    return grading::keyPasteTable(key, *m_maximum, *rows, m_locale);
}

// The cells come from the very table the copy button puts on the clipboard.
void KeyTableSection::fill() {
    const std::optional<grading::PasteTable> shown = shownTable();
    m_table->setVisible(shown.has_value());
    m_copy->setEnabled(shown.has_value());
    m_tooLarge->setVisible(!shown);
    if (!shown) {
        m_tooLarge->setText(noTableText());
        return;
    }
    // "ab" and "bis" as wide as each other, so that the bounds line up.
    showCells(m_table, *shown, {.sameWidthFrom = 1, .aligned = Qt::AlignRight | Qt::AlignVCenter});
}
