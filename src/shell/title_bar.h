// The main window's own title bar: its caption drawn on the bar, and dragging the
// borderless window by it.
#pragma once

#include <QWidget>

class TitleBar : public QWidget {
    Q_OBJECT
public:
    TitleBar(const QString& caption, QWidget* parent);

    void SetCaption(const QString& caption);

signals:
    void dragged(QPoint windowPosition);
    void hovered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QString m_caption;
    QPoint m_grab; // where the bar was grabbed, in window coordinates
};
