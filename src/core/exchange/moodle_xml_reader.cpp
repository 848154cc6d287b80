#include <pugixml.hpp>

#include <cstring>

#include "core/exchange/source_model.h"

namespace quizloom::exchange {

namespace {

constexpr std::string_view kTitle = "Moodle XML";

class XmlReader {
public:
    explicit XmlReader(std::string_view document) : document_(document) {}

    ParsedSource read() {
        const pugi::xml_parse_result parsed =
            xml_.load_buffer(document_.data(), document_.size(), pugi::parse_default, pugi::encoding_auto);
        if (!parsed)
            fail(lineAt(parsed.offset), parsed.description());
        const pugi::xml_node quiz = xml_.child("quiz");
        if (!quiz)
            fail(1, "нет элемента <quiz>");
        for (pugi::xml_node node : quiz.children("question"))
            readQuestion(node);
        return std::move(source_);
    }

private:
    [[noreturn]] void fail(int line, std::string_view what) const { malformed(kTitle, line, what); }

    // The document as loaded is the one the offsets count in when it is
    // UTF-8, which is what the platform writes.
    int lineAt(std::ptrdiff_t offset) const {
        int line = 1;
        for (std::ptrdiff_t i = 0; i < offset && i < static_cast<std::ptrdiff_t>(document_.size()); ++i)
            line += document_[i] == '\n' ? 1 : 0;
        return line;
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

    double weightOf(pugi::xml_node answer, int line) const {
        const pugi::xml_attribute fraction = answer.attribute("fraction");
        if (!fraction)
            return 0;
        const auto weight = parseWeight(fraction.value());
        if (!weight)
            fail(line, "вес ответа «" + std::string(fraction.value()) + "» не число");
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
        const int line = lineAt(node.offset_debug());
        if (type == "category") {
            category_ = splitCategoryPath(trimBlanks(textOf(node.child("category"))));
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
                question.answers.push_back({{textOf(answer), markupOf(answer)}, weightOf(answer, line)});
                question.hasImages = question.hasImages || holdsFiles(answer);
            }
        } else if (type == "truefalse") {
            // The two fixed answers become the options "Верно" and "Неверно".
            question.answers = {{{"Верно"}, 0}, {{"Неверно"}, 0}};
            for (pugi::xml_node answer : node.children("answer")) {
                const std::string text = textOf(answer);
                const std::string_view value = trimBlanks(text);
                if (value == "true" || value == "false")
                    question.answers[value == "true" ? 0 : 1].weight = weightOf(answer, line);
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
                accepted.weight = weightOf(answer, line);
                question.answers.push_back(std::move(accepted));
            }
        } else {
            source_.refused.push_back(
                {line, question.name, "вопросы типа «" + std::string(type) + "» файл теста не хранит"});
            return;
        }
        source_.questions.push_back(std::move(question));
    }

    std::string_view document_;
    pugi::xml_document xml_;
    std::vector<std::string> category_;
    ParsedSource source_;
};

} // namespace

ParsedSource parseMoodleXml(std::string_view document) {
    return XmlReader(document).read();
}

} // namespace quizloom::exchange
