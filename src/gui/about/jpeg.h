#pragma once
// JPEG decoding through libjpeg, for the pictures the program carries inside.
#include <QImage>
#include <cstddef>

namespace quizloom {

// Decodes a whole JPEG file held in memory into an RGB image. Damaged or
// truncated data, an unsupported colour space or an absurd size give a null
// image; nothing is printed and the program goes on.
QImage decodeJpeg(const unsigned char* data, std::size_t size);

} // namespace quizloom
