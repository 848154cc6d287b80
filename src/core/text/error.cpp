#include "core/text/error.h"

namespace quizloom {

std::string formatMessage(std::string_view pattern, std::string_view arg) {
    std::string result(pattern);
    if (const auto pos = result.find("%s"); pos != std::string::npos)
        result.replace(pos, 2, arg);
    return result;
}

} // namespace quizloom
