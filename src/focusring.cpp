// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "focusring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// The relative luminance of an sRGB colour, by which low-vision guidelines (WCAG) weigh contrast.
double luminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
        + 0.0722 * linear(colour.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const auto [darker, lighter] = std::minmax({luminance(a), luminance(b)});
    return (lighter + 0.05) / (darker + 0.05);
}

// The colour a style paints a widget's face in, which need not be the palette's: the middle of its
// picture, by the median of its lightness, as a label's letters are few of its pixels.
QColor faceOf(QWidget *widget)
{
    const QImage picture = widget
                               ->grab(QRect(widget->width() / 4, widget->height() / 4,
                                            widget->width() / 2, widget->height() / 2))
                               .toImage();
    std::vector<std::pair<int, QRgb>> pixels;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            pixels.emplace_back(qGray(picture.pixel(x, y)), picture.pixel(x, y));
    }
    if (pixels.empty())
        return widget->palette().color(QPalette::Button);
    const auto middle = pixels.begin() + std::ptrdiff_t(pixels.size() / 2);
    std::nth_element(pixels.begin(), middle, pixels.end());
    return QColor::fromRgb(middle->second);
}

// Low-vision guidelines ask a focus ring to stand out by 3:1; a little more allows for the shading
// of a face, lighter or darker than its middle.
constexpr double enoughContrast = 3.3;

// The desktop's highlight, as desktops draw their own focus, where it stands out enough from both
// sides of the ring, the window and the widget's face; else the shade of it nearest in lightness
// that does, or that stands out most.
QColor ringColour(const QColor &highlight, const QColor &behind, const QColor &face)
{
    const auto least = [&](const QColor &colour) {
        return std::min(contrast(colour, behind), contrast(colour, face));
    };
    const int lightness = highlight.lightness();
    QColor best = highlight;
    for (int step = 0; step <= 255 && least(best) < enoughContrast; ++step) {
        for (int shade : {lightness - step, lightness + step}) {
            const QColor colour = QColor::fromHsl(highlight.hslHue(), highlight.hslSaturation(),
                                                  std::clamp(shade, 0, 255));
            if (least(colour) > least(best))
                best = colour;
        }
    }
    return best;
}

} // namespace

// The frame takes its place around the widget from the style's focus frame margins, which are
// two pixels in every style a desktop gives the game (Qt's common style's), and half the gap
// between two cards.
FocusRing::FocusRing(QWidget *window) : QFocusFrame(window)
{
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { follow(now); });
}

// Qt 6.11 takes the window's keyboard mark away whenever the focus moves but by Tab, also when
// the game moves it on after a key; Qt 6.4 and 6.8 keep it. Once a key has been pressed the window
// keeps it here too, for the style's own focus and the ring.
void FocusRing::follow(QWidget *focus)
{
    QWidget *top = window();
    const bool ours = focus && focus->window() == top;
    keys = keys || top->testAttribute(Qt::WA_KeyboardFocusChange);
    if (ours && keys)
        top->setAttribute(Qt::WA_KeyboardFocusChange);
    setWidget(ours ? focus : nullptr);
}

bool FocusRing::eventFilter(QObject *watched, QEvent *event)
{
    // The first key marks the window as played from the keyboard, for the style's own focus too.
    QWidget *top = window();
    if (event->type() == QEvent::KeyPress && watched == widget() && !keys) {
        keys = true;
        top->setAttribute(Qt::WA_KeyboardFocusChange);
        widget()->update();
        update();
    }
    const bool handled = QFocusFrame::eventFilter(watched, event);
    // A focus frame hides when the style changes, as the desktop may change it during a game; the
    // ring comes back at once, around the same widget, in the new style's place.
    if (event->type() == QEvent::StyleChange && watched == widget()) {
        QWidget *focus = widget();
        setWidget(nullptr);
        setWidget(focus);
    }
    return handled;
}

// The frame is the ring alone: what it goes around paints on its own and never makes it repaint,
// also where the style puts the frame above the widget.
bool FocusRing::event(QEvent *event)
{
    const bool handled = QFocusFrame::event(event);
    if (widget() && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        const QPoint inside
            = widget()->mapTo(window(), QPoint(0, 0)) - mapTo(window(), QPoint(0, 0));
        setMask(QRegion(rect()).subtracted(QRect(inside, widget()->size())));
    }
    return handled;
}

void FocusRing::paintEvent(QPaintEvent *)
{
    QWidget *focus = widget();
    if (!focus || !keys)
        return;
    const QPalette &palette = focus->palette();
    QPainter(this).fillRect(rect(),
                            ringColour(palette.color(QPalette::Highlight),
                                       palette.color(QPalette::Window), faceOf(focus)));
}
