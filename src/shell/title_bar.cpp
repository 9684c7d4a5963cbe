#include "title_bar.h"

#include <QMouseEvent>
#include <QPainter>

TitleBar::TitleBar(const QString& caption, QWidget* parent) : QWidget(parent), m_caption(caption)
{
    setMouseTracking(true);
}

void TitleBar::SetCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void TitleBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient bar(0, 0, 0, height());
    bar.setColorAt(0, QColor(0x3d, 0x63, 0x5d));
    bar.setColorAt(1, QColor(0x24, 0x3f, 0x3b));
    p.fillRect(rect(), bar);
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(Qt::white);
    p.drawText(rect().adjusted(8, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
}

void TitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_grab = mapTo(window(), event->position().toPoint());
}

void TitleBar::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        emit dragged(event->globalPosition().toPoint() - m_grab);
    else
        emit hovered();
}
