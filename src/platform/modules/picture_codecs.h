// The GIF and JPEG readers (giflib, libjpeg) behind one interface. The program takes them from
// a module beside the executable with its first such picture, so neither library is loaded
// at start (ProgramPictureCodecs); tests, tools and fuzzers link them (LinkedPictureCodecs).
#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

// Pictures larger than this on a side are refused: a banner is a strip of 367 × 62 pixels.
inline constexpr int kMaxPictureSide = 4096;

class PictureCodecs {
public:
    virtual ~PictureCodecs() = default;
    // The first picture of a GIF file (ReadGifPicture).
    virtual std::optional<QImage> ReadGif(const QByteArray& bytes) const = 0;
    // A JPEG picture with three colour channels (ReadJpegPicture).
    virtual std::optional<QImage> ReadJpeg(const QByteArray& bytes) const = 0;
};

// Any bytes are safe: nothing when they are no readable picture or one too large.
std::optional<QImage> ReadJpegPicture(const QByteArray& bytes);
// The first picture of a GIF file; pictures larger than 2048 pixels a side are refused.
std::optional<QImage> ReadGifPicture(const QByteArray& bytes);

// The readers of the picture codecs' library, for whoever links it; a new object of them
// (the module's factory hands that out).
const PictureCodecs& LinkedPictureCodecs();
PictureCodecs* NewLinkedPictureCodecs();
