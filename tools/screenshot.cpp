// Plays a few turns of a 6 by 6 game and saves a picture of the window for the README:
// tandrel-screenshot FILE.png
#include "tandrel.h"

#include <QApplication>
#include <QPushButton>

#include <cstdio>

namespace {

QPushButton *buttonLabelled(const QWidget &window, const QString &text)
{
    for (auto *button : window.findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

// The first card in play, and another card in play of the same colour or of another.
std::pair<TandrelButton *, TandrelButton *> twoCards(const QList<TandrelButton *> &cards,
                                                     bool samePair)
{
    TandrelButton *first = nullptr;
    for (TandrelButton *card : cards) {
        if (!card->isEnabled())
            continue;
        if (!first)
            first = card;
        else if ((card->activecolor() == first->activecolor()) == samePair)
            return {first, card};
    }
    return {first, nullptr};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.png\n", argv[0]);
        return 2;
    }

    Tandrel window(6);
    window.setWindowTitle(QStringLiteral("Qt Example - Tandrel"));
    window.show();
    const auto cards = window.findChild<TandrelGameBoard *>()->findChildren<TandrelButton *>();
    QPushButton *proceed = buttonLabelled(window, QStringLiteral("Proceed"));
    buttonLabelled(window, QStringLiteral("Play!"))->click();

    // Three misses and five pairs played, then a sixth pair turned up and waiting for Proceed.
    for (bool samePair : {false, true, true, false, true, true, false, true, true}) {
        const auto [first, second] = twoCards(cards, samePair);
        first->click();
        second->click();
        proceed->click();
    }
    const auto [first, second] = twoCards(cards, true);
    first->click();
    second->click();

    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
