// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "gamewindow.h"
#include "tandrel.h"

#include <QGridLayout>
#include <QtTest>

#include <map>
#include <set>

namespace {

std::vector<TandrelButton *> cardsOf(const TandrelGameBoard &board)
{
    const QList<TandrelButton *> found = board.findChildren<TandrelButton *>();
    return {found.begin(), found.end()};
}

bool isHidden(const TandrelButton *card)
{
    return !card->testAttribute(Qt::WA_SetPalette);
}

bool isRevealed(const TandrelButton *card)
{
    return card->testAttribute(Qt::WA_SetPalette)
        && card->palette().color(QPalette::Button) == card->activecolor()
        && card->palette().color(QPalette::Window) == card->activecolor();
}

int enabledCount(const std::vector<TandrelButton *> &cards)
{
    return int(std::count_if(cards.begin(), cards.end(), [](auto *c) { return c->isEnabled(); }));
}

// Every signal of the board, written down in the order it arrives. The story of the game is
// written with the state that stateOf() gives at that moment: "cardChanged(5 Shown)".
QStringList *recordSignals(TandrelGameBoard &board)
{
    auto *events = new QStringList;
    QObject::connect(&board, &QObject::destroyed, [events] { delete events; });
    QObject::connect(&board, &TandrelGameBoard::finished, [events] { *events << "finished"; });
    QObject::connect(&board, &TandrelGameBoard::proceedOn, [events](bool on) {
        *events << (on ? "proceedOn(true)" : "proceedOn(false)");
    });
    QObject::connect(&board, &TandrelGameBoard::newMessage, [events](const char *text) {
        *events << QStringLiteral("newMessage(%1)").arg(QLatin1String(text));
    });
    QObject::connect(&board, &TandrelGameBoard::updateCounter, [events](int turn, int pairs) {
        *events << QStringLiteral("updateCounter(%1,%2)").arg(turn).arg(pairs);
    });
    QObject::connect(&board, &TandrelGameBoard::aboutToReveal, [events](int card, bool second) {
        *events << QStringLiteral("aboutToReveal(%1,%2)").arg(card).arg(second);
    });
    QObject::connect(&board, &TandrelGameBoard::cardChanged, [events, &board](int card) {
        static const char *const states[] = {"Hidden", "Shown", "Removed"};
        *events << QStringLiteral("cardChanged(%1 %2)")
                       .arg(card)
                       .arg(QLatin1String(states[int(board.stateOf(card))]));
    });
    QObject::connect(&board, &TandrelGameBoard::turnRevealed, [events](bool pair) {
        *events << (pair ? "turnRevealed(pair)" : "turnRevealed(miss)");
    });
    QObject::connect(&board, &TandrelGameBoard::turnEnded, [events] { *events << "turnEnded"; });
    QObject::connect(&board, &TandrelGameBoard::gameStarted,
                     [events] { *events << "gameStarted"; });
    return events;
}

// The signals that drive the window, without the story.
QStringList windowSignals(const QStringList &events)
{
    return events.filter(QRegularExpression("^(finished|proceedOn|newMessage|updateCounter)"));
}

} // namespace

class TestBoard : public QObject
{
    Q_OBJECT

private slots:
    void pairColors_data();
    void pairColors();
    void buildsDisabledGridByColumns_data();
    void buildsDisabledGridByColumns();
    void newGameOpensEveryCard_data();
    void newGameOpensEveryCard();
    void playsATurn_data();
    void playsATurn();
    void lastPairFinishes_data();
    void lastPairFinishes();
    void newGameInTheMiddleStartsAfresh_data();
    void newGameInTheMiddleStartsAfresh();
    void proceedOutsideATurnDoesNothing();
};

void TestBoard::pairColors_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<int>>("channelValues"); // one digit's values, in counting order
    QTest::addColumn<QList<QColor>>("head");
    QTest::addColumn<QList<QColor>>("tail");

    QTest::newRow("2") << 2 << QList<int> {255, 0} << QList<QColor> {{255, 0, 0}, {0, 255, 0}}
                       << QList<QColor> {};
    const QList<QColor> four = {{127, 0, 0},   {254, 0, 0}, {0, 127, 0},   {127, 127, 0},
                                {254, 127, 0}, {0, 254, 0}, {127, 254, 0}, {254, 254, 0}};
    QTest::newRow("4") << 4 << QList<int> {127, 254, 0} << four << QList<QColor> {};
    QTest::newRow("6") << 6 << QList<int> {127, 254, 0} << four
                       << QList<QColor> {{0, 0, 127},   {127, 0, 127},   {254, 0, 127},
                                         {0, 127, 127}, {127, 127, 127}, {254, 127, 127},
                                         {0, 254, 127}, {127, 254, 127}, {254, 254, 127},
                                         {0, 0, 254}};
    QTest::newRow("8") << 8 << QList<int> {85, 170, 255, 0}
                       << QList<QColor> {{85, 0, 0}, {170, 0, 0}, {255, 0, 0}, {0, 85, 0}}
                       << QList<QColor> {{0, 0, 170}};
    QTest::newRow("10") << 10 << QList<int> {85, 170, 255, 0} << QList<QColor> {{85, 0, 0}}
                        << QList<QColor> {{0, 0, 255}, {85, 0, 255}, {170, 0, 255}};
    QTest::newRow("12") << 12 << QList<int> {63, 126, 189, 252, 0}
                        << QList<QColor> {{63, 0, 0},   {126, 0, 0}, {189, 0, 0},  {252, 0, 0},
                                          {0, 63, 0},   {63, 63, 0}, {126, 63, 0}, {189, 63, 0},
                                          {252, 63, 0}, {0, 126, 0}}
                        << QList<QColor> {{0, 252, 126}, {63, 252, 126}, {126, 252, 126}};
}

// The colours count through red, green and blue as digits, red the fastest, starting one above
// black; head and tail are the first and last colours of the list.
void TestBoard::pairColors()
{
    QFETCH(int, n);
    QFETCH(QList<int>, channelValues);
    QFETCH(QList<QColor>, head);
    QFETCH(QList<QColor>, tail);

    const int pairCount = n * n / 2;
    const int base = int(channelValues.size());
    QList<QColor> expected;
    for (int state = 1; state <= pairCount; ++state) {
        auto digit = [&](int place) {
            int value = state;
            for (int i = 0; i < place; ++i)
                value /= base;
            return channelValues[(value + base - 1) % base];
        };
        expected << QColor(digit(0), digit(1), digit(2));
    }
    QCOMPARE(expected.mid(0, head.size()), head);
    QCOMPARE(expected.mid(pairCount - tail.size()), tail);

    const std::vector<QColor> colors = TandrelGameBoard::pairColorsFor(n);
    QCOMPARE(QList<QColor>(colors.begin(), colors.end()), expected);
}

void TestBoard::buildsDisabledGridByColumns_data()
{
    QTest::addColumn<int>("n");
    for (int n = 2; n <= 12; n += 2)
        QTest::addRow("%dx%d", n, n) << n;
}

void TestBoard::buildsDisabledGridByColumns()
{
    QFETCH(int, n);
    TandrelGameBoard board(n);
    const std::vector<TandrelButton *> cards = cardsOf(board);
    QCOMPARE(int(cards.size()), n * n);

    auto *grid = qobject_cast<QGridLayout *>(board.layout());
    QVERIFY(grid);
    QCOMPARE(grid->contentsMargins(), QMargins(4, 4, 4, 4));
    QCOMPARE(grid->horizontalSpacing(), 4);
    QCOMPARE(grid->verticalSpacing(), 4);

    std::map<QRgb, int> copies;
    const std::vector<QColor> colors = TandrelGameBoard::pairColorsFor(n);
    for (const QColor &color : colors)
        copies[color.rgb()] = 0;
    for (int i = 0; i < n * n; ++i) {
        TandrelButton *card = cards[i];
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(card), &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(row, i % n);
        QCOMPARE(column, i / n);
        QCOMPARE(grid->itemAtPosition(row, column)->alignment(), Qt::Alignment());
        QVERIFY(!card->isEnabled());
        QVERIFY(!card->isFlat());
        QVERIFY(isHidden(card));
        QVERIFY(card->text().isEmpty());
        QCOMPARE(card->sizeHint(), QSize(50, 50));
        QCOMPARE(card->minimumSizeHint(), QSize(10, 10));
        QCOMPARE(card->sizePolicy(), QSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred));
        QVERIFY(copies.count(card->activecolor().rgb()));
        ++copies[card->activecolor().rgb()];
    }
    QCOMPARE(int(copies.size()), n * n / 2); // the colours are distinct
    for (const auto &entry : copies)
        QCOMPARE(entry.second, 2);

    // Nobody can play before the first game starts.
    QStringList *events = recordSignals(board);
    for (TandrelButton *card : cards)
        card->click();
    board.proceedClicked();
    QCOMPARE(*events, QStringList());
    QVERIFY(std::all_of(cards.begin(), cards.end(), isHidden));
}

void TestBoard::newGameOpensEveryCard_data()
{
    buildsDisabledGridByColumns_data();
}

void TestBoard::newGameOpensEveryCard()
{
    QFETCH(int, n);
    TandrelGameBoard board(n);
    QStringList *events = recordSignals(board);
    const std::vector<TandrelButton *> cards = cardsOf(board);

    // A card takes a new colour without showing it.
    cards[0]->setActiveColor(QColor(1, 2, 3));
    QCOMPARE(cards[0]->activecolor(), QColor(1, 2, 3));
    QVERIFY(isHidden(cards[0]));

    board.newGame();
    QCOMPARE(*events,
             QStringList({QStringLiteral("updateCounter(1,%1)").arg(n * n / 2), "gameStarted"}));
    QCOMPARE(enabledCount(cards), n * n);
    const std::vector<QColor> colors = TandrelGameBoard::pairColorsFor(n);
    for (int i = 0; i < n * n; ++i) {
        QVERIFY(isHidden(cards[i]) && !cards[i]->isFlat());
        QCOMPARE(std::count(colors.begin(), colors.end(), cards[i]->activecolor()), 1);
        QVERIFY(partnerOf(cards, i, true, Among::NotRemoved) >= 0);
    }
}

void TestBoard::playsATurn_data()
{
    QTest::addColumn<bool>("match");
    QTest::addColumn<bool>("reversed");
    QTest::newRow("pair") << true << false;
    QTest::newRow("pair, other order") << true << true;
    QTest::newRow("miss") << false << false;
    QTest::newRow("miss, other order") << false << true;
}

void TestBoard::playsATurn()
{
    QFETCH(bool, match);
    QFETCH(bool, reversed);

    const int n = 6;
    TandrelGameBoard board(n);
    const std::vector<TandrelButton *> cards = cardsOf(board);
    board.newGame();
    QStringList *events = recordSignals(board);

    int first = 5;
    int second = partnerOf(cards, first, match, Among::NotRemoved);
    if (reversed)
        std::swap(first, second);

    cards[first]->click();
    QVERIFY(isRevealed(cards[first]));
    QVERIFY(!cards[first]->isEnabled());
    QCOMPARE(enabledCount(cards), n * n - 1);
    cards[first]->click(); // a shown card cannot be taken again
    auto story = [](const char *format, int first, int second = 0) {
        return QString::fromLatin1(format).arg(first).arg(second);
    };
    QCOMPARE(
        *events,
        QStringList({story("aboutToReveal(%1,0)", first), story("cardChanged(%1 Shown)", first)}));

    events->clear();
    cards[second]->click();
    QVERIFY(isRevealed(cards[first]) && isRevealed(cards[second]));
    QCOMPARE(enabledCount(cards), 0);
    QCOMPARE(
        *events,
        QStringList({story("aboutToReveal(%1,1)", second), story("cardChanged(%1 Shown)", second)})
            + (match ? QStringList(
                   {"newMessage(Pair found!)", "proceedOn(true)", "turnRevealed(pair)"})
                     : QStringList({"proceedOn(true)", "turnRevealed(miss)"})));

    events->clear();
    board.proceedClicked();
    const QString counter = match ? "updateCounter(1,17)" : "updateCounter(2,18)";
    const char *const ended = match ? "cardChanged(%1 Removed)" : "cardChanged(%1 Hidden)";
    QCOMPARE(*events,
             QStringList({story(ended, first), story(ended, second), "turnEnded",
                          "proceedOn(false)", counter, "newMessage(Click to reveal a card.)"}));
    for (int i : {first, second}) {
        QVERIFY(isHidden(cards[i]));
        QCOMPARE(cards[i]->isFlat(), match);
        QCOMPARE(cards[i]->isEnabled(), !match);
    }
    QCOMPARE(enabledCount(cards), match ? n * n - 2 : n * n);

    // A removed pair stays out of play through later turns.
    events->clear();
    const int third = partnerOf(cards, first, false, Among::NotRemoved);
    cards[third]->click();
    cards[partnerOf(cards, third, false, Among::NotRemoved)]->click();
    board.proceedClicked();
    QCOMPARE(windowSignals(*events).value(2),
             match ? "updateCounter(2,17)" : "updateCounter(3,18)");
    QCOMPARE(cards[first]->isEnabled(), !match);
}

void TestBoard::lastPairFinishes_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("misses");
    QTest::newRow("2x2, no miss") << 2 << 0;
    QTest::newRow("2x2, one miss") << 2 << 1;
    QTest::newRow("4x4, three misses") << 4 << 3;
}

void TestBoard::lastPairFinishes()
{
    QFETCH(int, n);
    QFETCH(int, misses);
    TandrelGameBoard board(n);
    const std::vector<TandrelButton *> cards = cardsOf(board);
    board.newGame();
    QStringList *events = recordSignals(board);

    for (int miss = 0; miss < misses; ++miss) {
        cards[0]->click();
        cards[partnerOf(cards, 0, false, Among::NotRemoved)]->click();
        board.proceedClicked();
    }
    int first = 0;
    int second = 0;
    for (int pair = 0; pair < n * n / 2; ++pair) {
        first = int(std::find_if(cards.begin(), cards.end(), [](auto *c) { return !c->isFlat(); })
                    - cards.begin());
        second = partnerOf(cards, first, true, Among::NotRemoved);
        cards[first]->click();
        cards[second]->click();
        events->clear();
        board.proceedClicked();
    }
    QCOMPARE(*events,
             QStringList({QStringLiteral("cardChanged(%1 Removed)").arg(first),
                          QStringLiteral("cardChanged(%1 Removed)").arg(second), "turnEnded",
                          "proceedOn(false)", QStringLiteral("updateCounter(%1,0)").arg(1 + misses),
                          "finished"}));
    for (TandrelButton *card : cards)
        QVERIFY(card->isFlat() && !card->isEnabled() && isHidden(card));
}

void TestBoard::newGameInTheMiddleStartsAfresh_data()
{
    QTest::addColumn<int>("cardsShown");
    QTest::addColumn<bool>("pairRemoved");
    QTest::newRow("one card shown") << 1 << false;
    QTest::newRow("two cards shown") << 2 << false;
    QTest::newRow("after a removed pair") << 0 << true;
}

void TestBoard::newGameInTheMiddleStartsAfresh()
{
    QFETCH(int, cardsShown);
    QFETCH(bool, pairRemoved);
    const int n = 4;
    TandrelGameBoard board(n);
    const std::vector<TandrelButton *> cards = cardsOf(board);
    board.newGame();
    QStringList *events = recordSignals(board);

    // The cards that are not hidden, as they come back: the removed ones down the board, then
    // those shown in the order they were revealed.
    std::vector<int> comeBack;
    if (pairRemoved) {
        comeBack = {0, partnerOf(cards, 0, true, Among::NotRemoved)};
        cards[0]->click();
        cards[comeBack[1]]->click();
        board.proceedClicked();
        std::sort(comeBack.begin(), comeBack.end());
    }
    const int first = partnerOf(cards, int(cards.size()) - 1, true, Among::NotRemoved);
    if (cardsShown >= 1)
        comeBack.push_back(first);
    if (cardsShown == 2)
        comeBack.push_back(partnerOf(cards, first, false, Among::NotRemoved));
    for (std::size_t i = comeBack.size() - std::size_t(cardsShown); i < comeBack.size(); ++i)
        cards[comeBack[i]]->click();

    events->clear();
    board.newGame();
    QStringList expected {"updateCounter(1,8)"};
    for (int card : comeBack)
        expected << QStringLiteral("cardChanged(%1 Hidden)").arg(card);
    QCOMPARE(*events, expected << "gameStarted");
    for (TandrelButton *card : cards)
        QVERIFY(card->isEnabled() && !card->isFlat() && isHidden(card));

    // The counters start again: a miss now makes turn 2, a full board still has 8 pairs.
    cards[2]->click();
    cards[partnerOf(cards, 2, false, Among::NotRemoved)]->click();
    events->clear();
    board.proceedClicked();
    QCOMPARE(windowSignals(*events).value(1), "updateCounter(2,8)");
}

// Proceed may only end a turn whose two cards are shown; anything else leaves the board alone.
void TestBoard::proceedOutsideATurnDoesNothing()
{
    TandrelGameBoard board(4);
    const std::vector<TandrelButton *> cards = cardsOf(board);
    QStringList *events = recordSignals(board);
    board.proceedClicked();
    board.newGame();
    events->clear();
    board.proceedClicked();
    cards[3]->click();
    board.proceedClicked();
    QCOMPARE(*events, QStringList({"aboutToReveal(3,0)", "cardChanged(3 Shown)"}));
    QVERIFY(isRevealed(cards[3]));
    QCOMPARE(enabledCount(cards), 15);

    cards[partnerOf(cards, 3, true, Among::NotRemoved)]->click();
    QCOMPARE(windowSignals(*events), QStringList({"newMessage(Pair found!)", "proceedOn(true)"}));
    board.proceedClicked();
    board.proceedClicked();
    QCOMPARE(windowSignals(*events).size(), 5);
    QCOMPARE(windowSignals(*events).value(3), "updateCounter(1,7)");
}

QTEST_MAIN(TestBoard)
#include "tst_board.moc"
