// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingWindow.h"
#include "grading/NotenSpeicher.h"
#include "settings/KeyStore.h"

#include <QLocale>
#include <QWidget>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class ShowsTheStart;

// Where a window with this frame size stands centred in the screen's available area.
QPoint centredTopLeft(const QRect& available, const QSize& frame);

// The program's one window: owner of every text, colour and the grade memory.
class frmMain : public QWidget, public grading::GradingWindow {
    Q_OBJECT

public:
    using SettingsPath = std::function<QString()>;

    // `settingsPath` is asked anew for every load and save.
    explicit frmMain(const QLocale& locale = QLocale::system(), SettingsPath settingsPath = {},
                     QWidget* parent = nullptr);

    QString text(grading::Field field) const override;
    void setText(grading::Field field, const QString& text) override;
    void setBackground(grading::Field field, grading::Rgb colour) override;
    void setFocus(grading::Field field) override;
    using QWidget::setFocus; // keep the toolkit's own overloads visible beside ours
    void showMessage(const QString& text, const QString& title, grading::MessageIcon icon) override;

    const grading::NotenSpeicher& notenSpeicher() const { return m_notenSpeicher; }
    const grading::Keys& keys() const { return m_keyStore.keys(); }
    QMenu* contextMenu() const { return mnuKontext; }

public slots:
    // True when it calculated, and the achieved points are then selected for the next score;
    // false when an input stopped it.
    bool cmdCalc_Click();
    void mnuOptionSave_Click();
    void mnuCache_Click();
    void mnuNotenschluessel_Click();
    void mnuReset_Click();
    void mnuHilfe_Click();
    void mnuAbout_Click();
    void mnuEnd_Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createDecorationAndLabels();
    void createInputs();
    void createContextMenu();
    void centreOnScreen();
    void openContextMenuAtFocus();
    void Form_Load();
    void Form_MouseDown(Qt::MouseButton button, const QPoint& position);
    void LoadOptions();
    void loadOwnKeys();
    // The own keys behind GYM and IHK in the selector, and `keyText` in its field.
    void listOwnKeys(const QString& keyText);
    // Opens the key editor over `over`; returns the key the key text now names.
    grading::Key editKeys(QWidget* over);
    void SaveOptions();
    // The captions, and the names a screen reader gives the fields, for the key the key text
    // names: under an error key the achieved points are errors. Where the scale changes, the
    // result's figure goes.
    void followKey();
    grading::Scale shownScale() const;
    QLineEdit* lineEdit(grading::Field field) const;

    QLocale m_locale;
    SettingsPath m_settingsPath;
    grading::NotenSpeicher m_notenSpeicher;
    settings::KeyStore m_keyStore;
    struct Problem {
        QString text;
        QString title;
        grading::MessageIcon icon;
    };
    std::vector<Problem> m_startupProblems; // shown once the window is on screen
    bool m_shownBefore = false;
    bool m_centredWithoutFrame = false;

    QLineEdit* txtRohpunkte = nullptr;
    QLineEdit* txtPunkte = nullptr;
    QLineEdit* txtErgebnisProzent = nullptr;
    QLineEdit* txtProzent = nullptr;
    QComboBox* cboSchlüssel = nullptr;
    QLineEdit* txtErgebnisNote = nullptr;
    QPushButton* cmdCalc = nullptr;
    QMenu* mnuKontext = nullptr;
    QLabel* lblRohpunkte = nullptr;
    QLabel* lblProzent = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblErgebnisProz = nullptr;
    QLabel* lblErgebnisNote = nullptr;
    // A field whose caption the key may change, with the caption it has of its own.
    struct Captioned {
        grading::Field field;
        QLabel* label;
        QLineEdit* edit;
        QString own;
    };
    std::vector<Captioned> m_captioned;
    // The fields that take sums; their tooltips say what they take under the key's scale.
    std::vector<std::pair<grading::Field, ShowsTheStart*>> m_sumFields;
    grading::Scale m_followedScale = grading::Scale::Points;
};
