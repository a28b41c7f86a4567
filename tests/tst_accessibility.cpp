// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "accessibility.h"
#include "gamewindow.h"
#include "screenreaderlog.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QToolTip>
#include <QtTest>

#include <cmath>
#include <ctime>
#include <map>
#include <set>

namespace {

// Every deal reads this clock instead of the real one, so that a test knows the layout.
std::time_t dealClock = 0;

// Sets the clock to a second whose deal of a 2 by 2 board has these pair numbers.
void dealNext(const std::vector<int> &layout)
{
    for (dealClock = 0; dealClock < 1000; ++dealClock) {
        const Zufallsmatrix deal(2, unsigned(dealClock));
        if (std::vector<int> {deal(0), deal(1), deal(2), deal(3)} == layout)
            return;
    }
    QFAIL("no second of the clock deals that layout");
}

} // namespace

extern "C" std::time_t time(std::time_t *out) noexcept
{
    if (out)
        *out = dealClock;
    return dealClock;
}

namespace {

// The colours of a 2 by 2 board, and of a 4 by 4 one, as people name them.
QString wordsFor(const QColor &colour)
{
    static const std::map<QRgb, QString> words = {
        {qRgb(255, 0, 0), "red"},          {qRgb(0, 255, 0), "green"},
        {qRgb(127, 0, 0), "dark red"},     {qRgb(254, 0, 0), "red"},
        {qRgb(0, 127, 0), "forest green"}, {qRgb(127, 127, 0), "olive"},
        {qRgb(254, 127, 0), "orange"},     {qRgb(0, 254, 0), "green"},
        {qRgb(127, 254, 0), "lime"},       {qRgb(254, 254, 0), "yellow"},
    };
    const auto found = words.find(colour.rgb());
    return found == words.end() ? QString() : found->second;
}

QString card(int row, int column, const QString &state)
{
    return QStringLiteral("Card, row %1, column %2, %3").arg(row).arg(column).arg(state);
}

// The news of a move as a screen reader is told it, once the focus has come to rest: announced
// from Qt 6.8 on, before that in front of the name of what has the focus.
QString news(const QString &text, const QString &focus)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    Q_UNUSED(focus);
    return "announce: " + text;
#else
    return "name: " + (focus.isEmpty() ? text : text + ' ' + focus);
#endif
}

// Before Qt 6.8, what the focus leaves gives the news back and has its own name again.
QStringList left(const QString &name)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    Q_UNUSED(name);
    return {};
#else
    return {"name: " + name};
#endif
}

// The test's own colour model: an sRGB colour's CIELAB lightness, chroma and hue angle (D65).
struct Lab
{
    double lightness;
    double chroma;
    double hue;
};

Lab labOf(const QColor &colour)
{
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    auto f
        = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
    const double r = linear(colour.red());
    const double g = linear(colour.green());
    const double b = linear(colour.blue());
    const double x = f((0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047);
    const double y = f(0.2126 * r + 0.7152 * g + 0.0722 * b);
    const double z = f((0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883);
    const double a = 500 * (x - y);
    const double bb = 200 * (y - z);
    return {116 * y - 16, std::hypot(a, bb), std::fmod(std::atan2(bb, a) * 180 / M_PI + 360, 360)};
}

QString colourOf(TandrelButton *card)
{
    return wordsFor(card->activecolor());
}

QString counter(int turn, int pairsLeft)
{
    return QStringLiteral("Turn: %1. Pairs left: %2.").arg(turn).arg(pairsLeft);
}

// A card in the news: its colour first, then its place.
QString shows(int row, int column, const QString &colour)
{
    return QStringLiteral("%1, row %2, column %3.").arg(colour).arg(row).arg(column);
}

QString capitalised(QString text)
{
    text[0] = text[0].toUpper();
    return text;
}

// The test's own account of what a screen reader is told of the moves of a turn, from the places
// and colours of its cards. Each move ends with its news, and with the status bar, which reads
// the status and counter lines and the news of the last card revealed.
struct Story
{
    QString lines() const { return status + ' ' + counter(turn, pairsLeft); }
    QString statusBar() const
    {
        const QString bar = last.startsWith(status) ? last + ' ' + counter(turn, pairsLeft)
                                                    : last + ' ' + lines();
        return "name: " + bar.trimmed();
    }

    // The focused card at (row, column) is revealed as the turn's first; the focus moves on to
    // `next`.
    QStringList first(int row, int column, const QString &colour, const QString &next)
    {
        last = capitalised(shows(row, column, colour));
        return {"focus: " + next, "name: " + card(row, column, "showing " + colour),
                news(last, next), statusBar()};
    }

    // The card is revealed as the turn's second, and the focus goes to Proceed by way of the
    // board; the status line says "Pair found!" when they are a pair, nothing new after a miss.
    QStringList second(int row, int column, const QString &colour, bool pair)
    {
        QStringList told = {"focus: ", "name: " + card(row, column, "showing " + colour)};
        if (pair) {
            status = "Pair found!";
            told << statusBar();
        }
        last = (pair ? "Pair found! " : "No pair. ") + shows(row, column, colour);
        return told << "focus: Proceed" << news(last, "Proceed") << statusBar();
    }

    // Proceed ends the turn: the two cards change, the focus goes to `next`, the counter and then
    // the status line (if it says something new) change, and the news is told.
    QStringList proceed(const QStringList &cards, const QString &next)
    {
        QStringList told;
        for (const QString &name : cards)
            told << "name: " + name;
        const bool pair = cards.first().endsWith("removed");
        pairsLeft -= pair;
        turn += !pair; // a miss counts only now
        last.clear();
        told << left("Proceed") << "focus: " + next << "name: " + counter(turn, pairsLeft);
        const QString end = pairsLeft ? "Click to reveal a card." : "Finished!";
        if (std::exchange(status, end) != end)
            told << statusBar();
        return told << news(pairsLeft ? counter(turn, pairsLeft) + ' ' + end
                                      : end + ' ' + counter(turn, pairsLeft),
                            next)
                    << statusBar();
    }

    QString status = "Click to reveal a card.";
    int turn = 1;
    int pairsLeft = 2;
    QString last;
};

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void screenReadersHearEveryMove();
    void screenReadersFindTitleAndStatusBar();
    void revealedCardsNameTheirColourOnHover_data();
    void revealedCardsNameTheirColourOnHover();
    void coloursAreNamedAsTheyLook_data();
    void coloursAreNamedAsTheyLook();
};

// A 2 by 2 game at the keyboard, a miss and two pairs, and new games after it and in the middle
// of a turn: everything a screen reader is told, in order.
void TestAccessibility::screenReadersHearEveryMove()
{
    dealNext({0, 1, 1, 0});
    GameWindow game(2);
    QVERIFY(game.activate());
    if (!ScreenReaderLog::canHear())
        QSKIP(
            "Qt tells no screen reader here: run the suite on X11 or Wayland with an accessibility "
            "bus (tests/on_display.sh --accessibility)");
    ScreenReaderLog log;
    auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    const QString a = colourOf(game.cards[0]);
    const QString b = colourOf(game.cards[1]);
    QCOMPARE(a, "red");
    QCOMPARE(b, "green");
    const QString newGame = "New game. " + counter(1, 2) + " Click to reveal a card.";
    Story story;

    QCOMPARE(QApplication::focusWidget(), game.play);
    press(Qt::Key_Space);
    QVERIFY_TOLD(log,
                 {"name: " + counter(1, 2), "focus: " + card(1, 1, "hidden"), story.statusBar(),
                  news(newGame, card(1, 1, "hidden")), story.statusBar()});
    // A miss: the focus comes back to the card revealed last.
    press(Qt::Key_Space);
    QVERIFY_TOLD(log, left(card(1, 1, "hidden")) + story.first(1, 1, a, card(2, 1, "hidden")));
    press(Qt::Key_Space);
    QVERIFY_TOLD(log, left(card(2, 1, "hidden")) + story.second(2, 1, b, false));
    press(Qt::Key_Space);
    QVERIFY_TOLD(log,
                 story.proceed({card(1, 1, "hidden"), card(2, 1, "hidden")}, card(2, 1, "hidden")));
    // A pair, its second card reached by an arrow: the focus goes to the nearest card left.
    press(Qt::Key_Space);
    QVERIFY_TOLD(log, left(card(2, 1, "hidden")) + story.first(2, 1, b, card(1, 1, "hidden")));
    press(Qt::Key_Right);
    QVERIFY_TOLD(log, left(card(1, 1, "hidden")) + QStringList {"focus: " + card(1, 2, "hidden")});
    press(Qt::Key_Space);
    QVERIFY_TOLD(log, story.second(1, 2, b, true));
    press(Qt::Key_Space);
    QVERIFY_TOLD(
        log, story.proceed({card(2, 1, "removed"), card(1, 2, "removed")}, card(1, 1, "hidden")));
    // The last pair: nothing is left on the board, and the focus goes to Play!.
    press(Qt::Key_Space);
    QVERIFY_TOLD(log, left(card(1, 1, "hidden")) + story.first(1, 1, a, card(2, 2, "hidden")));
    press(Qt::Key_Space);
    QVERIFY_TOLD(log, left(card(2, 2, "hidden")) + story.second(2, 2, a, true));
    press(Qt::Key_Space);
    QVERIFY_TOLD(log, story.proceed({card(1, 1, "removed"), card(2, 2, "removed")}, "Play!"));

    // Space there deals again: every card comes back, hidden, and the focus goes to the first.
    dealNext({1, 0, 0, 1});
    press(Qt::Key_Space);
    story = Story();
    QVERIFY_TOLD(log,
                 QStringList {"name: " + counter(1, 2), "name: " + card(1, 1, "hidden"),
                              "name: " + card(2, 1, "hidden"), "name: " + card(1, 2, "hidden"),
                              "name: " + card(2, 2, "hidden")}
                     + left("Play!")
                     + QStringList {"focus: " + card(1, 1, "hidden"), story.statusBar(),
                                    news(newGame, card(1, 1, "hidden")), story.statusBar()});

    // Cards revealed away from the focus, and Play! in the middle of the turn, which hides them.
    game.cards[3]->click();
    QVERIFY_TOLD(log, story.first(2, 2, b, card(1, 1, "hidden")).mid(1));
    game.cards[2]->click();
    QVERIFY_TOLD(log, left(card(1, 1, "hidden")) + story.second(1, 2, a, false));
    game.play->click();
    story = Story();
    QVERIFY_TOLD(log,
                 QStringList {"name: " + card(2, 2, "hidden"), "name: " + card(1, 2, "hidden")}
                     + left("Proceed")
                     + QStringList {"focus: " + card(1, 1, "hidden"),
                                    news(newGame, card(1, 1, "hidden")), story.statusBar()});
}

void TestAccessibility::screenReadersFindTitleAndStatusBar()
{
    GameWindow game(4);
    game.window.setWindowTitle("Tandrel");
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&game.window);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), "Tandrel");

    QAccessibleInterface *status = QAccessible::queryAccessibleInterface(game.status);
    QCOMPARE(status->role(), QAccessible::StatusBar);
    QCOMPARE(status->text(QAccessible::Name), "Press 'Play!' to start game!");
    game.play->click();
    QCOMPARE(status->text(QAccessible::Name), "Click to reveal a card. Turn: 1. Pairs left: 8.");
    QCOMPARE(QAccessible::queryAccessibleInterface(game.counter)->role(), QAccessible::StaticText);

    // The news of the last card revealed can be read again there, first, until the turn ends.
    const int partner = game.partnerOf(6);
    const QString words = colourOf(game.cards[6]);
    game.cards[6]->click();
    QCOMPARE(status->text(QAccessible::Name),
             capitalised(shows(3, 2, words)) + " Click to reveal a card. " + counter(1, 8));
    game.cards[partner]->click();
    QCOMPARE(status->text(QAccessible::Name),
             "Pair found! " + shows(partner % 4 + 1, partner / 4 + 1, words) + ' ' + counter(1, 8));
    game.proceed->click();
    QCOMPARE(status->text(QAccessible::Name), "Click to reveal a card. " + counter(1, 7));
    // Nothing is said twice: a card's description stays empty.
    QCOMPARE(QAccessible::queryAccessibleInterface(game.cards[5])->text(QAccessible::Description),
             QString());
}

void TestAccessibility::revealedCardsNameTheirColourOnHover_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("2x2") << 2;
    QTest::newRow("4x4") << 4;
}

// The tooltip is a colour-blind player's way to tell a pair: a revealed card names its colour as
// a screen reader does; a hidden or a removed card shows no tooltip.
void TestAccessibility::revealedCardsNameTheirColourOnHover()
{
    QFETCH(int, n);
    GameWindow game(n);
    QVERIFY(game.showAndWait());
    auto hover = [](TandrelButton *card) {
        QToolTip::hideText();
        if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
            return QStringLiteral("a tooltip that stays");
        QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), card->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(card, &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };

    game.play->click();
    QCOMPARE(hover(game.cards[0]), QString());
    const int partner = game.partnerOf(0);
    game.cards[0]->click();
    QCOMPARE(hover(game.cards[0]), colourOf(game.cards[0]));
    QCOMPARE(hover(game.cards[1 + (partner == 1)]), QString());
    game.cards[partner]->click();
    QCOMPARE(hover(game.cards[partner]), colourOf(game.cards[0]));
    game.proceed->click();
    QCOMPARE(hover(game.cards[partner]), QString());
}

void TestAccessibility::coloursAreNamedAsTheyLook_data()
{
    QTest::addColumn<int>("n");
    for (int n = 2; n <= 12; n += 2)
        QTest::addRow("%dx%d", n, n) << n;
}

// Every pair colour of a board is named in words of its own, short enough to stand with a verdict
// within 40 braille cells, and in the words people use: its last word is a basic colour term, or a
// word people use for part of one, and the colour lies where the test's own colour model (CIELAB)
// puts that term. A grey has no hue, a brown is darker than an orange, an olive greener than a
// yellow and a salmon lighter than a red.
void TestAccessibility::coloursAreNamedAsTheyLook()
{
    QFETCH(int, n);
    const std::vector<QColor> colours = TandrelGameBoard::pairColorsFor(n);
    const std::vector<QString> words = colourWords(colours);
    QCOMPARE(std::set<QString>(words.begin(), words.end()).size(), colours.size());

    // The basic terms, with the words people use for parts of them, as regions: hue angles from
    // and to, the least and the most lightness, the least chroma.
    struct Region
    {
        QString words;
        double hueFrom, hueTo, lightFrom, lightTo, chroma;
    };
    const Region regions[] = {
        {"red scarlet maroon wine raspberry", 350, 50, 5, 65, 30},
        {"pink salmon rose magenta", 330, 45, 40, 100, 15},
        {"orange amber", 40, 55, 40, 100, 60},
        {"orange amber yellow", 55, 90, 60, 100, 50},
        {"yellow mustard", 75, 115, 65, 100, 70},
        {"yellow cream", 75, 115, 85, 100, 30},
        {"brown", 20, 100, 15, 62, 15},
        {"brown tan", 50, 100, 62, 85, 10},
        {"green olive lime khaki emerald jade teal turquoise aquamarine", 95, 200, 10, 100, 15},
        {"blue navy cobalt teal indigo", 190, 315, 0, 100, 15},
        {"purple violet plum orchid magenta indigo", 285, 350, 0, 70, 25},
    };
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const QString name = words[i];
        const Lab lab = labOf(colours[i]);
        QVERIFY2(("Pair found! " + name + ',').size() <= 40, qPrintable(name));
        const QString head = name.section(' ', -1);
        const bool named
            = std::any_of(std::begin(regions), std::end(regions), [&](const Region &r) {
                  return r.words.split(' ').contains(head) && lab.lightness >= r.lightFrom
                      && lab.lightness <= r.lightTo && lab.chroma >= r.chroma
                      && std::fmod(lab.hue - r.hueFrom + 360, 360)
                      <= std::fmod(r.hueTo - r.hueFrom + 360, 360);
              });
        const bool grey = QStringList {"black", "grey", "white"}.contains(head);
        QVERIFY2(grey ? lab.chroma < 10 : named, qPrintable(name + " for " + colours[i].name()));
    }
    // Of two colours named alike but for a word in front, "dark" is the darker, "light" and
    // "pale" the lighter.
    for (std::size_t i = 0; i < colours.size(); ++i) {
        for (std::size_t j = 0; j < colours.size(); ++j) {
            const QString first = words[i].section(' ', 0, 0);
            if (words[i] != first + ' ' + words[j]
                || !QStringList {"dark", "light", "pale"}.contains(first))
                continue;
            QVERIFY2((first == "dark")
                         == (labOf(colours[i]).lightness < labOf(colours[j]).lightness),
                     qPrintable(words[i]));
        }
    }
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
