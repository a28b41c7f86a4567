// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#ifndef GAMEWINDOW_H
#define GAMEWINDOW_H

#include "tandrel.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <vector>

// A game window under test, with its parts found the way a player sees them: the two lines, the
// buttons by their labels, and the cards in the order of their indexes.
struct GameWindow
{
    explicit GameWindow(int n) : window(n), n(n)
    {
        const auto labels = window.findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
        status = labels.value(0);
        counter = labels.value(1);
        board = window.findChild<TandrelGameBoard *>();
        const auto buttons
            = window.findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly);
        for (QPushButton *button : buttons) {
            if (button->text() == "Proceed")
                proceed = button;
            else if (button->text() == "Play!")
                play = button;
            else if (button->text() == "Quit")
                quit = button;
        }
        const auto found = board->findChildren<TandrelButton *>();
        cards.assign(found.begin(), found.end());
    }

    int indexOf(const QWidget *widget) const
    {
        return int(std::find(cards.begin(), cards.end(), widget) - cards.begin());
    }

    // An enabled card other than `index`, of the same colour or of another; -1 if there is none.
    int partnerOf(int index, bool sameColor = true) const
    {
        for (int i = 0; i < int(cards.size()); ++i) {
            if (i != index && cards[i]->isEnabled()
                && (cards[i]->activecolor() == cards[index]->activecolor()) == sameColor)
                return i;
        }
        return -1;
    }

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
