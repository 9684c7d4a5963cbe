// An image used as a button: a key face drawn by code, framed raised while the mouse is
// over it, pressed while it is held, flat otherwise. Every page's image buttons use it.
#pragma once

#include <QAbstractButton>

class ImageButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ImageButton(const QString& face, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {40, 28}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool m_hovered = false;
};
