// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

// Micro-benchmarks of the shuffle and of the board's work for Play!, a turn and a whole game,
// on Qt's offscreen platform. Run through scripts/bench, or alone: bench/tandrel-micro.
#include "gamewindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

// How many rand() calls one construction makes: where the generator's next value stands in the
// sequence that the same seed starts.
double meanDraws(int n)
{
    constexpr int samples = 200;
    long long total = 0;
    for (unsigned seed = 1; seed <= samples; ++seed) {
        std::srand(seed);
        std::vector<int> sequence(20000);
        std::generate(sequence.begin(), sequence.end(), std::rand);
        const Zufallsmatrix layout(n, seed);
        const int next = std::rand();
        total += std::find(sequence.begin(), sequence.end(), next) - sequence.begin();
    }
    return double(total) / samples;
}

void BM_Zufallsmatrix(benchmark::State &state)
{
    const int n = int(state.range(0));
    unsigned seed = 1;
    for (auto _ : state) {
        const Zufallsmatrix layout(n, seed++);
        benchmark::DoNotOptimize(layout(0));
    }
    state.counters["draws"] = meanDraws(n);
}
BENCHMARK(BM_Zufallsmatrix)->DenseRange(2, 12, 2);

// The shuffle's floor: one bare rand() per draw, as many as a 12 by 12 layout takes.
void BM_BareRandForTwelve(benchmark::State &state)
{
    const int draws = int(meanDraws(12) + 0.5);
    std::srand(1);
    for (auto _ : state) {
        for (int i = 0; i < draws; ++i)
            benchmark::DoNotOptimize(std::rand());
    }
    state.counters["draws"] = draws;
}
BENCHMARK(BM_BareRandForTwelve);

// The same, after the srand() that every layout starts with.
void BM_SeedAndBareRandForTwelve(benchmark::State &state)
{
    const int draws = int(meanDraws(12) + 0.5);
    unsigned seed = 1;
    for (auto _ : state) {
        std::srand(seed++);
        for (int i = 0; i < draws; ++i)
            benchmark::DoNotOptimize(std::rand());
    }
    state.counters["draws"] = draws;
}
BENCHMARK(BM_SeedAndBareRandForTwelve);

void BM_BoardConstruction(benchmark::State &state)
{
    for (auto _ : state) {
        TandrelGameBoard board(12);
        benchmark::DoNotOptimize(&board);
    }
}
BENCHMARK(BM_BoardConstruction);

// A 12 by 12 game window, shown, with the window's lines following the board.
std::unique_ptr<GameWindow> shownGame()
{
    auto game = std::make_unique<GameWindow>(12);
    game->window.show();
    QApplication::processEvents();
    return game;
}

// Play! in the middle of a game: the cards are in play and hidden already.
void BM_NewGame(benchmark::State &state)
{
    const auto game = shownGame();
    game->board->newGame();
    for (auto _ : state)
        game->board->newGame();
}
BENCHMARK(BM_NewGame);

// Every pair found at the first try, from a board whose cards are all in play and hidden.
void playPerfectGame(GameWindow &game)
{
    while (true) {
        const auto [first, second] = game.firstTwo();
        if (first < 0)
            return;
        game.cards[std::size_t(first)]->click();
        game.cards[std::size_t(second)]->click();
        game.proceed->click();
    }
}

// Play! after a finished game, when every card comes back into play.
void BM_NewGameAfterFinish(benchmark::State &state)
{
    const auto game = shownGame();
    game->board->newGame();
    for (auto _ : state) {
        state.PauseTiming();
        playPerfectGame(*game);
        state.ResumeTiming();
        game->board->newGame();
    }
}
BENCHMARK(BM_NewGameAfterFinish);

// One turn: two cards of different colours, then Proceed hides them again.
void BM_Turn(benchmark::State &state)
{
    const auto game = shownGame();
    game->board->newGame();
    TandrelButton *first = game->cards[0];
    TandrelButton *second = game->cards[std::size_t(game->partnerOf(0, false))];
    for (auto _ : state) {
        first->click();
        second->click();
        game->proceed->click();
    }
}
BENCHMARK(BM_Turn);

// A perfect game: Play!, then every pair found at the first try.
void BM_PerfectGame(benchmark::State &state)
{
    const auto game = shownGame();
    for (auto _ : state) {
        game->play->click();
        playPerfectGame(*game);
    }
}
BENCHMARK(BM_PerfectGame);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
