#include <pugixml.hpp>

#include <sstream>

#include "core/exchange/export_model.h"

namespace quizloom::exchange {

namespace {

// <text><![CDATA[text]]></text>. The platform's reader drops a text node
// that holds only blanks, such as the one between two character references
// in "x <b> & y"; a CDATA section keeps it. A "]]>" inside the text is split
// across two sections by pugixml.
void addTextElement(pugi::xml_node parent, std::string_view text) {
    parent.append_child("text").append_child(pugi::node_cdata).set_value(std::string(text).c_str());
}

// <element format="..."><text>text</text></element>; the platform reads
// every text of a question through such a wrapper.
void addText(pugi::xml_node parent, const char* element, std::string_view text,
             const char* format = nullptr) {
    pugi::xml_node node = parent.append_child(element);
    if (format)
        node.append_attribute("format") = format;
    addTextElement(node, text);
}

// A category entry; the test's own category carries the header in its
// description, which the platform keeps and does not show with a question.
void addCategory(pugi::xml_node quiz, const std::string& path, const HeaderValues* header = nullptr) {
    pugi::xml_node question = quiz.append_child("question");
    question.append_attribute("type") = "category";
    addText(question, "category", path);
    if (header) {
        std::string info;
        for (const std::string& line : headerLines(*header))
            info += (info.empty() ? "" : "\n") + line;
        addText(question, "info", info, "plain_text");
    }
}

void addQuestion(pugi::xml_node quiz, const ExportQuestion& q) {
    const bool multipleChoice = q.kind == QuestionKind::MultipleChoice;
    pugi::xml_node question = quiz.append_child("question");
    question.append_attribute("type") = multipleChoice ? "multichoice" : "shortanswer";
    addText(question, "name", q.name);
    // Plain text: markup in a question is the teacher's text, not formatting.
    addText(question, "questiontext", q.text, "plain_text");
    if (multipleChoice)
        question.append_child("single").text() = q.single ? "true" : "false";
    else
        question.append_child("usecase").text() = "1"; // letter case counts, as in the file
    const std::vector<std::string> weights = answerWeights(q);
    for (std::size_t i = 0; i < q.answers.size(); ++i) {
        const std::string& text = q.answers[i].text;
        pugi::xml_node answer = question.append_child("answer");
        answer.append_attribute("fraction") = weights[i].c_str();
        answer.append_attribute("format") = "plain_text";
        addTextElement(answer, multipleChoice ? text : shortAnswerText(text));
    }
}

} // namespace

std::string writeMoodleXml(const std::vector<ExportQuiz>& quizzes) {
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node quiz = document.append_child("quiz");
    std::string category;
    for (const ExportQuiz& test : quizzes) {
        if (!test.questions.empty())
            addCategory(quiz, quizCategory(test.questions.front().quizName), &test.header);
        for (const ExportQuestion& question : test.questions) {
            const std::string path = categoryPath(question);
            if (path != category)
                addCategory(quiz, category = path);
            addQuestion(quiz, question);
        }
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
    return out.str();
}

} // namespace quizloom::exchange
