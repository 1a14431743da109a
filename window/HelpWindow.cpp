// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/HelpWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

namespace {

const char* const sectionProperty = "zensulinoHelpSection";

// A heading's link name as the handbook writes its links: lower case, blanks as "-", marks
// other than "-" and "_" left out ("Noten-Speicher und Notenspiegel" is
// "noten-speicher-und-notenspiegel").
QString linkName(const QString& heading) {
    QString name;
    for (const QChar c : heading.trimmed().toLower()) {
        if (c.isLetterOrNumber() || c == u'-' || c == u'_') {
            name += c;
        } else if (c.isSpace()) {
            name += u'-';
        }
    }
    return name;
}

QTextBlock headingNamed(const QTextDocument& document, const QString& name) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0 && linkName(block.text()) == name) {
            return block;
        }
    }
    return {};
}

HelpSection sectionFor(QWidget* window) {
    for (QWidget* widget = QApplication::focusWidget(); widget != nullptr && widget != window;
         widget = widget->parentWidget()) {
        const QVariant section = widget->property(sectionProperty);
        if (section.isValid()) {
            return section.value<HelpSection>();
        }
    }
    return window->property(sectionProperty).value<HelpSection>();
}

} // namespace

QString HelpWindow::title() {
    return QStringLiteral("Zensulino – Hilfe");
}

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    owner->installEventFilter(this);
    setWindowTitle(title());
    setFont(QApplication::font()); // not the main window's small one, which a child would take
    m_text = new QTextBrowser(this);
    m_text->setAccessibleName(QStringLiteral("Handbuch"));
    // Links between sections are followed here: the Markdown reader keeps no anchors to scroll to.
    m_text->setOpenLinks(false);
    connect(m_text, &QTextBrowser::anchorClicked, this, &HelpWindow::follow);

    auto* findLabel = new QLabel(QStringLiteral("&Suchen"), this);
    m_find = new QLineEdit(this);
    m_find->setPlaceholderText(QStringLiteral("ein Wort, etwa „Genehmigung“ (Strg+F)"));
    m_find->setClearButtonEnabled(true);
    findLabel->setBuddy(m_find);
    m_found = new QLabel(this);
    m_found->setObjectName(QStringLiteral("found"));
    connect(m_find, &QLineEdit::textEdited, this, [this] { find(false, true); });
    connect(m_find, &QLineEdit::returnPressed, this, [this] { find(false, false); });
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(findLabel);
    findRow->addWidget(m_find, 1);
    findRow->addWidget(m_found);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(findRow);
    layout->addWidget(m_text, 1);
    setTabOrder(m_find, m_text);

    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        m_find->setFocus();
        m_find->selectAll();
    });
    connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, this,
            [this] { find(false, false); });
    connect(new QShortcut(QKeySequence::FindPrevious, this), &QShortcut::activated, this,
            [this] { find(true, false); });
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);

    // Some ninety characters a line and forty-five lines where the screen has room, less where not.
    const QSize wanted(fontMetrics().averageCharWidth() * 110, fontMetrics().lineSpacing() * 45);
    const QSize available =
        (owner != nullptr ? owner->screen() : screen())->availableGeometry().size() * 0.9;
    resize(wanted.boundedTo(available));
}

void HelpWindow::showSection(const QString& headingOrLink) {
    if (!m_loaded || !isVisible()) {
        m_pendingSection = headingOrLink; // scrolled to once shown and laid out
        return;
    }
    const QTextBlock heading = headingNamed(*m_text->document(), linkName(headingOrLink));
    if (!heading.isValid()) {
        return;
    }
    QTextCursor at(heading);
    m_text->setTextCursor(at);
    const QRectF place = m_text->document()->documentLayout()->blockBoundingRect(heading);
    m_text->verticalScrollBar()->setValue(qRound(place.top()));
}

void HelpWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    load();
    // Once the layout knows the window's width, the heading's place is known too. A window
    // restored from the task bar keeps the reader's place.
    if (!m_pendingSection.isEmpty()) {
        QTimer::singleShot(0, this, [this] { showSection(std::exchange(m_pendingSection, {})); });
    }
}

void HelpWindow::belongTo(QWidget* owner) {
    if (owner == parentWidget()) {
        return;
    }
    parentWidget()->removeEventFilter(this);
    const bool shown = isVisible();
    const QRect place = geometry();
    const int scrolled = m_text->verticalScrollBar()->value();
    setParent(owner, Qt::Window); // hides it
    owner->installEventFilter(this);
    if (shown) {
        setGeometry(place);
        show();
        m_text->verticalScrollBar()->setValue(scrolled);
    }
}

// A box or editor that closes hands the help back to the window it stood over, rather than
// taking it along.
bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* owner = qobject_cast<QWidget*>(watched);
    if (owner == parentWidget() && event->type() == QEvent::Hide && !event->spontaneous() &&
        owner->parentWidget() != nullptr) {
        belongTo(owner->parentWidget()->window());
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitPictures();
}

void HelpWindow::load() {
    if (std::exchange(m_loaded, true)) {
        return;
    }
    // Keeps the handbook, compiled into a static library, in the program; its bytes lie unread
    // until this first showing.
    Q_INIT_RESOURCE(Handbuch);
    m_text->setSource(QUrl(QStringLiteral("qrc:/zensulino/hilfe/Handbuch.md")),
                      QTextDocument::MarkdownResource);
    m_text->document()->setUndoRedoEnabled(false); // fitting the pictures is no edit
    fitPictures();
}

void HelpWindow::follow(const QUrl& link) {
    const bool here = link.isRelative() ? link.path().isEmpty()
                                        : link.adjusted(QUrl::RemoveFragment) == m_text->source();
    if (here && link.hasFragment()) {
        showSection(link.fragment(QUrl::FullyDecoded));
    } else if (!link.isRelative()) {
        QDesktopServices::openUrl(link);
    }
}

// From the start of the match shown, so that typing on extends it; else from its end.
void HelpWindow::find(bool backwards, bool fromMatchStart) {
    const QString word = m_find->text();
    m_found->clear();
    m_find->setAccessibleDescription({});
    if (word.isEmpty()) {
        return;
    }
    QTextCursor from = m_text->textCursor();
    if (fromMatchStart) {
        from.setPosition(from.selectionStart());
    }
    const QTextDocument::FindFlags flags =
        backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    QTextCursor match = m_text->document()->find(word, from, flags);
    if (match.isNull()) {
        QTextCursor edge(m_text->document());
        edge.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
        match = m_text->document()->find(word, edge, flags);
    }
    if (match.isNull()) {
        m_found->setText(QStringLiteral("nicht gefunden"));
        m_find->setAccessibleDescription(m_found->text()); // what a screen reader says of the field
        return;
    }
    m_text->setTextCursor(match);
    m_text->ensureCursorVisible();
}

// A picture wider than the text is shown as wide as the text, so that nothing hides to the right.
void HelpWindow::fitPictures() {
    if (!m_loaded) {
        return;
    }
    QTextDocument* document = m_text->document();
    const qreal room = m_text->viewport()->width() - 2 * document->documentMargin() - 4;
    struct Picture {
        int position;
        int length;
        QTextImageFormat format;
    };
    std::vector<Picture> changed;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            const QSizeF natural =
                picture.isValid()
                    ? document->resource(QTextDocument::ImageResource, QUrl(picture.name()))
                          .value<QImage>()
                          .size()
                    : QSizeF();
            if (natural.isEmpty()) {
                continue;
            }
            const qreal width = std::min(natural.width(), room);
            if (!qFuzzyCompare(picture.width(), width)) {
                picture.setWidth(width);
                picture.setHeight(natural.height() * width / natural.width());
                changed.push_back({fragment.position(), fragment.length(), picture});
            }
        }
    }
    for (const Picture& picture : changed) {
        QTextCursor cursor(document);
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture.format);
    }
}

void offerHelp(QWidget* window, HelpSection section) {
    setHelpSection(window, section);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, window);
    QObject::connect(f1, &QShortcut::activated, window,
                     [window] { showHelp(window, sectionFor(window)); });
}

void setHelpSection(QWidget* control, HelpSection section) {
    control->setProperty(sectionProperty, QVariant::fromValue(section));
}

HelpWindow* showHelp(QWidget* window, HelpSection section) {
    static QPointer<HelpWindow> help;
    if (help == nullptr) {
        help = new HelpWindow(window);
    }
    help->belongTo(window);
    if (!help->isVisible()) {
        help->showSection(heading(section));
        help->show();
    }
    help->raise();
    help->activateWindow();
    return help;
}
