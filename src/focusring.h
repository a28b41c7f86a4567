// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#ifndef FOCUSRING_H
#define FOCUSRING_H

#include <QFocusFrame>

// Shows a player at the keyboard where the focus is, at a glance, whatever the style: once a key
// has been pressed in the window, a ring two pixels wide goes around the widget with the focus,
// in the gap the layouts leave between widgets, and moves with the focus. The desktop's
// highlight colour draws it where that stands out from the window and the widget's face, a
// lighter or darker shade of it elsewhere. Until the first key it draws nothing, so a player who
// only uses the mouse sees the window as the style draws it. Screen readers do not see it: Qt
// leaves focus frames out of what it tells them.
class FocusRing : public QFocusFrame
{
    Q_OBJECT

public:
    explicit FocusRing(QWidget *window);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void follow(QWidget *focus);

    bool keys = false; // a key has been pressed in the window
};

#endif
