#include "boardsize.h"
#include "tandrel.h"

#include <QApplication>

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

    Tandrel window(boardSize);
    window.setWindowTitle(QStringLiteral("Qt Example - Tandrel"));
    window.show();
    return app.exec();
}
