// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "gamewindow.h"

#include <QApplication>
#include <QTest>

#include <algorithm>

int partnerOf(const std::vector<TandrelButton *> &cards, int index, bool sameColor, Among which)
{
    for (int i = 0; i < int(cards.size()); ++i) {
        const bool candidate
            = which == Among::Enabled ? cards[i]->isEnabled() : !cards[i]->isFlat();
        if (i != index && candidate
            && (cards[i]->activecolor() == cards[index]->activecolor()) == sameColor)
            return i;
    }
    return -1;
}

GameWindow::GameWindow(int n) : window(n), n(n)
{
    const auto labels = window.findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
    status = labels.value(0);
    counter = labels.value(1);
    board = window.findChild<TandrelGameBoard *>();
    const auto buttons = window.findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly);
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

int GameWindow::indexOf(const QWidget *widget) const
{
    return int(std::find(cards.begin(), cards.end(), widget) - cards.begin());
}

int GameWindow::partnerOf(int index, bool sameColor) const
{
    return ::partnerOf(cards, index, sameColor, Among::Enabled);
}

std::pair<int, int> GameWindow::firstTwo(bool sameColor) const
{
    const auto first = std::find_if(cards.begin(), cards.end(),
                                    [](const TandrelButton *card) { return card->isEnabled(); });
    if (first == cards.end())
        return {-1, -1};
    const int index = int(first - cards.begin());
    return {index, partnerOf(index, sameColor)};
}

bool GameWindow::showAndWait()
{
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

// On Wayland only the compositor hands out the keyboard focus, and a headless one has no keyboard
// to hand: there the test tells the toolkit what the compositor would when a player clicks into
// the window.
bool GameWindow::activate()
{
    if (!showAndWait())
        return false;
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(&window);
        QT_WARNING_POP
    } else {
        window.activateWindow();
    }
    return QTest::qWaitFor([this] { return window.isActiveWindow(); });
}
