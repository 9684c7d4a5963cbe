// Where the pipe page's windows stand beside the main window. They dock at its right edge
// as the calculation tape docks at its left: one below the other from the main window's top,
// none over another, all on the screen.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// The top-left corners of windows of `sizes`, in that order, beside the frame `main` on the
// screen area `screen`. They stack in a column at main's right edge; one that would pass the
// screen's bottom starts the next column. A column without room right of the main window goes
// left of it; one without room on either side, or a window larger than the rest of the
// screen, is pushed onto the screen (over the main window, if it must).
QList<QPoint> DockBeside(const QRect& main, const QList<QSize>& sizes, const QRect& screen);
