// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#ifndef DARKPALETTE_H
#define DARKPALETTE_H

#include <QColor>
#include <QPalette>

// A dark colour scheme as a desktop hands it to the application, after KDE's Breeze Dark; other
// dark desktops give buttons another dark grey.
inline QPalette darkPalette(const QColor &button = QColor(0x29, 0x2c, 0x30))
{
    QPalette palette(button, QColor(0x20, 0x23, 0x26));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, QColor(0xfc, 0xfc, 0xfc));
    palette.setColor(QPalette::Base, QColor(0x14, 0x16, 0x18));
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    return palette;
}

#endif
