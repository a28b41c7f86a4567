// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "tandrel.h"

#include "accessibility.h"
#include "focusring.h"
#include "keyboardplay.h"

#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {

// The largest value rand() returns on Linux; the draw formula is written against it.
constexpr long long largestRandom = 2147483647;

void setObjectNameFrom(QObject *object, const char *name)
{
    if (name)
        object->setObjectName(QString::fromUtf8(name));
}

// Lines and buttons of the window all show 14-point bold text in their default family.
void applyWindowFont(QWidget *widget)
{
    widget->setFont(QFont(widget->font().family(), 14, QFont::Bold));
}

// Whether a player could take one colour for the other on a card: their channels differ by less
// than 96 in all, twice what the eye needs to tell two faces apart at a glance.
bool looksLike(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green())
        + std::abs(a.blue() - b.blue())
        < 96;
}

} // namespace

// ceil(v / 2147483647.0 * pairCount) - 1, worked out in whole numbers: quicker, and exactly what
// the formula gives in doubles. 2147483647 is prime, so v * pairCount is a multiple of it only for
// v = 0 and v = 2147483647; any other quotient lies at least 1/2147483647 from a whole number, far
// beyond the rounding of the double formula.
int Zufallsmatrix::pairForDraw(long long v, int pairCount)
{
    if (v <= 0)
        return -1;
    return static_cast<int>((v * pairCount - 1) / largestRandom);
}

Zufallsmatrix::Zufallsmatrix(int boardSize)
    : Zufallsmatrix(boardSize, static_cast<unsigned int>(std::time(nullptr)))
{ }

Zufallsmatrix::Zufallsmatrix(int boardSize, unsigned int seed)
    : boardSize(boardSize), pairCount(boardSize * boardSize / 2)
{
    // Two copies of every pair number wait to be placed. The game has always drawn from two pools
    // that each hold every pair number once; counting the copies left is all that takes: a number
    // is taken while it has a copy left, whichever pool holds it.
    std::vector<unsigned char> copiesLeft(static_cast<std::size_t>(pairCount), 2);
    const std::size_t cardCount = 2 * copiesLeft.size();
    cells.reserve(cardCount);

    std::srand(seed);
    while (cells.size() < cardCount) {
        // One rand() per draw; 0 gives -1, which no pool holds, so it is drawn again.
        const int r = pairForDraw(std::rand(), pairCount);
        if (r < 0 || r >= pairCount || copiesLeft[static_cast<std::size_t>(r)] == 0)
            continue;
        --copiesLeft[static_cast<std::size_t>(r)];
        cells.push_back(r);
    }
}

int Zufallsmatrix::operator()(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= cells.size())
        return 0;
    return cells[static_cast<std::size_t>(index)];
}

int Zufallsmatrix::operator()(int row, int column) const
{
    const long long index = row + static_cast<long long>(column) * boardSize;
    if (index < 0 || static_cast<unsigned long long>(index) >= cells.size())
        return 0;
    return cells[static_cast<std::size_t>(index)];
}

TandrelButton::TandrelButton(QWidget *parent, const QColor &color)
    : QPushButton(parent), cardColor(color)
{
    // A card takes the size the grid gives it and claims no extra room for itself.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QColor TandrelButton::activecolor() const
{
    return cardColor;
}

void TandrelButton::setActiveColor(const QColor &color)
{
    cardColor = color;
}

QSize TandrelButton::sizeHint() const
{
    return {50, 50};
}

QSize TandrelButton::minimumSizeHint() const
{
    return {10, 10};
}

// Many styles paint a push button from their own colours or images and only tint it with the
// palette, or ignore it. A revealed card, whose palette is made from one colour alone, therefore
// fills its face with that colour itself, leaving the outermost pixel of the style's frame.
void TandrelButton::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    // The roles that a palette made from one colour leaves unset come from the inherited one.
    const QColor face = palette().color(QPalette::Button);
    if (!testAttribute(Qt::WA_SetPalette) || QPalette(face, face).resolve(palette()) != palette())
        return;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 2, 2);

    // A face of nearly the colour that hidden cards show (a dark grey on a dark desktop) would
    // look hidden. A ring in the hidden cards' text colour, which the desktop makes stand out
    // from them, tells it is revealed; the middle of the face keeps the pair's colour.
    const QPalette &hidden = parentWidget() ? parentWidget()->palette() : QApplication::palette();
    if (!looksLike(face, hidden.color(QPalette::Active, QPalette::Button))
        && !looksLike(face, hidden.color(QPalette::Disabled, QPalette::Button)))
        return;
    // An eighth of the card at its edge keeps clear of the middle half even on the smallest card.
    const qreal ring = std::min(width(), height()) / 8.0;
    const qreal inset = 1 + ring / 2;
    painter.setPen(QPen(hidden.color(QPalette::Active, QPalette::ButtonText), ring));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), 2, 2);
}

// How a turn flows on the board:
// - newGame() reshuffles, recolours every card and opens all of them, hidden.
// - The first card clicked shows its colour and is disabled.
// - The second card shows its colour, every card is disabled, and the board reports a pair (or
//   counts a miss as a new turn) and asks for Proceed.
// - proceedClicked() removes a pair (the cards turn flat and stay disabled) or hides a miss, opens
//   the cards still in play and reports the counters, then either asks for the next card or
//   reports that the game is finished.
// A card shows its colour only through its palette: its own colour to reveal it, the board's
// palette to hide it. Two revealed cards match when their palettes are equal, which the distinct
// pair colours make the same as holding the same pair number.

TandrelGameBoard::TandrelGameBoard(int boardSize, QWidget *parent, const char *name)
    : QWidget(parent)
    , boardSize(boardSize)
    , buttons(static_cast<std::size_t>(boardSize * boardSize), nullptr)
    , layoutMatrix(0)
{
    setObjectNameFrom(this, name);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(4);

    layoutMatrix = Zufallsmatrix(boardSize);
    pairColors = pairColorsFor(boardSize);

    // The indexes run down the columns.
    for (int i = 0; i < boardSize * boardSize; ++i) {
        auto *card = new TandrelButton(this, pairColors[static_cast<std::size_t>(layoutMatrix(i))]);
        card->setEnabled(false);
        connect(card, &QPushButton::clicked, this, &TandrelGameBoard::buttonClicked);
        grid->addWidget(card, placeOf(i).y(), placeOf(i).x());
        buttons[static_cast<std::size_t>(i)] = card;
    }
}

std::vector<QColor> TandrelGameBoard::pairColorsFor(int boardSize)
{
    // A three-digit counter over red, green and blue, red the fastest digit, that starts one step
    // above black. For every valid size it has more states than the board has pairs.
    const int pairCount = boardSize * boardSize / 2;
    std::vector<QColor> colors;
    if (pairCount <= 0)
        return colors;

    // pow() of 8 comes out at exactly 2.0 here; a cube-root routine could land just below it and
    // change the whole list for a 4 by 4 board.
    const int digits
        = static_cast<int>(std::floor(std::pow(double(pairCount), 0.3333333333333333)));
    const int step = 255 / digits;
    int red = 0;
    int green = 0;
    int blue = 0;
    colors.reserve(static_cast<std::size_t>(pairCount));
    for (int pair = 0; pair < pairCount; ++pair) {
        red += step;
        if (red > 255) {
            red = 0;
            green += step;
            if (green > 255) {
                green = 0;
                blue += step;
                if (blue > 255)
                    blue = 0;
            }
        }
        colors.emplace_back(red, green, blue);
    }
    return colors;
}

void TandrelGameBoard::newGame()
{
    // The cards of an unfinished turn show their colour until they are hidden with the others.
    const TandrelButton *const shown[] = {firstCard, secondCard};
    clickCount = 0;
    turn = 1;
    pairsLeft = boardSize * boardSize / 2;
    firstCard = nullptr;
    secondCard = nullptr;

    layoutMatrix = Zufallsmatrix(boardSize);
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setActiveColor(pairColors[static_cast<std::size_t>(layoutMatrix(int(i)))]);

    emit updateCounter(turn, pairsLeft);
    enableButtons();
    for (const TandrelButton *card : shown) {
        if (card)
            emit cardChanged(indexOf(card));
    }
    emit gameStarted();
}

void TandrelGameBoard::proceedClicked()
{
    // Only a turn with both cards shown can end; at any other moment Proceed has no turn to end.
    if (clickCount != 2)
        return;

    clickCount = 0;
    if (isPair()) {
        firstCard->setFlat(true);
        secondCard->setFlat(true);
        --pairsLeft;
    }
    conceal(firstCard);
    conceal(secondCard);
    const int ended[] = {indexOf(firstCard), indexOf(secondCard)};
    firstCard = nullptr;
    secondCard = nullptr;
    for (int index : ended)
        emit cardChanged(index);
    ButtonsOff(false);

    emit turnEnded();
    emit proceedOn(false);
    emit updateCounter(turn, pairsLeft);
    if (pairsLeft == 0)
        emit finished();
    else
        emit newMessage("Click to reveal a card.");
}

void TandrelGameBoard::buttonClicked()
{
    const int index = indexOf(sender());
    // A card out of play, already shown or waiting for Proceed takes no part in the turn.
    if (index < 0 || !buttons[std::size_t(index)]->isEnabled())
        return;

    TandrelButton *card = buttons[std::size_t(index)];
    emit aboutToReveal(index, clickCount == 1);
    reveal(card);
    card->setDisabled(true);
    (clickCount == 0 ? firstCard : secondCard) = card;
    emit cardChanged(index);
    if (++clickCount == 1)
        return;

    ButtonsOff(true);
    const bool pair = isPair();
    if (pair)
        emit newMessage("Pair found!");
    else
        ++turn;
    emit proceedOn(true);
    emit turnRevealed(pair);
}

TandrelGameBoard::CardState TandrelGameBoard::stateOf(int cardIndex) const
{
    const TandrelButton *card = buttons[std::size_t(cardIndex)];
    if (card->isFlat())
        return CardState::Removed;
    return card == firstCard || card == secondCard ? CardState::Shown : CardState::Hidden;
}

void TandrelGameBoard::enableButtons()
{
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        TandrelButton *card = buttons[i];
        const bool wasRemoved = card->isFlat();
        card->setEnabled(true);
        card->setFlat(false);
        conceal(card);
        if (wasRemoved)
            emit cardChanged(int(i));
    }
}

// Switches the cards still in play off or back on; removed (flat) cards stay as they are.
void TandrelGameBoard::ButtonsOff(bool off)
{
    for (TandrelButton *card : buttons) {
        if (card->isFlat())
            continue;
        card->setDisabled(off);
        if (!off)
            conceal(card);
    }
}

void TandrelGameBoard::reveal(TandrelButton *card)
{
    card->setPalette(QPalette(card->activecolor(), card->activecolor()));
}

void TandrelGameBoard::conceal(TandrelButton *card)
{
    // A card with no palette of its own shows the board's already, unless the board's carries
    // settings of its own; then giving it the board's palette again would change nothing.
    if (card->testAttribute(Qt::WA_SetPalette) || palette().resolveMask() != 0)
        card->setPalette(palette());
}

int TandrelGameBoard::indexOf(const QObject *card) const
{
    const auto found = std::find(buttons.begin(), buttons.end(), card);
    return found == buttons.end() ? -1 : int(found - buttons.begin());
}

bool TandrelGameBoard::isPair() const
{
    return firstCard->palette() == secondCard->palette();
}

Tandrel::Tandrel(int boardSize, QWidget *parent, const char *name) : QWidget(parent)
{
    setObjectNameFrom(this, name);

    // Creation order is also the keyboard focus order: the cards, Proceed, Play!, Quit.
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(6);

    statusLabel = new QLabel(this);
    counterLabel = new QLabel(this);
    for (QLabel *label : {statusLabel, counterLabel}) {
        label->setFrameStyle(QFrame::NoFrame | QFrame::Plain);
        label->setAlignment(Qt::AlignCenter);
        applyWindowFont(label);
        column->addWidget(label);
    }

    board = new TandrelGameBoard(boardSize, this);
    connect(board, &TandrelGameBoard::finished, this, &Tandrel::gameOver);
    column->addWidget(board);

    proceedButton = new QPushButton(QStringLiteral("Proceed"), this);
    connect(proceedButton, &QPushButton::clicked, board, &TandrelGameBoard::proceedClicked);
    column->addWidget(proceedButton);

    auto *separatorLine = new QFrame(this);
    separatorLine->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    column->addWidget(separatorLine);

    playButton = new QPushButton(QStringLiteral("Play!"), this);
    connect(playButton, &QPushButton::clicked, this, &Tandrel::newGameClicked);
    quitButton = new QPushButton(QStringLiteral("Quit"), this);
    connect(quitButton, &QPushButton::clicked, qApp, &QCoreApplication::quit);
    for (QPushButton *button : {proceedButton, playButton, quitButton}) {
        button->setMinimumHeight(40);
        applyWindowFont(button);
    }

    // The row takes the column's spacing of 6 pixels: Play! on the left, Quit on the right.
    auto *buttonRow = new QHBoxLayout;
    column->addLayout(buttonRow);
    buttonRow->addWidget(playButton);
    buttonRow->addWidget(quitButton);

    proceedButton->setEnabled(false);

    connect(board, &TandrelGameBoard::proceedOn, this, &Tandrel::enableProceed);
    connect(board, &TandrelGameBoard::newMessage, this, &Tandrel::newState);
    connect(board, &TandrelGameBoard::updateCounter, this, &Tandrel::setCounter);

    // Both follow the board alone; the screen readers' side needs the lines before their first
    // text, to present them as the window's status bar.
    new KeyboardPlay(board, proceedButton, playButton);
    new GameNews(board, statusLabel, counterLabel);
    // It follows the window's focus wherever the keyboard takes it.
    new FocusRing(this);

    newState("Press 'Play!' to start game!");
}

void Tandrel::enableProceed(bool on)
{
    proceedButton->setEnabled(on);
}

void Tandrel::newState(const char *text)
{
    statusLabel->setText(QString::fromUtf8(text));
}

QString counterText(int turn, int pairsLeft)
{
    return QLatin1String("Turn: ") + QString::number(turn) + QLatin1String(". Pairs left: ")
        + QString::number(pairsLeft) + QLatin1Char('.');
}

void Tandrel::setCounter(int turn, int pairsLeft)
{
    counterLabel->setText(counterText(turn, pairsLeft));
}

void Tandrel::newGameClicked()
{
    board->newGame();
    enableProceed(false);
    newState("Click to reveal a card.");
}

void Tandrel::gameOver()
{
    newState("Finished!");
}
