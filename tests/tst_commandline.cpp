// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "boardsize.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

// Runs the real program, as a player would start it from a shell.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parsesLikeAtoi_data();
    void parsesLikeAtoi();
    void rejectsBadSize_data();
    void rejectsBadSize();
    void opensWindowForGoodArguments_data();
    void opensWindowForGoodArguments();
};

void TestCommandLine::parsesLikeAtoi_data()
{
    QTest::addColumn<QByteArray>("argument");
    QTest::addColumn<int>("size"); // 0: refused

    for (int n = -3; n <= 14; ++n)
        QTest::addRow("%d", n) << QByteArray::number(n)
                               << (n >= 2 && n <= 12 && n % 2 == 0 ? n : 0);
    QTest::newRow("white space and plus") << QByteArray(" \t\n+8") << 8;
    QTest::newRow("trailing letters") << QByteArray("10abc") << 10;
    QTest::newRow("decimal point") << QByteArray("4.9") << 4;
    QTest::newRow("leading zeros") << QByteArray("000000000000000000000000000004") << 4;
    QTest::newRow("minus zero") << QByteArray("-0") << 0;
    QTest::newRow("sign alone") << QByteArray("+") << 0;
    QTest::newRow("two signs") << QByteArray("+-4") << 0;
    QTest::newRow("space after sign") << QByteArray("+ 4") << 0;
    QTest::newRow("word") << QByteArray("six") << 0;
    QTest::newRow("empty") << QByteArray("") << 0;
    QTest::newRow("hexadecimal") << QByteArray("0x8") << 0;
    // Past int these wrap to 4 and -4 in atoi(); they must not be taken for a small board.
    QTest::newRow("wraps to 4") << QByteArray("4294967300") << 0;
    QTest::newRow("wraps to -4") << QByteArray("-4294967300") << 0;
    QTest::newRow("int max") << QByteArray("2147483647") << 0;
    QTest::newRow("huge") << QByteArray(400, '9') << 0;
}

void TestCommandLine::parsesLikeAtoi()
{
    QFETCH(QByteArray, argument);
    QFETCH(int, size);
    QCOMPARE(boardSizeFromArgument(argument.constData()).value_or(0), size);
}

void TestCommandLine::rejectsBadSize_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");

    const QString program = QStringLiteral(TANDREL_EXECUTABLE);
    const QStringList bad = {"0", "1", "3", "7", "13", "14", "-2", "six", "", "0x8", "4294967300"};
    for (const QString &size : bad)
        QTest::addRow("'%s'", qPrintable(size)) << program << QStringList {size};
    QTest::newRow("toolkit option before size")
        << program << QStringList {"-platform", "offscreen", "5"};
    QTest::newRow("relative invocation") << QStringLiteral("./tandrel") << QStringList {"5"};
}

void TestCommandLine::rejectsBadSize()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);

    QProcess process;
    process.setWorkingDirectory(QFileInfo(QStringLiteral(TANDREL_EXECUTABLE)).absolutePath());
    process.start(program, arguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);

    const QString expected
        = program + QStringLiteral(": Board size must be even number from 2 to 12");
    const QStringList lines = QString::fromLocal8Bit(process.readAllStandardError()).split('\n');
    QVERIFY2(lines.contains(expected), qPrintable(lines.join('\n')));
}

void TestCommandLine::opensWindowForGoodArguments_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("none") << QStringList {};
    QTest::newRow("2") << QStringList {"2"};
    QTest::newRow("12") << QStringList {"12"};
    QTest::newRow("10abc") << QStringList {"10abc"};
    QTest::newRow(" +8") << QStringList {" +8"};
    QTest::newRow("two bad sizes") << QStringList {"5", "7"};
    QTest::newRow("toolkit option before size") << QStringList {"-platform", "offscreen", "4"};
}

namespace {

// The processor time a running program has used so far, in clock ticks, and whether it is asleep
// waiting for something; -1 once it is gone.
qint64 ticksWhileAsleep(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // After the program's name in parentheses: its state, then ten fields up to user and system
    // time.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13 || fields[0] != "S")
        return -1;
    return fields[11].toLongLong() + fields[12].toLongLong();
}

} // namespace

// A good size opens the window and the program keeps running until the player quits; a refused
// one ends at once with its warning. Once the window is up the program waits for the player: it
// sleeps and its processor time stands still, which is the sign looked for.
void TestCommandLine::opensWindowForGoodArguments()
{
    QFETCH(QStringList, arguments);

    QProcess process;
    process.start(QStringLiteral(TANDREL_EXECUTABLE), arguments);
    QVERIFY(process.waitForStarted());
    qint64 ticks = -1;
    int stillPolls = 0;
    QDeadlineTimer limit(60000);
    while (stillPolls < 5 && process.state() == QProcess::Running && !limit.hasExpired()) {
        process.waitForFinished(100);
        const qint64 now = ticksWhileAsleep(process.processId());
        stillPolls = now >= 0 && now == ticks ? stillPolls + 1 : 0;
        ticks = now;
    }
    const QByteArray errors = process.readAllStandardError();
    QVERIFY2(process.state() == QProcess::Running,
             qPrintable("the game ended: " + QString::fromLocal8Bit(errors)));
    QVERIFY2(stillPolls == 5, "the game was still busy starting after 60 s");
    process.kill();
    process.waitForFinished();
    QVERIFY(!(errors + process.readAllStandardError()).contains("Board size"));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
