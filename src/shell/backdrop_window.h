// BackdropWindow: the borderless backdrop img_fullscreen puts behind the program, covering the
// whole screen with one stretched picture (img_background).
#pragma once

#include <QWidget>

class BackdropWindow : public QWidget {
    Q_OBJECT
public:
    // `picture` is the delivered backdrop; a missing one leaves a plain backdrop.
    BackdropWindow(const QString& picture, const QRect& screen);
};
