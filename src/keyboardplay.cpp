// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "keyboardplay.h"

#include "tandrel.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>
#include <cstdlib>
#include <utility>

KeyboardPlay::KeyboardPlay(TandrelGameBoard *board, QPushButton *proceedButton,
                           QPushButton *playButton)
    : QObject(board), board(board), playButton(playButton)
{
    for (TandrelButton *card : board->cards())
        card->installEventFilter(this);
    connect(board, &TandrelGameBoard::aboutToReveal, this, &KeyboardPlay::revealing);
    // While a turn waits for Proceed the cards are all disabled, so Proceed is the one thing to
    // press. The board asks for it before it says so, and only an enabled widget takes the focus.
    connect(board, &TandrelGameBoard::turnRevealed, this, [proceedButton] {
        if (proceedButton->isEnabled())
            proceedButton->setFocus(Qt::OtherFocusReason);
    });
    connect(board, &TandrelGameBoard::turnEnded, this, &KeyboardPlay::turnEnded);
    connect(board, &TandrelGameBoard::gameStarted, this, &KeyboardPlay::gameStarted);
    // Adwaita animates a pressed button back to rest, and Play!, which hands the focus on as it
    // is released, is left looking pressed when that animation ends unseen. Asked not to animate
    // Play! (a property the styles that come from KDE's read), the style paints it at rest.
    playButton->setProperty("_kde_no_animations", true);
}

// A new game hands the focus to the first card, wherever else in the window it was.
void KeyboardPlay::gameStarted()
{
    QWidget *focus = board->window()->focusWidget();
    TandrelButton *first = nearestCard(0, 0);
    if (first && board->indexOf(focus) < 0)
        first->setFocus(Qt::OtherFocusReason);
}

// A focused widget that is disabled hands the focus to the next one in the focus chain that is
// enabled, which can be Play! or Quit. So before a card is revealed and goes out of play, the
// focus moves on by itself (and a screen reader hears the card change as one it has left): from
// the first card of a turn to the nearest other card in play, and from any card to the board
// itself once the second card takes them all out of play, until Proceed can take it.
void KeyboardPlay::revealing(int index, bool secondOfTurn)
{
    lastCard = index;
    QWidget *focus = QApplication::focusWidget();
    const bool leaving = secondOfTurn ? board->indexOf(focus) >= 0 : board->indexOf(focus) == index;
    if (!leaving)
        return;
    TandrelButton *next = secondOfTurn ? nullptr : nearestCard(index, 0, true);
    if (next)
        next->setFocus(Qt::OtherFocusReason);
    else
        board->setFocus(Qt::OtherFocusReason);
}

bool KeyboardPlay::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Up && key != Qt::Key_Down)
        return false;
    const int card = board->indexOf(watched);
    if (card < 0)
        return false;

    if (TandrelButton *target = nearestCard(card, key))
        target->setFocus(Qt::TabFocusReason);
    return true; // at the edge of the play the focus stays where it is
}

// Once a turn is over, and before Proceed goes out of play, the focus returns to the card the
// player revealed last, or the nearest one still in play. After the last pair nothing is left on
// the board, and the focus goes to Play!, where a Space deals the next game.
void KeyboardPlay::turnEnded()
{
    TandrelButton *target = board->cards()[std::size_t(lastCard)];
    if (!target->isEnabled())
        target = nearestCard(lastCard, 0);
    if (target)
        target->setFocus(Qt::OtherFocusReason);
    else
        playButton->setFocus(Qt::OtherFocusReason);
}

// The enabled card nearest to card `from` in the direction of an arrow key: along its own row (or
// column) first, over any gaps; at the end of the line, the nearest line that still has a card
// further that way. With any other key, the enabled card nearest to it anywhere on the board, or
// with `other` the nearest but itself. Ties go to the lower index, up and to the left.
TandrelButton *KeyboardPlay::nearestCard(int from, int key, bool other) const
{
    const QPoint start = board->placeOf(from);
    const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down;
    const bool arrow = vertical || key == Qt::Key_Left || key == Qt::Key_Right;
    const int step = (key == Qt::Key_Left || key == Qt::Key_Up) ? -1 : 1;

    const std::vector<TandrelButton *> &cards = board->cards();
    TandrelButton *best = nullptr;
    std::pair<int, int> bestDistance;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        if (!cards[i]->isEnabled() || (other && int(i) == from))
            continue;
        const QPoint offset = board->placeOf(int(i)) - start;
        const int rowOffset = offset.y();
        const int columnOffset = offset.x();
        std::pair<int, int> distance;
        if (!arrow) {
            distance = {std::abs(rowOffset) + std::abs(columnOffset), 0};
        } else {
            const int along = (vertical ? rowOffset : columnOffset) * step;
            if (along <= 0)
                continue;
            distance = {std::abs(vertical ? columnOffset : rowOffset), along};
        }
        if (!best || distance < bestDistance) {
            best = cards[i];
            bestDistance = distance;
        }
    }
    return best;
}
