// The program's pictures: its bitmaps, read by Qt's own reader; its GIF and JPEG pictures
// through the module quorvanta_pictures, loaded with the first call (null when the module is
// missing: such pictures are then treated as unreadable).
#pragma once

#include <QImage>
#include <QString>

class PictureCodecs;

// The module's factory (for MakeModuleObject).
inline constexpr const char* kPictureModule = "quorvanta_pictures";
inline constexpr const char* kMakePictureCodecs = "QuorvantaMakePictureCodecs";

const PictureCodecs* ProgramPictureCodecs();

// A picture of the program folder ("images\\on1.cc1"), read as a bitmap and as nothing else;
// a null image when the file is missing or no bitmap. Only the built-in bitmap reader is asked:
// naming the format alone would still have every image plug-in loaded to be asked first.
// Where PictureRatio() is above 1 and the file has a twice as large "images\\on1@2x.cc1"
// beside it, that one is read and brought to the ratio: the picture then has the size of the
// plain file in pixels and PictureRatio() device pixels to each.
QImage ReadBitmapPicture(const QString& programFile);

// "images\\on1.cc1" → "images\\on1@2x.cc1": the name of the twice as large picture beside a
// picture file (the name itself when it has no extension).
QString SharpPictureName(const QString& file);
// A picture drawn at twice the size, brought to PictureRatio(): the size of the plain picture in
// pixels and PictureRatio() device pixels to each.
QImage AtPictureRatio(QImage sharp);
