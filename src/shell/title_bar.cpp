#include "shell/title_bar.h"

#include "widgets/image_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
class CaptionArea : public DragArea {
public:
    CaptionArea(const QString& caption, QWidget* parent) : DragArea(parent), m_caption(caption)
    {
        QFont bold = font();
        bold.setBold(true);
        setFont(bold);
    }

    QSize sizeHint() const override { return {fontMetrics().horizontalAdvance(m_caption) + 8, 22}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(Qt::white);
        p.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
    }

private:
    QString m_caption;
};
} // namespace

DragArea::DragArea(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void DragArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_grab = mapTo(window(), event->position().toPoint());
}

void DragArea::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        emit dragged(event->globalPosition().toPoint() - m_grab);
    else
        emit hovered();
}

TitleBar::TitleBar(const QString& caption, QWidget* parent) : DragArea(parent)
{
    m_hintVersion = new CaptionArea(caption, this);
    m_hintVersion->setObjectName(QStringLiteral("img_HintVersion"));
    connect(m_hintVersion, &DragArea::dragged, this, &DragArea::dragged);
    connect(m_hintVersion, &DragArea::hovered, this, &DragArea::hovered);
    SetCaptionLeft(8);
}

void TitleBar::SetCaptionLeft(int left)
{
    m_hintVersion->setGeometry(left, 0, m_hintVersion->sizeHint().width(), 22);
}

void TitleBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    FillShaded(p, rect(), QColor(0x3d, 0x63, 0x5d), QColor(0x24, 0x3f, 0x3b), height());
}
