// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QUrl;

// The handbook in a window of its own. It belongs to the window it was asked from, so that it
// takes keys beside a modal box or editor, and it reads the handbook only when first shown.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static QString title();

    explicit HelpWindow(QWidget* owner);

    // Scrolls to the section whose heading reads so, or whose link name ("#der-editor") is so.
    void showSection(const QString& headingOrLink);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void load();
    void follow(const QUrl& link);
    void find(bool backwards, bool fromMatchStart);
    void fitPictures();

    QTextBrowser* m_text;
    QLineEdit* m_find;
    QLabel* m_found;
    QString m_section;
    bool m_loaded = false;
};

// F1 in `window` (and in every control of it) opens the handbook at the section `heading`; a
// control may name a section of its own with setHelpSection. F1 again raises the open one.
void offerHelp(QWidget* window, const QString& heading);
void setHelpSection(QWidget* control, const QString& heading);
// The handbook beside `window`, at `heading`; an open one there is raised and left where it is.
HelpWindow* showHelp(QWidget* window, const QString& heading);
