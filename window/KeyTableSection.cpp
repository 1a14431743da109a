// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/KeyTableSection.h"

#include "grading/KeyTable.h"
#include "window/CellTable.h"
#include "window/TableClipboard.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

KeyTableSection::KeyTableSection(const QString& maximumText, const grading::Key& key,
                                 const QLocale& locale, QWidget* parent, Copy copy)
    : QWidget(parent), m_outOf(grading::outOfText(maximumText, locale)), m_locale(locale) {
    setObjectName(QStringLiteral("keyTable"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_heading = new QLabel(this);
    m_heading->setTextFormat(Qt::PlainText);
    m_heading->setWordWrap(true); // the table, not its heading, sets the section's width
    layout->addWidget(m_heading);

    m_halfSteps = new QCheckBox(this);
    connect(m_halfSteps, &QCheckBox::toggled, this, &KeyTableSection::fill);
    layout->addWidget(m_halfSteps, 0, Qt::AlignLeft);

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
    m_copyWanted = copy == Copy::Button;
    layout->addStretch();
    setKey(key);
}

// Half steps are chosen where the key or the maximum asks for them, afresh where a key of another
// scale is shown; otherwise the teacher's choice stays.
void KeyTableSection::setKey(const grading::Key& key) {
    const bool errors = grading::countsErrors(key->scale);
    if (!m_key || m_key->scale != key->scale) {
        const QSignalBlocker quiet(m_halfSteps);
        m_halfSteps->setText(errors ? QStringLiteral("&halbe Fehler")
                                    : QStringLiteral("&halbe Punkte"));
        m_halfSteps->setChecked(grading::halvesAskedFor(*key, m_outOf));
    }
    m_key = key;
    fill();
}

grading::ChosenStep KeyTableSection::chosen() const {
    return {m_key->scale, m_outOf, m_halfSteps->isChecked() ? 0.5 : 1.0};
}

QString KeyTableSection::noTableText() const {
    if (grading::hasWhatItNeeds(*m_key, m_outOf)) {
        return grading::noTableReason(*m_key, m_outOf, chosen().step);
    }
    if (m_key->scale == grading::Scale::ErrorsPer100Words) {
        return QStringLiteral("Für den Notenschlüssel bitte die Zahl der Wörter ab 1 eingeben (im "
                              "Feld „Rohpunkte“, das unter diesem Schlüssel „Wörter“ heißt).");
    }
    return QStringLiteral(
        "Für den Notenschlüssel bitte unter „Rohpunkte“ eine Höchstpunktzahl über "
        "0 eingeben.");
}

std::optional<grading::PasteTable> KeyTableSection::shownTable() const {
    return grading::keyTableFor(*m_key, m_outOf, chosen().step, m_locale);
}

// The cells come from the very table the copy button puts on the clipboard.
void KeyTableSection::fill() {
    const std::optional<grading::PasteTable> shown = shownTable();
    // Without a maximum or a word count the key it needs has nothing to show but the hint.
    const bool table = grading::hasWhatItNeeds(*m_key, m_outOf);
    const QString heading = shown   ? shown->caption
                            : table ? grading::keyTableHeading(*m_key, *m_outOf.maximum, m_locale)
                                    : noTableText();
    m_heading->setText(heading);
    m_table->setAccessibleName(heading);
    m_halfSteps->setVisible(table);
    m_table->setVisible(shown.has_value());
    m_copy->setVisible(table && m_copyWanted);
    m_copy->setEnabled(shown.has_value());
    m_tooLarge->setVisible(table && !shown);
    if (!shown) {
        m_tooLarge->setText(noTableText());
        return;
    }
    // "ab" and "bis" as wide as each other, so that the bounds line up.
    showCells(m_table, *shown, {.sameWidthFrom = 1, .aligned = Qt::AlignRight | Qt::AlignVCenter});
}
