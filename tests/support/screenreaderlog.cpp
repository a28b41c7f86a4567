// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "screenreaderlog.h"

#include <QAccessible>
#include <QGuiApplication>

namespace {

ScreenReaderLog *current = nullptr;

QString told(QAccessibleEvent *event)
{
    QAccessibleInterface *object = event->accessibleInterface();
    const QString name = object ? object->text(QAccessible::Name) : QString();
    switch (event->type()) {
    case QAccessible::Focus:
        return QStringLiteral("focus: ") + name;
    case QAccessible::NameChanged:
        return QStringLiteral("name: ") + name;
    case QAccessible::DescriptionChanged:
        return QStringLiteral("description: ")
            + (object ? object->text(QAccessible::Description) : QString());
    case QAccessible::ValueChanged:
        return QStringLiteral("value: ")
            + static_cast<QAccessibleValueChangeEvent *>(event)->value().toString();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    case QAccessible::Announcement:
        return QStringLiteral("announce: ")
            + static_cast<QAccessibleAnnouncementEvent *>(event)->message();
#endif
    default:
        return QString();
    }
}

void listen(QAccessibleEvent *event)
{
    const QString text = told(event);
    if (current && !text.isNull())
        current->events << text;
}

} // namespace

ScreenReaderLog::ScreenReaderLog()
{
    Q_ASSERT(!current);
    current = this;
    QAccessible::installUpdateHandler(listen);
}

ScreenReaderLog::~ScreenReaderLog()
{
    QAccessible::installUpdateHandler(nullptr);
    current = nullptr;
}

// Qt's offscreen platform has no bridge; another one's comes up once the event loop has reached
// the accessibility bus.
bool ScreenReaderLog::canHear()
{
    return QGuiApplication::platformName() != QLatin1String("offscreen")
        && QTest::qWaitFor([] { return QAccessible::isActive(); }, 5000);
}

QString ScreenReaderLog::differences(const QStringList &expected)
{
    static_cast<void>(QTest::qWaitFor([&] { return events.size() >= expected.size(); }, 5000));
    QCoreApplication::processEvents();
    const QStringList heard = std::exchange(events, {});
    if (heard == expected)
        return QString();
    return QStringLiteral("Expected to be told:\n    %1\nbut was told:\n    %2")
        .arg(expected.join(QStringLiteral("\n    ")), heard.join(QStringLiteral("\n    ")));
}
