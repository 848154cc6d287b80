#include "core/ini/profile_syntax.h"

namespace quizloom::profile {
namespace {

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

bool enclosedInQuotes(std::string_view text)
{
    return text.size() >= 2 && isQuote(text.front()) && text.front() == text.back();
}

std::size_t firstNonBlank(std::string_view line)
{
    std::size_t pos = 0;
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
    return pos;
}

} // namespace

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::size_t findLineBreak(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && !isLineBreak(text[pos]))
        ++pos;
    return pos;
}

std::size_t lineBreakLength(std::string_view text, std::size_t pos)
{
    if (pos >= text.size())
        return 0;
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
        return 2;
    return 1;
}

std::string_view sectionNameAt(std::string_view line, std::size_t open)
{
    const std::string_view rest = line.substr(open + 1);
    return trimBlanks(rest.substr(0, rest.find(']')));
}

LineSyntax classifyLine(std::string_view line)
{
    const std::size_t start = firstNonBlank(line);
    if (start == line.size() || line[start] == ';')
        return {};
    if (line[start] == '[')
        return {LineKind::Section, sectionNameAt(line, start), {}};
    const std::size_t equals = line.find('=', start);
    if (equals == std::string_view::npos)
        return {};
    std::string_view value = trimBlanks(line.substr(equals + 1));
    if (enclosedInQuotes(value))
        value = value.substr(1, value.size() - 2);
    return {LineKind::Entry, trimBlanks(line.substr(start, equals - start)), value};
}

std::string makeEntryLine(std::string_view key, std::string_view value, std::size_t& valueOffset)
{
    const bool quote = !value.empty() &&
                       (isBlank(value.front()) || isBlank(value.back()) || enclosedInQuotes(value));
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

bool isStorableKey(std::string_view key)
{
    if (key != trimBlanks(key) || key.find('=') != std::string_view::npos)
        return false;
    return key.empty() || (key.front() != '[' && key.front() != ';');
}

bool isStorableSectionName(std::string_view name)
{
    return name == trimBlanks(name) && name.find(']') == std::string_view::npos;
}

} // namespace quizloom::profile
