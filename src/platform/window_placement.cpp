#include "platform/window_placement.h"

#include <QWidget>
#include <QWindow>

void SetTopmost(QWidget* window, bool topmost)
{
    if (!window)
        return;
    const Qt::WindowFlags flags = window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, topmost);
    if (flags == window->windowFlags())
        return;
    // QWidget::setWindowFlags would hide the window and make it anew; the native window takes
    // the new flag as it is.
    window->overrideWindowFlags(flags);
    if (QWindow* handle = window->windowHandle())
        handle->setFlags(flags);
}
