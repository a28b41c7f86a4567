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
class QPushButton;
class QWidget;
class TandrelGameBoard;

// Words for each colour of the list, in its order, that a player can hold in mind and compare by
// ear ("dark red", "lime"): equal colours get equal words, different colours different words.
std::vector<QString> colourWords(const std::vector<QColor> &colours);

// Makes screen readers see the game window as an application window, and the status line as its
// status bar, read with the counter line after it. Call it before the lines are given a text.
void installGameAccessibility(QLabel *statusLine, QLabel *counterLine);

// Tells a screen reader what each move did: the colour a card shows, whether two cards are a pair
// and what Proceed will do, the counter and the status after Proceed and Play!. Where Qt can
// announce (6.8 on), the news is announced; before that it is put in front of the accessible name
// of whatever has the focus once the move is over, which a screen reader speaks and brailles with
// the focus, and taken away again when the focus moves on.
class GameNews : public QObject
{
    Q_OBJECT

public:
    GameNews(QWidget *window, TandrelGameBoard *board, int boardSize, QPushButton *proceedButton,
             QPushButton *playButton, QLabel *statusLine, QLabel *counterLine);

private:
    void revealing(int index, bool secondOfTurn);
    void turnWaits();
    void tell(const QString &news);
    void withdraw();

    QWidget *window;
    TandrelGameBoard *board;
    QLabel *statusLine;
    QLabel *counterLine;
    int boardSize;
    QString secondCard; // what the turn's second card shows, told with the turn's result
    QString verdict; // what the board said of the turn's two cards
    QPointer<QWidget> holder; // the widget whose name carries the news
    QString holderName; // its own accessible name, without the news
    QString heldName; // and with it
};

#endif
