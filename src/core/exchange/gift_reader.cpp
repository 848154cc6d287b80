// GIFT, read by hand: the format is a small line grammar that no maintained
// C++ library reads. The part of it that a test file can hold:
//
//   document  = { line } ;  lines end with LF, CR LF or CR
//   comment   = a line whose first non-blank characters are "//" (dropped;
//               it does not end a question). Comment lines outside a
//               question that start with "// [Тест]" carry a test's header
//               (carried_header.h), for the test of the next category.
//   category  = "$CATEGORY:" path            (one line; "/" separates
//               categories, "//" is a "/" inside a name)
//   question  = the non-blank lines up to a blank line or the end:
//               [ "::" name "::" ] [ "[" format "]" ] text "{" answers "}"
//               (text after "}" on a later line is a question that lacks
//               the blank line before it: both are named as malformed)
//   answers   = { answer }
//   answer    = ( "=" | "~" ) [ "%" weight "%" ] [ "[" format "]" ] text [ "#" feedback ]
//   escapes   = "\" followed by one of  ~ = # { } : \  stands for that
//               character; "\n" for a line break; any other "\" is kept
//
// The answer block decides the kind, in the platform's order: empty (essay),
// "#..." (numerical), T/TRUE/F/FALSE (true-false), any "~" (multiple
// choice; single-answer when some answer is "="), "=" with "->"
// (matching), only "=" (short answer). A question without "{" is a
// description; text after "}" makes it a missing-word question. "=" is
// 100% and "~" 0% unless a weight is given; feedback is dropped.
// A question that breaks the grammar is named with its lines and skipped.
#include <cctype>

#include "core/exchange/source_model.h"

namespace quizloom::exchange {

namespace {

constexpr std::string_view kTitle = "GIFT";
constexpr std::string_view kEscapable = "~=#{}:\\";

// Thrown inside the reading of one question, which is then skipped.
struct BadQuestion {
    std::string what;
};

[[noreturn]] void fail(std::string_view what) {
    throw BadQuestion{std::string(what)};
}

// A plain loop: these sets hold a few characters, and a search call per
// character of a document costs more than the comparisons.
bool isOneOf(char c, std::string_view chars) {
    for (char member : chars)
        if (c == member)
            return true;
    return false;
}

// Position of the first unescaped "::" at or after from: "\\:::" is an
// escaped colon that ends a name.
std::size_t findNameEnd(std::string_view text, std::size_t from) {
    for (std::size_t i = from; i + 1 < text.size(); ++i) {
        if (text[i] == '\\')
            ++i;
        else if (text[i] == ':' && text[i + 1] == ':')
            return i;
    }
    return std::string_view::npos;
}

// Position of the first unescaped occurrence of any of chars at or after from.
std::size_t findUnescaped(std::string_view text, std::string_view chars, std::size_t from = 0) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
            continue;
        }
        if (isOneOf(text[i], chars))
            return i;
    }
    return std::string_view::npos;
}

std::string unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (isOneOf(next, kEscapable)) {
                out += next;
                ++i;
                continue;
            }
            if (next == 'n') {
                out += '\n';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// A leading "[html]", "[moodle]", "[plain]" or "[markdown]": its markup, and
// the text moved past it. The platform's default format takes markup.
Markup takeFormat(std::string_view& text, Markup defaultMarkup) {
    text = trimBlanks(text);
    for (std::string_view format : {"[html]", "[moodle]"})
        if (text.starts_with(format)) {
            text.remove_prefix(format.size());
            return Markup::Html;
        }
    for (std::string_view format : {"[plain]", "[markdown]"})
        if (text.starts_with(format)) {
            text.remove_prefix(format.size());
            return Markup::Plain;
        }
    return defaultMarkup;
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

class GiftReader {
public:
    ParsedSource read(std::string_view document) {
        forEachLine(document, [this](std::string_view line, int number) { takeLine(line, number); });
        endBlock();
        return std::move(source_);
    }

private:
    void takeLine(std::string_view line, int lineNumber) {
        const std::string_view content = trimBlanks(line);
        if (content.starts_with("//")) {
            if (block_.empty())
                takeComment(content.substr(2));
            return;
        }
        if (content.empty()) {
            endBlock();
        } else if (content.starts_with("$CATEGORY:")) {
            endBlock();
            category_ = splitCategoryPath(trimBlanks(content.substr(10)));
            if (auto header = readHeaderLines(comments_); header && !category_.empty())
                source_.headers.push_back({category_.front(), std::move(*header)});
            comments_.clear();
        } else {
            if (block_.empty())
                blockLine_ = lineNumber;
            else
                block_ += '\n';
            checkQuestionBytes(block_.size() + line.size(), kTitle, blockLine_);
            block_ += line;
            blockEnd_ = lineNumber;
            comments_.clear();
        }
    }

    // Comment lines between questions, kept until the next category in case
    // they carry a header; "// " loses its one blank.
    void takeComment(std::string_view text) {
        if (text.starts_with(' '))
            text.remove_prefix(1);
        // A header has a line per key; what follows it is no header.
        if ((comments_.empty() && !text.starts_with('[')) || comments_.size() > carriedHeaderKeys().size())
            return;
        comments_.emplace_back(text);
    }

    void endBlock() {
        if (!block_.empty()) {
            countSourceQuestion(source_, kTitle, blockLine_);
            try {
                readQuestion(block_, blockLine_);
            } catch (const BadQuestion& bad) {
                source_.malformed.push_back({blockLine_, blockEnd_, bad.what});
            }
        }
        block_.clear();
    }

    void refuse(const SourceQuestion& question, std::string reason) {
        source_.refused.push_back({question.line, question.name, std::move(reason)});
    }

    void readQuestion(std::string_view text, int line) {
        SourceQuestion question;
        question.line = line;
        question.category = category_;
        text = trimBlanks(text);
        if (text.starts_with("::")) {
            const std::size_t close = findNameEnd(text, 2);
            if (close == std::string_view::npos)
                fail("имя вопроса не закрыто «::»");
            question.name = std::string(trimBlanks(unescaped(text.substr(2, close - 2))));
            text.remove_prefix(close + 2);
        }
        const std::size_t open = findUnescaped(text, "{");
        if (open == std::string_view::npos)
            return refuse(question, "описание без ответов (description) файл теста не хранит");
        const std::size_t close = findUnescaped(text, "}", open + 1);
        if (close == std::string_view::npos)
            fail("блок ответов не закрыт «}»");
        std::string_view questionText = text.substr(0, open);
        const Markup markup = takeFormat(questionText, Markup::Html);
        question.text = {unescaped(questionText), markup};
        const std::string_view after = text.substr(close + 1);
        const std::string_view rest = trimBlanks(after);
        if (!rest.empty() &&
            after.substr(0, static_cast<std::size_t>(rest.data() - after.data())).find('\n') !=
                std::string_view::npos)
            fail("после «}» с новой строки начинается следующий вопрос: вопросы разделяются пустой строкой");
        if (!rest.empty())
            return refuse(question, "вопросы с пропущенным словом файл теста не хранит");
        readAnswers(question, trimBlanks(text.substr(open + 1, close - open - 1)), markup);
    }

    void readAnswers(SourceQuestion& question, std::string_view block, Markup markup) {
        if (block.empty())
            return refuse(question, "эссе файл теста не хранит");
        if (block.front() == '#')
            return refuse(question, "числовые вопросы файл теста не хранит");
        // Only a word as short as "FALSE" can be a truth value.
        const std::string_view head = trimBlanks(block.substr(0, findUnescaped(block, "#")));
        const std::string truth = head.size() <= 5 ? upper(head) : std::string();
        if (truth == "T" || truth == "TRUE" || truth == "F" || truth == "FALSE") {
            const bool isTrue = truth.front() == 'T';
            question.answers = {{{"Верно"}, isTrue ? 100.0 : 0.0}, {{"Неверно"}, isTrue ? 0.0 : 100.0}};
            source_.questions.push_back(std::move(question));
            return;
        }
        const bool multipleChoice = findUnescaped(block, "~") != std::string_view::npos;
        if (!multipleChoice && block.find("->") != std::string_view::npos)
            return refuse(question, "вопросы на соответствие файл теста не хранит");
        if (block.front() != '=' && block.front() != '~')
            fail("ответ не начинается с «=» или «~»");
        question.kind = multipleChoice ? QuestionKind::MultipleChoice : QuestionKind::ShortAnswer;
        question.single = false;
        std::size_t start = 0;
        while (start < block.size()) {
            const std::size_t next = findUnescaped(block, "~=", start + 1);
            const std::string_view raw =
                block.substr(start, next == std::string_view::npos ? next : next - start);
            readAnswer(question, raw, multipleChoice ? markup : Markup::Plain);
            start = next == std::string_view::npos ? block.size() : next;
        }
        source_.questions.push_back(std::move(question));
    }

    void readAnswer(SourceQuestion& question, std::string_view raw, Markup markup) {
        const bool correctMark = raw.front() == '=';
        question.single = question.single || (correctMark && question.kind == QuestionKind::MultipleChoice);
        raw.remove_prefix(1);
        raw = raw.substr(0, findUnescaped(raw, "#"));
        raw = trimBlanks(raw);
        double weight = correctMark ? 100 : 0;
        if (raw.starts_with('%')) {
            const std::size_t close = raw.find('%', 1);
            const auto given =
                close == std::string_view::npos ? std::nullopt : parseWeight(raw.substr(1, close - 1));
            if (!given)
                fail("неверный вес ответа");
            weight = *given;
            raw.remove_prefix(close + 1);
        }
        const Markup answerMarkup = takeFormat(raw, markup);
        question.answers.push_back({{std::string(trimBlanks(unescaped(raw))), answerMarkup}, weight});
    }

    std::vector<std::string> category_;
    std::vector<std::string> comments_;
    std::string block_;
    int blockLine_ = 0;
    int blockEnd_ = 0;
    ParsedSource source_;
};

} // namespace

ParsedSource parseGift(std::string_view document) {
    return GiftReader().read(requireUtf8(document, kTitle));
}

} // namespace quizloom::exchange
