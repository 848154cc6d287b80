// Aiken, read by hand: a line grammar too small for a library.
//
//   document = { line }                 blank lines count for nothing
//   question = text-line { text-line } option-line { option-line } answer-line
//   option   = letter ( ")" | "." ) [ blanks ] text      letter: "A".."Z"
//   answer   = "ANSWER:" [ blanks ] letter               one of the options
//
// Text lines are the question, joined; every question is single-answer
// plain text. A question ends only with its answer line, as the platform
// reads it. What cannot be read is named with its lines and skipped:
// - a question whose answer names no option, or that has fewer than two
//   options: from its first line to the answer line;
// - a question that a text line after its options shows unfinished (no
//   "ANSWER:"): from its first line to that text line, which starts the
//   next question; at the end of the document, to its last line;
// - options or an answer with no question, options out of letter order, or
//   text among the options: up to the next answer line, or up to the line
//   before a text line that follows a blank line and so starts a question.
#include "core/exchange/source_model.h"

namespace quizloom::exchange {

namespace {

constexpr std::string_view kTitle = "Aiken";
constexpr std::string_view kAnswerPrefix = "ANSWER:";

bool isOptionLine(std::string_view line) {
    return line.size() >= 2 && line[0] >= 'A' && line[0] <= 'Z' && (line[1] == ')' || line[1] == '.');
}

class AikenReader {
public:
    ParsedSource read(std::string_view document) {
        forEachLine(document,
                    [this](std::string_view line, int number) { takeLine(trimBlanks(line), number); });
        if (state_ == State::Skipping)
            endSkipping(lastFilled_);
        else if (state_ != State::Between)
            fail(question_.line, lastFilled_, "вопрос без строки «ANSWER:»");
        return std::move(source_);
    }

private:
    enum class State { Between, Text, Options, Skipping };

    void takeLine(std::string_view line, int number) {
        if (line.empty()) {
            blankSeen_ = true;
            return;
        }
        const bool answer = line.starts_with(kAnswerPrefix);
        const bool option = !answer && isOptionLine(line);
        switch (state_) {
        case State::Skipping:
            if (answer) {
                endSkipping(number);
            } else if (!option && blankSeen_) {
                endSkipping(lastFilled_);
                startQuestion(line, number);
            }
            break;
        case State::Between:
            if (answer || option)
                startSkipping(number, "вариант ответа или ответ без вопроса", answer);
            else
                startQuestion(line, number);
            break;
        case State::Text:
        case State::Options:
            if (answer) {
                finish(trimBlanks(line.substr(kAnswerPrefix.size())), number);
            } else if (option) {
                addOption(line, number);
            } else if (state_ == State::Text) {
                checkQuestionBytes(question_.text.text.size() + line.size(), kTitle, question_.line);
                question_.text.text += '\n';
                question_.text.text += line;
            } else if (blankSeen_) {
                fail(question_.line, number, "вопрос без строки «ANSWER:»");
                startQuestion(line, number);
            } else {
                skipQuestion(number, "после вариантов ответа ожидается вариант или «ANSWER:»");
            }
            break;
        }
        blankSeen_ = false;
        lastFilled_ = number;
    }

    void startQuestion(std::string_view line, int number) {
        countSourceQuestion(source_, kTitle, number);
        checkQuestionBytes(line.size(), kTitle, number);
        question_ = SourceQuestion{};
        question_.line = number;
        question_.text.text = std::string(line);
        state_ = State::Text;
    }

    void addOption(std::string_view line, int number) {
        if (line[0] != static_cast<char>('A' + question_.answers.size()))
            return skipQuestion(number, "варианты ответа не идут по порядку букв");
        checkQuestionBytes(line.size(), kTitle, number);
        question_.answers.push_back({{std::string(trimBlanks(line.substr(2)))}, 0});
        state_ = State::Options;
    }

    void finish(std::string_view letter, int number) {
        state_ = State::Between;
        const std::size_t index = letter.size() == 1 ? static_cast<std::size_t>(letter[0] - 'A') : SIZE_MAX;
        if (index >= question_.answers.size())
            return fail(question_.line, number,
                        "ответ «" + std::string(letter) + "» не называет вариант ответа");
        if (question_.answers.size() < 2)
            return fail(question_.line, number, "меньше двух вариантов ответа");
        question_.answers[index].weight = 100;
        source_.questions.push_back(std::move(question_));
    }

    // The open question is lost; what follows belongs to it up to its end.
    void skipQuestion(int number, std::string_view what) {
        skipFrom_ = question_.line;
        skipWhat_ = std::string(what) + " (строка " + std::to_string(number) + ")";
        state_ = State::Skipping;
    }

    void startSkipping(int number, std::string_view what, bool endsHere) {
        countSourceQuestion(source_, kTitle, number);
        skipFrom_ = number;
        skipWhat_ = std::string(what);
        state_ = State::Skipping;
        if (endsHere)
            endSkipping(number);
    }

    void endSkipping(int lastLine) {
        fail(skipFrom_, lastLine, std::move(skipWhat_));
        state_ = State::Between;
    }

    void fail(int firstLine, int lastLine, std::string what) {
        source_.malformed.push_back({firstLine, lastLine, std::move(what)});
    }

    State state_ = State::Between;
    bool blankSeen_ = false;
    int lastFilled_ = 0; // the last line that was not blank
    SourceQuestion question_;
    int skipFrom_ = 0;
    std::string skipWhat_;
    ParsedSource source_;
};

} // namespace

ParsedSource parseAiken(std::string_view document) {
    return AikenReader().read(requireUtf8(document, kTitle));
}

} // namespace quizloom::exchange
