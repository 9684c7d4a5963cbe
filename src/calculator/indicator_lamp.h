// The angle-mode lamps: a lit green lamp for the chosen mode, an unlit one for the others.
// The build writes them as the delivered bitmaps; the page draws them itself at start-up
// and reads the files when the user switches modes. The lamp is 14 × 14 pixels, drawn with
// `ratio` device pixels to the pixel (2 for the sharp screens' files).
#pragma once

#include <QImage>

QImage DrawIndicatorLamp(bool on, qreal ratio = 1);
