#include "extras/qt/jpeg_loader.h"

#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <csetjmp>
#include <cstring>

#include <jpeglib.h>

namespace quintrel {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;  // first member: libjpeg hands us a pointer to it
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void onError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (level -1) mean corrupt or missing data; trace messages (level >= 0) are ignored.
void onMessage(j_common_ptr info, int level) {
    if (level < 0) onError(info);
}

// Only C objects live in this frame, so the longjmp skips no destructor. The image is
// owned by the caller and only assigned here between libjpeg calls.
bool decodeInto(const unsigned char* data, unsigned long size, QImage* image, char* message) {
    jpeg_decompress_struct info;
    ErrorManager manager;
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = onError;
    manager.base.emit_message = onMessage;
    manager.message[0] = '\0';

    if (setjmp(manager.jump) != 0) {
        jpeg_destroy_decompress(&info);
        std::memcpy(message, manager.message, JMSG_LENGTH_MAX);
        return false;
    }

    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);

    if (info.image_width == 0 || info.image_height == 0 || info.image_width > kMaxJpegSide ||
        info.image_height > kMaxJpegSide) {
        std::snprintf(message, JMSG_LENGTH_MAX, "picture size %ux%u out of range", info.image_width,
                      info.image_height);
        jpeg_destroy_decompress(&info);
        return false;
    }

    const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
    info.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);

    *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                    grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    if (image->isNull()) {
        std::snprintf(message, JMSG_LENGTH_MAX, "out of memory for a %ux%u picture", info.output_width,
                      info.output_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

QImage decodeJpeg(const QByteArray& bytes) {
    if (bytes.isEmpty()) throw JpegError("empty picture");
    QImage image;
    char message[JMSG_LENGTH_MAX] = {};
    if (!decodeInto(reinterpret_cast<const unsigned char*>(bytes.constData()),
                    static_cast<unsigned long>(bytes.size()), &image, message)) {
        throw JpegError(std::string("broken picture: ") + message);
    }
    if (image.format() == QImage::Format_RGB888) image.convertTo(QImage::Format_RGB32);
    return image;
}

}  // namespace quintrel
