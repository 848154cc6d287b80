// Aiken, read by hand: a line grammar too small for a library.
//
//   document = { blank-line } { question { blank-line } }
//   question = text-line { text-line } option-line { option-line } answer-line
//   option   = letter ( ")" | "." ) [ blanks ] text      letter: "A".."Z"
//   answer   = "ANSWER:" [ blanks ] letter               one of the options
//
// Text lines are the question, joined; every question is single-answer
// plain text. A blank line before the answer line, an option with no
// question, or an answer that names no option is malformed input.
#include "core/exchange/source_model.h"

namespace quizloom::exchange {

namespace {

constexpr std::string_view kTitle = "Aiken";

[[noreturn]] void fail(int line, std::string_view what) {
    malformed(kTitle, line, what);
}

bool isOptionLine(std::string_view line) {
    return line.size() >= 2 && line[0] >= 'A' && line[0] <= 'Z' && (line[1] == ')' || line[1] == '.');
}

class AikenReader {
public:
    ParsedSource read(std::string_view document) {
        forEachLine(document,
                    [this](std::string_view line, int number) { takeLine(trimBlanks(line), number); });
        if (open_)
            fail(question_.line, "вопрос без строки «ANSWER:»");
        return std::move(source_);
    }

private:
    void takeLine(std::string_view line, int lineNumber) {
        if (line.empty()) {
            if (open_)
                fail(question_.line, "вопрос без строки «ANSWER:»");
            return;
        }
        if (!open_) {
            if (isOptionLine(line) || line.starts_with("ANSWER:"))
                fail(lineNumber, "вариант ответа или ответ без вопроса");
            question_ = SourceQuestion{};
            question_.line = lineNumber;
            question_.text.text = std::string(line);
            open_ = true;
        } else if (line.starts_with("ANSWER:")) {
            finish(trimBlanks(line.substr(7)), lineNumber);
        } else if (isOptionLine(line)) {
            if (line[0] != static_cast<char>('A' + question_.answers.size()))
                fail(lineNumber, "варианты ответа не идут по порядку букв");
            question_.answers.push_back({{std::string(trimBlanks(line.substr(2)))}, 0});
        } else if (question_.answers.empty()) {
            question_.text.text += '\n';
            question_.text.text += line;
        } else {
            fail(lineNumber, "после вариантов ответа ожидается вариант или «ANSWER:»");
        }
    }

    void finish(std::string_view letter, int lineNumber) {
        open_ = false;
        const std::size_t index = letter.size() == 1 ? static_cast<std::size_t>(letter[0] - 'A') : SIZE_MAX;
        if (index >= question_.answers.size())
            fail(lineNumber, "ответ «" + std::string(letter) + "» не называет вариант ответа");
        question_.answers[index].weight = 100;
        if (question_.answers.size() < 2)
            source_.refused.push_back({question_.line, "", "меньше двух вариантов ответа"});
        else
            source_.questions.push_back(std::move(question_));
    }

    SourceQuestion question_;
    bool open_ = false;
    ParsedSource source_;
};

} // namespace

ParsedSource parseAiken(std::string_view document) {
    return AikenReader().read(requireUtf8(document, kTitle));
}

} // namespace quizloom::exchange
