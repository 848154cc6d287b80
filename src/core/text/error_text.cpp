#include "core/text/error_text.h"

#include "core/text/cp1251.h"

namespace quizloom {

std::string errorBoxText(std::string_view message) {
    const std::string bytes = utf8ToCp1251(message);
    std::string text(message);
    if (!bytes.empty() && static_cast<unsigned char>(bytes.back()) > '.')
        text += '.';
    return text;
}

} // namespace quizloom
