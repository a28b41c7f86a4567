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
class TandrelButton;
class TandrelGameBoard;

// Words for each colour of the list, in its order, that a player can hold in mind and compare by
// ear ("dark red", "lime"): equal colours get equal words, different colours different words.
std::vector<QString> colourWords(const std::vector<QColor> &colours);

// Makes screen readers see the game window as an application window, and its status and counter
// lines as its status bar. Call it before the window is shown; calling it again does nothing.
void installGameAccessibility();

// Tells a screen reader what each move did: the colour a card shows, whether two cards are a pair
// and what Proceed will do, the counter and the status after Proceed and Play!. Where Qt can
// announce (6.8 on), the news is announced; before that it is added to the accessible
// description of whatever has the focus once the move is over, which a screen reader reads out
// with the focus, and taken away again when the focus moves on.
class GameNews : public QObject
{
    Q_OBJECT

public:
    GameNews(QWidget *window, TandrelGameBoard *board, int boardSize, QPushButton *proceedButton,
             QPushButton *playButton, QLabel *statusLine, QLabel *counterLine);

private:
    void cardClicked(int index);
    void tell(const QString &news);
    void withdraw();

    QWidget *window;
    TandrelGameBoard *board;
    std::vector<TandrelButton *> cards;
    QPushButton *proceedButton;
    QLabel *statusLine;
    QLabel *counterLine;
    int boardSize;
    QColor firstColour; // the colour revealed first in this turn
    QPointer<QWidget> holder; // the widget whose description carries the news
    QString holderDescription; // its description without the news
    QString heldDescription; // and with it
};

#endif
