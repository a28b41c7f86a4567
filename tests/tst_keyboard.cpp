// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "gamewindow.h"

#include <QAccessible>
#include <QToolTip>
#include <QtTest>

#include <memory>

namespace {

// A game window played from the keyboard; call activate() before the first key.
struct Game : GameWindow
{
    explicit Game(int n) : GameWindow(n) { }

    // Presses a key on whatever has the keyboard focus, as a player at the keyboard does.
    void press(Qt::Key key) const { QTest::keyClick(QApplication::focusWidget(), key); }
};

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void arrowsMoveToNearestCardInPlay_data();
    void arrowsMoveToNearestCardInPlay();
    void focusIsVisible();
    void focusMovesOnlyWithTheGame();
    void keyRevealNamesTheColour();
};

void TestKeyboard::arrowsMoveToNearestCardInPlay_data()
{
    QTest::addColumn<QPoint>("from"); // (column, row)
    QTest::addColumn<int>("key");
    QTest::addColumn<QList<QPoint>>("outOfPlay");
    QTest::addColumn<QPoint>("to");

    const QList<QPoint> none;
    QTest::newRow("right") << QPoint(0, 0) << int(Qt::Key_Right) << none << QPoint(1, 0);
    QTest::newRow("down") << QPoint(0, 0) << int(Qt::Key_Down) << none << QPoint(0, 1);
    QTest::newRow("left at the edge") << QPoint(0, 0) << int(Qt::Key_Left) << none << QPoint(0, 0);
    QTest::newRow("up at the edge") << QPoint(2, 0) << int(Qt::Key_Up) << none << QPoint(2, 0);
    QTest::newRow("right at the edge")
        << QPoint(3, 3) << int(Qt::Key_Right) << none << QPoint(3, 3);
    QTest::newRow("over a gap") << QPoint(1, 1) << int(Qt::Key_Right) << QList<QPoint> {{2, 1}}
                                << QPoint(3, 1);
    QTest::newRow("along the row first") << QPoint(1, 1) << int(Qt::Key_Right)
                                         << QList<QPoint> {{2, 0}, {2, 1}, {2, 2}} << QPoint(3, 1);
    QTest::newRow("row ends, nearest row")
        << QPoint(1, 1) << int(Qt::Key_Right) << QList<QPoint> {{2, 1}, {3, 1}, {2, 2}}
        << QPoint(2, 0);
    QTest::newRow("tie goes up and left")
        << QPoint(1, 1) << int(Qt::Key_Down) << QList<QPoint> {{1, 2}, {1, 3}} << QPoint(0, 2);
    QTest::newRow("up over removed cards")
        << QPoint(3, 3) << int(Qt::Key_Up) << QList<QPoint> {{3, 2}, {3, 1}} << QPoint(3, 0);
    QTest::newRow("nothing left that way")
        << QPoint(2, 2) << int(Qt::Key_Left)
        << QList<QPoint> {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 0}, {1, 1}, {1, 2}, {1, 3}}
        << QPoint(2, 2);
}

void TestKeyboard::arrowsMoveToNearestCardInPlay()
{
    QFETCH(QPoint, from);
    QFETCH(int, key);
    QFETCH(QList<QPoint>, outOfPlay);
    QFETCH(QPoint, to);

    Game game(4);
    QVERIFY(game.activate());
    game.play->click();
    auto card = [&](QPoint p) { return game.cards[p.x() * 4 + p.y()]; };
    for (QPoint p : outOfPlay)
        card(p)->setEnabled(false);
    card(from)->setFocus(Qt::OtherFocusReason);
    game.press(Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), card(to));
}

// Once the keyboard is in use, the card with the focus looks different from its neighbours.
void TestKeyboard::focusIsVisible()
{
    Game game(2);
    QVERIFY(game.activate());
    QPushButton *play = game.play;
    QCOMPARE(QApplication::focusWidget(), play);
    const QImage untouched = play->grab().toImage();
    game.press(Qt::Key_Shift);
    QVERIFY(play->grab().toImage() != untouched);
    game.press(Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), game.cards[0]);

    // Each card against itself, as the cards of a row and a column may differ by a pixel in size;
    // the focus moved by the game shows as plainly as the one moved by a key.
    const QImage focused = game.cards[0]->grab().toImage();
    game.press(Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), game.cards[1]);
    QVERIFY(game.cards[0]->grab().toImage() != focused);
    game.press(Qt::Key_Up);
    QCOMPARE(game.cards[0]->grab().toImage(), focused);
    QCOMPARE(game.cards[1]->grab().toImage(), game.cards[3]->grab().toImage());
}

// A press that reveals nothing leaves the focus where it is, and assistive technologies, which
// press cards through their accessible actions wherever the focus is, never send it over Play!
// or Quit.
void TestKeyboard::focusMovesOnlyWithTheGame()
{
    Game game(4);
    QVERIFY(game.activate());
    game.play->click();
    TandrelButton *focused = game.cards[5];
    focused->setFocus(Qt::OtherFocusReason);
    QTest::mousePress(focused, Qt::LeftButton);
    QTest::mouseMove(focused, QPoint(-20, -20));
    QTest::mouseRelease(focused, Qt::LeftButton, {}, QPoint(-20, -20));
    QVERIFY(focused->isEnabled());
    QCOMPARE(QApplication::focusWidget(), focused);

    QList<QWidget *> focusWent;
    QObject watching; // gone before the list
    connect(qApp, &QApplication::focusChanged, &watching,
            [&](QWidget *, QWidget *now) { focusWent << now; });
    auto pressByAction = [](QAbstractButton *button) {
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        QAccessibleInterface *widget = QAccessible::queryAccessibleInterface(button);
        widget->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        return clicked.wait(10000);
    };
    // A miss, then a pair, each pressed away from the focused card.
    for (const bool pair : {false, true}) {
        const int first = focused == game.cards[0] ? 1 : 0;
        QVERIFY(pressByAction(game.cards[first]));
        QCOMPARE(QApplication::focusWidget(), focused);
        QVERIFY(pressByAction(game.cards[game.partnerOf(first, pair)]));
        QCOMPARE(QApplication::focusWidget(), game.proceed);
        QVERIFY(pressByAction(game.proceed));
        QVERIFY(game.indexOf(QApplication::focusWidget()) < 16);
        focused = game.cards[game.indexOf(QApplication::focusWidget())];
    }
    QVERIFY(!focusWent.contains(game.play));
    QVERIFY(!focusWent.contains(game.quit));
}

// A colour-blind player at the keyboard or at a touchscreen learns a revealed card's colour as a
// mouse player does by hovering: its name shows beside the card at once and goes at the next key.
// A mouse click shows nothing more than it did.
void TestKeyboard::keyRevealNamesTheColour()
{
    Game game(2);
    QVERIFY(game.activate());
    game.press(Qt::Key_Space);
    auto words = [](const TandrelButton *card) {
        return card->activecolor() == QColor(255, 0, 0) ? QString("red") : QString("green");
    };
    auto tipBeside = [](const TandrelButton *card) {
        const QRect place(card->mapToGlobal(QPoint(0, 0)), card->size());
        const auto windows = QApplication::topLevelWidgets();
        return std::any_of(windows.begin(), windows.end(), [&](const QWidget *window) {
            return window->windowType() == Qt::ToolTip && window->isVisible()
                && place.adjusted(-50, -50, 50, 50).intersects(window->geometry());
        });
    };

    // Both cards of a turn, the second once the focus has gone to Proceed; the next key hides it.
    for (int turnCard = 0; turnCard < 2; ++turnCard) {
        TandrelButton *card = game.cards[game.indexOf(QApplication::focusWidget())];
        game.press(Qt::Key_Space);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), words(card));
        QVERIFY(tipBeside(card));
    }
    QCOMPARE(QApplication::focusWidget(), game.proceed);
    game.press(Qt::Key_Space);
    QTRY_VERIFY(!QToolTip::isVisible());

    const auto [first, second] = game.firstTwo();
    QVERIFY(second >= 0);
    QTest::mouseClick(game.cards[first], Qt::LeftButton);
    QTest::mouseClick(game.cards[second], Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(!QToolTip::isVisible());

    // A tap on a touchscreen leaves nothing to hover either: the card names its colour at once.
    game.play->click();
    const std::unique_ptr<QPointingDevice> screen(QTest::createTouchDevice());
    QTest::touchEvent(game.cards[0], screen.get()).press(0, QPoint(5, 5));
    QTest::touchEvent(game.cards[0], screen.get()).release(0, QPoint(5, 5));
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), words(game.cards[0]));
    QVERIFY(tipBeside(game.cards[0]));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
