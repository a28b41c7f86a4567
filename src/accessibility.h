// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#ifndef ACCESSIBILITY_H
#define ACCESSIBILITY_H

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class QLabel;
class QWidget;
class TandrelGameBoard;

// Words for each colour of the list, in its order, that a player can hold in mind, picture and
// compare by ear ("dark red", "soft amber"), without numbers: equal colours get equal words, and
// the pair colours of any board different words.
std::vector<QString> colourWords(const std::vector<QColor> &colours);

// Everything the game tells a player who does not see the board, or cannot tell its colours
// apart, from what the board says alone:
// - each card's accessible name, its place and its state ("Card, row 1, column 2, showing red"),
//   which screen readers speak, braille and review alike;
// - the news of each move, its most important words first ("Pair found! Red, row 2, column 1."),
//   told once the move is over and the focus has come to rest: announced where Qt can (6.8 on),
//   before that put in front of the name of whatever has the focus, which a screen reader speaks
//   and brailles with it, until the focus moves on;
// - the window as an application window, and the status and counter lines as its status bar,
//   with the news of the last card revealed before them, to be read again;
// - a revealed card's colour in words in its tooltip, which a card revealed where nothing hovers,
//   from the keyboard or by a tap, shows at once unless a screen reader runs.
class GameNews : public QObject
{
    Q_OBJECT

public:
    // Create it before the lines are given a text. It belongs to the status line, which the
    // window creates before the board and so destroys before the board and its cards.
    GameNews(TandrelGameBoard *board, QLabel *statusLine, QLabel *counterLine);

    // What screen readers read as the window's status bar.
    QString statusBar() const;

signals:
    // Queued to itself: the news of a move is told once the event that made it is handled.
    void moveMade();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString colourOf(int index) const;
    void nameCard(int index);
    void revealing(int index, bool secondOfTurn);
    void report(const QString &news);
    void tell();

    TandrelGameBoard *board;
    QLabel *statusLine;
    QLabel *counterLine;
    std::vector<QString> places; // the start of each card's name, its place
    std::vector<QString> words; // the colours in words, by pair number
    QString counter; // as the board counted last
    bool ending = false; // Proceed has ended a turn, whose news waits for the counter
    QString news; // of the move under way, until it is told
    QString lastNews; // of the last card revealed in this turn
    QString toldStatusBar; // the status bar's name as it was when the last news was told
    bool telling = false;
    int unhovered = -1; // the card Space or a tap was released on, until the move is told
    int revealedUnhovered = -1; // the card it revealed
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    void withdraw();
    QPointer<QWidget> holder; // the widget whose name carries the news
    QString holderName; // its own name
    QString held; // the news it carries
#endif
};

#endif
