// The JPEG reader of the banners, on libjpeg. It lives in the picture codecs' library: the
// program takes it from a module with the first picture.
#include "platform/modules/picture_codecs.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

// The two steps below hold no object with a destructor: a decoding error jumps out of them.
bool readJpegHeader(jpeg_decompress_struct& info, JpegError& error, const QByteArray& bytes)
{
    if (setjmp(error.back))
        return false;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    return true;
}

bool readJpegRows(jpeg_decompress_struct& info, JpegError& error, uchar* pixels, qsizetype stride)
{
    if (setjmp(error.back))
        return false;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels + stride * qsizetype(info.output_scanline);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

std::optional<QImage> ReadJpegPicture(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return std::nullopt;
    jpeg_decompress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = [](j_common_ptr c) {
        std::longjmp(reinterpret_cast<JpegError*>(c->err)->back, 1);
    };
    error.manager.output_message = [](j_common_ptr) {};
    jpeg_create_decompress(&info);
    std::optional<QImage> result;
    if (readJpegHeader(info, error, bytes) && info.output_width <= kMaxPictureSide &&
        info.output_height <= kMaxPictureSide && info.output_components == 3) {
        QImage image(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
        if (!image.isNull() && readJpegRows(info, error, image.bits(), image.bytesPerLine()))
            result = image;
    }
    jpeg_destroy_decompress(&info);
    return result;
}
