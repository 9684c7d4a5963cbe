#include "backdrop_window.h"

#include "calculator/control_texts.h"
#include <QLabel>
#include <QPalette>

BackdropWindow::BackdropWindow(const QString& picture, const QRect& screen)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Tfrm_background"));
    setProperty(ReportedClassNameProperty, QStringLiteral("Tfrm_background"));
    setWindowTitle(QStringLiteral("Quorvanta"));
    QPalette plain = palette();
    plain.setColor(QPalette::Window, QColor(0x24, 0x3f, 0x3b));
    setPalette(plain);
    setAutoFillBackground(true);
    setGeometry(screen);
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("img_background"));
    image->setScaledContents(true);
    image->setGeometry(rect());
    const QPixmap shown(picture, "BMP");
    if (!shown.isNull())
        image->setPixmap(shown);
}
