#pragma once
// The editing session: everything the editor holds between two events, as
// data, and every operation of the editor on it. The main window shows the
// session and passes events to it; tests drive it without a window.
//
// Field texts follow the rules of core/editor/field_rules.h: setting a
// header or position field runs its rule, so a text that does not stand is
// replaced at once, as in the window's fields. Texts are UTF-8.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bank/quiz_bank.h"
#include "core/bank/settings.h"
#include "core/checker/structure_check.h"
#include "core/editor/question_form.h"
#include "core/ini/profile_file.h"

namespace quizloom::exchange {
enum class Format;
struct ExportResult;
struct ImportResult;
} // namespace quizloom::exchange

namespace quizloom::editor {

// The option check marks of the menus: the first four in the order of
// kOptionFlags, then the view's own.
struct Options {
    bool oneQuiz = false;         // check only the current test
    bool printOnlyDamaged = true; // report only damaged files
    bool simplified = false;      // stop the check at the first damaged test and open it
    bool psychoTest = false;      // store questions without answers
    bool overviewShown = false;   // the question overview panel is up
};

// Which tests an export takes.
enum class ExportScope { CurrentTest, EveryTest };

// The test picker: its text and the position of its selected entry.
struct Picker {
    std::string text;
    int position = -1;
};

// The files and options of one check run, copied from the session when the
// run starts: run() reads nothing else, so it may go on another thread
// while the session waits for its result.
struct CheckJob {
    std::vector<std::string> paths;
    bool oneQuiz = false;
    bool printOnlyDamaged = true;
    bool simplified = false;
    // progress and workers as for check::checkQuizzes.
    check::RunResult run(check::RunProgress progress = {}, unsigned workers = 1) const;
};

// What a line of the report is about, for opening it.
struct ReportTarget {
    std::string path; // the test
    // One of its questions; nothing: the test as a whole.
    std::optional<check::QuestionPosition> question;
    bool operator==(const ReportTarget&) const = default;
};

class EditingSession {
public:
    // --- The form ---
    const QuestionForm& form() const { return form_; }
    const std::string& text(Field field) const { return form_[field]; }
    // A field's text changes, typed or set by the program: a header or
    // position field runs its rule. Nothing happens when the text is the same.
    void setText(Field field, std::string_view text);
    // The test type typed or picked by the user: its rule runs. (A type set
    // by the program, through setText, runs none.)
    void enterType(std::string_view text);
    void setMark(int k, bool checked);
    // 1: options with correct-answer marks; 2: the correct answers themselves.
    int answerLayout() const { return answerLayout_; }
    // "Номер вопроса в тесте: "<section>"", once a question was shown.
    const std::string& sectionCaption() const { return sectionCaption_; }
    // The file of the shown or saved test, for the status bar.
    const std::string& statusPath() const { return statusPath_; }

    // --- Unsaved edits ---
    // In edit mode: a question, answer, mark or header field differs from
    // what the last display or save put there.
    bool unsavedEdits() const;
    // The form as the last display or save left it.
    void dropEdits();
    // The section of the shown position ("203").
    std::string shownSection() const;

    // --- Mode, view, options ---
    bool editMode() const { return editMode_; }
    void setEditMode(bool edit) { editMode_ = edit; }
    bool editorShown() const { return editorShown_; }
    // To the report view (true) or the editor view; nothing when shown already.
    void switchView(bool report);
    Options& options() { return options_; }
    const Options& options() const { return options_; }

    // --- Settings and working directory ---
    const std::string& workDir() const { return workDir_; }
    void loadSettings(const std::string& settingsPath);
    void resolveWorkDir(const std::string& currentDir);
    void saveSettings(const std::string& settingsPath) const;
    // The folder of a chosen file becomes the working directory and its
    // first test is shown; the check report goes there from now on.
    void changeWorkDir(const std::string& chosenFilePath);
    // Where a check run writes its report file: the folder the program was
    // started in, then the folder of each file chosen to change the working
    // directory (where the file dialog opens next). Empty: the process's
    // current directory.
    const std::string& reportFolder() const { return reportFolder_; }
    void setReportFolder(std::string folder) { reportFolder_ = std::move(folder); }

    // --- Test list and picker ---
    const QuizBank& bank() const { return bank_; }
    const Picker& picker() const { return picker_; }
    void fillQuizList();
    void selectFirstEntry();
    // The picker's text and position changed (typed: the user typed the
    // text). A complete name makes its test current and shows it.
    void pickQuiz(std::string_view text, int position, bool typed);
    // The picker's text or position set without picking (nothing is shown).
    void setPicker(std::string text, int position) { picker_ = {std::move(text), position}; }
    // The test a pick would make current and show, if any.
    std::optional<std::size_t> resolvePick(std::string_view text, int position, bool typed) const;
    // The picker back at the current test's entry (a pick was called off).
    void restorePicker();
    // pickQuiz with the picker as it stands.
    void selectQuiz() { pickQuiz(picker_.text, picker_.position, false); }

    // --- The shown question ---
    void showQuestion();
    void saveQuestion();
    // Save, then one variant or question up (+1) or down (-1) within bounds.
    void stepVariant(int direction);
    void stepQuestion(int direction);
    // Makes the listed test at path current as picking it does and shows
    // question `at` of it (held to the test's bounds as navigation is), or
    // the position the fields hold when none; the editor view comes up. It
    // saves nothing: what a report line, a search result or an overview row
    // opens is asked about or saved first by the caller. False, and nothing
    // done, when no listed test has that path.
    bool openQuestion(const std::string& path, std::optional<check::QuestionPosition> at);

    // --- Copy and paste ---
    void copyQuestion();
    void pasteQuestion();
    void undoPaste();
    bool canPaste() const { return copied_; }
    bool pasteUndoAvailable() const { return pasteUndoAvailable_; }

    // --- New test ---
    std::string& rememberedQuizName() { return rememberedQuizName_; }
    std::string& rememberedFileName() { return rememberedFileName_; }
    // The path a new test of that file name takes; its folder is created.
    std::string prepareNewQuizPath(std::string_view fileName);
    // Writes the new test (after the backup of the file it replaces), makes
    // it current in edit mode and shows it.
    void createQuiz(const std::string& path, const std::string& name, bool replacing);
    // A test file just written at path (replaced: a listed file was
    // replaced) joins the list and becomes current; nothing is shown yet.
    void adoptQuiz(const std::string& path, const std::string& name, bool replaced);

    // --- Export and import ---
    // The files an export in that scope takes, in list order.
    std::vector<std::string> exportPaths(ExportScope scope) const;
    // Exports them in format; when anything was exported, the document
    // replaces the file at target (atomically). The result names what was
    // left out.
    exchange::ExportResult exportQuizzes(ExportScope scope, exchange::Format format,
                                         const std::string& target) const;
    // Writes an imported test to path (replacing: the file there is backed
    // up first), makes it current and shows question 1 of variant 1.
    void importQuiz(const std::string& path, const exchange::ImportResult& result, const std::string& name,
                    const std::string& subject, bool replacing);

    // Changes whenever what a test file holds may show otherwise: a display,
    // a save, a test written or made current.
    unsigned contentGeneration() const { return contentGeneration_; }

    // --- Check run ---
    const std::string& reportText() const { return reportText_; }
    // Changes with every new report text (a text set anew counts too).
    unsigned reportGeneration() const { return reportGeneration_; }
    // The report text changed in its box (typed there): the report view
    // comes up; the generation stays, the box holds the text already.
    void reportEdited(std::string text);
    // What line `line` (counted from 0) of the report text is about: a line
    // of a test's section names the test, a question's lines the question.
    // Nothing for the summary and every other line of the run's own, nor
    // for any line once the text was edited in its box.
    std::optional<ReportTarget> reportLineTarget(std::size_t line) const;
    // Checks the listed test at index ("no test" when none is there) and
    // appends its findings to the report; true when it passed.
    bool checkListedQuiz(int index);
    // The check run: one or every test, the report with its summary, the
    // report file, or in the simplified mode the first faulty question.
    // It is startCheck(), the job's run and finishCheck() in one go; a
    // window runs the job on another thread between the two halves.
    void runCheck();
    // Empties the report (the report view comes up) and takes what to check.
    CheckJob startCheck();
    // Applies the run of that job. A stopped run shows the sections of the
    // files checked and the line that says so; it writes no report file and
    // leaves the current test and the shown question as they were.
    void finishCheck(const CheckJob& job, const check::RunResult& run);

private:
    struct Snapshot {
        std::array<std::string, 11> texts; // subject, type, level, variants, questions, question, answers
        quiz::AnswerMarks marks{};
    };
    Snapshot snapshot() const;
    void put(const Snapshot& snapshot);
    void layAnswerArea(int level);
    using ReportOrigins = std::vector<std::optional<check::LineOrigin>>;
    // origins: one for each line of text from its first on (fewer: the rest
    // are about nothing); their tests index reportPaths_.
    void setReport(std::string text, ReportOrigins origins = {});
    void makeCurrent(std::size_t index);
    void step(Field number, Field maximum, int direction);
    // Shows the current test's header, then question `at` of it.
    void showAt(check::QuestionPosition at);
    void markSaved();
    // The question of the form from file, which is the current test's.
    void showFrom(const ProfileFile& file);
    // saveQuestion(); the file as written (released), or nothing when
    // nothing was saved.
    std::optional<ProfileFile> saveToFile();

    QuestionForm form_;
    int answerLayout_ = 1;
    std::string sectionCaption_;
    std::string statusPath_;
    bool editMode_ = false;
    bool editorShown_ = true;
    Options options_;
    std::string workDir_;
    std::string reportFolder_;
    QuizBank bank_;
    Picker picker_;
    QuestionForm savedForm_;
    int savedLayout_ = 1;
    // The file whose question the form shows: a save writes only there.
    std::string shownPath_;
    bool copied_ = false;
    Snapshot copyBuffer_;
    Snapshot pasteUndoBuffer_;
    bool pasteUndoAvailable_ = false;
    std::string rememberedQuizName_ = "Тестирование";
    std::string rememberedFileName_ = "Имя файла";
    std::string reportText_ = "Memo1";
    unsigned reportGeneration_ = 0;
    unsigned contentGeneration_ = 0;
    ReportOrigins reportOrigins_;
    std::vector<std::string> reportPaths_;
};

} // namespace quizloom::editor
