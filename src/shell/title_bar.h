// The main window's own title bar: dragging the borderless window by it, and its caption
// img_HintVersion, which drags as well and tells the program's version as its hint.
#pragma once

#include <QWidget>

// A place the window is dragged by: a left press remembers where, a move with the button held
// asks for the window's new position, a move without it is a hover.
class DragArea : public QWidget {
    Q_OBJECT
public:
    explicit DragArea(QWidget* parent);

signals:
    void dragged(QPoint windowPosition);
    void hovered();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPoint m_grab; // where the window was grabbed, in window coordinates
};

class TitleBar : public DragArea {
    Q_OBJECT
public:
    TitleBar(const QString& caption, QWidget* parent);

    // img_HintVersion: the caption, placed `left` pixels from the bar's start.
    DragArea* HintVersion() const { return m_hintVersion; }
    void SetCaptionLeft(int left);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DragArea* m_hintVersion = nullptr;
};
