// The floor for bench/startup: a bare Qt window of the main window's size, shown and
// probed exactly like the program. With --label it also shows one line of text, which
// separates the price of the first text (the font configuration) from the program's own.
#include "platform/startup_probe.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Quorvanta"));
    window.setFixedSize(372, 582);
    if (QApplication::arguments().contains(QStringLiteral("--label")))
        new QLabel(QStringLiteral("Quorvanta"), &window);
    WatchFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
