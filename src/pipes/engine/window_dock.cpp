#include "pipes/engine/window_dock.h"

#include <algorithm>

QList<QPoint> DockBeside(const QRect& main, const QList<QSize>& sizes, const QRect& screen)
{
    // Columns first: the windows of each, top to bottom from the main window's top.
    struct Column {
        QList<int> windows;
        int width = 0;
    };
    QList<Column> columns;
    QList<int> top(sizes.size(), main.top());
    int y = main.top();
    for (int i = 0; i < sizes.size(); ++i) {
        if (columns.isEmpty() || y + sizes[i].height() > screen.bottom() + 1) {
            if (columns.isEmpty() || !columns.last().windows.isEmpty())
                columns.append(Column{});
            y = main.top();
        }
        top[i] = y;
        y += sizes[i].height();
        columns.last().windows.append(i);
        columns.last().width = std::max(columns.last().width, sizes[i].width());
    }

    QList<QPoint> places(sizes.size());
    int right = main.left() + main.width(); // the next column on the right starts here
    int left = main.left();                 // the next one on the left ends here
    const int screenRight = screen.left() + screen.width();
    for (const Column& column : columns) {
        int x = right;
        if (right + column.width <= screenRight) {
            right += column.width;
        } else if (left - column.width >= screen.left()) {
            left -= column.width;
            x = left;
        } else {
            right += column.width;
        }
        for (const int i : column.windows) {
            // On the screen, the left and top edges first where a window is larger than it.
            const int px = std::max(std::min(x, screenRight - sizes[i].width()), screen.left());
            const int py = std::max(
                std::min(top[i], screen.top() + screen.height() - sizes[i].height()), screen.top());
            places[i] = QPoint(px, py);
        }
    }
    return places;
}
