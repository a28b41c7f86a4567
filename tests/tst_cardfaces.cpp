// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "darkpalette.h"
#include "gamewindow.h"

#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

// How far a face may stray from its card's colour in any channel, as the styles that paint a
// button from its palette draw it; and how far a hidden card must at least stand from every
// colour of the board in one channel, so that a player cannot take it for a revealed one.
constexpr int tolerance = 8;
constexpr int hiddenDistance = 2 * tolerance;

// The colour a player sees on a card: the median of each channel over the middle half of its
// face, in the window's own picture.
QColor faceColor(const QImage &image, const QRect &grabbed, const QWidget &window,
                 const QWidget &card)
{
    const QRect face(card.mapTo(&window, QPoint(0, 0)) - grabbed.topLeft(), card.size());
    const QRect middle
        = face.adjusted(face.width() / 4, face.height() / 4, -face.width() / 4, -face.height() / 4);
    const qreal ratio = image.devicePixelRatio();
    std::array<std::vector<int>, 3> channels;
    for (int y = int(middle.top() * ratio); y < int((middle.bottom() + 1) * ratio); ++y) {
        for (int x = int(middle.left() * ratio); x < int((middle.right() + 1) * ratio); ++x) {
            const QRgb pixel = image.pixel(x, y);
            channels[0].push_back(qRed(pixel));
            channels[1].push_back(qGreen(pixel));
            channels[2].push_back(qBlue(pixel));
        }
    }
    std::array<int, 3> median {};
    for (std::size_t c = 0; c < 3; ++c) {
        auto &values = channels[c];
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        median[c] = values[values.size() / 2];
    }
    return QColor(median[0], median[1], median[2]);
}

int channelDistance(const QColor &a, const QColor &b)
{
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                     std::abs(a.blue() - b.blue())});
}

int sumDistance(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green())
        + std::abs(a.blue() - b.blue());
}

} // namespace

// Plays whole games under every style installed here, with a light and a dark colour scheme, and
// measures every revealed card in the window's own picture: a player must see each pair's colour
// whatever style the desktop imposes.
class TestCardFaces : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void facesShowTheirColour_data();
    void facesShowTheirColour();
};

void TestCardFaces::initTestCase()
{
    qInfo("styles: %s; device pixel ratio %g", qPrintable(QStyleFactory::keys().join(", ")),
          qApp->devicePixelRatio());
}

void TestCardFaces::facesShowTheirColour_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<int>("boardSize");

    // Under valgrind the small board alone is played; TANDREL_FACE_BOARDS names the sizes.
    QList<int> sizes = {2, 6, 12};
    if (qEnvironmentVariableIsSet("TANDREL_FACE_BOARDS")) {
        sizes.clear();
        for (const QString &size : qEnvironmentVariable("TANDREL_FACE_BOARDS").split(','))
            sizes.append(size.toInt());
    }
    for (const QString &style : QStyleFactory::keys()) {
        for (bool dark : {false, true}) {
            for (int n : sizes)
                QTest::addRow("%s, %s, %d", qPrintable(style), dark ? "dark" : "light", n)
                    << style << dark << n;
        }
    }
}

void TestCardFaces::facesShowTheirColour()
{
    QFETCH(QString, style);
    QFETCH(bool, dark);
    QFETCH(int, boardSize);

    QStyle *appStyle = QApplication::setStyle(style);
    QVERIFY(appStyle);
    QApplication::setPalette(dark ? darkPalette() : appStyle->standardPalette());

    GameWindow game(boardSize);
    game.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&game.window));
    game.play->click();

    const auto cardRect = [&game](const QWidget *card) {
        return QRect(card->mapTo(&game.window, QPoint(0, 0)), card->size());
    };
    const QRect boardRect = cardRect(game.board);
    const QImage hiddenImage = game.window.grab(boardRect).toImage();
    const QColor hidden = faceColor(hiddenImage, boardRect, game.window, *game.cards[0]);

    std::vector<std::pair<QColor, QColor>> seen; // pair colour, colour on screen
    int worst = 0;
    while (true) {
        const auto first
            = std::find_if(game.cards.begin(), game.cards.end(),
                           [](const TandrelButton *card) { return card->isEnabled(); });
        if (first == game.cards.end())
            break;
        TandrelButton *second = game.cards[std::size_t(game.partnerOf(game.indexOf(*first)))];
        (*first)->click();
        second->click();

        const QRect grabbed = cardRect(*first).united(cardRect(second));
        const QImage image = game.window.grab(grabbed).toImage();
        const QColor pair = (*first)->activecolor();
        for (const TandrelButton *card : {*first, second}) {
            const QColor shown = faceColor(image, grabbed, game.window, *card);
            worst = std::max(worst, channelDistance(shown, pair));
            QVERIFY2(channelDistance(shown, pair) <= tolerance,
                     qPrintable(QStringLiteral("%1, %2 scheme, board %3: pair %4 shows as %5")
                                    .arg(style, dark ? "dark" : "light")
                                    .arg(boardSize)
                                    .arg(pair.name(), shown.name())));
            seen.emplace_back(pair, shown);
        }
        // A dark style's hidden face can come close to the board's dark grey pair, whose colour
        // the game does not choose freely; that is told. Next to a light face it fails.
        if (channelDistance(hidden, pair) <= hiddenDistance) {
            const QString message = QStringLiteral("%1, %2 scheme, board %3: a hidden card shows "
                                                   "as %4, close to pair %5")
                                        .arg(style, dark ? "dark" : "light")
                                        .arg(boardSize)
                                        .arg(hidden.name(), pair.name());
            QVERIFY2(hidden.lightness() < 128, qPrintable(message));
            qWarning("%s", qPrintable(message));
        }
        game.proceed->click();
    }
    QCOMPARE(game.status->text(), QStringLiteral("Finished!"));
    QCOMPARE(int(seen.size()), boardSize * boardSize);

    // The two different pairs that look most alike, for the log.
    int closest = -1;
    for (const auto &[pairA, shownA] : seen) {
        for (const auto &[pairB, shownB] : seen) {
            if (pairA != pairB && (closest < 0 || sumDistance(shownA, shownB) < closest))
                closest = sumDistance(shownA, shownB);
        }
    }
    qInfo("%s, %s, %d: hidden %s, worst channel off %d, closest two pairs %d", qPrintable(style),
          dark ? "dark" : "light", boardSize, qPrintable(hidden.name()), worst, closest);
}

QTEST_MAIN(TestCardFaces)
#include "tst_cardfaces.moc"
