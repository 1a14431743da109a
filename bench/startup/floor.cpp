// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's floor for Zensulino's window: the same kinds and numbers of controls (five line
// edits, an editable combo box, a push button, eight labels) in a fixed window, and no logic.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Zensulino-Floor"));
    window.setFixedSize(314, 208);
    for (int i = 0; i < 8; ++i) {
        auto* label = new QLabel(QStringLiteral("Beschriftung"), &window);
        label->setGeometry(16, 10 + 20 * i, 80, 17);
    }
    for (int i = 0; i < 5; ++i) {
        auto* edit = new QLineEdit(QStringLiteral("0"), &window);
        edit->setGeometry(104, 10 + 30 * i, 49, 19);
    }
    auto* combo = new QComboBox(&window);
    combo->setEditable(true);
    combo->addItems({QStringLiteral("GYM"), QStringLiteral("IHK")});
    combo->setGeometry(232, 72, 73, 21);
    auto* button = new QPushButton(QStringLiteral("Berechnen"), &window);
    button->setGeometry(176, 152, 121, 25);
    window.show();
    return QApplication::exec();
}
