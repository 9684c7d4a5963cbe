#include "image_button.h"

#include <QPainter>

namespace {
// The flat frame: the colour of the page background the images sit on.
const QColor kFlatFrame(0x97, 0xA4, 0xA1);
} // namespace

ImageButton::ImageButton(const QString& face, QWidget* parent) : QAbstractButton(parent)
{
    setText(face);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ImageButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void ImageButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0, QColor(0xF4, 0xF6, 0xF5));
    face.setColorAt(1, QColor(0xD2, 0xD9, 0xD7));
    p.fillRect(r, face);
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, text());

    // Two-pixel frame: raised under the mouse, pressed while held, flat otherwise.
    QColor topLeft = kFlatFrame;
    QColor bottomRight = kFlatFrame;
    if (isDown()) {
        topLeft = Qt::black;
        bottomRight = Qt::white;
    } else if (m_hovered) {
        topLeft = Qt::white;
        bottomRight = Qt::black;
    }
    const int w = r.width();
    const int h = r.height();
    p.fillRect(0, 0, w, 2, topLeft);
    p.fillRect(0, 0, 2, h, topLeft);
    p.fillRect(0, h - 2, w, 2, bottomRight);
    p.fillRect(w - 2, 0, 2, h, bottomRight);
}
