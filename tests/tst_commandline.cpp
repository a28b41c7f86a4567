// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "boardsize.h"

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

// A good size opens the window and the program keeps running until the player quits; a refused
// one ends at once with its warning. The offscreen platform tells on standard error when it
// creates the window, after the size has been read: that line is the sign the window is up.
void TestCommandLine::opensWindowForGoodArguments()
{
    QFETCH(QStringList, arguments);

    QProcess process;
    process.start(QStringLiteral(TANDREL_EXECUTABLE), arguments);
    QVERIFY(process.waitForStarted());
    QByteArray errors;
    QTRY_VERIFY2_WITH_TIMEOUT(
        (errors += process.readAllStandardError()).contains("does not support propagateSizeHints")
            || process.state() != QProcess::Running,
        errors.constData(), 30000);
    QVERIFY2(process.state() == QProcess::Running, errors.constData());
    process.kill();
    process.waitForFinished();
    QVERIFY(!(errors + process.readAllStandardError()).contains("Board size"));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
