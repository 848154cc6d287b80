#pragma once
// The structure check of test files, without any GUI: the rules one test
// file must satisfy, turned into the lines of the check report, and the
// layout of a check run's report. The window's check run and quizloom-check
// are both built on it, so they report a bank in exactly the same words.
//
// All texts are UTF-8; the report file holds them in Windows-1251 with
// CR LF line ends (reportFileBytes). Numbers are plain decimal.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quizloom::quiz {
class QuizFileValues;
struct QuestionRecord;
} // namespace quizloom::quiz

namespace quizloom::check {

inline constexpr std::size_t kSeparatorWidth = 182;
inline constexpr std::string_view kReportFileName = "Результаты проверки тестов.txt";

// 182 hyphen-minus characters: closes every file's section and frames the summary.
const std::string& separatorLine();

struct QuestionPosition {
    int variant = 1;
    int question = 1;
    bool operator==(const QuestionPosition&) const = default;
};

// The findings for one test file.
struct FileCheck {
    // The file's section of the report, in order. Empty when the file passed
    // and only damaged files are reported.
    std::vector<std::string> lines;
    // For each line, the question it is about; nothing for a line about the
    // file as a whole.
    std::vector<std::optional<QuestionPosition>> lineQuestions;
    bool passed = false;
    // The first question (variant by variant, question by question) that
    // had an error; nothing when no question error was found.
    std::optional<QuestionPosition> firstError;
};

// Checks the test file at path (a test-list path, UTF-8) and only reads it.
// An empty path stands for "no test": the one line
// "Нет файла(ов) с тестом для проверки его структуры!!!", failed.
// A file that is missing or cannot be read reads as if every key were absent.
// printOnlyDamaged: the state of "Выводить статистику только для файлов с
// поврежденной структурой"; when set, a passing file leaves no lines.
FileCheck checkQuizFile(std::string_view path, bool printOnlyDamaged);

// --- The parts of a file's check, for readers that show one question ---

// The header part of a file's check.
struct HeaderCheck {
    // The report lines it gives after the file's heading line.
    std::vector<std::string> lines;
    // Those of them that are faults, in the same order (the test name's line
    // is not; a count that stops the check is).
    std::vector<std::string> problems;
    // A count ("Количество вариантов", "Количество вопросов") or a grade that
    // is not a whole number ends the check of the file there.
    bool stopped = false;
    int variants = 0;
    int questions = 0;
    // The question checks run: the counts are within what the check accepts.
    bool questionsChecked() const;
};
HeaderCheck checkHeader(const quiz::QuizFileValues& file);

enum class QuestionVerdict {
    Passes,
    Faulty,
    Empty, // no text, no option and no correct answer: "Не заполнен вопрос №..."
};

// The rules of one question: record holds its section as the file's bytes
// (TextEncoding::FileBytes), at its place in the test. Appends its report
// lines (none when it passes) to lines; errors grows by the errors counted.
QuestionVerdict checkQuestion(const quiz::QuestionRecord& record, QuestionPosition at,
                              std::vector<std::string>& lines, int& errors);

// Called for each question the check of a file examines, after its lines
// (from firstLine on) were appended.
using QuestionVisit =
    std::function<void(QuestionPosition at, QuestionVerdict verdict, std::size_t firstLine)>;

// The question checks of a file whose header check let them run, as the
// check of the file makes them: variant by variant, question by question up
// to the header's counts, ending after a variant that took the errors past
// the cap. Returns the errors counted.
int checkQuestions(const quiz::QuizFileValues& file, const HeaderCheck& header,
                   std::vector<std::string>& lines, const QuestionVisit& visit);

// --- The layout of a run's report ---

// "Проверен один файл с тестами, найдено ошибок структур: <damaged>"
std::string oneQuizSummary(std::size_t damagedCount);
// "Проверено <count> файл(ов) с тестами, найдено ошибок структур: <damaged>"
std::string allFilesSummary(std::size_t testCount, std::size_t damagedCount);
// The four lines put on top of the report: empty, separator, summary, separator.
std::vector<std::string> reportTopLines(std::string summaryLine);
// The screen-only lines inserted after the top lines once the report file is
// written (never in the file): the announcement, a separator, an empty line.
std::string reportFileAnnouncement();
std::vector<std::string> screenOnlyLines();
// The progress of a run: "Проверено <checked> из <total>".
std::string progressLine(std::size_t checked, std::size_t total);
// The last line of a stopped run's report, in place of every summary:
// "Проверка прервана: проверено <checked> из <total> файл(ов)".
std::string stoppedRunLine(std::size_t checked, std::size_t total);

// Called after each file of a run, in list order, on the thread that called
// checkQuizzes (never on a worker): checked files so far and the number
// given. Returning false stops the run after that file; files that workers
// have checked ahead of it are dropped.
using RunProgress = std::function<bool(std::size_t checked, std::size_t total)>;

struct RunOptions {
    bool printOnlyDamaged = true; // "Выводить статистику только для файлов с поврежденной структурой"
    bool stopAtFirstDamaged = false; // "Упрощенный режим ...": later files are not examined
    // Files checked at the same time; 0 means one per processor core. The
    // result is the same for any number.
    unsigned workers = 1;
    RunProgress progress = {};
};

// A question error of a run: the test (index into the given paths) and the
// question in it.
struct QuestionFinding {
    std::size_t test = 0;
    QuestionPosition position;
    bool operator==(const QuestionFinding&) const = default;
};

// What a line of a run's report is about: a test (index into the given
// paths) or one of its questions.
struct LineOrigin {
    std::size_t test = 0;
    std::optional<QuestionPosition> question;
    bool operator==(const LineOrigin&) const = default;
};

struct RunResult {
    // The sections of the examined files in list order (no top lines).
    std::vector<std::string> sectionLines;
    // One for each of sectionLines; nothing for the line of a run without
    // a test ("Нет файла(ов) ...").
    std::vector<std::optional<LineOrigin>> sectionOrigins;
    std::size_t checkedCount = 0; // files examined (fewer than given only when stopped)
    std::size_t damagedCount = 0;
    // Index into the given paths of the first damaged file: the test the run
    // makes current. Nothing when every file passed.
    std::optional<std::size_t> firstDamaged;
    // The question the run opens: the first faulty question of that first
    // damaged file, or variant 1, question 1 when it has no question error
    // (or when nothing is damaged).
    QuestionPosition openPosition;
    // The first question error of the whole run in list order, which may lie
    // in a later file than firstDamaged when that one has header problems only.
    std::optional<QuestionFinding> firstQuestionError;
    // The progress callback asked to stop before the run was over (the last
    // file, or in the simplified mode the first damaged one, not reached).
    bool stopped = false;
};

// Checks the files in list order (all-files mode); each worker holds one
// file's content in memory at a time.
RunResult checkQuizzes(const std::vector<std::string>& paths, const RunOptions& options);

// The lines of the report file of an all-files run over testCount tests:
// the four top lines, then the sections.
std::vector<std::string> allFilesReport(const RunResult& run, std::size_t testCount);

// The report file's content: every line in Windows-1251 followed by CR LF.
std::string reportFileBytes(const std::vector<std::string>& lines);

} // namespace quizloom::check
