#include "core/exchange/quiz_export.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "core/exchange/export_model.h"
#include "core/exchange/format_rules.h"
#include "core/ini/profile_file.h"
#include "core/quiz/question_record.h"
#include "core/quiz/quiz_format.h"
#include "core/text/case_fold.h"
#include "core/text/int_conv.h"

namespace quizloom::exchange {

namespace {

namespace qz = quizloom::quiz;

struct QuizHeader {
    std::string name;
    bool typeOne = false;
    int level = 1;
    int variants = 0;
    int questions = 0;
    HeaderValues carried;
};

// U+0098 is the code page's undefined byte, carried through unchanged.
bool holdsControl(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F || (c == 0xC2 && i + 1 < text.size() && text[i + 1] == '\x98'))
            return true;
    }
    return false;
}

// The values a round trip must keep, as the file holds them; the name and
// the level as the export read them. A value with a control character
// stays behind, as a question holding one does.
HeaderValues carriedValues(const ProfileFile& file, const QuizHeader& header) {
    HeaderValues carried;
    for (std::string_view key : carriedHeaderKeys()) {
        std::optional<std::string> value = key == qz::kKeyName    ? header.name
                                           : key == qz::kKeyLevel ? std::to_string(header.level)
                                                                  : file.findString(qz::kHeaderSection, key);
        if (value && !holdsControl(*value))
            carried.emplace_back(key, std::move(*value));
    }
    return carried;
}

// The header as the editor shows it: its display defaults stand for missing keys.
std::optional<std::string> readHeader(const ProfileFile& file, const std::string& path, QuizHeader& header) {
    header.name = file.readString(qz::kHeaderSection, qz::kKeyName, "");
    if (header.name.empty())
        header.name = std::filesystem::path(path).stem().string();
    header.typeOne =
        utf8ToLowerCp1251(file.readString(qz::kHeaderSection, qz::kKeyType, qz::kTypeMany)) == qz::kTypeOne;
    const std::string level = file.readString(qz::kHeaderSection, qz::kKeyLevel, "1");
    if (level != "1" && level != "2")
        return "неизвестный уровень теста «" + level + "»";
    header.level = level == "1" ? 1 : 2;
    const auto variants = tryStrToInt(file.readString(qz::kHeaderSection, qz::kKeyVariants, "5"));
    const auto questions = tryStrToInt(file.readString(qz::kHeaderSection, qz::kKeyQuestions, "5"));
    if (!variants || !questions || *variants < 1 || *variants > qz::kEditorMaxVariants || *questions < 1 ||
        *questions > qz::kEditorMaxQuestions)
        return "неверное количество вариантов или вопросов";
    header.variants = *variants;
    header.questions = *questions;
    header.carried = carriedValues(file, header);
    return std::nullopt;
}

// The question as the examination program grades it, or why it cannot go.
std::optional<std::string> toExportQuestion(const qz::QuestionRecord& record, const QuizHeader& header,
                                            ExportQuestion& out) {
    if (record.question.empty())
        return "пустой вопрос";
    out.text = record.question;
    if (header.level == 1) {
        out.kind = QuestionKind::MultipleChoice;
        const qz::AnswerMarks marks = qz::displayedMarks(record);
        std::size_t correct = 0;
        for (int i = 0; i < qz::kAnswerCount; ++i)
            if (!record.options[i].empty()) {
                out.answers.push_back({record.options[i], marks[i]});
                correct += marks[i] ? 1 : 0;
            }
        if (correct == 0)
            return "нет правильного ответа";
        out.single = header.typeOne && correct == 1;
    } else {
        out.kind = QuestionKind::ShortAnswer;
        for (const std::string& answer : qz::correctFromFields(qz::level2Fields(record)))
            out.answers.push_back({answer, true});
        if (out.answers.empty())
            return "нет правильного ответа";
    }
    bool control = holdsControl(out.text);
    for (const ExportAnswer& answer : out.answers)
        control = control || holdsControl(answer.text);
    if (control)
        return "текст содержит управляющие символы";
    return std::nullopt;
}

void exportQuiz(const std::string& path, Format format, std::vector<ExportQuiz>& out, ExportResult& result) {
    const ProfileFile file(path);
    QuizHeader header;
    auto problem = readHeader(file, path, header);
    if (!problem)
        problem = quizNameRefusal(header.name);
    if (problem) {
        result.leftOut.push_back({header.name, "", *problem});
        return;
    }
    if (format == Format::Aiken && header.level == 2) {
        result.leftOut.push_back({header.name, "", "Aiken хранит только вопросы уровня 1"});
        return;
    }
    std::vector<ExportQuestion> questions;
    std::vector<LeftOut> leftOut;
    bool anyCorrect = false;
    for (int v = 1; v <= header.variants; ++v)
        for (int q = 1; q <= header.questions; ++q) {
            const std::string section = qz::sectionName(v, q);
            const qz::QuestionRecord record = qz::readQuestionRecord(file, section);
            anyCorrect = anyCorrect || !qz::correctUpToMissing(record).empty();
            ExportQuestion question;
            question.quizName = header.name;
            question.variant = v;
            question.name = section;
            auto problem = toExportQuestion(record, header, question);
            if (!problem)
                problem = formatRefusal(question, format);
            if (problem)
                leftOut.push_back({header.name, section, *problem});
            else
                questions.push_back(std::move(question));
        }
    if (!anyCorrect) {
        result.leftOut.push_back({header.name, "", "психотест: ни в одном вопросе нет правильного ответа"});
        return;
    }
    result.leftOut.insert(result.leftOut.end(), leftOut.begin(), leftOut.end());
    if (questions.empty())
        return;
    ++result.quizCount;
    result.questionCount += questions.size();
    out.push_back({std::move(header.carried), std::move(questions)});
}

} // namespace

ExportResult exportQuizzes(const std::vector<std::string>& paths, Format format) {
    ExportResult result;
    std::vector<ExportQuiz> quizzes;
    for (const std::string& path : paths)
        exportQuiz(path, format, quizzes, result);
    // A document without a question is one the platform's importer fails on.
    if (quizzes.empty())
        return result;
    switch (format) {
    case Format::MoodleXml:
        result.text = writeMoodleXml(quizzes);
        break;
    case Format::Gift:
        result.text = writeGift(quizzes);
        if (std::any_of(quizzes.begin(), quizzes.end(), [](const ExportQuiz& quiz) {
                return quiz.questions.front().kind == QuestionKind::ShortAnswer;
            }))
            result.notes.push_back("GIFT не передаёт, что в коротких ответах учитывается регистр букв: "
                                   "платформа примет их без учёта регистра");
        break;
    case Format::Aiken:
        result.text = writeAiken(quizzes);
        break;
    }
    return result;
}

std::string leftOutLine(const LeftOut& leftOut) {
    std::string line = "«" + leftOut.quizName + "»";
    if (!leftOut.section.empty())
        line += ", вопрос " + leftOut.section;
    return line + ": " + leftOut.reason;
}

std::vector<std::string> exportSummary(const ExportResult& result) {
    std::vector<std::string> lines;
    lines.push_back("Экспортировано вопросов: " + std::to_string(result.questionCount) +
                    " (тестов: " + std::to_string(result.quizCount) + ")");
    if (!result.leftOut.empty()) {
        lines.push_back("Не экспортировано (" + std::to_string(result.leftOut.size()) + "):");
        for (const LeftOut& leftOut : result.leftOut)
            lines.push_back(leftOutLine(leftOut));
    }
    lines.insert(lines.end(), result.notes.begin(), result.notes.end());
    if (!result.written())
        lines.push_back("Нет ни одного вопроса, который можно экспортировать: файл не записан");
    return lines;
}

} // namespace quizloom::exchange
