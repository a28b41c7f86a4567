// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "gamewindow.h"

#include <QBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QtTest>

namespace {

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

// What the window shows: the status line, the counter line and whether Proceed can be pressed.
QString shown(const GameWindow &parts)
{
    return parts.status->text() + " | " + parts.counter->text() + " | "
        + (parts.proceed->isEnabled() ? "Proceed" : "-");
}

QString counter(int turn, int pairsLeft)
{
    return QStringLiteral("Turn: %1. Pairs left: %2.").arg(turn).arg(pairsLeft);
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void freshWindowWaitsForPlay();
    void laysOutLinesBoardAndButtons();
    void counterLine_data();
    void counterLine();
    void slotsChangeOnlyTheirPart();
    void playStartsAGame_data();
    void playStartsAGame();
    void wholeGameWithTheMouse();
    void revealedCardShowsItsColour();
    void quitAndCloseEndTheLoop_data();
    void quitAndCloseEndTheLoop();
};

void TestWindow::freshWindowWaitsForPlay()
{
    GameWindow parts(6);
    QCOMPARE(shown(parts), "Press 'Play!' to start game! |  | -");
    QVERIFY(parts.play->isEnabled() && parts.quit->isEnabled());
    QCOMPARE(int(parts.cards.size()), 36);
    for (QWidget *widget : std::initializer_list<QWidget *> {
             parts.status, parts.counter, parts.proceed, parts.play, parts.quit}) {
        QCOMPARE(widget->font().pointSize(), 14);
        QCOMPARE(widget->font().weight(), QFont::Bold);
        QVERIFY(!widget->font().italic());
        QCOMPARE(widget->font().family(), QApplication::font(widget).family());
    }
    for (QLabel *label : {parts.status, parts.counter}) {
        QCOMPARE(label->alignment(), Qt::AlignCenter);
        QCOMPARE(label->frameStyle(), QFrame::NoFrame | QFrame::Plain);
    }
}

void TestWindow::laysOutLinesBoardAndButtons()
{
    GameWindow parts(12);
    Tandrel &window = parts.window;
    QVERIFY(parts.showAndWait());

    auto *column = qobject_cast<QVBoxLayout *>(window.layout());
    QVERIFY(column);
    QCOMPARE(column->contentsMargins(), QMargins(6, 6, 6, 6));
    QCOMPARE(column->spacing(), 6);
    QCOMPARE(column->count(), 6);
    const QList<QWidget *> order = {parts.status, parts.counter, parts.board, parts.proceed};
    for (int i = 0; i < order.size(); ++i) {
        QCOMPARE(column->itemAt(i)->widget(), order[i]);
        QCOMPARE(column->stretch(i), 0);
    }
    auto *separator = qobject_cast<QFrame *>(column->itemAt(4)->widget());
    QVERIFY(separator);
    QCOMPARE(separator->frameStyle(), QFrame::HLine | QFrame::Sunken);
    auto *row = qobject_cast<QHBoxLayout *>(column->itemAt(5)->layout());
    QVERIFY(row);
    QCOMPARE(row->spacing(), 6);
    QCOMPARE(row->itemAt(0)->widget(), parts.play);
    QCOMPARE(row->itemAt(1)->widget(), parts.quit);

    for (QPushButton *button : {parts.proceed, parts.play, parts.quit}) {
        QCOMPARE(button->minimumHeight(), 40);
        QVERIFY(button->height() >= 40);
    }
    QVERIFY(parts.play->geometry().right() < parts.quit->geometry().left());
    // Twelve cards of 50 pixels and eleven gaps of 4 between the board's margins of 4.
    QCOMPARE(parts.board->sizeHint(), QSize(12 * 50 + 11 * 4 + 8, 12 * 50 + 11 * 4 + 8));
}

void TestWindow::counterLine_data()
{
    QTest::addColumn<int>("turn");
    QTest::addColumn<int>("pairsLeft");
    QTest::addColumn<QString>("text");
    QTest::newRow("7, 0") << 7 << 0 << "Turn: 7. Pairs left: 0.";
    QTest::newRow("1, 18") << 1 << 18 << "Turn: 1. Pairs left: 18.";
    QTest::newRow("no grouping, minus") << 12345 << -3 << "Turn: 12345. Pairs left: -3.";
}

void TestWindow::counterLine()
{
    QFETCH(int, turn);
    QFETCH(int, pairsLeft);
    QFETCH(QString, text);
    GameWindow parts(2);
    Tandrel &window = parts.window;
    window.setCounter(turn, pairsLeft);
    QCOMPARE(parts.counter->text(), text);
}

void TestWindow::slotsChangeOnlyTheirPart()
{
    GameWindow parts(2);
    Tandrel &window = parts.window;
    window.setCounter(3, 1);
    window.enableProceed(true);
    QCOMPARE(shown(parts), "Press 'Play!' to start game! | " + counter(3, 1) + " | Proceed");
    window.enableProceed(false);
    QCOMPARE(shown(parts), "Press 'Play!' to start game! | " + counter(3, 1) + " | -");
    window.newState("Pair found!");
    window.newState("Click to reveal a card.");
    QCOMPARE(shown(parts), "Click to reveal a card. | " + counter(3, 1) + " | -");
    QVERIFY(QMetaObject::invokeMethod(&window, "gameOver"));
    QCOMPARE(shown(parts), "Finished! | " + counter(3, 1) + " | -");
}

void TestWindow::playStartsAGame_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("midTurn");
    QTest::newRow("2x2") << 2 << false;
    QTest::newRow("6x6") << 6 << false;
    QTest::newRow("12x12") << 12 << false;
    QTest::newRow("6x6, two cards shown") << 6 << true;
}

void TestWindow::playStartsAGame()
{
    QFETCH(int, n);
    QFETCH(bool, midTurn);
    GameWindow parts(n);
    QVERIFY(parts.showAndWait());

    click(parts.cards[0]);
    QCOMPARE(parts.cards[0]->isEnabled(), false); // not yet started: nothing happens
    QVERIFY(!parts.cards[0]->testAttribute(Qt::WA_SetPalette));

    click(parts.play);
    if (midTurn) {
        click(parts.cards[0]);
        click(parts.cards[parts.partnerOf(0, false)]);
        QCOMPARE(shown(parts), "Click to reveal a card. | " + counter(1, n * n / 2) + " | Proceed");
        click(parts.play);
    }
    QCOMPARE(shown(parts), "Click to reveal a card. | " + counter(1, n * n / 2) + " | -");
    for (TandrelButton *card : parts.cards)
        QVERIFY(card->isEnabled() && !card->testAttribute(Qt::WA_SetPalette));
}

// A whole 4x4 game played with the mouse, a miss before every pair, then Play! again.
void TestWindow::wholeGameWithTheMouse()
{
    GameWindow parts(4);
    QVERIFY(parts.showAndWait());

    for (int game = 0; game < 2; ++game) {
        click(parts.play);
        QCOMPARE(shown(parts), "Click to reveal a card. | " + counter(1, 8) + " | -");
        int turn = 1;
        for (int pairsLeft = 8; pairsLeft > 0; --pairsLeft) {
            const int first = parts.firstTwo().first;
            if (pairsLeft > 1) {
                const int other = parts.partnerOf(first, false);
                click(parts.cards[first]);
                QCOMPARE(shown(parts),
                         "Click to reveal a card. | " + counter(turn, pairsLeft) + " | -");
                click(parts.cards[other]);
                QCOMPARE(shown(parts),
                         "Click to reveal a card. | " + counter(turn, pairsLeft) + " | Proceed");
                click(parts.proceed);
                ++turn;
                QCOMPARE(shown(parts),
                         "Click to reveal a card. | " + counter(turn, pairsLeft) + " | -");
            }
            const int second = parts.partnerOf(first);
            click(parts.cards[second]);
            click(parts.cards[first]);
            QCOMPARE(shown(parts), "Pair found! | " + counter(turn, pairsLeft) + " | Proceed");
            click(parts.proceed);
            QVERIFY(parts.cards[first]->isFlat() && parts.cards[second]->isFlat());
            if (pairsLeft > 1)
                QCOMPARE(shown(parts),
                         "Click to reveal a card. | " + counter(turn, pairsLeft - 1) + " | -");
        }
        QCOMPARE(shown(parts), "Finished! | " + counter(8, 0) + " | -");
    }
}

// Through the toolkit's own painting a shown card keeps its colour although it is disabled.
void TestWindow::revealedCardShowsItsColour()
{
    GameWindow parts(2);
    QVERIFY(parts.showAndWait());
    click(parts.play);

    for (TandrelButton *card : parts.cards) {
        const QImage before = card->grab().toImage();
        const QPoint centre(before.width() / 2, before.height() / 2);
        const QColor hidden = before.pixelColor(centre);
        QVERIFY(std::abs(hidden.red() - hidden.green()) < 20); // a plain grey face
        click(card);
        QVERIFY(!card->isEnabled());
        const QColor face = card->grab().toImage().pixelColor(centre);
        const bool red = card->activecolor() == QColor(255, 0, 0);
        const int strong = red ? face.red() : face.green();
        const int weak = red ? face.green() : face.red();
        QVERIFY2(strong - std::max(weak, face.blue()) > 60, qPrintable(face.name()));
        if (card == parts.cards.back())
            break;
        click(parts.proceed);
        if (parts.status->text() == "Finished!")
            break;
    }
}

void TestWindow::quitAndCloseEndTheLoop_data()
{
    QTest::addColumn<bool>("useQuit");
    QTest::newRow("Quit") << true;
    QTest::newRow("close") << false;
}

void TestWindow::quitAndCloseEndTheLoop()
{
    QFETCH(bool, useQuit);
    GameWindow parts(4);
    Tandrel &window = parts.window;
    QVERIFY(parts.showAndWait());
    click(parts.play);
    click(parts.cards[0]);

    QTimer::singleShot(0, &window, [&] { useQuit ? click(parts.quit) : (void)window.close(); });
    QTimer failsafe;
    QObject::connect(&failsafe, &QTimer::timeout, [] { QCoreApplication::exit(42); });
    failsafe.start(10000);
    QCOMPARE(QApplication::exec(), 0);
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
