#include <pugixml.hpp>

#include <sstream>

#include "core/exchange/export_model.h"

namespace quizloom::exchange {

namespace {

// <element format="..."><text>text</text></element>; the platform reads
// every text of a question through such a wrapper.
void addText(pugi::xml_node parent, const char* element, std::string_view text,
             const char* format = nullptr) {
    pugi::xml_node node = parent.append_child(element);
    if (format)
        node.append_attribute("format") = format;
    node.append_child("text").text() = std::string(text).c_str();
}

void addCategory(pugi::xml_node quiz, const std::string& path) {
    pugi::xml_node question = quiz.append_child("question");
    question.append_attribute("type") = "category";
    addText(question, "category", path);
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
        answer.append_child("text").text() = (multipleChoice ? text : shortAnswerText(text)).c_str();
    }
}

} // namespace

std::string writeMoodleXml(const std::vector<ExportQuestion>& questions) {
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node quiz = document.append_child("quiz");
    std::string category;
    for (const ExportQuestion& question : questions) {
        const std::string path = categoryPath(question);
        if (path != category)
            addCategory(quiz, category = path);
        addQuestion(quiz, question);
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
    return out.str();
}

} // namespace quizloom::exchange
