// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#ifndef TANDREL_H
#define TANDREL_H

#include <QColor>
#include <QPoint>
#include <QPushButton>
#include <QSize>
#include <QString>
#include <QWidget>

#include <vector>

class QLabel;

// The counter line's words, "Turn: 2. Pairs left: 5.", which screen readers hear too.
QString counterText(int turn, int pairsLeft);

// The shuffled layout of one game: the pair number of every card index of an n by n board.
// Each draw takes one rand() and accepts any pair number that still has a copy left. That is how
// the game has always shuffled, and it is kept so that a seed gives the layouts it always gave:
// the layouts are not all equally likely (on a 2 by 2 board each pair more often fills one
// column), and two layouts of the same size made within the same second of the clock are equal.
class Zufallsmatrix
{
public:
    explicit Zufallsmatrix(int boardSize);
    // Seeds the generator with the given value instead of the clock; the layout then depends on
    // the seed alone.
    Zufallsmatrix(int boardSize, unsigned int seed);

    // Pair number of a card index; 0 for an index off the board.
    int operator()(int index) const;
    // Pair number at (row, column); only the combined index is checked against the board.
    int operator()(int row, int column) const;

    // The pair number that the value v of rand() draws: ceil(v / 2147483647.0 * pairCount) - 1,
    // so -1 for 0, which the shuffle draws again.
    static int pairForDraw(long long v, int pairCount);

private:
    int boardSize;
    int pairCount;
    std::vector<int> cells;
};

// One card: a push button that holds the colour of its pair. The board decides when the colour
// shows, by giving the card a palette made from it.
class TandrelButton : public QPushButton
{
    Q_OBJECT

public:
    TandrelButton(QWidget *parent, const QColor &color);

    QColor activecolor() const;
    // Changes the colour the card holds; what it shows changes only with its next palette.
    void setActiveColor(const QColor &color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor cardColor;
};

// The board plays the game. Besides the four signals that drive the window, it tells the story of
// each move as it happens, for whoever shows the game another way than by the cards' colours.
class TandrelGameBoard : public QWidget
{
    Q_OBJECT

public:
    // What a card shows: its back, its colour, or an empty place once its pair is taken.
    enum class CardState : unsigned char { Hidden, Shown, Removed };

    TandrelGameBoard(int boardSize, QWidget *parent = nullptr, const char *name = nullptr);

    void newGame();

    // The cards in the order of their indexes, which run down the columns.
    const std::vector<TandrelButton *> &cards() const { return buttons; }
    // Where a card stands: its column as x and its row as y, counted from 0.
    QPoint placeOf(int cardIndex) const { return {cardIndex / boardSize, cardIndex % boardSize}; }
    CardState stateOf(int cardIndex) const;
    // The index of a card of this board; -1 for anything else.
    int indexOf(const QObject *card) const;
    // The pair number of a card, which selects its colour in colors().
    int pairOf(int cardIndex) const { return layoutMatrix(cardIndex); }
    const std::vector<QColor> &colors() const { return pairColors; }

    // The distinct pair colours of a board of the given size, indexed by pair number.
    static std::vector<QColor> pairColorsFor(int boardSize);

public slots:
    void proceedClicked();

private slots:
    void buttonClicked();

signals:
    void finished();
    void proceedOn(bool on);
    void newMessage(const char *text);
    void updateCounter(int turn, int pairsLeft);

    // A card is about to show its colour, the turn's first or second. Emitted before the card
    // changes, so that whatever has the focus can move on before it shows and goes out of play.
    void aboutToReveal(int cardIndex, bool secondOfTurn);
    // A card's state has changed; stateOf() tells the new one.
    void cardChanged(int cardIndex);
    // Both cards of the turn show, and Proceed has been asked for; whether they are a pair.
    void turnRevealed(bool pair);
    // Proceed has ended the turn: the cards still in play are open again. Emitted before the
    // board reports the end of the turn with proceedOn(false).
    void turnEnded();
    // A new game is dealt and every card is in play, after updateCounter().
    void gameStarted();

private:
    void enableButtons();
    void ButtonsOff(bool off);
    void reveal(TandrelButton *card);
    void conceal(TandrelButton *card);
    bool isPair() const;

    int boardSize;
    std::vector<TandrelButton *> buttons;
    Zufallsmatrix layoutMatrix;
    std::vector<QColor> pairColors;
    int clickCount = 0;
    int pairsLeft = boardSize * boardSize / 2;
    int turn = 1;
    TandrelButton *firstCard = nullptr;
    TandrelButton *secondCard = nullptr;
};

// The main window: the status and counter lines, the board, Proceed, Play! and Quit.
class Tandrel : public QWidget
{
    Q_OBJECT

public:
    // boardSize must already be a valid size (even, 2 to 12).
    Tandrel(int boardSize, QWidget *parent = nullptr, const char *name = nullptr);

public slots:
    void enableProceed(bool on);
    void newState(const char *text);
    void setCounter(int turn, int pairsLeft);

private slots:
    void newGameClicked();
    void gameOver();

private:
    QPushButton *proceedButton;
    QPushButton *playButton;
    QPushButton *quitButton;
    QLabel *statusLabel;
    QLabel *counterLabel;
    TandrelGameBoard *board;
};

#endif
