// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>

// Runs `action`, which opens a modal box, and hands that box to `inspect` before closing it.
// Returns false when no box opened within five seconds.
inline bool withModalBox(const std::function<void()>& action,
                         const std::function<void(QDialog*)>& inspect) {
    bool seen = false;
    QElapsedTimer waited;
    waited.start();
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (box != nullptr && box->isVisible()) {
            poll.stop();
            seen = true;
            inspect(box);
            box->done(QDialog::Accepted);
        } else if (waited.elapsed() > 5000) {
            poll.stop();
        }
    });
    poll.start();
    action();
    QApplication::processEvents();
    return seen;
}
