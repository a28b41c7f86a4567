// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

// Plays a few turns of a 6 by 6 game and saves a picture of the window, in one look or in several
// side by side: tandrel-screenshot [--keys] FILE.png [LOOK...], where a LOOK is a Qt style's name,
// with ":dark" for a dark colour scheme (Fusion when none is named). With --keys the game is seen
// as a player at the keyboard sees it, the focus ring on Proceed.
#include "darkpalette.h"
#include "gamewindow.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStringList looks = app.arguments().mid(1);
    const bool keys = !looks.isEmpty() && looks.first() == QLatin1String("--keys");
    if (keys)
        looks.removeFirst();
    if (looks.isEmpty()) {
        std::fprintf(stderr, "usage: %s [--keys] FILE.png [STYLE[:dark]...]\n", argv[0]);
        return 2;
    }
    const QString file = looks.takeFirst();
    if (looks.isEmpty())
        looks << QStringLiteral("Fusion");

    GameWindow game(6);
    game.window.setWindowTitle(QStringLiteral("Qt Example - Tandrel"));
    game.window.show();
    // As on a desktop, the window the player plays in is the active one.
    game.window.activateWindow();
    for (int i = 0; i < 100 && !game.window.isActiveWindow(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    game.play->click();

    // Three misses and five pairs played, then a sixth pair turned up and waiting for Proceed.
    for (bool samePair : {false, true, true, false, true, true, false, true, true}) {
        const auto [first, second] = game.firstTwo(samePair);
        game.cards[std::size_t(first)]->click();
        game.cards[std::size_t(second)]->click();
        game.proceed->click();
    }
    const auto [first, second] = game.firstTwo();
    game.cards[std::size_t(first)]->click();
    game.cards[std::size_t(second)]->click();
    if (keys)
        QTest::keyClick(game.proceed, Qt::Key_Shift);

    // The same game in every look, side by side.
    std::vector<QPixmap> shots;
    for (const QString &look : looks) {
        const QString name = look.section(':', 0, 0);
        QStyle *style = QApplication::setStyle(name);
        if (!style) {
            std::fprintf(stderr, "%s: no style %s here; there are %s\n", argv[0], qPrintable(name),
                         qPrintable(QStyleFactory::keys().join(", ")));
            return 1;
        }
        QApplication::setPalette(look.endsWith(QLatin1String(":dark")) ? darkPalette()
                                                                       : style->standardPalette());
        // The new palette reaches the window's widgets through posted events.
        QCoreApplication::sendPostedEvents();
        game.window.adjustSize();
        shots.push_back(game.window.grab());
    }
    const int gap = 16;
    QSize size(-gap, 0);
    for (const QPixmap &shot : shots)
        size = QSize(size.width() + gap + shot.width(), std::max(size.height(), shot.height()));
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    int x = 0;
    for (const QPixmap &shot : shots) {
        painter.drawPixmap(x, 0, shot);
        x += shot.width() + gap;
    }
    painter.end();

    if (!picture.save(file)) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
        return 1;
    }
    return 0;
}
