// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/frmMain.h"

#include "grading/Calculation.h"
#include "grading/MessageTitle.h"
#include "settings/KeyFile.h"
#include "settings/SettingsFile.h"
#include "window/AboutText.h"
#include "window/FirstLineOnly.h"
#include "window/GradeMemoryBox.h"
#include "window/HelpWindow.h"
#include "window/KeyEditor.h"
#include "window/MenuHint.h"
#include "window/MessageText.h"
#include "window/Shape.h"
#include "window/ShowsTheStart.h"
#include "window/Twips.h"
#include "window/WindowAccessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDate>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <tuple>

using grading::Field;

// The window's resources and its accessible interface live in a static library, so they are
// registered by hand, once.
static void registerResources() {
    Q_INIT_RESOURCE(window);
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(WindowAccessible::factory);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
}

namespace {

const QColor lightYellow(255, 255, 128);

bool isEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// The captions were measured for 8-point MS Sans Serif; Arial and its metric twin Liberation Sans
// keep them within their places where that font is missing.
QFont classicFont(qreal pointSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

frmMain::frmMain(const QLocale& locale, SettingsPath settingsPath, QWidget* parent)
    : QWidget(parent), m_locale(locale),
      m_settingsPath(settingsPath ? std::move(settingsPath) : settings::settingsFilePath),
      m_keyStore(locale, [this] { return settings::keyFilePath(m_settingsPath()); }) {
    registerResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Zensulino"));
    // Once the window shows: reading the image has Qt load every image plugin it has.
    QTimer::singleShot(0, this,
                       [this] { setWindowIcon(QIcon(QStringLiteral(":/zensulino/icon-32.png"))); });
    setFixedSize(fromTwips(0, 0, 4710, 3120).size());
    setFont(classicFont(8.0, false));
    // Every right press reaches mousePressEvent; no Qt context-menu event is made of it.
    setContextMenuPolicy(Qt::PreventContextMenu);

    createDecorationAndLabels();
    createInputs();
    createContextMenu();
    offerHelp(this, HelpSection::FirstSteps);
    setHelpSection(cboSchlüssel, HelpSection::Keys);
    Form_Load();
}

void frmMain::createDecorationAndLabels() {
    const QColor outline = palette().color(QPalette::WindowText);
    const QColor windowColour = palette().color(QPalette::Base);
    auto shape = [&](const char* name, QRect geometry, Shape::Look look) {
        auto* widget = new Shape(look, this);
        widget->setObjectName(QLatin1String(name));
        widget->setGeometry(geometry);
    };
    auto label = [&](const char* name, const QString& caption, QRect geometry) {
        auto* widget = new QLabel(caption, this);
        widget->setObjectName(QLatin1String(name));
        widget->setGeometry(geometry);
        return widget;
    };

    // Created back to front: a later sibling is drawn above an earlier one.
    shape("Shape5", fromTwips(0, 1500, 2415, 1335), {lightYellow, outline});
    shape("Shape3", fromTwips(2400, 960, 2310, 560), {windowColour, outline});
    shape("Shape2", fromTwips(0, 480, 4717, 495), {lightYellow, outline});
    shape("Shape1", fromTwips(0, 0, 4717, 495), {windowColour, outline});

    QLabel* titel =
        label("lblTitel", QStringLiteral("Der Zensurator"), fromTwips(1080, 75, 2535, 375));
    titel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    titel->setFont(classicFont(13.5, true));
    QPalette titlePalette = titel->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(192, 64, 0));
    titel->setPalette(titlePalette);

    lblRohpunkte =
        label("lblRohpunkte", QStringLiteral("Rohpunkte"), fromTwips(240, 600, 855, 255));
    label("lblistgleich", QStringLiteral("="), fromTwips(2400, 600, 255, 255));
    lblProzent = label("lblProzent", QStringLiteral(" %"), fromTwips(3360, 600, 255, 255));
    Label1 =
        label("Label1", QStringLiteral("erreichte Rohpunktzahl"), fromTwips(240, 1005, 1095, 420));
    Label2 = label("Label2", QStringLiteral("Noten- schlüssel"), fromTwips(2640, 1000, 735, 495));
    lblErgebnisProz = label("lblErgebnisProz", QStringLiteral("Ergebnis in Prozent"),
                            fromTwips(240, 1605, 975, 420));
    for (QLabel* twoLines : {Label1, Label2, lblErgebnisProz}) {
        twoLines->setWordWrap(true);
        twoLines->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    lblErgebnisNote =
        label("lblErgebnisNote", QStringLiteral("Ergebnis Note"), fromTwips(240, 2280, 1095, 255));

    shape("Shape4", fromTwips(0, 960, 2415, 1880), {std::nullopt, outline});
    shape("Shape6", fromTwips(1500, 1040, 840, 380),
          {std::nullopt, QColor(192, 0, 0), Qt::DotLine});
}

void frmMain::createInputs() {
    auto field = [this](const char* name, const QString& text, const QString& accessibleName,
                        QRect geometry) {
        auto* edit = new QLineEdit(text, this);
        edit->setObjectName(QLatin1String(name));
        edit->setAlignment(Qt::AlignCenter);
        edit->setAccessibleName(accessibleName);
        edit->setGeometry(geometry);
        new FirstLineOnly(edit);
        return edit;
    };
    txtRohpunkte = field("txtRohpunkte", QStringLiteral("0"), QStringLiteral("Rohpunkte"),
                         fromTwips(1560, 600, 735, 285));
    txtPunkte = field("txtPunkte", QStringLiteral("0"), QStringLiteral("erreichte Rohpunktzahl"),
                      fromTwips(1560, 1080, 735, 285));
    // A sum of tasks is wider than the field.
    for (const auto& [sumOf, points] :
         {std::pair{Field::Rohpunkte, txtRohpunkte}, std::pair{Field::Punkte, txtPunkte}}) {
        m_sumFields.emplace_back(sumOf, new ShowsTheStart(points, ShowsTheStart::Fit::Tip));
    }
    txtErgebnisProzent =
        field("txtErgebnisProzent", QStringLiteral("0"), QStringLiteral("Ergebnis in Prozent"),
              fromTwips(1560, 1680, 735, 285));
    txtProzent = field("txtProzent", QStringLiteral("100"), QStringLiteral("Prozent"),
                       fromTwips(2640, 600, 615, 285));

    cboSchlüssel = new QComboBox(this);
    cboSchlüssel->setObjectName(QStringLiteral("cboSchlüssel"));
    cboSchlüssel->setEditable(true);
    cboSchlüssel->setInsertPolicy(QComboBox::NoInsert);
    // The key text is used as typed: Qt's completer would turn ihk into IHK, and with it
    // gone, leaving the field matches the list case-sensitively, so nothing re-cases it either.
    cboSchlüssel->setCompleter(nullptr);
    cboSchlüssel->setEditText(QStringLiteral("cboSchlüssel"));
    cboSchlüssel->setAccessibleName(QStringLiteral("Notenschlüssel"));
    // A screen reader meets the key field's text part, which would otherwise go by its text.
    cboSchlüssel->lineEdit()->setAccessibleName(QStringLiteral("Notenschlüssel"));
    new FirstLineOnly(cboSchlüssel->lineEdit());
    new ShowsTheStart(cboSchlüssel->lineEdit(), ShowsTheStart::Fit::Scroll);
    cboSchlüssel->setGeometry(fromTwips(3480, 1080, 1095, 315));

    txtErgebnisNote = field("txtErgebnisNote", QStringLiteral("0"), QStringLiteral("Ergebnis Note"),
                            fromTwips(1560, 2280, 735, 285));
    new ShowsTheStart(txtErgebnisNote, ShowsTheStart::Fit::Shrink);

    cmdCalc = new QPushButton(QStringLiteral("Berechnen"), this);
    cmdCalc->setObjectName(QStringLiteral("cmdCalc"));
    cmdCalc->setGeometry(fromTwips(2640, 2280, 1815, 375));
    cmdCalc->setDefault(true);
    connect(cmdCalc, &QPushButton::clicked, this, &frmMain::cmdCalc_Click);
    cmdCalc->installEventFilter(this);
    cmdCalc->setToolTip(withMenuHint(QStringLiteral(
        "Rechnet das Ergebnis aus und nimmt es in den Noten-Speicher auf (auch mit Enter)")));
    cboSchlüssel->setToolTip(
        withMenuHint(grading::fieldTakes(grading::Scale::Points, Field::Schluessel)));

    // Each caption names its field for a screen reader ("labelled by").
    const std::pair<QLabel*, QWidget*> captions[] = {
        {lblRohpunkte, txtRohpunkte}, {Label1, txtPunkte},    {lblErgebnisProz, txtErgebnisProzent},
        {lblProzent, txtProzent},     {Label2, cboSchlüssel}, {lblErgebnisNote, txtErgebnisNote}};
    for (const auto& [caption, input] : captions) {
        caption->setBuddy(input);
    }
    for (const auto& [captioned, label, edit] :
         {std::tuple{Field::Rohpunkte, lblRohpunkte, txtRohpunkte},
          std::tuple{Field::Punkte, Label1, txtPunkte},
          std::tuple{Field::ErgebnisProzent, lblErgebnisProz, txtErgebnisProzent}}) {
        m_captioned.push_back({captioned, label, edit, label->text()});
    }
    connect(cboSchlüssel, &QComboBox::editTextChanged, this, &frmMain::followKey);
    txtErgebnisNote->setAccessibleDescription(
        grading::fieldDescription(grading::Scale::Points, Field::ErgebnisNote));

    QWidget* const tabOrder[] = {txtRohpunkte, txtPunkte,    txtErgebnisProzent,
                                 txtProzent,   cboSchlüssel, txtErgebnisNote,
                                 cmdCalc};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
}

void frmMain::createContextMenu() {
    mnuKontext = new QMenu(QStringLiteral("Kontextmenü"), this);
    mnuKontext->setObjectName(QStringLiteral("mnuKontext"));
    auto item = [this](const char* name, const QString& caption, void (frmMain::*handler)()) {
        QAction* action = mnuKontext->addAction(caption, this, handler);
        action->setObjectName(QLatin1String(name));
    };
    item("mnuOptionSave", QStringLiteral("Einstellungen speichern"), &frmMain::mnuOptionSave_Click);
    item("mnuCache", QStringLiteral("Noten-Speicher anzeigen"), &frmMain::mnuCache_Click);
    item("mnuNotenschluessel", QStringLiteral("Notenschlüssel bearbeiten..."),
         &frmMain::mnuNotenschluessel_Click);
    mnuKontext->addSeparator()->setObjectName(QStringLiteral("mnuLine0"));
    item("mnuReset", QStringLiteral("Reset"), &frmMain::mnuReset_Click);
    mnuKontext->addSeparator()->setObjectName(QStringLiteral("mnuLine1"));
    item("mnuHilfe", QStringLiteral("&Hilfe"), &frmMain::mnuHilfe_Click);
    item("mnuAbout", QStringLiteral("Über..."), &frmMain::mnuAbout_Click);
    mnuKontext->addSeparator()->setObjectName(QStringLiteral("mnuLine2"));
    item("mnuEnd", QStringLiteral("Beenden"), &frmMain::mnuEnd_Click);

    // The keyboard's ways to the menu. F10 works from every control; Shift+F10 does what the
    // Menu key does, so text fields keep their edit menu and the button opens ours.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, &frmMain::openContextMenuAtFocus);
    auto* shiftF10 = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(shiftF10, &QShortcut::activated, this, [this] {
        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr) {
            return;
        }
        const QPoint pos = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        QContextMenuEvent event(QContextMenuEvent::Keyboard, pos, focus->mapToGlobal(pos));
        QApplication::sendEvent(focus, &event);
    });
}

void frmMain::openContextMenuAtFocus() {
    QWidget* focus = focusWidget() != nullptr ? focusWidget() : this;
    mnuKontext->popup(focus->mapToGlobal(QPoint(0, focus->height())));
    mnuKontext->setActiveAction(mnuKontext->actions().constFirst());
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    // The button has no menu of its own: the Menu key there opens ours. A right click on it
    // still opens nothing.
    if (watched == cmdCalc && event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        openContextMenuAtFocus();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::Form_Load() {
    cboSchlüssel->insertItem(0, grading::gymName());
    cboSchlüssel->insertItem(1, grading::ihkName());
    cboSchlüssel->setEditText(grading::gymName());
    LoadOptions();
    loadOwnKeys();
    txtRohpunkte->setFocus();
}

void frmMain::loadOwnKeys() {
    const settings::KeyFileLoad loaded = m_keyStore.reload();
    const QString keyText = cboSchlüssel->currentText();
    listOwnKeys(keyText);
    // The result fields were saved with the key they stand for.
    m_followedScale = shownScale();
    followKey();
    // One box says all that is wrong with the keys, the key file first.
    QStringList problems;
    if (loaded.status == settings::KeyFileLoad::Status::Damaged) {
        problems << loaded.message;
    }
    if (m_keyStore.keys().namesAMissingKey(keyText)) {
        problems << QStringLiteral("Der gespeicherte Notenschlüssel „%1“ ist nicht vorhanden. "
                                   "Gerechnet wird nach %2, bis ein anderer Schlüssel gewählt ist.")
                        .arg(keyText, grading::gymName());
    }
    if (!problems.isEmpty()) {
        m_startupProblems.push_back({problems.join(QStringLiteral("\r\r")),
                                     grading::messageTitle(grading::MessageTitle::Keys),
                                     loaded.status == settings::KeyFileLoad::Status::Damaged
                                         ? grading::MessageIcon::Error
                                         : grading::MessageIcon::Warning});
    }
}

// Whether the key text names a key or not, it stays as it is.
void frmMain::listOwnKeys(const QString& keyText) {
    // The texts the field passes through while its list is made anew are no choice of a key.
    const QSignalBlocker quiet(cboSchlüssel);
    while (cboSchlüssel->count() > 2) {
        cboSchlüssel->removeItem(2);
    }
    for (const grading::GradingKey& key : m_keyStore.keys().own()) {
        cboSchlüssel->addItem(key.name);
    }
    // The list as wide as its longest name, however narrow the field.
    QAbstractItemView* list = cboSchlüssel->view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          list->verticalScrollBar()->sizeHint().width());
    // The arrow keys move on from the key shown.
    const int shown = cboSchlüssel->findText(keyText, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (shown >= 0) {
        cboSchlüssel->setCurrentIndex(shown);
    }
    cboSchlüssel->setEditText(keyText);
}

grading::Key frmMain::editKeys(QWidget* over) {
    KeyEditor editor(m_keyStore, txtRohpunkte->text(), cboSchlüssel->currentText(), m_locale, over);
    editor.exec();
    listOwnKeys(editor.keyText());
    followKey(); // the key may count otherwise now
    return m_keyStore.keys().fromText(cboSchlüssel->currentText());
}

void frmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!std::exchange(m_shownBefore, true)) {
        centreOnScreen();
        m_centredWithoutFrame = frameGeometry().size() == size();
    }
    if (!m_startupProblems.empty()) {
        // Said once the window is on screen, so the box has a window to stand over.
        QTimer::singleShot(0, this, [this] {
            for (const Problem& problem : std::exchange(m_startupProblems, {})) {
                showMessage(problem.text, problem.title, problem.icon);
            }
        });
    }
}

void frmMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // A window manager adds its frame once the window is mapped, and Qt knows it by the time
    // the window is first activated: centre once more, frame included.
    if (event->type() == QEvent::ActivationChange && std::exchange(m_centredWithoutFrame, false) &&
        frameGeometry().size() != size()) {
        centreOnScreen();
    }
}

void frmMain::centreOnScreen() {
    move(centredTopLeft(screen()->availableGeometry(), frameGeometry().size()));
}

QPoint centredTopLeft(const QRect& available, const QSize& frame) {
    return {available.x() + (available.width() - frame.width()) / 2,
            available.y() + (available.height() - frame.height()) / 2};
}

void frmMain::LoadOptions() {
    const settings::LoadResult result = settings::loadSettings(m_settingsPath());
    switch (result.status) {
    case settings::LoadResult::Status::Missing:
        return;
    case settings::LoadResult::Status::Unreadable:
        m_startupProblems.push_back({result.message,
                                     grading::messageTitle(grading::MessageTitle::Settings),
                                     grading::MessageIcon::Error});
        return;
    case settings::LoadResult::Status::Loaded:
        break;
    }
    txtRohpunkte->setText(result.texts.rohpunkte);
    txtPunkte->setText(result.texts.punkte);
    txtErgebnisProzent->setText(result.texts.ergebnisProzent);
    txtErgebnisNote->setText(result.texts.ergebnisNote);
    cboSchlüssel->setEditText(result.texts.schluessel);
}

void frmMain::SaveOptions() {
    const settings::StoredTexts texts{txtRohpunkte->text(), txtPunkte->text(),
                                      txtErgebnisProzent->text(), txtErgebnisNote->text(),
                                      cboSchlüssel->currentText()};
    const QString problem = settings::saveSettings(m_settingsPath(), texts);
    if (!problem.isEmpty()) {
        showMessage(problem, grading::messageTitle(grading::MessageTitle::Settings),
                    grading::MessageIcon::Error);
    }
}

grading::Scale frmMain::shownScale() const {
    return m_keyStore.keys().fromText(cboSchlüssel->currentText())->scale;
}

void frmMain::followKey() {
    const grading::Scale scale = shownScale();
    for (const Captioned& captioned : m_captioned) {
        const QString caption =
            grading::fieldCaption(scale, captioned.field).value_or(captioned.own);
        captioned.label->setText(caption);
        captioned.edit->setAccessibleName(caption);
        captioned.edit->setAccessibleDescription(grading::fieldDescription(scale, captioned.field));
    }
    for (const auto& [field, sumField] : m_sumFields) {
        sumField->setHint(withMenuHint(grading::fieldTakes(scale, field)));
    }
    txtProzent->setToolTip(withMenuHint(grading::fieldTakes(scale, Field::Prozent)));
    // A figure of the last result means something else under another scale.
    if (std::exchange(m_followedScale, scale) != scale) {
        txtErgebnisProzent->clear();
    }
}

QLineEdit* frmMain::lineEdit(Field field) const {
    switch (field) {
    case Field::Rohpunkte:
        return txtRohpunkte;
    case Field::Prozent:
        return txtProzent;
    case Field::Punkte:
        return txtPunkte;
    case Field::ErgebnisProzent:
        return txtErgebnisProzent;
    case Field::ErgebnisNote:
        return txtErgebnisNote;
    case Field::Schluessel:
        break;
    }
    return cboSchlüssel->lineEdit();
}

QString frmMain::text(Field field) const {
    return lineEdit(field)->text();
}

void frmMain::setText(Field field, const QString& text) {
    if (field == Field::Schluessel) {
        cboSchlüssel->setEditText(text);
        return;
    }
    lineEdit(field)->setText(text);
}

void frmMain::setBackground(Field field, grading::Rgb colour) {
    QLineEdit* edit = lineEdit(field);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, QColor(colour.red, colour.green, colour.blue));
    // Keep the text readable on white or yellow whatever the desktop's colour scheme.
    palette.setColor(QPalette::Text, Qt::black);
    edit->setPalette(palette);
}

void frmMain::setFocus(Field field) {
    if (field == Field::Schluessel) {
        cboSchlüssel->setFocus();
    } else {
        lineEdit(field)->setFocus();
    }
    // The refused text is selected, so that the correction typed replaces it instead of joining
    // it ("12.5" and "12,5" would make "12.512,5").
    lineEdit(field)->selectAll();
}

void frmMain::showMessage(const QString& text, const QString& title, grading::MessageIcon icon) {
    const QMessageBox::Icon shown = icon == grading::MessageIcon::Error ? QMessageBox::Critical
                                    : icon == grading::MessageIcon::Warning
                                        ? QMessageBox::Warning
                                        : QMessageBox::Information;
    QMessageBox box(shown, title, withLineBreaks(text), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText); // a key text such as "<b>" is shown as typed
    box.exec();
}

bool frmMain::cmdCalc_Click() {
    if (!grading::calculate(*this, m_notenSpeicher, m_keyStore.keys(), m_locale)) {
        return false;
    }
    // A class is graded score after score, by mouse or by Enter: the next score typed replaces
    // the last, and Enter grades it.
    txtPunkte->setFocus(Qt::OtherFocusReason);
    txtPunkte->selectAll();
    return true;
}

void frmMain::keyPressEvent(QKeyEvent* event) {
    // Text fields pass Enter on unhandled, as in a dialog: "Berechnen" is the default button.
    if (isEnter(event)) {
        cmdCalc_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmMain::mousePressEvent(QMouseEvent* event) {
    // Presses that a label or a control let through arrive here too (the push button ignores
    // right presses); only the bare surface and the rectangles, which take no mouse events,
    // count as the window's own.
    if (childAt(event->position().toPoint()) == nullptr) {
        Form_MouseDown(event->button(), event->globalPosition().toPoint());
    }
    event->accept();
}

void frmMain::Form_MouseDown(Qt::MouseButton button, const QPoint& position) {
    if (button == Qt::RightButton) {
        mnuKontext->popup(position);
    }
}

void frmMain::mnuOptionSave_Click() {
    SaveOptions();
}

void frmMain::mnuCache_Click() {
    GradeMemoryBox box(m_notenSpeicher, txtRohpunkte->text(),
                       m_keyStore.keys().fromText(cboSchlüssel->currentText()), this, m_locale,
                       [this, &box] { return editKeys(&box); });
    box.exec();
}

void frmMain::mnuNotenschluessel_Click() {
    editKeys(this);
}

void frmMain::mnuReset_Click() {
    txtErgebnisNote->setText(QStringLiteral("0"));
    txtErgebnisProzent->setText(grading::showsResultFigure(shownScale()) ? QStringLiteral("0")
                                                                         : QString());
    txtPunkte->setText(QStringLiteral("0"));
    txtPunkte->setFocus();
    m_notenSpeicher.clear();
}

void frmMain::mnuHilfe_Click() {
    showHelp(this, HelpSection::Start);
}

void frmMain::mnuAbout_Click() {
    showMessage(aboutText(QDate::currentDate().year()),
                grading::messageTitle(grading::MessageTitle::About),
                grading::MessageIcon::Information);
}

void frmMain::mnuEnd_Click() {
    QCoreApplication::quit();
}
