// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "gamewindow.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QtTest>

namespace {

QString name(QWidget *card)
{
    return QAccessible::queryAccessibleInterface(card)->text(QAccessible::Name);
}

// What screen readers were told since the last look, caught as Qt hands its events to the
// platform: announcements (Qt 6.8 on), or the names given to the widget with the focus.
QStringList told;

void listen(QAccessibleEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement)
        told << static_cast<QAccessibleAnnouncementEvent *>(event)->message();
#else
    auto *widget = qobject_cast<QWidget *>(event->object());
    if (event->type() == QAccessible::NameChanged && widget
        && widget == QApplication::focusWidget())
        told << widget->accessibleName();
#endif
}

// The news of the move just made, or what was heard instead. Before Qt 6.8 the news leads the
// name of what has the focus, and that widget's own name follows it.
QString heard(const QString &news)
{
    const QString last = told.value(told.size() - 1);
    told.clear();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    return last == news ? QString() : last;
#else
    return last.startsWith(news + QLatin1Char(' ')) ? QString() : last;
#endif
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QAccessible::installUpdateHandler(listen); }
    void screenReadersHearEveryCard();
    void screenReadersHearEveryMove();
    void screenReadersFindTitleAndStatusBar();
};

// Each card's name gives its place and its state, wherever a screen reader reads it, and nothing
// is said twice: the description stays empty.
void TestAccessibility::screenReadersHearEveryCard()
{
    // Not shown, so that no news rides on the name of a card with the focus.
    GameWindow game(4);
    for (int i = 0; i < 16; ++i) {
        QAccessibleInterface *card = QAccessible::queryAccessibleInterface(game.cards[i]);
        QCOMPARE(card->role(), QAccessible::Button);
        QCOMPARE(card->text(QAccessible::Name),
                 QStringLiteral("Card, row %1, column %2, hidden").arg(i % 4 + 1).arg(i / 4 + 1));
    }

    game.play->click();
    const int second = game.partnerOf(6);
    game.cards[6]->click();
    // The colour in words, as people name colours.
    QVERIFY(name(game.cards[6])
                .contains(QRegularExpression("^Card, row 3, column 2, showing [a-z]+( [a-z]+)?$")));
    game.cards[second]->click();
    QCOMPARE(name(game.cards[second]).section(", ", 3), name(game.cards[6]).section(", ", 3));
    QCOMPARE(QAccessible::queryAccessibleInterface(game.cards[6])->text(QAccessible::Description),
             QString());
    game.proceed->click();
    QVERIFY(name(game.cards[6]).endsWith(", removed"));
    QVERIFY(name(game.cards[second]).endsWith(", removed"));

    const auto [first, miss] = game.firstTwo(false);
    game.cards[first]->click();
    game.cards[miss]->click();
    game.proceed->click();
    QVERIFY(name(game.cards[first]).endsWith(", hidden"));
    QVERIFY(name(game.cards[miss]).endsWith(", hidden"));

    game.play->click();
    QVERIFY(name(game.cards[6]).endsWith(", hidden"));
}

// A 2 by 2 game with a miss, then both pairs, and a new game.
void TestAccessibility::screenReadersHearEveryMove()
{
    GameWindow game(2);
    QVERIFY(game.activate());
    auto reveal = [&](int i) {
        game.cards[i]->click();
        return QStringLiteral("Row %1, column %2 shows %3.")
            .arg(i % 2 + 1)
            .arg(i / 2 + 1)
            .arg(game.board->colourWordsOf(game.cards[i]));
    };
    QTest::keyClick(game.play, Qt::Key_Space);
    QCOMPARE(heard("New game. Turn: 1. Pairs left: 2. Click to reveal a card."), QString());
    QCOMPARE(heard(reveal(0)), QString());
    QCOMPARE(heard(reveal(game.partnerOf(0, false)) + " No pair. Proceed hides both cards again."),
             QString());
    QTest::keyClick(game.proceed, Qt::Key_Space);
    QCOMPARE(heard("Turn: 2. Pairs left: 2. Click to reveal a card."), QString());
    for (const char *end : {"Click to reveal a card.", "Finished!"}) {
        const auto [first, second] = game.firstTwo();
        QCOMPARE(heard(reveal(first)), QString());
        QCOMPARE(heard(reveal(second) + " Pair found! Proceed takes the pair off the board."),
                 QString());
        QTest::keyClick(game.proceed, Qt::Key_Space);
        const int left = end[0] == 'F' ? 0 : 1;
        QCOMPARE(heard(QStringLiteral("Turn: 2. Pairs left: %1. %2").arg(left).arg(end)),
                 QString());
    }
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
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
