#include "support/quiz_generator.h"

#include <algorithm>
#include <array>
#include <random>
#include <set>

#include "core/ini/profile_file.h"
#include "core/quiz/quiz_format.h"

namespace quizloom::testing {

namespace qz = quizloom::quiz;

namespace {

constexpr std::array<std::string_view, 30> kWords = {
    "Сколько",     "будет",  "2 + 2",   "ёж",     "Ярославль", "ответ",       "Paris",       "x",
    "a~b",         "x=y",    "#1",      "{x}",    "a:b",       "back\\slash", "<b>bold</b>", "A & B",
    "\"кавычки\"", "50%",    "звёзды*", "путь/к", "B)",        "ANSWER:",     "[html]",      "1.",
    "—",           "«ёлка»", "Z.",      "//",     "::",        "%100%"};

class Generator {
public:
    explicit Generator(std::uint32_t seed) : random_(seed) {}

    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::string phrase() {
        std::string text;
        const int words = number(1, 4);
        for (int i = 0; i < words; ++i) {
            if (i > 0)
                text += ' ';
            text += kWords[static_cast<std::size_t>(number(0, kWords.size() - 1))];
        }
        return text;
    }

    std::vector<std::string> distinctPhrases(int count) {
        std::set<std::string> seen;
        std::vector<std::string> phrases;
        while (static_cast<int>(phrases.size()) < count) {
            std::string text = phrase();
            if (seen.insert(text).second)
                phrases.push_back(std::move(text));
        }
        return phrases;
    }

    std::mt19937& engine() { return random_; }

private:
    std::mt19937 random_;
};

qz::QuestionRecord level1Question(Generator& g, bool typeOne, bool fiveOptions) {
    qz::QuestionRecord record;
    record.question = g.phrase();
    const int n = fiveOptions ? qz::kAnswerCount : g.number(2, qz::kAnswerCount);
    std::vector<int> slots = {0, 1, 2, 3, 4};
    std::shuffle(slots.begin(), slots.end(), g.engine());
    slots.resize(static_cast<std::size_t>(n));
    std::sort(slots.begin(), slots.end());
    const std::vector<std::string> texts = g.distinctPhrases(n);
    const int k = typeOne ? 1 : g.number(1, n);
    qz::AnswerMarks marks{};
    for (int i = 0; i < n; ++i)
        record.options[slots[i]] = texts[i];
    std::vector<int> order = slots;
    std::shuffle(order.begin(), order.end(), g.engine());
    for (int i = 0; i < k; ++i)
        marks[order[i]] = true;
    qz::setCorrect(record, qz::correctFromMarks(record.options, marks));
    return record;
}

qz::QuestionRecord level2Question(Generator& g) {
    qz::QuestionRecord record;
    record.question = g.phrase();
    qz::setCorrect(record, g.distinctPhrases(g.number(1, qz::kAnswerCount)));
    return record;
}

} // namespace

GeneratedQuiz generateQuiz(std::uint32_t seed, GeneratorOptions options) {
    Generator g(seed);
    GeneratedQuiz quiz;
    quiz.name = g.phrase();
    quiz.level = options.fiveOptions ? 1 : g.number(1, 2);
    const bool typeOne = quiz.level == 1 && g.number(0, 1) == 1;
    quiz.type = typeOne ? qz::kTypeOne : qz::kTypeMany;
    quiz.variants = g.number(1, 3);
    quiz.questions = g.number(1, 6);
    for (int i = 0; i < quiz.variants * quiz.questions; ++i)
        quiz.records.push_back(quiz.level == 1 ? level1Question(g, typeOne, options.fiveOptions)
                                               : level2Question(g));
    // Drawn last, so that the questions of a seed stay what they were.
    quiz.subject = g.phrase();
    // Grades the structure check holds good: 1 <= 3 < 4 < 5 <= 100.
    const int grade3 = g.number(1, 60);
    const int grade4 = g.number(grade3 + 1, 80);
    quiz.grades = {std::to_string(g.number(grade4 + 1, 100)), std::to_string(grade4), std::to_string(grade3)};
    return quiz;
}

void writeQuiz(const std::string& path, const GeneratedQuiz& quiz) {
    ProfileFile file(path);
    file.writeString(qz::kHeaderSection, qz::kKeyName, quiz.name);
    file.writeString(qz::kHeaderSection, qz::kKeySubject, quiz.subject);
    file.writeString(qz::kHeaderSection, qz::kKeyType, quiz.type);
    file.writeString(qz::kHeaderSection, qz::kKeyLevel, std::to_string(quiz.level));
    file.writeString(qz::kHeaderSection, qz::kKeyVariants, std::to_string(quiz.variants));
    file.writeString(qz::kHeaderSection, qz::kKeyQuestions, std::to_string(quiz.questions));
    file.writeString(qz::kHeaderSection, qz::kKeyGrade5, quiz.grades[0]);
    file.writeString(qz::kHeaderSection, qz::kKeyGrade4, quiz.grades[1]);
    file.writeString(qz::kHeaderSection, qz::kKeyGrade3, quiz.grades[2]);
    const auto answers =
        quiz.level == 1 ? qz::StoredAnswers::OptionsAndCorrect : qz::StoredAnswers::CorrectOnly;
    for (int v = 1; v <= quiz.variants; ++v)
        for (int q = 1; q <= quiz.questions; ++q)
            qz::writeQuestionRecord(file, qz::sectionName(v, q), quiz.at(v, q), answers);
    file.release();
}

} // namespace quizloom::testing
