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
