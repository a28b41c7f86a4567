// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "accessibility.h"

#include "tandrel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QStringList>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <map>
#include <utility>

namespace {

// What people call the colours of a range of hues, from where the range before ends up to hueTo
// (degrees of HSV hue): at full strength from very dark to bright, then mixed with grey or white in
// three steps, soft, dull and greyish, from dim to bright. Where people have words of their own for
// part of a range, those are its words: dark oranges are brown, dark yellows olive, light reds
// salmon and pink. Neighbouring ranges and steps have different words, so that the pair colours of
// every board have a name of their own.
struct HueWords
{
    int hueTo;
    std::array<const char *, 4> full; // very dark, dark, medium, bright
    std::array<const char *, 2> soft; // dim, bright
    std::array<const char *, 3> dull; // dark, medium, bright
    std::array<const char *, 2> greyish; // dim, bright
};

// Hues from 350 degrees on count as below 10, with the reds.
constexpr HueWords hueWords[] = {
    {10,
     {"maroon", "dark red", "scarlet", "red"},
     {"dull red", "light red"},
     {"reddish brown", "dusty rose", "salmon"},
     {"dusty pink", "pale pink"}},
    {18,
     {"dark brown", "rust", "burnt orange", "orange red"},
     {"terracotta", "light orange"},
     {"brown", "clay", "peach"},
     {"rosy brown", "pale peach"}},
    {25,
     {"dark brown", "rust", "burnt orange", "red orange"},
     {"terracotta", "light orange"},
     {"brown", "clay", "peach"},
     {"rosy brown", "pale peach"}},
    {38,
     {"dark brown", "brown", "orange brown", "orange"},
     {"light brown", "light orange"},
     {"greyish brown", "sandy brown", "tan"},
     {"taupe", "beige"}},
    {52,
     {"dark brown", "bronze", "golden brown", "amber"},
     {"ochre", "light amber"},
     {"dark tan", "sand", "wheat"},
     {"taupe", "beige"}},
    {68,
     {"dark olive", "olive", "mustard", "yellow"},
     {"olive green", "lemon yellow"},
     {"dark khaki", "khaki", "light yellow"},
     {"pale khaki", "cream"}},
    {85,
     {"dark olive green", "moss green", "dark lime", "yellow green"},
     {"pea green", "light yellow green"},
     {"moss", "pale olive", "light lime"},
     {"sage", "pale lime"}},
    {98,
     {"dark moss green", "dark grass green", "grass green", "lime"},
     {"leaf green", "light lime"},
     {"moss green", "sage green", "pale lime"},
     {"sage", "pale lime green"}},
    {112,
     {"dark green", "leaf green", "apple green", "neon green"},
     {"fresh green", "lime green"},
     {"dull green", "sage green", "light green"},
     {"sage", "pale green"}},
    {130,
     {"dark green", "forest green", "kelly green", "green"},
     {"medium green", "bright light green"},
     {"dull green", "fern green", "light green"},
     {"sage green", "pale green"}},
    {145,
     {"dark green", "deep green", "emerald", "vivid green"},
     {"jade", "mint green"},
     {"dull green", "sea green", "mint"},
     {"grey green", "pale mint"}},
    {157,
     {"dark green", "sea green", "emerald", "spring green"},
     {"jade", "mint green"},
     {"dull sea green", "seafoam", "mint"},
     {"grey green", "pale mint"}},
    {172,
     {"dark teal", "teal", "turquoise", "aquamarine"},
     {"turquoise", "aquamarine"},
     {"dusty teal", "seafoam", "light aquamarine"},
     {"grey teal", "pale aqua"}},
    {195,
     {"dark teal", "teal", "teal", "cyan"},
     {"teal", "light cyan"},
     {"dusty teal", "dusty teal", "pale cyan"},
     {"grey teal", "pale cyan"}},
    {225,
     {"navy", "cobalt", "cobalt", "azure"},
     {"steel blue", "sky blue"},
     {"slate blue", "steel blue", "light blue"},
     {"blue grey", "pale blue"}},
    {255,
     {"navy", "dark blue", "royal blue", "blue"},
     {"dusky blue", "light blue"},
     {"dusky blue", "dusky blue", "periwinkle"},
     {"blue grey", "lavender"}},
    {275,
     {"dark indigo", "indigo", "indigo", "violet blue"},
     {"dusky violet", "violet blue"},
     {"dusky violet", "dusky violet", "lavender"},
     {"grey violet", "pale lavender"}},
    {290,
     {"dark violet", "dark violet", "violet", "violet"},
     {"amethyst", "lilac"},
     {"dusky violet", "amethyst", "lilac"},
     {"grey violet", "pale lilac"}},
    {315,
     {"dark purple", "purple", "purple", "magenta"},
     {"orchid", "light magenta"},
     {"plum", "orchid", "lavender pink"},
     {"mauve", "pale lilac"}},
    {325,
     {"dark magenta", "magenta", "magenta", "hot pink"},
     {"orchid", "pink"},
     {"plum", "mauve", "light pink"},
     {"mauve", "pale pink"}},
    {337,
     {"dark wine", "wine", "raspberry", "hot pink"},
     {"dark pink", "pink"},
     {"plum", "dusty rose", "light pink"},
     {"mauve", "pale pink"}},
    {350,
     {"dark wine", "wine", "raspberry", "cherry red"},
     {"dark rose", "warm pink"},
     {"rosewood", "dusty rose", "rose pink"},
     {"mauve", "pale rose"}},
};

// A colour's name as people say it: its shade of grey, or the words for its range of hues at its
// strength and lightness.
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
    const int hue = colour.hsvHue() >= 350 ? colour.hsvHue() - 360 : colour.hsvHue();
    const HueWords &words
        = *std::find_if(std::begin(hueWords), std::end(hueWords) - 1,
                        [hue](const HueWords &range) { return hue < range.hueTo; });
    // From very dark to bright: a value below 100, 160 or 220, or above.
    constexpr int steps[] = {100, 160, 220};
    const auto lightness = std::size_t(std::upper_bound(std::begin(steps), std::end(steps), value)
                                       - std::begin(steps));
    const bool bright = lightness == 3;
    if (saturation >= 220)
        return QString::fromLatin1(words.full[lightness]);
    if (saturation >= 150)
        return QString::fromLatin1(words.soft[bright]);
    if (saturation >= 100)
        return QString::fromLatin1(words.dull[std::max<std::size_t>(lightness, 1) - 1]);
    return QString::fromLatin1(words.greyish[bright]);
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

// The status line, which screen readers read as the window's status bar: a screen reader reads
// one status bar, the lowest.
class StatusBar : public QAccessibleWidget
{
public:
    StatusBar(QLabel *statusLine, const GameNews *news)
        : QAccessibleWidget(statusLine, QAccessible::StatusBar), news(news)
    { }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !widget()->accessibleName().isEmpty() || !news)
            return QAccessibleWidget::text(t);
        return news->statusBar();
    }

private:
    QPointer<const GameNews> news;
};

// The status lines that screen readers see as status bars, each with what it tells.
std::map<const QObject *, const GameNews *> &statusBars()
{
    static std::map<const QObject *, const GameNews *> lines;
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

} // namespace

std::vector<QString> colourWords(const std::vector<QColor> &colours)
{
    std::vector<QString> words(colours.size());
    std::transform(colours.begin(), colours.end(), words.begin(), plainName);
    return words;
}

GameNews::GameNews(TandrelGameBoard *board, QLabel *statusLine, QLabel *counterLine)
    : QObject(statusLine)
    , board(board)
    , statusLine(statusLine)
    , counterLine(counterLine)
    , words(colourWords(board->colors()))
{
    // Qt's accessibility takes the factory's interfaces the first time it looks at a widget.
    QAccessible::installFactory(gameInterface);
    statusBars()[statusLine] = this;
    connect(statusLine, &QObject::destroyed, [statusLine] { statusBars().erase(statusLine); });

    const auto &cards = board->cards();
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const QPoint place = board->placeOf(int(i));
        places.push_back(
            QStringLiteral("Card, row %1, column %2, ").arg(place.y() + 1).arg(place.x() + 1));
        nameCard(int(i));
        cards[i]->installEventFilter(this);
    }

    connect(this, &GameNews::moveMade, this, &GameNews::tell, Qt::QueuedConnection);
    connect(board, &TandrelGameBoard::cardChanged, this, &GameNews::nameCard);
    connect(board, &TandrelGameBoard::aboutToReveal, this, &GameNews::revealing);
    // The verdict first: on a braille display the line of the focused widget starts with the news.
    connect(board, &TandrelGameBoard::turnRevealed, this, [this](bool pair) {
        lastNews = (pair ? QStringLiteral("Pair found! ") : QStringLiteral("No pair. ")) + news;
        report(lastNews);
    });
    connect(board, &TandrelGameBoard::turnEnded, this, [this] { ending = true; });
    connect(board, &TandrelGameBoard::updateCounter, this, [this](int turn, int pairsLeft) {
        counter = counterText(turn, pairsLeft);
        if (!std::exchange(ending, false))
            return;
        lastNews.clear();
        report(pairsLeft ? counter + QStringLiteral(" Click to reveal a card.")
                         : QStringLiteral("Finished! ") + counter);
    });
    connect(board, &TandrelGameBoard::gameStarted, this, [this] {
        lastNews.clear();
        report(QStringLiteral("New game. ") + counter + QStringLiteral(" Click to reveal a card."));
    });
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *) {
        if (old && old == holder)
            withdraw();
    });
#endif
}

// The news of the last card first, where a braille display shows it; then the status line,
// unless the news has said it ("Pair found!"), and the counter line.
QString GameNews::statusBar() const
{
    QStringList parts = {lastNews, statusLine->text(), counterLine->text()};
    if (lastNews.startsWith(parts[1]))
        parts.removeAt(1);
    parts.removeAll(QString());
    return parts.join(QLatin1Char(' '));
}

QString GameNews::colourOf(int index) const
{
    return words[std::size_t(board->pairOf(index))];
}

void GameNews::nameCard(int index)
{
    static const char *const states[] = {"hidden", "showing ", "removed"};
    const TandrelGameBoard::CardState state = board->stateOf(index);
    QString name = places[std::size_t(index)] + QLatin1String(states[int(state)]);
    if (state == TandrelGameBoard::CardState::Shown)
        name += colourOf(index);
    TandrelButton *card = board->cards()[std::size_t(index)];
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    if (card == holder)
        name = held + QLatin1Char(' ') + name;
#endif
    if (card->accessibleName() != name)
        card->setAccessibleName(name);
}

// A card is told by its colour first, then its place.
void GameNews::revealing(int index, bool secondOfTurn)
{
    const QPoint place = board->placeOf(index);
    news = QStringLiteral("%1, row %2, column %3.")
               .arg(colourOf(index))
               .arg(place.y() + 1)
               .arg(place.x() + 1);
    if (index == unhovered)
        revealedUnhovered = index;
    // The second card is told with what the board makes of the two.
    if (secondOfTurn)
        return;
    news[0] = news[0].toUpper();
    lastNews = news;
    report(news);
}

// The news is told once the event that made the move has been handled, wherever the game and
// whatever else listens to the board have put the focus by then; a screen reader's question
// about what took the focus comes later, and Qt answers it after the news.
void GameNews::report(const QString &text)
{
    news = text;
    if (!std::exchange(telling, true))
        emit moveMade();
}

void GameNews::tell()
{
    telling = false;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(board->window(), news);
    QAccessible::updateAccessibility(&event);
#else
    // A screen reader asks for the name of what takes the focus once the move is over.
    QWidget *focus = QApplication::focusWidget();
    if (focus != holder) {
        withdraw();
        holder = focus;
        if (holder)
            holderName = QAccessible::queryAccessibleInterface(holder)->text(QAccessible::Name);
    }
    held = news;
    if (const int card = board->indexOf(holder); card >= 0)
        nameCard(card);
    else if (holder)
        holder->setAccessibleName(holderName.isEmpty() ? held
                                                       : held + QLatin1Char(' ') + holderName);
#endif
    news.clear();
    // The status bar tells the last news too: whoever keeps its name learns that it changed.
    if (const QString text = statusBar(); text != std::exchange(toldStatusBar, text)) {
        QAccessibleEvent event(statusLine, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }

    // A card revealed where no mouse rests on it, from the keyboard or by a tap, names its colour
    // beside it, as it does under the mouse, once the focus has come to rest; a screen reader has
    // told the colour already.
    if (revealedUnhovered >= 0 && !QAccessible::isActive()) {
        TandrelButton *card = board->cards()[std::size_t(revealedUnhovered)];
        QToolTip::showText(card->mapToGlobal(card->rect().center()), colourOf(revealedUnhovered),
                           card);
    }
    unhovered = revealedUnhovered = -1;
}

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// Gives the holder its own name back.
void GameNews::withdraw()
{
    QWidget *widget = std::exchange(holder, nullptr);
    if (const int card = board->indexOf(widget); card >= 0)
        nameCard(card);
    else if (widget)
        widget->setAccessibleName(QString());
}
#endif

// A revealed card names its colour in a tooltip, for players who cannot tell the colours apart;
// a hidden or removed one has nothing to show. Qt asks disabled cards too. A card's button
// clicks as Space or a tap is released on it: a reveal with nothing hovering over the card.
bool GameNews::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        unhovered = key == Qt::Key_Space || key == Qt::Key_Select ? board->indexOf(watched) : -1;
        return false;
    }
    // Qt turns a tap into mouse events from the touchscreen, and a tap leaves nothing to hover.
    if (event->type() == QEvent::MouseButtonRelease) {
        const QPointingDevice *device = static_cast<QMouseEvent *>(event)->pointingDevice();
        const bool tap = device && device->type() == QInputDevice::DeviceType::TouchScreen;
        unhovered = tap ? board->indexOf(watched) : -1;
        return false;
    }
    if (event->type() != QEvent::ToolTip)
        return false;
    const int card = board->indexOf(watched);
    if (card < 0 || board->stateOf(card) != TandrelGameBoard::CardState::Shown)
        return false;
    QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), colourOf(card),
                       static_cast<QWidget *>(watched));
    return true;
}
