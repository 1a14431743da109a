// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QObject>

class QLineEdit;

// A text the program puts into a field shows its start, where Qt would show its end: a grade
// "mangelhaft" wider than the field never reads "angelhaft", a key "Prüfung 7ü" never "rüfung 7ü".
// What the user types scrolls as ever. With `Fit::Shrink` a text wider than the field takes a
// smaller font, down to 7 pt, and the whole text stands in the field's tooltip. With `Fit::Tip`
// a typed text too shows its start once the focus leaves ("10+8+12+6", never "+8+12+6"), and the
// whole text stands in the tooltip where it is wider than the field. A hint set for a field that
// shrinks or tips stands in its tooltip, under the whole text where that is shown.
class ShowsTheStart : public QObject {
public:
    enum class Fit { Scroll, Shrink, Tip };
    ShowsTheStart(QLineEdit* edit, Fit fit);

    void setHint(const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();
    void fit(); // the font and the tooltip

    QLineEdit* m_edit;
    Fit m_fit;
    QFont m_font; // the field's own, for a text that fits
    QString m_hint;
};
