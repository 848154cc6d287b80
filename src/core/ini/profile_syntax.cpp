#include "core/ini/profile_syntax.h"

#include "core/ini/line_search.h"

namespace quizloom::profile {
namespace {

std::size_t firstNonBlank(std::string_view line) {
    std::size_t pos = 0;
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
    return pos;
}

} // namespace

std::size_t findLineBreak(std::string_view text, std::size_t pos) {
    return findLineShape<false>(text, pos).contentEnd;
}

LineSyntax classifyLine(std::string_view line) {
    const std::size_t start = firstNonBlank(line);
    if (start == line.size() || line[start] == ';')
        return {};
    if (line[start] == '[')
        return {LineKind::Section, sectionNameAt(line, start), {}};
    const std::size_t equals = line.find('=', start);
    if (equals == std::string_view::npos)
        return {};
    return {LineKind::Entry, trimBlanks(line.substr(start, equals - start)), valueAsRead(line.substr(equals + 1))};
}

std::string makeEntryLine(std::string_view key, std::string_view value, std::size_t& valueOffset) {
    const bool quote =
        !value.empty() && (isBlank(value.front()) || isBlank(value.back()) || enclosedInQuotes(value));
    std::string line;
    line.reserve(key.size() + value.size() + 3);
    line.append(key);
    line += '=';
    if (quote)
        line += '"';
    valueOffset = line.size();
    line.append(value);
    if (quote)
        line += '"';
    return line;
}

bool isStorableKey(std::string_view key) {
    if (key != trimBlanks(key) || key.find('=') != std::string_view::npos)
        return false;
    return key.empty() || (key.front() != '[' && key.front() != ';');
}

bool isStorableSectionName(std::string_view name) {
    return name == trimBlanks(name) && name.find(']') == std::string_view::npos;
}

} // namespace quizloom::profile
