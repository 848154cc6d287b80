#pragma once
// The line rules of profile files, on Windows-1251 bytes. A line whose first
// non-blank character is '[' opens a section named by the text up to the
// first ']' (or the line end); a line whose first non-blank character is ';'
// is a comment; any other line holding '=' is an entry: key before the first
// '=', value after it. Blanks (space, tab) around names and values do not
// count, and a value enclosed in one matching pair of quotes (' or ") loses
// that pair. Lines end with CR LF, LF or CR.
#include <cstddef>
#include <string>
#include <string_view>

namespace quizloom::profile {

inline constexpr std::string_view kNewLineEnd = "\r\n";

inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

inline bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

inline std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}
// Whether a trimmed value is enclosed in one matching pair of quotes.
inline bool enclosedInQuotes(std::string_view text) {
    return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.front() == text.back();
}

// Position of the first CR or LF at or after pos, or text.size().
std::size_t findLineBreak(std::string_view text, std::size_t pos);
// The value of an entry line as reading returns it, from the bytes after
// its '=': trimmed, and without an enclosing pair of quotes.
inline std::string_view valueAsRead(std::string_view afterEquals) {
    std::string_view value = trimBlanks(afterEquals);
    if (enclosedInQuotes(value))
        value = value.substr(1, value.size() - 2);
    return value;
}

// Length of the line end starting at pos: 2 for CR LF, 1 for CR or LF, 0 at the end.
inline std::size_t lineBreakLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size())
        return 0;
    return text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
}

enum class LineKind { Other, Section, Entry };

struct LineSyntax {
    LineKind kind = LineKind::Other;
    std::string_view name;  // section name or key, trimmed, as spelled
    std::string_view value; // entries: the value as reading returns it
};

// line excludes its line end.
LineSyntax classifyLine(std::string_view line);

// The section name of a line that opens a section; `open` is the position of
// its '[' in line.
inline std::string_view sectionNameAt(std::string_view line, std::size_t open) {
    const std::string_view rest = line.substr(open + 1);
    return trimBlanks(rest.substr(0, rest.find(']')));
}

// The entry line "key=value", the value inside one extra pair of double
// quotes when reading would otherwise change it (outer blanks, or an
// enclosing pair of quotes). Sets valueOffset to where the value starts.
std::string makeEntryLine(std::string_view key, std::string_view value, std::size_t& valueOffset);

// Names that, written out, would read back as something else.
bool isStorableKey(std::string_view key);
bool isStorableSectionName(std::string_view name);

} // namespace quizloom::profile
