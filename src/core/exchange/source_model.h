#pragma once
// Questions as an imported document states them, before the rules of a
// test file are applied (quiz_import.h applies them), and the three readers.
// A reader throws Error only for a document it cannot read at all (the
// message names the line); a malformed question is listed with its lines
// and the reader goes on with the next one. It also lists the questions of
// kinds a test file has no room for, and the headers the document carries.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/exchange/carried_header.h"
#include "core/exchange/exchange_format.h"

namespace quizloom::exchange {

// Html: the text may hold markup and character references.
enum class Markup { Plain, Html };

struct SourceText {
    std::string text;
    Markup markup = Markup::Plain;
};

struct SourceAnswer {
    SourceText text;
    double weight = 0; // percent; above 0 is correct
};

struct SourceQuestion {
    int line = 0;
    std::string name;
    // Category path, its context prefix ("$course$/", "top/") removed.
    std::vector<std::string> category;
    QuestionKind kind = QuestionKind::MultipleChoice;
    bool single = true;
    bool caseSensitive = false; // short answer: letter case counts
    bool hasImages = false;
    SourceText text;
    std::vector<SourceAnswer> answers;
};

struct SourceRefusal {
    int line = 0;
    std::string name;
    std::string reason;
};

// A question the reader could not make out, from its first line to the
// line that showed the fault.
struct SourceError {
    int firstLine = 0;
    int lastLine = 0;
    std::string what;
};

// A test's header, carried by the document for the test whose top category is quizName.
struct SourceHeader {
    std::string quizName;
    HeaderValues values;
};

struct ParsedSource {
    std::vector<SourceQuestion> questions;
    std::vector<SourceRefusal> refused;
    std::vector<SourceError> malformed; // in document order
    std::vector<SourceHeader> headers;
};

ParsedSource parseMoodleXml(std::string_view document);
ParsedSource parseGift(std::string_view document);
ParsedSource parseAiken(std::string_view document);

// "a/b//c" → {"a", "b/c"}, after "$course$/" (any "$…$/") and "top/".
std::vector<std::string> splitCategoryPath(std::string_view path);
// "строка 12" or "строка 12 («name»)".
std::string sourceLabel(int line, std::string_view name);
// "строка 5" or "строки 5–7".
std::string lineSpan(int firstLine, int lastLine);
// The document without a UTF-8 byte-order mark; throws Error naming the
// first line that is not UTF-8.
std::string_view requireUtf8(std::string_view document, std::string_view formatTitle);
// Calls take(line, number) for each line of document, numbered from 1, a
// CR before its LF removed.
template <class Take> void forEachLine(std::string_view document, Take take) {
    int number = 0;
    for (std::size_t pos = 0; pos <= document.size();) {
        std::size_t end = document.find('\n', pos);
        if (end == std::string_view::npos)
            end = document.size();
        std::string_view line = document.substr(pos, end - pos);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        take(line, ++number);
        pos = end + 1;
    }
}
// Without the blanks, tabs and line ends around it.
std::string_view trimBlanks(std::string_view text);
// Throws Error("<formatTitle>, строка <line>: <what>").
[[noreturn]] void malformed(std::string_view formatTitle, int line, std::string_view what);
// A weight as written ("33.33333", "-50"); nothing when it is no number.
std::optional<double> parseWeight(std::string_view text);

} // namespace quizloom::exchange
