// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

class QLineEdit;

// Text pasted or dropped into a field comes in up to its first line break or tab, as in a
// single-line field on Windows: a spreadsheet cell arrives as "12,5" CR LF, two cells side by
// side as "12,5" tab "13", and nobody could see, let alone remove, what follows the break. No
// other way brings a break in: typing makes none, and the settings file refuses them.
class FirstLineOnly : public QValidator {
    Q_OBJECT

public:
    // Watches every change of `edit` from now on.
    explicit FirstLineOnly(QLineEdit* edit);

    State validate(QString& input, int& pos) const override;

private:
    mutable QString m_former; // the field's text before the change under way
};
