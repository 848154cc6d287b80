// Moodle XML through pugixml. A document that is not well-formed XML is
// refused whole; a question whose values make no sense is named with its
// lines and skipped. Lines are counted once, as the reader moves through
// the questions in document order.
#include <pugixml.hpp>

#include <algorithm>

#include "core/exchange/source_model.h"
#include "core/exchange/xml_encoding.h"

namespace quizloom::exchange {

namespace {

constexpr std::string_view kTitle = "Moodle XML";

// Thrown inside the reading of one question, which is then skipped.
struct BadQuestion {
    std::string what;
};

class XmlReader {
public:
    explicit XmlReader(std::string_view document) : document_(xmlAsUtf8(document, converted_)) {}

    ParsedSource read() {
        const pugi::xml_parse_result parsed =
            xml_.load_buffer(document_.data(), document_.size(), pugi::parse_default, pugi::encoding_auto);
        if (!parsed)
            malformed(kTitle, linesUpTo(parsed.offset, 0, 1), parsed.description());
        const pugi::xml_node quiz = xml_.child("quiz");
        if (!quiz)
            malformed(kTitle, 1, "нет элемента <quiz>");
        for (pugi::xml_node node : quiz.children("question")) {
            line_ = linesUpTo(node.offset_debug(), offset_, line_);
            offset_ = std::max(offset_, node.offset_debug());
            try {
                readQuestion(node);
            } catch (const BadQuestion& bad) {
                source_.malformed.push_back({line_, lastLine(), bad.what});
            }
        }
        return std::move(source_);
    }

private:
    // The line of offset, counted on from line at offset from. The document
    // as loaded is the one the offsets count in when it is UTF-8, which is
    // what the platform writes.
    int linesUpTo(std::ptrdiff_t offset, std::ptrdiff_t from, int line) const {
        const std::ptrdiff_t end = std::min(offset, static_cast<std::ptrdiff_t>(document_.size()));
        if (from >= end)
            return line;
        return line + static_cast<int>(std::count(document_.begin() + from, document_.begin() + end, '\n'));
    }

    // The line of the question's end tag.
    int lastLine() const {
        constexpr std::string_view endTag = "</question";
        for (std::size_t at = document_.find(endTag, static_cast<std::size_t>(offset_));
             at != std::string_view::npos; at = document_.find(endTag, at + 1)) {
            const std::size_t after = at + endTag.size();
            // Not "</questiontext>".
            if (after < document_.size() &&
                std::string_view(">\t\n\r ").find(document_[after]) != std::string_view::npos)
                return linesUpTo(static_cast<std::ptrdiff_t>(at), offset_, line_);
        }
        return line_;
    }

    static std::string textOf(pugi::xml_node element) {
        std::string text;
        for (pugi::xml_node child : element.child("text").children())
            if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
                text += child.value();
        return text;
    }

    static Markup markupOf(pugi::xml_node element) {
        const std::string_view format = element.attribute("format").as_string("html");
        return format == "plain_text" || format == "markdown" ? Markup::Plain : Markup::Html;
    }

    static bool holdsFiles(pugi::xml_node element) {
        return element.child("file") || textOf(element).find("@@PLUGINFILE@@") != std::string::npos;
    }

    static double weightOf(pugi::xml_node answer) {
        const pugi::xml_attribute fraction = answer.attribute("fraction");
        if (!fraction)
            return 0;
        const auto weight = parseWeight(fraction.value());
        if (!weight)
            throw BadQuestion{"вес ответа «" + std::string(fraction.value()) + "» не число"};
        return *weight;
    }

    static bool flag(pugi::xml_node element, bool defaultValue) {
        const std::string_view value = trimBlanks(element.text().as_string());
        if (value.empty())
            return defaultValue;
        return value == "true" || value == "1";
    }

    void readQuestion(pugi::xml_node node) {
        const std::string_view type = node.attribute("type").as_string();
        const int line = line_;
        if (type == "category") {
            category_ = splitCategoryPath(trimBlanks(textOf(node.child("category"))));
            readHeader(node.child("info"));
            return;
        }
        SourceQuestion question;
        question.line = line;
        question.name = std::string(trimBlanks(textOf(node.child("name"))));
        question.category = category_;
        const pugi::xml_node text = node.child("questiontext");
        question.text = {textOf(text), markupOf(text)};
        question.hasImages =
            holdsFiles(text) || node.child("file") || node.child("image") || node.child("image_base64");
        if (type == "multichoice") {
            question.single = flag(node.child("single"), true);
            for (pugi::xml_node answer : node.children("answer")) {
                question.answers.push_back({{textOf(answer), markupOf(answer)}, weightOf(answer)});
                question.hasImages = question.hasImages || holdsFiles(answer);
            }
        } else if (type == "truefalse") {
            // The two fixed answers become the options "Верно" and "Неверно".
            question.answers = {{{"Верно"}, 0}, {{"Неверно"}, 0}};
            for (pugi::xml_node answer : node.children("answer")) {
                const std::string text = textOf(answer);
                const std::string_view value = trimBlanks(text);
                if (value == "true" || value == "false")
                    question.answers[value == "true" ? 0 : 1].weight = weightOf(answer);
            }
        } else if (type == "shortanswer") {
            question.kind = QuestionKind::ShortAnswer;
            question.caseSensitive = flag(node.child("usecase"), false);
            // Answers are compared as typed, never shown as formatted text.
            for (pugi::xml_node answer : node.children("answer")) {
                // Filled member by member: GCC 12 at -O3 takes a braced
                // temporary here for an uninitialised string (-Werror).
                SourceAnswer accepted;
                accepted.text.text = trimBlanks(textOf(answer));
                accepted.weight = weightOf(answer);
                question.answers.push_back(std::move(accepted));
            }
        } else {
            source_.refused.push_back(
                {line, question.name, "вопросы типа «" + std::string(type) + "» файл теста не хранит"});
            return;
        }
        source_.questions.push_back(std::move(question));
    }

    // A header the test category's description carries.
    void readHeader(pugi::xml_node info) {
        if (!info || category_.size() != 1)
            return;
        std::vector<std::string> lines;
        forEachLine(textOf(info), [&](std::string_view text, int) { lines.emplace_back(text); });
        if (auto header = readHeaderLines(lines))
            source_.headers.push_back({category_.front(), std::move(*header)});
    }

    std::string converted_; // the document when it came in UTF-16
    std::string_view document_;
    std::ptrdiff_t offset_ = 0; // where the question being read starts
    int line_ = 1;              // and its line
    pugi::xml_document xml_;
    std::vector<std::string> category_;
    ParsedSource source_;
};

} // namespace

ParsedSource parseMoodleXml(std::string_view document) {
    return XmlReader(document).read();
}

} // namespace quizloom::exchange
