// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "tandrel.h"

#include <QtTest>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <map>
#include <set>

namespace {

// The game's shuffle written out plainly, with two real pools: draw with one rand() each, map
// the value onto a pair number, take it from the first pool that still holds it.
std::vector<int> modelLayout(int n, unsigned int seed)
{
    const int pairCount = n * n / 2;
    std::set<int> first;
    std::set<int> second;
    for (int i = 0; i < pairCount; ++i) {
        first.insert(i);
        second.insert(i);
    }
    std::srand(seed);
    std::vector<int> cells;
    while (int(cells.size()) < 2 * pairCount) {
        const double v = std::rand();
        const int r = int(std::ceil(v / 2147483647.0 * pairCount) - 1);
        if (first.erase(r) == 0 && second.erase(r) == 0)
            continue;
        cells.push_back(r);
    }
    return cells;
}

std::vector<int> cellsOf(const Zufallsmatrix &matrix, int count)
{
    std::vector<int> cells;
    for (int i = 0; i < count; ++i)
        cells.push_back(matrix(i));
    return cells;
}

} // namespace

class TestZufallsmatrix : public QObject
{
    Q_OBJECT

private slots:
    void drawsMapOntoPairsAsTheFormulaSays_data();
    void drawsMapOntoPairsAsTheFormulaSays();
    void followsTheDrawRules_data();
    void followsTheDrawRules();
    void answersQueriesInsideTheBoardOnly();
    void assignmentTakesTheOtherSize();
    void layoutDependsOnlyOnTheClockSecond();
    void smallestBoardFavoursPairsInOneColumn();
};

void TestZufallsmatrix::drawsMapOntoPairsAsTheFormulaSays_data()
{
    QTest::addColumn<int>("pairCount");
    for (int n = 2; n <= 12; n += 2)
        QTest::addRow("%d pairs", n * n / 2) << n * n / 2;
}

// Around every boundary between two pair numbers, and at both ends of rand()'s range, the draw
// gives what the formula gives in double precision.
void TestZufallsmatrix::drawsMapOntoPairsAsTheFormulaSays()
{
    QFETCH(int, pairCount);
    const long long largest = 2147483647;
    auto formula = [&](long long v) { return int(std::ceil(v / 2147483647.0 * pairCount) - 1); };
    std::vector<long long> values = {0, 1, 2, largest - 1, largest};
    for (long long k = 1; k < pairCount; ++k) {
        for (long long v = k * largest / pairCount - 3; v <= k * largest / pairCount + 3; ++v)
            values.push_back(v);
    }
    for (long long v : values)
        QCOMPARE(Zufallsmatrix::pairForDraw(v, pairCount), formula(v));
    QCOMPARE(Zufallsmatrix::pairForDraw(0, pairCount), -1);
    QCOMPARE(Zufallsmatrix::pairForDraw(largest, pairCount), pairCount - 1);
}

void TestZufallsmatrix::followsTheDrawRules_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<unsigned int>("seed");

    for (int n = 0; n <= 12; n += 2) {
        QTest::addRow("%dx%d, seed 1", n, n) << n << 1u;
        QTest::addRow("%dx%d, seed 20261207", n, n) << n << 20261207u;
    }
    QTest::newRow("odd edge 3") << 3 << 7u;
}

void TestZufallsmatrix::followsTheDrawRules()
{
    QFETCH(int, n);
    QFETCH(unsigned int, seed);

    const int pairCount = n * n / 2;
    const Zufallsmatrix matrix(n, seed);
    const std::vector<int> cells = cellsOf(matrix, 2 * pairCount);
    QCOMPARE(cells, modelLayout(n, seed));

    std::map<int, int> copies;
    for (int pair : cells)
        ++copies[pair];
    QCOMPARE(int(copies.size()), pairCount);
    for (const auto &[pair, count] : copies) {
        QVERIFY(pair >= 0 && pair < pairCount);
        QCOMPARE(count, 2);
    }
}

void TestZufallsmatrix::answersQueriesInsideTheBoardOnly()
{
    const int n = 4;
    const Zufallsmatrix matrix(n, 3u);
    const std::vector<int> cells = modelLayout(n, 3u);

    QCOMPARE(matrix(-1), 0);
    QCOMPARE(matrix(n * n), 0);
    QCOMPARE(matrix(n, 0), cells[n]); // first card of the second column
    QCOMPARE(matrix(1, 2), cells[1 + 2 * n]);
    QCOMPARE(matrix(0, n), 0);
    QCOMPARE(matrix(-1, 1), cells[n - 1]); // only the combined index is checked
    QCOMPARE(matrix(0, 2147483647), 0);
    QCOMPARE(matrix(-2147483647 - 1, -2147483647 - 1), 0);

    const Zufallsmatrix empty(0, 3u);
    QCOMPARE(empty(0), 0);
    QCOMPARE(empty(0, 0), 0);
}

void TestZufallsmatrix::assignmentTakesTheOtherSize()
{
    Zufallsmatrix matrix(2, 5u);
    matrix = Zufallsmatrix(12, 9u);
    QCOMPARE(cellsOf(matrix, 144), modelLayout(12, 9u));
    QCOMPARE(matrix(11, 11), modelLayout(12, 9u)[143]);
    QCOMPARE(matrix(144), 0);

    matrix = Zufallsmatrix(2, 5u);
    QCOMPARE(matrix(4), 0);
    QCOMPARE(matrix(0, 1), modelLayout(2, 5u)[2]);
}

// Two games started within one second of the clock are laid out alike, whatever seeded the
// generator before.
void TestZufallsmatrix::layoutDependsOnlyOnTheClockSecond()
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::time_t before = std::time(nullptr);
        std::srand(1);
        const Zufallsmatrix a(12);
        std::srand(99);
        const Zufallsmatrix b(12);
        if (std::time(nullptr) != before)
            continue; // the second turned over in between; try again
        QCOMPARE(cellsOf(a, 144), cellsOf(b, 144));
        QCOMPARE(cellsOf(a, 144), modelLayout(12, static_cast<unsigned int>(before)));
        return;
    }
    QFAIL("the clock turned over a second on every attempt");
}

// On a 2 by 2 board the two layouts in which each pair fills one column come up a quarter of the
// time each, the four others an eighth each.
void TestZufallsmatrix::smallestBoardFavoursPairsInOneColumn()
{
    const int runs = 16000;
    std::map<std::vector<int>, int> seen;
    for (int seed = 1; seed <= runs; ++seed)
        ++seen[cellsOf(Zufallsmatrix(2, unsigned(seed)), 4)];

    const std::map<std::vector<int>, double> expected = {
        {{0, 0, 1, 1}, 0.25},  {{1, 1, 0, 0}, 0.25},  {{0, 1, 0, 1}, 0.125},
        {{0, 1, 1, 0}, 0.125}, {{1, 0, 0, 1}, 0.125}, {{1, 0, 1, 0}, 0.125},
    };
    QCOMPARE(seen.size(), expected.size());
    for (const auto &[layout, share] : expected) {
        const double measured = double(seen[layout]) / runs;
        QVERIFY2(std::abs(measured - share) < 0.1 * share,
                 qPrintable(QStringLiteral("share %1, expected %2").arg(measured).arg(share)));
    }
}

QTEST_APPLESS_MAIN(TestZufallsmatrix)
#include "tst_zufallsmatrix.moc"
