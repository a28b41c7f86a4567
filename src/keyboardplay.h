// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#ifndef KEYBOARDPLAY_H
#define KEYBOARDPLAY_H

#include <QObject>

class QPushButton;
class TandrelButton;
class TandrelGameBoard;

// Lets the game be played without a mouse. Tab and Space work as on any push button; on top of
// that the arrow keys move the focus across the grid to the nearest card in play. The focus stays
// in the play and moves only when the board says the game has moved: a new game hands it to the
// cards, a revealed card to the nearest card in play, and it goes to Proceed while a turn waits
// for it and back to the cards when the next turn begins, so that a Space never lands on Play!
// or Quit by accident. Once the game is over it goes to Play!.
class KeyboardPlay : public QObject
{
    Q_OBJECT

public:
    // The window hands over its own buttons; the board, its cards.
    KeyboardPlay(TandrelGameBoard *board, QPushButton *proceedButton, QPushButton *playButton);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void revealing(int index, bool secondOfTurn);
    void turnEnded();
    void gameStarted();
    TandrelButton *nearestCard(int from, int key, bool other = false) const;

    TandrelGameBoard *board;
    QPushButton *playButton;
    int lastCard = 0; // the card revealed last
};

#endif
