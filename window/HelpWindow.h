// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/HelpSection.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QUrl;

// The handbook in a window of its own, one for the program. It belongs to the window it was last
// asked from, so that it takes keys beside a modal box or editor, and goes back to that window's
// owner when the window closes. It reads the handbook only when first shown.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static QString title();

    explicit HelpWindow(QWidget* owner);

    // Scrolls to the section whose heading reads so, or whose link name ("#der-editor") is so;
    // when hidden, once shown.
    void showSection(const QString& headingOrLink);
    // Where it stands and what it shows stay.
    void belongTo(QWidget* owner);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();
    void follow(const QUrl& link);
    void find(bool backwards, bool fromMatchStart);
    void fitPictures();

    QTextBrowser* m_text;
    QLineEdit* m_find;
    QLabel* m_found;
    QString m_pendingSection;
    bool m_loaded = false;
};

// F1 in `window` (and in every control of it) opens the handbook at `section`; a control may
// name a section of its own with setHelpSection. F1 again raises the open one.
void offerHelp(QWidget* window, HelpSection section);
void setHelpSection(QWidget* control, HelpSection section);
// The handbook beside `window`, at `section`; an open one is raised and left where it is.
HelpWindow* showHelp(QWidget* window, HelpSection section);
