// Images used as buttons, drawn by code, and the effect they share: the image under the
// mouse is framed raised, a pressed one sunken, every other one flat. One ImageButtonEffect
// serves all image buttons of a window; a typed key plays the press on its image for the
// 100 ms of timer_ButtonAnim.
#pragma once

#include "key_face.h"

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QPointer>
#include <QTimer>

class ImageButton;
class QPainter;

// The device pixels to a pixel of the sharpest screen: the pictures are made for it, and drawn
// smoothly smaller where a screen has fewer.
qreal PictureRatio();

// A picture of the program folder ("images\\on1.cc1"), read as a bitmap and as nothing else;
// a null image when the file is missing or no bitmap. Only the built-in bitmap reader is asked:
// naming the format alone would still have every image plug-in loaded to be asked first.
// Where PictureRatio() is above 1 and the file has a twice as large "images\\on1@2x.cc1"
// beside it, that one is read and brought to the ratio: the picture then has the size of the
// plain file in pixels and PictureRatio() device pixels to each.
QImage ReadBitmapPicture(const QString& programFile);

// An empty, transparent picture of `size` pixels at PictureRatio(), for pictures drawn by code:
// a painter on it works in pixels of `size`.
QImage PictureCanvas(QSize size);

// Fills `r` shading from `top` to `bottom` over `span` rows, one colour per row as a vertical
// linear gradient samples it. Drawn by hand: each gradient of another colour pair would keep
// a colour table of 12 kB in the paint engine for as long as the program runs.
void FillShaded(QPainter& p, const QRect& r, const QColor& top, const QColor& bottom, int span);

class ImageButtonEffect : public QObject {
    Q_OBJECT
public:
    explicit ImageButtonEffect(QObject* parent = nullptr);

    void MouseMove(ImageButton* image);
    void MouseDown(ImageButton* image);
    void MouseUp(ImageButton* image);
    // The mouse left the image for a place that is not an image (a field, another page).
    void MouseLeave(ImageButton* image);
    // The mouse is over the page background or the title bar.
    void DrawFlat();
    // A typed key: its image looks pressed until timer_ButtonAnim ticks.
    void AnimateKey(ImageButton* image);

    ImageButton* Current() const { return m_current; }

private:
    void drawFlat();

    QPointer<ImageButton> m_current;
    bool m_raised = false;
    bool m_flat = false;
    QTimer m_timer; // timer_ButtonAnim
};

class ImageButton : public QAbstractButton {
    Q_OBJECT
    // "flat", "raised" or "pressed": how the frame is drawn now (read by the driver).
    Q_PROPERTY(QString frame READ FrameName)
    // The main text drawn on the face (read by the driver).
    Q_PROPERTY(QString face READ FaceText)
public:
    enum class Frame { Flat, Raised, Pressed };

    ImageButton(const KeyFace& face, QWidget* parent = nullptr);
    ImageButton(const QString& text, QWidget* parent = nullptr)
        : ImageButton(KeyFace{text, {}, {}}, parent)
    {}

    void SetEffect(ImageButtonEffect* effect) { m_effect = effect; }
    void SetFace(const KeyFace& face);
    void SetColours(QColor face, QColor text);
    // A picture drawn instead of the face (the angle indicators).
    void SetPicture(const QImage& picture);

    // Tab reaches the button, Space and Enter click it, and it shows a focus frame. The
    // keypad's keys stay out of the tab order: the keyboard types into the display there.
    void SetKeyboardReachable() { setFocusPolicy(Qt::TabFocus); }

    // The face as drawn: a caption set since (a translation) replaces the main text and
    // keeps the small raised texts only when it still carries them.
    KeyFace ShownFace() const;
    QString FaceText() const { return ShownFace().text; }

    Frame CurrentFrame() const { return m_frame; }
    QString FrameName() const;
    void DrawFrame(Frame frame);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void hovered();

    KeyFace m_face;
    QColor m_faceColour{0xEE, 0xF1, 0xF0};
    QColor m_textColour{Qt::black};
    QImage m_picture;
    Frame m_frame = Frame::Flat;
    ImageButtonEffect* m_effect = nullptr;
};
