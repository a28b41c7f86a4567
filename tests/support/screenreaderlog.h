// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#ifndef SCREENREADERLOG_H
#define SCREENREADERLOG_H

#include <QString>
#include <QStringList>
#include <QTest>

// Everything the game tells screen readers, caught as Qt hands each event to the platform and kept
// in order: "focus: " and the name of what takes the focus, "name: " with a name that changed,
// "description: ", "value: " and "announce: " with the message. Qt hands events on only while a
// screen reader's bridge is active (on X11 or Wayland with an accessibility bus); one log at a
// time.
class ScreenReaderLog
{
public:
    ScreenReaderLog();
    ~ScreenReaderLog();
    ScreenReaderLog(const ScreenReaderLog &) = delete;
    ScreenReaderLog &operator=(const ScreenReaderLog &) = delete;

    // Whether a screen reader's bridge is active, so that the log can hear anything at all.
    static bool canHear();

    // Waits until at least the expected events are told, or some seconds, and until the event
    // loop has finished what it was doing; then compares all that was told since the last look
    // with the list. Empty when they are the same; else both lists, to print.
    QString differences(const QStringList &expected);

    QStringList events;
};

// Fails the test unless exactly these events were told since the last look, in this order.
#define QVERIFY_TOLD(log, ...)                                                                     \
    do {                                                                                           \
        const QString told_ = (log).differences(__VA_ARGS__);                                      \
        QVERIFY2(told_.isEmpty(), qPrintable(told_));                                              \
    } while (false)

#endif
