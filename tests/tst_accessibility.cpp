// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "gamewindow.h"

#include <QAccessible>
#include <QLabel>
#include <QtTest>

namespace {

QString description(QWidget *card)
{
    return QAccessible::queryAccessibleInterface(card)->text(QAccessible::Description);
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void screenReadersHearEveryCard();
    void screenReadersFindTitleAndStatusBar();
};

void TestAccessibility::screenReadersHearEveryCard()
{
    // Not shown, so that no news rides on the description of a card with the focus.
    GameWindow game(4);
    for (int i = 0; i < 16; ++i) {
        QAccessibleInterface *card = QAccessible::queryAccessibleInterface(game.cards[i]);
        QCOMPARE(card->role(), QAccessible::Button);
        QCOMPARE(card->text(QAccessible::Name),
                 QStringLiteral("Card, row %1, column %2").arg(i % 4 + 1).arg(i / 4 + 1));
        QCOMPARE(card->text(QAccessible::Description), "hidden");
    }

    game.play->click();
    const int second = game.partnerOf(6);
    game.cards[6]->click();
    // The colour in words, as people name colours.
    QVERIFY(description(game.cards[6]).contains(QRegularExpression("^showing [a-z]+( [a-z]+)?$")));
    game.cards[second]->click();
    QCOMPARE(description(game.cards[second]), description(game.cards[6]));
    game.proceed->click();
    QCOMPARE(description(game.cards[6]), "removed");
    QCOMPARE(description(game.cards[second]), "removed");

    const auto [first, miss] = game.firstTwo(false);
    game.cards[first]->click();
    game.cards[miss]->click();
    game.proceed->click();
    QCOMPARE(description(game.cards[first]), "hidden");
    QCOMPARE(description(game.cards[miss]), "hidden");

    game.play->click();
    QCOMPARE(description(game.cards[6]), "hidden");
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
