// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "boardsize.h"
#include "tandrel.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    // The toolkit takes its own options out of argc and argv first, so none is read as a size.
    QApplication app(argc, argv);

    int boardSize = 6;
    if (argc == 2) {
        const std::optional<int> size = boardSizeFromArgument(argv[1]);
        if (!size) {
            qWarning("%s: Board size must be even number from 2 to 12", argv[0]);
            return 1;
        }
        boardSize = *size;
    }

    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(TANDREL_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/" TANDREL_APP_ID ".svg")));

    Tandrel window(boardSize);
    window.setWindowTitle(QStringLiteral("Qt Example - Tandrel"));
    window.show();
    return app.exec();
}
