// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#ifndef GAMEWINDOW_H
#define GAMEWINDOW_H

#include "tandrel.h"

#include <QLabel>
#include <QPushButton>

#include <utility>
#include <vector>

// Which cards partnerOf() may pick: those a player can click, or every card not yet removed
// (the first card of a turn among them).
enum class Among { Enabled, NotRemoved };

// A card other than `index` among `which`, of the same colour or of another; -1 if there is none.
int partnerOf(const std::vector<TandrelButton *> &cards, int index, bool sameColor = true,
              Among which = Among::Enabled);

// A game window under test, with its parts found the way a player sees them: the two lines, the
// buttons by their labels, and the cards in the order of their indexes.
struct GameWindow
{
    explicit GameWindow(int n);

    int indexOf(const QWidget *widget) const;
    // An enabled card other than `index`, of the same colour or of another; -1 if there is none.
    int partnerOf(int index, bool sameColor = true) const;
    // The first card in play and an enabled card of its colour (or of another); -1s if none.
    std::pair<int, int> firstTwo(bool sameColor = true) const;
    // Shows the window and waits until it is on the screen; false if it never comes.
    bool showAndWait();
    // Shows the window and waits until it has the keyboard focus; false if it never comes.
    bool activate();

    Tandrel window;
    int n;
    QLabel *status = nullptr;
    QLabel *counter = nullptr;
    TandrelGameBoard *board = nullptr;
    QPushButton *proceed = nullptr;
    QPushButton *play = nullptr;
    QPushButton *quit = nullptr;
    std::vector<TandrelButton *> cards;
};

#endif
