#include "core/exchange/source_model.h"

#include <charconv>
#include <cmath>

#include "core/text/cp1251.h"
#include "core/text/error.h"

namespace quizloom::exchange {

std::vector<std::string> splitCategoryPath(std::string_view path) {
    while (!path.empty() && path.front() == ' ')
        path.remove_prefix(1);
    if (path.starts_with('$')) {
        const std::size_t end = path.find("$/", 1);
        if (end != std::string_view::npos)
            path.remove_prefix(end + 2);
    }
    if (path.starts_with("top/"))
        path.remove_prefix(4);
    std::vector<std::string> segments(1);
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] != '/') {
            segments.back() += path[i];
        } else if (i + 1 < path.size() && path[i + 1] == '/') {
            segments.back() += '/';
            ++i;
        } else {
            segments.emplace_back();
        }
    }
    // A path may start or end with "/"; a name of blanks stays, empty, for
    // the import to refuse.
    std::erase_if(segments, [](const std::string& s) { return s.empty(); });
    for (std::string& segment : segments)
        segment = std::string(trimBlanks(segment));
    return segments;
}

std::string sourceLabel(int line, std::string_view name) {
    std::string label = "строка " + std::to_string(line);
    if (!name.empty())
        label += " («" + std::string(name) + "»)";
    return label;
}

std::string lineSpan(int firstLine, int lastLine) {
    if (lastLine <= firstLine)
        return "строка " + std::to_string(firstLine);
    return "строки " + std::to_string(firstLine) + "–" + std::to_string(lastLine);
}

std::string_view requireUtf8(std::string_view document, std::string_view formatTitle) {
    if (document.starts_with("\xEF\xBB\xBF"))
        document.remove_prefix(3);
    int line = 1;
    for (std::size_t pos = 0; pos < document.size();) {
        // Lines counted as forEachLine ends them.
        if (document[pos] == '\n' || (document[pos] == '\r' && !document.substr(pos + 1).starts_with('\n')))
            ++line;
        if (static_cast<unsigned char>(document[pos]) < 0x80)
            ++pos; // most of a document, read without decoding
        else if (!nextCodePoint(document, pos))
            malformed(formatTitle, line, "текст не в кодировке UTF-8");
    }
    return document;
}

std::string_view trimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

void malformed(std::string_view formatTitle, int line, std::string_view what) {
    throw Error(std::string(formatTitle) + ", строка " + std::to_string(line) + ": " + std::string(what));
}

void countSourceQuestion(const ParsedSource& source, std::string_view formatTitle, int line) {
    if (source.questions.size() + source.refused.size() + source.malformed.size() >= kMaxSourceQuestions)
        malformed(formatTitle, line,
                  "в источнике больше " + std::to_string(kMaxSourceQuestions) +
                      " вопросов, а в тесте их не больше; чтение остановлено");
}

void checkQuestionBytes(std::size_t bytes, std::string_view formatTitle, int firstLine) {
    if (bytes > kMaxQuestionBytes)
        malformed(formatTitle, firstLine,
                  "вопрос длиннее " + std::to_string(kMaxQuestionBytes / 1024) +
                      " КБ: ни одно его значение не поместится в файл теста; чтение остановлено");
}

std::optional<double> parseWeight(std::string_view text) {
    text = trimBlanks(text);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace quizloom::exchange
