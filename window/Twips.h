// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QtMath>

// Window positions are laid out in twips: 15 to a logical pixel. Qt's device-pixel ratio takes
// care of screens at 150 % or 200 %.
constexpr int twipsPerPixel = 15;

inline QRect fromTwips(int left, int top, int width, int height) {
    auto px = [](int twips) {
        return qRound(static_cast<double>(twips) / twipsPerPixel);
    };
    return {px(left), px(top), px(width), px(height)};
}
