// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

// Drives the real window through long random runs of clicks, key presses, Quit and closing, and
// after every step compares what it shows with a plain model of the game.
//
// TANDREL_MODEL_SEED and TANDREL_MODEL_ACTIONS (the total over all board sizes) change the run;
// a failure prints both, with the shortest failing run it could find.
#include "gamewindow.h"

#include <QTimer>
#include <QtTest>

#include <QElapsedTimer>

#include <ctime>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <set>

namespace {

// Every deal reads this clock instead of the real one, so that a run can be replayed exactly.
std::time_t dealClock = 0;

int startingClock(int n, std::time_t start)
{
    dealClock = start;
    return n;
}

} // namespace

extern "C" std::time_t time(std::time_t *out) noexcept
{
    if (out)
        *out = dealClock;
    return dealClock;
}

namespace {

enum class Look { Hidden, Shown, Removed };

// The game, written down plainly: turns, pairs and counters, and what the window must show.
struct Model
{
    explicit Model(int n)
        : n(n), looks(std::size_t(n * n), Look::Hidden), colors(std::size_t(n * n))
    { }

    bool enabled(int card) const
    {
        return started && looks[std::size_t(card)] == Look::Hidden && shown.size() < 2;
    }

    void play(const std::vector<QColor> &deal)
    {
        started = true;
        colors = deal;
        std::fill(looks.begin(), looks.end(), Look::Hidden);
        shown.clear();
        turn = 1;
        pairsLeft = n * n / 2;
        counter = QStringLiteral("Turn: 1. Pairs left: %1.").arg(pairsLeft);
        status = "Click to reveal a card.";
        proceed = false;
    }

    void click(int card)
    {
        if (!enabled(card))
            return;
        looks[std::size_t(card)] = Look::Shown;
        shown.push_back(card);
        if (shown.size() < 2)
            return;
        if (isPair())
            status = "Pair found!";
        else
            ++turn;
        proceed = true;
    }

    void pressProceed()
    {
        if (!proceed)
            return;
        const bool pair = isPair();
        for (int card : shown)
            looks[std::size_t(card)] = pair ? Look::Removed : Look::Hidden;
        pairsLeft -= pair;
        shown.clear();
        proceed = false;
        counter = QStringLiteral("Turn: %1. Pairs left: %2.").arg(turn).arg(pairsLeft);
        status = pairsLeft ? "Click to reveal a card." : "Finished!";
    }

    bool isPair() const { return colors[std::size_t(shown[0])] == colors[std::size_t(shown[1])]; }

    // A name for the state, to tell which ones Quit and closing were tried in.
    QString state() const
    {
        if (!started)
            return "not started";
        if (pairsLeft == 0)
            return "finished";
        return QStringLiteral("%1 shown").arg(shown.size());
    }

    int n;
    bool started = false;
    std::vector<Look> looks;
    std::vector<QColor> colors;
    std::vector<int> shown;
    int turn = 1;
    int pairsLeft = 0;
    QString status = "Press 'Play!' to start game!";
    QString counter;
    bool proceed = false;
};

struct Action
{
    enum Kind { Card, Proceed, Play, Key, Quit, Close } kind;
    int arg = 0; // the card, or the key

    QString toString() const
    {
        switch (kind) {
        case Card:
            return QStringLiteral("card %1").arg(arg);
        case Proceed:
            return "Proceed";
        case Play:
            return "Play!";
        case Key:
            return QStringLiteral("key %1").arg(QKeySequence(arg).toString());
        case Quit:
            return "Quit";
        case Close:
            return "close";
        }
        return QString();
    }
};

QString describe(const std::vector<Action> &actions)
{
    QStringList names;
    for (const Action &action : actions)
        names << action.toString();
    return names.join(", ");
}

// One window and its model, stepped together.
class Run
{
public:
    Run(int n, std::time_t clockStart) : game(startingClock(n, clockStart)), model(n)
    {
        model.colors = deal();
        game.window.show();
        game.window.activateWindow();
        if (!QTest::qWaitForWindowActive(&game.window))
            problem = "the window did not become active";
    }

    // Carries out the action on the window and the model; returns what differs afterwards.
    QString step(const Action &action)
    {
        const QString before = model.state() + model.counter;
        dealt = false;
        switch (action.kind) {
        case Action::Card:
            QTest::mouseClick(game.cards[std::size_t(action.arg)], Qt::LeftButton);
            model.click(action.arg);
            break;
        case Action::Proceed:
            QTest::mouseClick(game.proceed, Qt::LeftButton);
            model.pressProceed();
            break;
        case Action::Play:
            ++dealClock;
            QTest::mouseClick(game.play, Qt::LeftButton);
            play();
            break;
        case Action::Key:
            if (QString failure = pressKey(Qt::Key(action.arg)); !failure.isEmpty())
                return failure;
            break;
        case Action::Quit:
            if (QString failure
                = endLoop("Quit", [this] { QTest::mouseClick(game.quit, Qt::LeftButton); });
                !failure.isEmpty())
                return failure;
            break;
        case Action::Close:
            if (QString failure = endLoop("close", [this] { game.window.close(); });
                !failure.isEmpty())
                return failure;
            break;
        }
        moved = !dealt && model.state() + model.counter != before;
        return compare();
    }

    // A key goes to whatever has the focus; Space presses it, which the model follows.
    QString pressKey(Qt::Key key)
    {
        QWidget *focus = QApplication::focusWidget();
        if (key == Qt::Key_Space && focus == game.quit)
            return endLoop("Space on Quit", [focus] { QTest::keyClick(focus, Qt::Key_Space); });
        if (key == Qt::Key_Space && focus == game.play)
            ++dealClock;
        QTest::keyClick(focus ? focus : &game.window, key);
        if (key != Qt::Key_Space || !focus)
            return QString();
        if (focus == game.play)
            play();
        else if (focus == game.proceed)
            model.pressProceed();
        else if (game.indexOf(focus) < model.n * model.n)
            model.click(game.indexOf(focus));
        return QString();
    }

    void play()
    {
        dealt = true;
        model.play(deal());
        if (!dealIsSound())
            problem = "a deal does not hold every pair colour twice";
    }

    // Quit, or closing the window, must end the event loop with 0 in any state; the window is
    // then shown again and the game goes on.
    QString endLoop(const QString &how, const std::function<void()> &trigger)
    {
        triedEnding[how].insert(model.state());
        QTimer::singleShot(0, &game.window, trigger);
        QTimer failsafe;
        QObject::connect(&failsafe, &QTimer::timeout, [] { QCoreApplication::exit(42); });
        failsafe.start(10000);
        const int result = QApplication::exec();
        if (!game.window.isVisible()) {
            game.window.show();
            game.window.activateWindow();
            if (!QTest::qWaitForWindowActive(&game.window))
                problem = "the window did not come back after " + how;
        }
        return result == 0 ? QString()
                           : how + QStringLiteral(" ended the event loop with %1").arg(result);
    }

    std::vector<QColor> deal() const
    {
        std::vector<QColor> colors;
        for (TandrelButton *card : game.cards)
            colors.push_back(card->activecolor());
        return colors;
    }

    QString compare() const
    {
        QStringList differences;
        if (!problem.isEmpty())
            differences << problem;
        if (game.status->text() != model.status)
            differences << "status '" + game.status->text() + "', model '" + model.status + "'";
        if (game.counter->text() != model.counter)
            differences << "counter '" + game.counter->text() + "', model '" + model.counter + "'";
        if (game.proceed->isEnabled() != model.proceed)
            differences << QStringLiteral("Proceed enabled %1").arg(game.proceed->isEnabled());
        for (int i = 0; i < model.n * model.n; ++i) {
            const TandrelButton *card = game.cards[std::size_t(i)];
            const Look look = model.looks[std::size_t(i)];
            const bool showing = card->testAttribute(Qt::WA_SetPalette)
                && card->palette().color(QPalette::Button) == card->activecolor();
            if (card->isEnabled() != model.enabled(i) || card->isFlat() != (look == Look::Removed)
                || showing != (look == Look::Shown)
                || card->activecolor() != model.colors[std::size_t(i)])
                differences << QStringLiteral("card %1: enabled %2, flat %3, showing %4")
                                   .arg(i)
                                   .arg(card->isEnabled())
                                   .arg(card->isFlat())
                                   .arg(showing);
        }
        // The keyboard never loses its place: something enabled in the window has the focus.
        const QWidget *focus = QApplication::focusWidget();
        if (!focus || !focus->isEnabled() || focus->window() != &game.window)
            differences << "no enabled widget has the focus";
        // A card revealed or Proceed pressed never hands the focus to Play! or Quit, but the end
        // of a game hands it to Play!.
        const bool over = model.started && model.pairsLeft == 0;
        if (focus && moved && (over != (focus == game.play) || focus == game.quit))
            differences << "the move left the focus on "
                    + (focus == game.play || focus == game.quit
                           ? static_cast<const QPushButton *>(focus)->text()
                           : QLatin1String(focus->metaObject()->className()));
        return differences.join("; ");
    }

    // A deal holds every pair colour of the board on exactly two cards.
    bool dealIsSound() const
    {
        std::map<QRgb, int> copies;
        for (const QColor &color : model.colors)
            ++copies[color.rgb()];
        const std::vector<QColor> expected = TandrelGameBoard::pairColorsFor(model.n);
        return copies.size() == expected.size()
            && std::all_of(expected.begin(), expected.end(),
                           [&](const QColor &c) { return copies[c.rgb()] == 2; });
    }

    GameWindow game;
    Model model;
    QString problem;
    bool dealt = false; // the step dealt a new game
    bool moved = false; // the step revealed a card or ended a turn
    std::map<QString, std::set<QString>> triedEnding; // how the loop was ended, and in which states
};

// Picks the next action. It leans towards moves that carry a game on, and deals rarely enough
// on the larger boards that games get to their end.
Action nextAction(const Model &model, std::mt19937 &random)
{
    auto chance = [&](int perMille) { return int(random() % 1000) < perMille; };
    const int cardCount = model.n * model.n;
    // A finished game is rare on the larger boards, so ending the program is tried more there.
    const int ending = model.started && model.pairsLeft == 0 ? 50 : 3;
    if (chance(ending))
        return {Action::Quit};
    if (chance(ending))
        return {Action::Close};
    if (random() % unsigned(cardCount * 12) == 0 || (!model.started && chance(300)))
        return {Action::Play};
    if (chance(200)) {
        static const Qt::Key keys[] = {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Left,  Qt::Key_Right,
                                       Qt::Key_Up,  Qt::Key_Down,    Qt::Key_Space, Qt::Key_Space};
        return {Action::Key, keys[random() % std::size(keys)]};
    }
    if ((model.proceed && chance(700)) || chance(30))
        return {Action::Proceed};
    if (chance(300)) // any card at all, in play or not
        return {Action::Card, int(random() % unsigned(cardCount))};
    std::vector<int> inPlay;
    for (int i = 0; i < cardCount; ++i) {
        if (model.enabled(i))
            inPlay.push_back(i);
    }
    if (model.shown.size() == 1 && chance(500)) {
        for (int i : inPlay) {
            if (model.colors[std::size_t(i)] == model.colors[std::size_t(model.shown[0])])
                return {Action::Card, i};
        }
    }
    if (inPlay.empty())
        return {Action::Card, int(random() % unsigned(cardCount))};
    return {Action::Card, inPlay[random() % inPlay.size()]};
}

// Replays actions on a fresh window; the index of the first step that fails, or -1.
int firstFailure(int n, std::time_t clockStart, const std::vector<Action> &actions)
{
    Run run(n, clockStart);
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (!run.step(actions[i]).isEmpty())
            return int(i);
    }
    return -1;
}

// Cuts away pieces of a failing run for as long as what is left still fails, for two minutes at
// the most.
std::vector<Action> shrink(int n, std::time_t clockStart, std::vector<Action> actions)
{
    QElapsedTimer clock;
    clock.start();
    for (std::size_t chunk = actions.size() / 2; chunk >= 1 && clock.elapsed() < 120000;
         chunk /= 2) {
        for (std::size_t start = 0; start + chunk <= actions.size() && clock.elapsed() < 120000;) {
            std::vector<Action> shorter(actions.begin(), actions.begin() + long(start));
            shorter.insert(shorter.end(), actions.begin() + long(start + chunk), actions.end());
            const int failure = firstFailure(n, clockStart, shorter);
            if (failure >= 0) {
                shorter.resize(std::size_t(failure) + 1);
                actions = shorter;
            } else {
                start += chunk;
            }
        }
    }
    return actions;
}

int environmentNumber(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void windowFollowsTheRules_data();
    void windowFollowsTheRules();
};

void TestModel::windowFollowsTheRules_data()
{
    QTest::addColumn<int>("n");
    for (int n = 2; n <= 12; n += 2)
        QTest::addRow("%dx%d", n, n) << n;
}

void TestModel::windowFollowsTheRules()
{
    QFETCH(int, n);
    const int seed = environmentNumber("TANDREL_MODEL_SEED", 20261207);
    const int actionCount = environmentNumber("TANDREL_MODEL_ACTIONS", 102000) / 6;
    const std::time_t clockStart = std::time_t(1796000000) + n * 100000;

    std::mt19937 random(unsigned(seed) + unsigned(n));
    Run run(n, clockStart);
    // Before the first game, too, Quit and closing must end the program.
    std::vector<Action> actions = {{Action::Quit}, {Action::Close}};
    for (int i = 0; i < actionCount; ++i) {
        if (i >= int(actions.size()))
            actions.push_back(nextAction(run.model, random));
        const QString failure = run.step(actions[std::size_t(i)]);
        if (!failure.isEmpty()) {
            actions.resize(std::size_t(i) + 1);
            const std::vector<Action> shortest = shrink(n, clockStart, actions);
            QFAIL(qPrintable(QStringLiteral("seed %1, %2x%2, step %3: %4\nshortest failing run "
                                            "(%5 steps): %6")
                                 .arg(seed)
                                 .arg(n)
                                 .arg(i)
                                 .arg(failure)
                                 .arg(shortest.size())
                                 .arg(describe(shortest))));
        }
        if (i % 500 == 0)
            QCoreApplication::processEvents(); // lets the window paint now and then
    }

    QStringList tried;
    for (const auto &[how, states] : run.triedEnding)
        tried << how + " in " + QStringList(states.begin(), states.end()).join(", ");
    qInfo("%dx%d: %d actions from seed %d; %s", n, n, actionCount, seed,
          qPrintable(tried.join("; ")));
    // A full run must have met Quit and closing in every state the game can be in.
    if (actionCount >= 10000) {
        for (const char *how : {"Quit", "close"})
            QCOMPARE(int(run.triedEnding[how].size()), 5);
    }
}

QTEST_MAIN(TestModel)
#include "tst_model.moc"
