// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "accessibility.h"

#include "tandrel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

#include <array>
#include <map>

namespace {

// A colour's name as people say it: its hue, with words for a lightness and a strength away from
// the full colour ("dark soft red", "medium yellow"), or its shade of grey.
QString plainName(const QColor &colour)
{
    const int value = colour.value();
    const int saturation = colour.hsvSaturation();
    if (value < 24)
        return QStringLiteral("black");
    if (saturation < 48) {
        if (value < 100)
            return QStringLiteral("dark grey");
        if (value < 170)
            return QStringLiteral("grey");
        return value < 230 ? QStringLiteral("light grey") : QStringLiteral("white");
    }
    static const std::array<const char *, 12> hues = {
        "red",  "orange", "yellow", "lime",   "green",   "mint",
        "cyan", "azure",  "blue",   "violet", "magenta", "pink",
    };
    QStringList words;
    if (value < 80)
        words << QStringLiteral("very dark");
    else if (value < 150)
        words << QStringLiteral("dark");
    else if (value < 220)
        words << QStringLiteral("medium");
    if (saturation < 100)
        words << QStringLiteral("pale");
    else if (saturation < 220)
        words << QStringLiteral("soft");
    words << QString::fromLatin1(hues[std::size_t(((colour.hsvHue() + 15) / 30) % 12)]);
    return words.join(QLatin1Char(' '));
}

// The main window, which screen readers name by its title.
class GameWindowInterface : public QAccessibleWidget
{
public:
    explicit GameWindowInterface(QWidget *window) : QAccessibleWidget(window, QAccessible::Window)
    { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->windowTitle();
        return QAccessibleWidget::text(t);
    }
};

// The status line, which screen readers read as the window's status bar, with the counter line
// after it: a screen reader reads one status bar, the lowest.
class StatusBar : public QAccessibleWidget
{
public:
    StatusBar(QLabel *statusLine, QLabel *counterLine)
        : QAccessibleWidget(statusLine, QAccessible::StatusBar), counterLine(counterLine)
    { }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !widget()->accessibleName().isEmpty())
            return QAccessibleWidget::text(t);
        const QString status = static_cast<QLabel *>(widget())->text();
        return counterLine->text().isEmpty() ? status
                                             : status + QLatin1Char(' ') + counterLine->text();
    }

private:
    QPointer<QLabel> counterLine;
};

// The status lines that screen readers see as status bars, each with its counter line.
std::map<const QObject *, QPointer<QLabel>> &statusBars()
{
    static std::map<const QObject *, QPointer<QLabel>> lines;
    return lines;
}

QAccessibleInterface *gameInterface(const QString &className, QObject *object)
{
    // Qt's accessibility cache takes the interfaces it is given and deletes them with the widget.
    if (className == QLatin1String("Tandrel"))
        return new GameWindowInterface(static_cast<QWidget *>(object));
    const auto statusBar = statusBars().find(object);
    if (className != QLatin1String("QLabel") || statusBar == statusBars().end())
        return nullptr;
    return new StatusBar(static_cast<QLabel *>(object), statusBar->second);
}

QString place(int index, int boardSize)
{
    return QStringLiteral("Row %1, column %2")
        .arg(index % boardSize + 1)
        .arg(index / boardSize + 1);
}

} // namespace

std::vector<QString> colourWords(const std::vector<QColor> &colours)
{
    // Two different colours that people would name alike are told apart by a number.
    std::vector<QString> words;
    std::map<QRgb, QString> given;
    std::map<QString, int> uses;
    for (const QColor &colour : colours) {
        auto [known, isNew] = given.try_emplace(colour.rgb());
        if (isNew) {
            const QString name = plainName(colour);
            const int use = ++uses[name];
            known->second = use == 1 ? name : name + QLatin1Char(' ') + QString::number(use);
        }
        words.push_back(known->second);
    }
    return words;
}

void installGameAccessibility(QLabel *statusLine, QLabel *counterLine)
{
    QAccessible::installFactory(gameInterface);
    statusBars()[statusLine] = counterLine;
    QObject::connect(statusLine, &QObject::destroyed,
                     [statusLine] { statusBars().erase(statusLine); });
}

GameNews::GameNews(QWidget *window, TandrelGameBoard *board, int boardSize,
                   QPushButton *proceedButton, QPushButton *playButton, QLabel *statusLine,
                   QLabel *counterLine)
    : QObject(board)
    , window(window)
    , board(board)
    , statusLine(statusLine)
    , counterLine(counterLine)
    , boardSize(boardSize)
{
    // Connected after the window, the board and keyboard play, so that the news is told where
    // the focus is once the move is over.
    connect(board, &TandrelGameBoard::aboutToReveal, this, &GameNews::revealing);
    connect(board, &TandrelGameBoard::newMessage, this, [this](const char *text) {
        if (!secondCard.isEmpty())
            verdict = QString::fromUtf8(text);
    });
    connect(board, &TandrelGameBoard::proceedOn, this, [this](bool waiting) {
        if (waiting)
            turnWaits();
    });
    connect(proceedButton, &QPushButton::clicked, this, [this] {
        tell(this->counterLine->text() + QLatin1Char(' ') + this->statusLine->text());
    });
    connect(playButton, &QPushButton::clicked, this, [this] {
        tell(QStringLiteral("New game. ") + this->counterLine->text() + QLatin1Char(' ')
             + this->statusLine->text());
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *) {
        if (old && old == holder)
            withdraw();
    });
}

void GameNews::revealing(int index, bool secondOfTurn)
{
    const QString shown = place(index, boardSize) + QStringLiteral(" shows ")
        + board->colourWordsOf(board->cards()[std::size_t(index)]) + QLatin1Char('.');
    if (secondOfTurn)
        secondCard = shown;
    else
        tell(shown);
}

// The second card is told with what the board made of the two, once Proceed can be pressed.
void GameNews::turnWaits()
{
    if (secondCard.isEmpty())
        return;
    tell(secondCard
         + (verdict.isEmpty() ? QStringLiteral(" No pair. Proceed hides both cards again.")
                              : QLatin1Char(' ') + verdict
                    + QStringLiteral(" Proceed takes the pair off the board.")));
    secondCard.clear();
    verdict.clear();
}

void GameNews::tell(const QString &news)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(window, news);
    QAccessible::updateAccessibility(&event);
#else
    // A screen reader asks for the name of what takes the focus once the move is over.
    withdraw();
    holder = QApplication::focusWidget();
    if (!holder)
        return;
    holderName = holder->accessibleName();
    const QString ownName = QAccessible::queryAccessibleInterface(holder)->text(QAccessible::Name);
    heldName = ownName.isEmpty() ? news : news + QLatin1Char(' ') + ownName;
    holder->setAccessibleName(heldName);
#endif
}

// Gives the holder its own name back, unless the game has changed it since.
void GameNews::withdraw()
{
    if (holder && holder->accessibleName() == heldName)
        holder->setAccessibleName(holderName);
    holder = nullptr;
}
