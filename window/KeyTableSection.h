// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"
#include "grading/KeyTable.h"
#include "grading/PasteTable.h"
#include "grading/Score.h"

#include <QLocale>
#include <QWidget>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

// The grade memory box's key for the exam: for the maximum in "Rohpunkte" and the key in force,
// the raw points each grade needs, or under an error key the errors each grade allows (for the
// word count typed there under errors per 100 words), in whole or half steps, with a button that
// copies it.
class KeyTableSection : public QWidget {
public:
    enum class Copy { Button, None };
    KeyTableSection(const QString& maximumText, const grading::Key& key, const QLocale& locale,
                    QWidget* parent, Copy copy = Copy::Button);

    // Shows the table for another key, as after an edit of it.
    void setKey(const grading::Key& key);

    // The table as shown, in the step chosen; nothing where there is none to show.
    std::optional<grading::PasteTable> shownTable() const;
    const grading::Key& key() const { return m_key; }
    // The step chosen, for the keys of the shown key's scale in the exam shown.
    grading::ChosenStep chosen() const;

private:
    // What stands in the table's place where there is none.
    QString noTableText() const;
    void fill();

    grading::Key m_key;
    grading::OutOf m_outOf; // what the text in "Rohpunkte" gives
    QLocale m_locale;
    QLabel* m_heading = nullptr;
    QCheckBox* m_halfSteps = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_tooLarge = nullptr;
    QPushButton* m_copy = nullptr;
    bool m_copyWanted = true;
};
