// Moodle XML through pugixml. A document that is not well-formed XML is
// refused whole; a question whose values make no sense is named with its
// lines and skipped. Lines are counted once, as the reader moves through
// the questions in document order. Before the tree is built, one pass over
// the text counts the questions, so that no document beyond a test file's
// limit is taken into memory as a tree, and notes the character references
// the parser would keep as they stand or cut a text at: "&xxe;", "&#0;".
#include <pugixml.hpp>

#include <algorithm>
#include <array>

#include "core/exchange/source_model.h"
#include "core/exchange/xml_encoding.h"

namespace quizloom::exchange {

namespace {

constexpr std::string_view kTitle = "Moodle XML";

// Thrown inside the reading of one question, which is then skipped.
struct BadQuestion {
    std::string what;
};

struct BadReference {
    std::size_t offset = 0;
    std::string text;
};

constexpr std::array<std::string_view, 5> kXmlEntities = {"lt", "gt", "amp", "apos", "quot"};

// "&...;" at text[pos]: whether the parser reads it as a character other than NUL.
bool knownReference(std::string_view reference) {
    const std::string_view body = reference.substr(1, reference.size() - 2);
    if (!body.starts_with('#'))
        return std::find(kXmlEntities.begin(), kXmlEntities.end(), body) != kXmlEntities.end();
    const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
    const std::string_view digits = body.substr(hex ? 2 : 1);
    return digits.find_first_not_of('0') != std::string_view::npos;
}

bool startsTag(std::string_view rest, std::string_view name) {
    return rest.starts_with(name) && rest.size() > name.size() &&
           std::string_view(" \t\r\n>").find(rest[name.size()]) != std::string_view::npos;
}

// The questions counted and the references noted, CDATA and comments passed over.
std::vector<BadReference> scanDocument(std::string_view document) {
    std::vector<BadReference> bad;
    std::size_t questions = 0;
    for (std::size_t pos = document.find_first_of("<&"); pos < document.size();
         pos = document.find_first_of("<&", pos)) {
        const std::string_view rest = document.substr(pos);
        if (rest.starts_with("<![CDATA[") || rest.starts_with("<!--")) {
            const std::string_view end = rest[2] == '[' ? "]]>" : "-->";
            const std::size_t close = document.find(end, pos + 4);
            pos = close == std::string_view::npos ? document.size() : close + end.size();
        } else if (startsTag(rest, "<question")) {
            const std::size_t close = rest.find('>');
            const std::string_view tag = rest.substr(0, close);
            if (tag.find("category") == std::string_view::npos && ++questions > kMaxSourceQuestions)
                malformed(kTitle,
                          1 + static_cast<int>(std::count(document.begin(), document.begin() + pos, '\n')),
                          "в источнике больше " + std::to_string(kMaxSourceQuestions) +
                              " вопросов, а в тесте их не больше; чтение остановлено");
            pos = close == std::string_view::npos ? document.size() : pos + close;
        } else if (rest.front() == '&') {
            // A reference is short; a longer run is no reference the parser decodes.
            const std::size_t semicolon = rest.substr(0, 16).find(';');
            if (semicolon != std::string_view::npos && !knownReference(rest.substr(0, semicolon + 1)))
                bad.push_back({pos, std::string(rest.substr(0, semicolon + 1))});
            ++pos;
        } else {
            ++pos;
        }
    }
    return bad;
}

class XmlReader {
public:
    explicit XmlReader(std::string_view document)
        : document_(xmlAsUtf8(document, converted_)), badReferences_(scanDocument(document_)) {}

    ParsedSource read() {
        const pugi::xml_parse_result parsed =
            xml_.load_buffer(document_.data(), document_.size(), pugi::parse_default, pugi::encoding_auto);
        if (!parsed)
            malformed(kTitle, linesUpTo(parsed.offset, 0, 1), parsed.description());
        const pugi::xml_node quiz = xml_.child("quiz");
        if (!quiz)
            malformed(kTitle, 1, "нет элемента <quiz>");
        // The parser takes several top elements; a document has one.
        for (pugi::xml_node other = quiz.next_sibling(); other; other = other.next_sibling())
            if (other.type() == pugi::node_element)
                malformed(kTitle, linesUpTo(other.offset_debug(), 0, 1),
                          "второй корневой элемент <" + std::string(other.name()) + ">");
        std::size_t nextBad = 0;
        for (pugi::xml_node node : quiz.children("question")) {
            line_ = linesUpTo(node.offset_debug(), offset_, line_);
            offset_ = std::max(offset_, node.offset_debug());
            const pugi::xml_node next = node.next_sibling();
            const auto end = static_cast<std::size_t>(next ? next.offset_debug() : document_.size());
            while (nextBad < badReferences_.size() &&
                   badReferences_[nextBad].offset < static_cast<std::size_t>(offset_))
                ++nextBad;
            try {
                if (nextBad < badReferences_.size() && badReferences_[nextBad].offset < end)
                    throw BadQuestion{"ссылка на символ " + badReferences_[nextBad].text +
                                      ", которую файл теста не может передать"};
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

    // An element inside <text> is markup that was not escaped: dropping it
    // would change the text.
    static std::string textOf(pugi::xml_node element) {
        std::string text;
        for (pugi::xml_node child : element.child("text").children()) {
            if (child.type() == pugi::node_element)
                throw BadQuestion{"элемент <" + std::string(child.name()) +
                                  "> внутри <text>: HTML в тексте " + "пишется экранированным или в CDATA"};
            if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
                text += child.value();
        }
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
    std::vector<BadReference> badReferences_; // in document order
    std::ptrdiff_t offset_ = 0;               // where the question being read starts
    int line_ = 1;                            // and its line
    pugi::xml_document xml_;
    std::vector<std::string> category_;
    ParsedSource source_;
};

} // namespace

ParsedSource parseMoodleXml(std::string_view document) {
    return XmlReader(document).read();
}

} // namespace quizloom::exchange
