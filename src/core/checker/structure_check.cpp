#include "core/checker/structure_check.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>

#include "core/quiz/quiz_file_values.h"
#include "core/text/case_fold.h"
#include "core/text/cp1251.h"
#include "core/text/error.h"
#include "core/text/int_conv.h"
#include "core/text/printable.h"

namespace quizloom::check {

namespace tf = quiz;

namespace {

// The report's own words, quoted whole as the examination staff know them.
namespace msg {
constexpr std::string_view kNoFile = "Нет файла(ов) с тестом для проверки его структуры!!!";
constexpr std::string_view kHeadingStart = "Проверяем на ошибки структуру файла теста ";
constexpr std::string_view kHeadingEnd = " ...";
constexpr std::string_view kNoSubject = "Не указана дисциплина (предмет)...";
constexpr std::string_view kNoName = "Не указано название теста...";
constexpr std::string_view kNameShown = "Название теста - ";
constexpr std::string_view kNoType =
    "Не указан тип теста (нужно либо \"много вариантов ответа\" либо \"один вариант ответа\") ...";
constexpr std::string_view kBadType =
    "Неправильно указан тип теста (нужно либо \"много вариантов ответа\" либо \"один вариант ответа\") ...";
constexpr std::string_view kNoLevel = "Не указан уровень теста (нужно либо \"1\" либо \"2\") ...";
constexpr std::string_view kBadLevel = "Неправильно указан уровень теста (нужно либо \"1\" либо \"2\") ...";
constexpr std::string_view kNoVariants = "Не указано количество вариантов теста ...";
constexpr std::string_view kBadVariants = "Неправильно указано количество вариантов теста (нужно от 1 до ";
constexpr std::string_view kNoQuestions = "Не указано количество вопросов теста ...";
constexpr std::string_view kBadQuestions = "Неправильно указано количество вопросов теста (нужно от 1 до ";
constexpr std::string_view kBadCountEnd = ") ...";
constexpr std::string_view kNoGrades = "Не указан уровень оценок теста ...";
constexpr std::string_view kBadGrades = "Неправильно указаны уровни оценок теста: сейчас оценка 3-";
constexpr std::string_view kBadGrades4 = "%, оценка 4-";
constexpr std::string_view kBadGrades5 = "%, оценка 5-";
constexpr std::string_view kBadGradesEnd = "%...";
constexpr std::string_view kQuestionsStart = "Проверка вопросов-ответов:";
constexpr std::string_view kQuestionsSkipped =
    "Проверка вопросов-ответов пропущена, так как неправильно задано количество вопросов и/или "
    "вариантов теста";
constexpr std::string_view kEmptyQuestion = "Не заполнен вопрос №";
constexpr std::string_view kNoQuestionText = "Нет вопроса №";
constexpr std::string_view kOnQuestion = "На вопрос №";
constexpr std::string_view kInVariant = " в варианте №";
constexpr std::string_view kInFile = " (в файле это вопрос - ";
constexpr std::string_view kPositionEnd = ") ";
constexpr std::string_view kNotFiveOptions = "нет пяти вариантов ответа (есть ";
constexpr std::string_view kNotFiveOptionsEnd = " вариант(а))....";
constexpr std::string_view kNoCorrect = "нет ни одного правильного ответа ....";
constexpr std::string_view kErrorsFound = "При проверке вопросов-ответов найдено ";
constexpr std::string_view kErrorsFoundEnd = " ошибок (ошибки)";
constexpr std::string_view kPassed = "Пройдена успешно...";
} // namespace msg

// Question checks stop after the variant in which the count passes this.
constexpr int kErrorCap = 100;

std::string concat(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts)
        text += part;
    return text;
}

// The count lines name the bound the check holds the count to.
std::string countOutOfRange(std::string_view start, int maximum) {
    return concat({start, std::to_string(maximum), msg::kBadCountEnd});
}

// The type names compared with the file's bytes, encoded once per program.
struct TypeNames {
    std::string many = utf8ToCp1251(tf::kTypeMany);
    std::string one = utf8ToCp1251(tf::kTypeOne);
};

const TypeNames& typeNames() {
    static const TypeNames names;
    return names;
}

// The header rules in report order. Values are compared as the file's bytes;
// only what goes into a report line is converted.
class HeaderChecker {
public:
    explicit HeaderChecker(const tf::QuizFileValues& file) : file_(file) {}

    HeaderCheck run() {
        result_.stopped = !checkAll();
        return std::move(result_);
    }

private:
    std::string_view header(tf::HeaderKey key, std::string_view defaultValue = {}) const {
        return file_.header(key).value_or(defaultValue);
    }
    void add(std::string line) { result_.lines.push_back(std::move(line)); }
    void problem(std::string line) {
        result_.problems.push_back(line);
        add(std::move(line));
    }

    // False when a number that the rest depends on is missing: the check
    // stops there, without a separator.
    bool checkAll() {
        using Key = tf::HeaderKey;
        if (header(Key::Subject).empty())
            problem(std::string(msg::kNoSubject));

        const std::string_view name = header(Key::Name);
        if (name.empty())
            problem(std::string(msg::kNoName));
        else
            add(concat({msg::kNameShown, "\"", printableName(cp1251ToUtf8(name)), "\""}));

        // A missing key passes through the default; an empty one does not.
        const std::string_view type = header(Key::Type, typeNames().many);
        if (type.empty()) {
            problem(std::string(msg::kNoType));
        } else {
            const std::string lower = cp1251ToLower(type);
            if (lower != typeNames().many && lower != typeNames().one)
                problem(std::string(msg::kBadType));
        }

        const std::string_view level = header(Key::Level);
        if (level.empty())
            problem(std::string(msg::kNoLevel));
        else if (level != "1" && level != "2")
            problem(std::string(msg::kBadLevel));

        if (!readCount(Key::Variants, msg::kNoVariants, msg::kBadVariants, tf::kCheckMaxVariants,
                       result_.variants))
            return false;
        if (!readCount(Key::Questions, msg::kNoQuestions, msg::kBadQuestions, tf::kCheckMaxQuestions,
                       result_.questions))
            return false;
        return checkGrades();
    }

    bool readCount(tf::HeaderKey key, std::string_view missing, std::string_view outOfRange, int maximum,
                   int& count) {
        const std::optional<std::int32_t> value = tryStrToInt(header(key));
        if (!value) {
            problem(std::string(missing));
            return false;
        }
        count = *value;
        if (count < 1 || count > maximum)
            problem(countOutOfRange(outOfRange, maximum));
        return true;
    }

    bool checkGrades() {
        const std::string_view t5 = header(tf::HeaderKey::Grade5);
        const std::string_view t4 = header(tf::HeaderKey::Grade4);
        const std::string_view t3 = header(tf::HeaderKey::Grade3);
        const auto g5 = tryStrToInt(t5);
        const auto g4 = tryStrToInt(t4);
        const auto g3 = tryStrToInt(t3);
        if (!g5 || !g4 || !g3) {
            problem(std::string(msg::kNoGrades));
            return false;
        }
        if (!(1 <= *g3 && *g3 < *g4 && *g4 < *g5 && *g5 <= 100))
            problem(concat({msg::kBadGrades, cp1251ToUtf8(t3), msg::kBadGrades4, cp1251ToUtf8(t4),
                            msg::kBadGrades5, cp1251ToUtf8(t5), msg::kBadGradesEnd}));
        return true;
    }

    const tf::QuizFileValues& file_;
    HeaderCheck result_;
};

// A file's section of the report: its heading, the header's lines, the
// question checks, the verdict.
class FileChecker {
public:
    explicit FileChecker(const tf::QuizFileValues& file) : file_(file) {}

    FileCheck run(std::string_view path, bool printOnlyDamaged) {
        add(concat({msg::kHeadingStart, "\"", printableName(path), "\"", msg::kHeadingEnd}));
        HeaderCheck header = checkHeader(file_);
        const std::size_t headerProblems = header.problems.size();
        for (std::string& line : header.lines)
            add(std::move(line));
        if (header.stopped)
            return finish(false);
        int questionErrors = 0;
        if (header.questionsChecked()) {
            add(std::string(msg::kQuestionsStart));
            questionErrors =
                checkQuestions(file_, header, result_.lines,
                               [this](QuestionPosition at, QuestionVerdict verdict, std::size_t) {
                                   result_.lineQuestions.resize(result_.lines.size(), at);
                                   if (verdict != QuestionVerdict::Passes && !result_.firstError)
                                       result_.firstError = at;
                               });
            add(questionErrors > 0
                    ? concat({msg::kErrorsFound, std::to_string(questionErrors), msg::kErrorsFoundEnd})
                    : std::string(msg::kPassed));
        } else {
            add(std::string(msg::kQuestionsSkipped));
        }
        add(separatorLine());
        const bool passed = headerProblems == 0 && questionErrors == 0;
        if (passed && printOnlyDamaged) {
            result_.lines.clear();
            result_.lineQuestions.clear();
        }
        return finish(passed);
    }

private:
    void add(std::string line) {
        result_.lines.push_back(std::move(line));
        result_.lineQuestions.emplace_back();
    }
    FileCheck finish(bool passed) {
        result_.passed = passed;
        return std::move(result_);
    }

    const tf::QuizFileValues& file_;
    FileCheck result_;
};

} // namespace

const std::string& separatorLine() {
    static const std::string line(kSeparatorWidth, '-');
    return line;
}

bool HeaderCheck::questionsChecked() const {
    return !stopped && variants >= 1 && variants <= tf::kCheckMaxVariants && questions >= 1 &&
           questions <= tf::kCheckMaxQuestions;
}

HeaderCheck checkHeader(const tf::QuizFileValues& file) {
    return HeaderChecker(file).run();
}

QuestionVerdict checkQuestion(const tf::QuestionRecord& record, QuestionPosition at,
                              std::vector<std::string>& lines, int& errors) {
    const std::string& question = record.question;
    std::array<std::string_view, tf::kAnswerCount> correct;
    const tf::AnswerTexts& options = record.options;
    int correctCount = 0;
    int optionCount = 0;
    for (int i = 0; i < tf::kAnswerCount; ++i) {
        if (record.correct[i])
            correct[i] = *record.correct[i];
        correctCount += !correct[i].empty();
        optionCount += !options[i].empty();
    }
    // Only the first C keys take part: the non-empty ones when the
    // answers are stored from №1 on without gaps.
    bool match = false;
    for (int i = 0; i < correctCount && !match; ++i)
        for (const std::string& option : options)
            match = match || correct[i] == option;

    const auto position = [&] {
        return concat({std::to_string(at.question), msg::kInVariant, std::to_string(at.variant), msg::kInFile,
                       std::to_string(tf::sectionNumber(at.variant, at.question)), msg::kPositionEnd});
    };
    const auto error = [&](std::string line) {
        lines.push_back(std::move(line));
        ++errors;
    };
    if (question.empty() && optionCount == 0 && !match) {
        error(concat({msg::kEmptyQuestion, position()}));
        return QuestionVerdict::Empty;
    }
    const int before = errors;
    if (question.empty())
        error(concat({msg::kNoQuestionText, position()}));
    if (optionCount != tf::kAnswerCount) {
        lines.push_back(concat({msg::kOnQuestion, position()}));
        error(concat({msg::kNotFiveOptions, std::to_string(optionCount), msg::kNotFiveOptionsEnd}));
    }
    if (!match) {
        lines.push_back(concat({msg::kOnQuestion, position()}));
        error(std::string(msg::kNoCorrect));
    }
    return errors > before ? QuestionVerdict::Faulty : QuestionVerdict::Passes;
}

int checkQuestions(const tf::QuizFileValues& file, const HeaderCheck& header, std::vector<std::string>& lines,
                   const QuestionVisit& visit) {
    // One record per thread, reused by every question: its strings keep their memory.
    thread_local tf::QuestionRecord record;
    int errors = 0;
    for (int k = 1; k <= header.variants; ++k) {
        for (int l = 1; l <= header.questions; ++l) {
            file.question(k, l, tf::TextEncoding::FileBytes, record);
            const std::size_t firstLine = lines.size();
            const QuestionVerdict verdict = checkQuestion(record, {k, l}, lines, errors);
            visit({k, l}, verdict, firstLine);
        }
        if (errors > kErrorCap)
            break;
    }
    return errors;
}

FileCheck checkQuizFile(std::string_view path, bool printOnlyDamaged) {
    if (path.empty())
        return FileCheck{{std::string(msg::kNoFile)}, {std::nullopt}, false, std::nullopt};
    // One reader per thread: its tables keep their memory from file to file.
    // A file that is missing or cannot be read reads as if every key were absent.
    thread_local tf::QuizFileValues file;
    file.read(std::string(path));
    FileCheck result = FileChecker(file).run(path, printOnlyDamaged);
    file.release();
    return result;
}

} // namespace quizloom::check
