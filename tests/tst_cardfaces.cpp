// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "darkpalette.h"
#include "gamewindow.h"

#include <QColorSpace>
#include <QColorTransform>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

// How far a face may stray from its card's colour in any channel, as the styles that paint a
// button from its palette draw it.
constexpr int tolerance = 8;
// A revealed card must differ from a hidden one by at least this much (the sum of the three
// channels) in at least a quarter of its pixels, or a player may take it for hidden.
constexpr int visibleDifference = 48;
constexpr double visibleShare = 0.25;

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

int sumDistance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b))
        + std::abs(qBlue(a) - qBlue(b));
}

int sumDistance(const QColor &a, const QColor &b)
{
    return sumDistance(a.rgb(), b.rgb());
}

// The share of a card's pixels that a player sees change between two pictures of the board.
double changedShare(const QImage &before, const QImage &after, const QWidget &card)
{
    const qreal ratio = after.devicePixelRatio();
    const QRect area(card.geometry().topLeft() * ratio, card.size() * ratio);
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            changed += sumDistance(before.pixel(x, y), after.pixel(x, y)) >= visibleDifference;
    }
    return double(changed) / (area.width() * area.height());
}

// WCAG's contrast ratio of two sRGB colours, by their relative luminance.
double contrast(QRgb a, QRgb b)
{
    static const QColorTransform linear
        = QColorSpace(QColorSpace::SRgb).transformationToColorSpace(QColorSpace::SRgbLinear);
    const auto luminance = [](QRgb c) {
        const QColor l = linear.map(QColor(c));
        return 0.2126 * l.redF() + 0.7152 * l.greenF() + 0.0722 * l.blueF() + 0.05;
    };
    return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

// How plainly a widget shows the focus it takes, as WCAG's focus appearance measures it: the
// pixels around it, short of the gap to a neighbour, that change by 3:1 or more and stand out as
// much from its face, per pixel of its perimeter (2 for a ring two pixels wide all round); -1 if
// anything further away changes. The style's animations of the widget itself are left out.
double focusShown(GameWindow &game, QWidget *widget)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest); // a new line's height
    game.window.setFocus(Qt::OtherFocusReason);
    const QImage before = game.window.grab().toImage();
    widget->setFocus(Qt::OtherFocusReason);
    const QImage after = game.window.grab().toImage();
    const QRect own(widget->mapTo(&game.window, QPoint(0, 0)), widget->size());
    const QRgb face = faceColor(before, game.window.rect(), game.window, *widget).rgb();
    const qreal ratio = after.devicePixelRatio();
    int shown = 0;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            const QPoint at(int(x / ratio), int(y / ratio));
            const QRgb was = before.pixel(x, y), is = after.pixel(x, y);
            if (was != is && !own.adjusted(-3, -3, 3, 3).contains(at))
                return -1;
            shown += was != is && !own.contains(at)
                && std::min(contrast(was, is), contrast(is, face)) >= 3;
        }
    }
    return shown / ratio / ratio / (2.0 * (own.width() + own.height()));
}

} // namespace

// Plays whole games under every style installed here, with a light and a dark colour scheme, and
// measures every revealed card in the window's own picture: a player must see each pair's colour
// whatever style the desktop imposes, and a player at the keyboard where the focus is.
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
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<int>("boardSize");

    // Under valgrind and the sanitizers fewer boards are played; TANDREL_FACE_BOARDS names them.
    QList<int> sizes = {2, 6, 12};
    if (qEnvironmentVariableIsSet("TANDREL_FACE_BOARDS")) {
        sizes.clear();
        for (const QString &size : qEnvironmentVariable("TANDREL_FACE_BOARDS").split(','))
            sizes.append(size.toInt());
    }
    // The style's own colours, a dark desktop's, and a dark desktop whose buttons are nearly the
    // board's dark grey pair.
    for (const QString &style : QStyleFactory::keys()) {
        for (const char *scheme : {"light", "dark", "grey"}) {
            for (int n : sizes)
                QTest::addRow("%s, %s, %d", qPrintable(style), scheme, n) << style << scheme << n;
        }
    }
}

void TestCardFaces::facesShowTheirColour()
{
    QFETCH(QString, style);
    QFETCH(QString, scheme);
    QFETCH(int, boardSize);

    QStyle *appStyle = QApplication::setStyle(style);
    QVERIFY(appStyle);
    QApplication::setPalette(scheme == "light"      ? appStyle->standardPalette()
                                 : scheme == "dark" ? darkPalette()
                                                    : darkPalette(QColor(0x35, 0x35, 0x35)));

    GameWindow game(boardSize);
    QVERIFY(game.activate());
    const QRect boardRect(game.board->mapTo(&game.window, QPoint(0, 0)), game.board->size());
    const auto grabBoard = [&] { return game.window.grab(boardRect).toImage(); };
    const auto where = [&](const QColor &pair) {
        return QStringLiteral("%1, %2 scheme, board %3, pair %4: ")
            .arg(style, scheme)
            .arg(boardSize)
            .arg(pair.name());
    };

    // Every card hidden, first as the second card of a turn stands among them (all disabled),
    // then as the first card does (all enabled).
    const QImage hiddenDisabled = grabBoard();
    game.play->click();
    const QImage hiddenEnabled = grabBoard();
    // The focus around a card, Play! and Quit, and around Proceed in the first turn below: no
    // more than the style shows until a key is pressed, plainly from then on.
    QCOMPARE(focusShown(game, game.cards[0]), 0.0);
    QTest::keyClick(game.cards[0], Qt::Key_Shift);
    for (QWidget *widget : std::initializer_list<QWidget *> {game.cards[0], game.play, game.quit})
        QCOMPARE_GE(focusShown(game, widget), 2);

    std::vector<std::pair<QColor, QColor>> seen; // pair colour, colour on screen
    int worst = 0;
    double leastChanged = 1;
    while (true) {
        const auto [firstIndex, secondIndex] = game.firstTwo();
        if (firstIndex < 0)
            break;
        TandrelButton *first = game.cards[std::size_t(firstIndex)];
        TandrelButton *second = game.cards[std::size_t(secondIndex)];
        const QColor pair = first->activecolor();
        first->click();
        const double firstChanged = changedShare(hiddenEnabled, grabBoard(), *first);
        second->click();
        if (seen.empty())
            QCOMPARE_GE(focusShown(game, game.proceed), 2);
        const QImage image = grabBoard();
        const double secondChanged = changedShare(hiddenDisabled, image, *second);
        for (double changed : {firstChanged, secondChanged}) {
            leastChanged = std::min(leastChanged, changed);
            QVERIFY2(changed >= visibleShare,
                     qPrintable(where(pair)
                                + QStringLiteral("a revealed card differs from a hidden one in "
                                                 "%1 % of its pixels")
                                      .arg(changed * 100, 0, 'f', 1)));
        }
        for (const TandrelButton *card : {first, second}) {
            const QColor shown = faceColor(image, boardRect, game.window, *card);
            worst = std::max(worst, channelDistance(shown, pair));
            QVERIFY2(channelDistance(shown, pair) <= tolerance,
                     qPrintable(where(pair) + QStringLiteral("shows as ") + shown.name()));
            seen.emplace_back(pair, shown);
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
    qInfo("%s, %s, %d: worst channel off %d, least changed %.0f %%, closest two pairs %d",
          qPrintable(style), qPrintable(scheme), boardSize, worst, leastChanged * 100, closest);
}

QTEST_MAIN(TestCardFaces)
#include "tst_cardfaces.moc"
