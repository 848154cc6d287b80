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

// A reader stops at the first question beyond what a test file can hold,
// and at a question longer than any it could take, so that neither the
// time nor the memory of a read grows past them whatever the document.
inline constexpr std::size_t kMaxSourceQuestions = 2475;
// Six values of 2,047 bytes, each with room for its markup and escapes.
inline constexpr std::size_t kMaxQuestionBytes = 256 * 1024;
// Throws Error when the document holds a question beyond kMaxSourceQuestions.
void countSourceQuestion(const ParsedSource& source, std::string_view formatTitle, int line);
// Throws Error when a question from firstLine has grown to more than kMaxQuestionBytes.
void checkQuestionBytes(std::size_t bytes, std::string_view formatTitle, int firstLine);

ParsedSource parseMoodleXml(std::string_view document);
ParsedSource parseGift(std::string_view document);
ParsedSource parseAiken(std::string_view document);

// "a/b//c" → {"a", "b/c"}, after "$course$/" (any "$…$/") and "top/";
// each name without its outer blanks.
std::vector<std::string> splitCategoryPath(std::string_view path);
// "строка 12" or "строка 12 («name»)".
std::string sourceLabel(int line, std::string_view name);
// "строка 5" or "строки 5–7".
std::string lineSpan(int firstLine, int lastLine);
// The document without a UTF-8 byte-order mark; throws Error naming the
// first line that is not UTF-8.
std::string_view requireUtf8(std::string_view document, std::string_view formatTitle);
// Calls take(line, number) for each line of document, numbered from 1:
// LF, CR LF and a lone CR each end a line, as editors of every system
// write them.
template <class Take> void forEachLine(std::string_view document, Take take) {
    int number = 0;
    for (std::size_t pos = 0; pos <= document.size();) {
        std::size_t end = document.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = document.size();
        take(document.substr(pos, end - pos), ++number);
        pos = end + (document.substr(end).starts_with("\r\n") ? 2 : 1);
    }
}
// Without the blanks, tabs and line ends around it.
std::string_view trimBlanks(std::string_view text);
// Throws Error("<formatTitle>, строка <line>: <what>").
[[noreturn]] void malformed(std::string_view formatTitle, int line, std::string_view what);
// A weight as written ("33.33333", "-50"); nothing when it is no finite
// number ("nan" and "inf" grade nothing a test file can mark).
std::optional<double> parseWeight(std::string_view text);

} // namespace quizloom::exchange
