// Writes a picture as a GIF file with giflib: the colours of an 8-bit indexed image, one
// image, no animation. The drawings of the formula page are made with it, and the tests
// make their own small pictures with it.
#pragma once

#include <QByteArray>
#include <QImage>

// `picture` is converted to the nearest colours of `palette` (at most 256); empty on failure.
QByteArray WriteGif(const QImage& picture, const QList<QRgb>& palette);
