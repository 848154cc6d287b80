#include "gui/about/jpeg.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>

namespace quizloom {
namespace {

// Larger than anything the program carries; a damaged header must not make
// us allocate gigabytes.
constexpr JDIMENSION kMaxSide = 4096;

struct ErrorManager {
    jpeg_error_mgr pub; // first, so libjpeg's pointer is also ours
    std::jmp_buf jump;
};

[[noreturn]] void failDecode(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// libjpeg reports damaged entropy data as warnings and carries on with grey
// filler; a picture of ours that is damaged is better not shown at all.
void onMessage(j_common_ptr info, int level) {
    if (level < 0)
        failDecode(info);
}

void ignoreOutput(j_common_ptr) {}

// Only plain C objects live in this frame, so leaving it by longjmp skips no
// destructor; the image is owned by the caller.
bool decodeInto(const unsigned char* data, std::size_t size, QImage* image) {
    jpeg_decompress_struct info{};
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = failDecode;
    errors.pub.emit_message = onMessage;
    errors.pub.output_message = ignoreOutput;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_width == 0 || info.output_height == 0 || info.output_width > kMaxSide ||
        info.output_height > kMaxSide || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                    QImage::Format_RGB888);
    if (image->isNull()) {
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

} // namespace

QImage decodeJpeg(const unsigned char* data, std::size_t size) {
    QImage image;
    if (data == nullptr || size == 0 || !decodeInto(data, size, &image))
        return QImage();
    return image;
}

} // namespace quizloom
