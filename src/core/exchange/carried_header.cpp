#include "core/exchange/carried_header.h"

#include <array>

#include "core/quiz/quiz_format.h"

namespace quizloom::exchange {

namespace {

namespace qz = quizloom::quiz;

constexpr std::array<std::string_view, 7> kCarried = {qz::kKeyName,  qz::kKeySubject, qz::kKeyType,
                                                      qz::kKeyLevel, qz::kKeyGrade5,  qz::kKeyGrade4,
                                                      qz::kKeyGrade3};

std::string sectionLine() {
    return "[" + std::string(qz::kHeaderSection) + "]";
}

} // namespace

std::span<const std::string_view> carriedHeaderKeys() {
    return kCarried;
}

std::vector<std::string> headerLines(const HeaderValues& header) {
    std::vector<std::string> lines{sectionLine()};
    for (const auto& [key, value] : header)
        lines.push_back(key + "=" + value);
    return lines;
}

std::optional<HeaderValues> readHeaderLines(std::span<const std::string> lines) {
    if (lines.empty() || lines.front() != sectionLine())
        return std::nullopt;
    HeaderValues header;
    for (const std::string& line : lines.subspan(1)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string_view key = std::string_view(line).substr(0, equals);
        for (std::string_view carried : kCarried)
            if (key == carried && !headerValue(header, key))
                header.emplace_back(key, line.substr(equals + 1));
    }
    return header;
}

std::optional<std::string> headerValue(const HeaderValues& header, std::string_view key) {
    for (const auto& [name, value] : header)
        if (name == key)
            return value;
    return std::nullopt;
}

} // namespace quizloom::exchange
