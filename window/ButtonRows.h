// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <vector>

class QPushButton;

// A dialog's buttons in a row at its foot, to the right, in the order added. Where the dialog is
// too narrow for one row, as at a large scale on a small screen, they wrap into more rows.
class ButtonRows : public QWidget {
public:
    explicit ButtonRows(QWidget* parent);

    QPushButton* add(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    // A button shown or hidden moves the others.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The buttons shown, row by row, for a width.
    std::vector<std::vector<QPushButton*>> rows(int width) const;
    int spacing() const;
    static int rowHeight(const std::vector<QPushButton*>& row);
    void place();

    std::vector<QPushButton*> m_buttons;
};
