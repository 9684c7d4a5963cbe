// The floor for bench/startup: a bare Qt window of the main window's size, shown and
// probed exactly like the program.
#include "shell/platform/startup_probe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Quorvanta"));
    window.setFixedSize(372, 582);
    WatchFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
