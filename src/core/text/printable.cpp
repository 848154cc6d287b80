#include "core/text/printable.h"

namespace quizloom {

std::string printableName(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x20 || byte == 0x7F) {
            out += '?';
        } else if (byte == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            out += '?'; // U+0080..U+009F take two bytes, C2 80..C2 9F
            ++i;
        } else {
            out += utf8[i];
        }
    }
    return out;
}

} // namespace quizloom
