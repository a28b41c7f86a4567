// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

// Starts a window the way the game starts its own and quits once the first frame is painted:
//   tandrel-startup game N    the game's window with an N by N board
//   tandrel-startup noboard   the same window without its board: two lines, three buttons
//   tandrel-startup empty     an empty window
// bench/startup.py runs them in turn and compares their time and memory.
#include "tandrel.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <memory>

namespace {

// Quits the application as soon as the window it watches has painted once.
class FirstFrame : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool painted = false;
};

// The game's own window with its board taken out before it shows: the baseline the board is
// measured on. The smallest board's four cards are still built, and that little is counted in.
std::unique_ptr<QWidget> windowWithoutBoard()
{
    auto window = std::make_unique<Tandrel>(2);
    std::unique_ptr<TandrelGameBoard> board(window->findChild<TandrelGameBoard *>());
    return window;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? argv[1] : "game";

    QGuiApplication::setDesktopFileName(QStringLiteral(TANDREL_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/" TANDREL_APP_ID ".svg")));

    std::unique_ptr<QWidget> window;
    if (mode == "game")
        window = std::make_unique<Tandrel>(argc > 2 ? std::atoi(argv[2]) : 6);
    else if (mode == "noboard")
        window = windowWithoutBoard();
    else
        window = std::make_unique<QWidget>();
    window->setWindowTitle(QStringLiteral("Qt Example - Tandrel"));
    window->installEventFilter(new FirstFrame(&app));
    window->show();
    return app.exec();
}
