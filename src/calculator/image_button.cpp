#include "image_button.h"

#include <QKeyEvent>

#include "shell/platform/program_folder.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
// The flat frame has the colour of the page the images sit on.
const QColor kFlatFrame(0x97, 0xA4, 0xA1);
constexpr int kAnimationMs = 100;
} // namespace

void FillShaded(QPainter& p, const QRect& r, const QColor& top, const QColor& bottom, int span)
{
    const auto mix = [](int a, int b, double t) { return int(a + (b - a) * t + 0.5); };
    for (int row = 0; row < r.height(); ++row) {
        const double t = std::min(1.0, (row + 0.5) / std::max(1, span));
        p.fillRect(r.left(), r.top() + row, r.width(), 1,
                   QColor(mix(top.red(), bottom.red(), t), mix(top.green(), bottom.green(), t),
                          mix(top.blue(), bottom.blue(), t)));
    }
}

qreal PictureRatio()
{
    return qGuiApp ? std::max(1.0, qGuiApp->devicePixelRatio()) : 1.0;
}

namespace {
QImage readBitmap(const QString& programFile)
{
    QImageReader reader(ProgramFolder::FilePath(programFile), "BMP");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
} // namespace

QImage ReadBitmapPicture(const QString& programFile)
{
    const qreal ratio = PictureRatio();
    const qsizetype dot = programFile.lastIndexOf(u'.');
    if (ratio <= 1 || dot < 0)
        return readBitmap(programFile);
    QImage sharp = readBitmap(programFile.left(dot) + QStringLiteral("@2x") + programFile.mid(dot));
    if (sharp.isNull())
        return readBitmap(programFile);
    if (ratio != 2) {
        // Brought to the screen's own size here, smoothly: a label draws a picture of another
        // ratio by dropping or doubling device pixels.
        const QSize pixels = sharp.size() / 2;
        sharp = sharp.scaled((QSizeF(pixels) * ratio).toSize(), Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
    }
    sharp.setDevicePixelRatio(ratio);
    return sharp;
}

QImage PictureCanvas(QSize size)
{
    const qreal ratio = PictureRatio();
    QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

ImageButtonEffect::ImageButtonEffect(QObject* parent) : QObject(parent)
{
    m_timer.setObjectName(QStringLiteral("timer_ButtonAnim"));
    m_timer.setInterval(kAnimationMs);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ImageButtonEffect::DrawFlat);
}

void ImageButtonEffect::drawFlat()
{
    if (m_current && !m_flat)
        m_current->DrawFrame(ImageButton::Frame::Flat);
    m_flat = true;
    m_raised = false;
}

void ImageButtonEffect::MouseMove(ImageButton* image)
{
    if (image != m_current) {
        // A typed key's press ends when the mouse takes over another image.
        m_timer.stop();
        drawFlat();
        m_current = image;
        m_raised = false;
    }
    if (!m_raised)
        image->DrawFrame(ImageButton::Frame::Raised);
    m_raised = true;
    m_flat = false;
}

void ImageButtonEffect::MouseDown(ImageButton* image)
{
    image->DrawFrame(ImageButton::Frame::Pressed);
}

void ImageButtonEffect::MouseUp(ImageButton* image)
{
    if (image != m_current) {
        drawFlat();
        m_current = image;
    }
    m_flat = false;
    drawFlat();
}

void ImageButtonEffect::MouseLeave(ImageButton* image)
{
    // A typed key's press stays until its timer ends.
    if (image == m_current && !m_timer.isActive())
        drawFlat();
}

void ImageButtonEffect::DrawFlat()
{
    m_timer.stop();
    drawFlat();
}

void ImageButtonEffect::AnimateKey(ImageButton* image)
{
    if (image != m_current)
        drawFlat();
    m_current = image;
    image->DrawFrame(ImageButton::Frame::Pressed);
    m_flat = false;
    m_raised = false;
    m_timer.start();
}

ImageButton::ImageButton(const KeyFace& face, QWidget* parent)
    : QAbstractButton(parent), m_face(face)
{
    setText(face.leadingSuperscript + face.text + face.superscript);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

void ImageButton::SetFace(const KeyFace& face)
{
    m_face = face;
    setText(face.leadingSuperscript + face.text + face.superscript);
    update();
}

void ImageButton::SetColours(QColor face, QColor text)
{
    m_faceColour = face;
    m_textColour = text;
    update();
}

void ImageButton::SetPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

KeyFace ImageButton::ShownFace() const
{
    const QString caption = text();
    const QString& before = m_face.leadingSuperscript;
    const QString& after = m_face.superscript;
    if (caption.size() >= before.size() + after.size() && caption.startsWith(before) &&
        caption.endsWith(after))
        return {caption.mid(before.size(), caption.size() - before.size() - after.size()), after,
                before};
    return {caption, {}, {}};
}

QString ImageButton::FrameName() const
{
    switch (m_frame) {
    case Frame::Raised:
        return QStringLiteral("raised");
    case Frame::Pressed:
        return QStringLiteral("pressed");
    case Frame::Flat:
        break;
    }
    return QStringLiteral("flat");
}

void ImageButton::DrawFrame(Frame frame)
{
    if (m_frame == frame)
        return;
    m_frame = frame;
    update();
}

void ImageButton::hovered()
{
    // While the button is held it keeps looking pressed.
    if (isDown())
        return;
    if (m_effect)
        m_effect->MouseMove(this);
    else
        DrawFrame(Frame::Raised);
}

void ImageButton::mouseMoveEvent(QMouseEvent* event)
{
    hovered();
    QAbstractButton::mouseMoveEvent(event);
    // The move is this image's: the page behind must not see it and draw every image flat.
    event->accept();
}

void ImageButton::enterEvent(QEnterEvent* event)
{
    hovered();
    QAbstractButton::enterEvent(event);
}

void ImageButton::leaveEvent(QEvent* event)
{
    if (m_effect)
        m_effect->MouseLeave(this);
    else
        DrawFrame(Frame::Flat);
    QAbstractButton::leaveEvent(event);
}

void ImageButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (m_effect)
            m_effect->MouseDown(this);
        else
            DrawFrame(Frame::Pressed);
    }
    QAbstractButton::mousePressEvent(event);
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_effect)
        m_effect->MouseUp(this);
    else
        DrawFrame(Frame::Flat);
    QAbstractButton::mouseReleaseEvent(event);
}

void ImageButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    if (!m_picture.isNull()) {
        p.fillRect(r, palette().window());
        // A picture made for a sharp screen is brought to the button's size smoothly; the
        // plain bitmaps of a plain screen keep their pixels as they always were drawn.
        p.setRenderHint(QPainter::SmoothPixmapTransform, m_picture.devicePixelRatio() > 1);
        const QSize size = m_picture.deviceIndependentSize().toSize().scaled(r.size() - QSize(4, 4),
                                                                             Qt::KeepAspectRatio);
        p.drawImage(
            QRect(QPoint((r.width() - size.width()) / 2, (r.height() - size.height()) / 2), size),
            m_picture);
    } else {
        FillShaded(p, r, m_faceColour.lighter(112), m_faceColour.darker(106), r.height() - 1);

        const KeyFace face = ShownFace();
        QFont main = font();
        main.setPixelSize(std::max(11, r.height() * 9 / 20));
        main.setBold(true);
        QFont small = main;
        small.setPixelSize(main.pixelSize() * 2 / 3);
        const QFontMetrics mm(main);
        const QFontMetrics sm(small);
        const int width = sm.horizontalAdvance(face.leadingSuperscript) +
                          mm.horizontalAdvance(face.text) + sm.horizontalAdvance(face.superscript);
        int x = (r.width() - width) / 2;
        const int baseline = (r.height() + mm.ascent() - mm.descent()) / 2;
        const int raised = baseline - mm.ascent() / 2;
        p.setPen(isEnabled() ? m_textColour : QColor(Qt::gray));
        p.setFont(small);
        p.drawText(x, raised, face.leadingSuperscript);
        x += sm.horizontalAdvance(face.leadingSuperscript);
        p.setFont(main);
        p.drawText(x, baseline, face.text);
        x += mm.horizontalAdvance(face.text);
        p.setFont(small);
        p.drawText(x, raised, face.superscript);
    }

    // Two-pixel frame: raised under the mouse, pressed while held, flat otherwise.
    QColor topLeft = kFlatFrame;
    QColor bottomRight = kFlatFrame;
    if (m_frame == Frame::Pressed) {
        topLeft = Qt::black;
        bottomRight = Qt::white;
    } else if (m_frame == Frame::Raised) {
        topLeft = Qt::white;
        bottomRight = Qt::black;
    }
    const int w = r.width();
    const int h = r.height();
    p.fillRect(0, 0, w, 2, topLeft);
    p.fillRect(0, 0, 2, h, topLeft);
    p.fillRect(0, h - 2, w, 2, bottomRight);
    p.fillRect(w - 2, 0, 2, h, bottomRight);
    if (hasFocus()) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(2, 2, -3, -3));
    }
}

void ImageButton::keyPressEvent(QKeyEvent* event)
{
    // Space clicks as in every button; Enter too, as the keyboard user of a tool bar expects.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void ImageButton::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    update();
}

void ImageButton::focusOutEvent(QFocusEvent* event)
{
    QAbstractButton::focusOutEvent(event);
    update();
}
