// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

// Plays a few turns of a 6 by 6 game and saves a picture of the window for the README:
// tandrel-screenshot FILE.png
#include "gamewindow.h"

#include <cstdio>

namespace {

// The first card in play, and another card in play of the same colour or of another.
std::pair<TandrelButton *, TandrelButton *> twoCards(const GameWindow &game, bool samePair)
{
    for (int i = 0; i < int(game.cards.size()); ++i) {
        if (game.cards[std::size_t(i)]->isEnabled())
            return {game.cards[std::size_t(i)],
                    game.cards[std::size_t(game.partnerOf(i, samePair))]};
    }
    return {nullptr, nullptr};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.png\n", argv[0]);
        return 2;
    }

    GameWindow game(6);
    game.window.setWindowTitle(QStringLiteral("Qt Example - Tandrel"));
    game.window.show();
    game.play->click();

    // Three misses and five pairs played, then a sixth pair turned up and waiting for Proceed.
    for (bool samePair : {false, true, true, false, true, true, false, true, true}) {
        const auto [first, second] = twoCards(game, samePair);
        first->click();
        second->click();
        game.proceed->click();
    }
    const auto [first, second] = twoCards(game, true);
    first->click();
    second->click();

    if (!game.window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
