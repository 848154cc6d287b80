// Moving the shown question between the session's form and its test file.
#include <algorithm>

#include "core/editor/editing_session.h"
#include "core/editor/save_checks.h"
#include "core/ini/profile_file.h"
#include "core/ini/profile_name.h"
#include "core/quiz/new_quiz_file.h"
#include "core/quiz/question_record.h"
#include "core/text/int_conv.h"

namespace quizloom::editor {

namespace {

struct HeaderKey {
    Field field;
    std::string_view key;
    std::string_view displayDefault;
    bool grade; // not written in psycho-test mode
};

// The header fields in the order a display sets and a save writes them.
// The type runs no rule when the program sets it.
constexpr HeaderKey kHeaderKeys[] = {
    {Field::Subject, quiz::kKeySubject, "физиология", false},
    {Field::Type, quiz::kKeyType, quiz::kTypeMany, false},
    {Field::Level, quiz::kKeyLevel, "1", false},
    {Field::MaxVar, quiz::kKeyVariants, "5", false},
    {Field::MaxQue, quiz::kKeyQuestions, "5", false},
    {Field::Grade5, quiz::kKeyGrade5, "95", true},
    {Field::Grade4, quiz::kKeyGrade4, "85", true},
    {Field::Grade3, quiz::kKeyGrade3, "75", true},
};

} // namespace

// A display needs the header and one question section, so the file is read
// only as far as the end of that section. That is enough when the header
// comes before it, as the test's name, found in it, shows (every listed
// test has one); otherwise the whole file is read.
void EditingSession::showQuestion() {
    if (!bank_.hasCurrent())
        return;
    static const profile::Name header(quiz::kHeaderSection);
    static const profile::Name name(quiz::kKeyName);
    const std::string path = bank_.currentPath();
    const profile::Name section(
        quiz::sectionName(strToInt(form_[Field::NumVar]), strToInt(form_[Field::NumQue])));
    const ProfileFile head = ProfileFile::openUpToEndOf(path, section);
    if (head.findBytes(header, name))
        showFrom(head);
    else
        showFrom(ProfileFile(path));
}

void EditingSession::showFrom(const ProfileFile& file) {
    pasteUndoAvailable_ = false;
    const int variant = strToInt(form_[Field::NumVar]);
    const int question = strToInt(form_[Field::NumQue]);
    const std::string& path = file.path();

    // Each text set here runs the field's rule before the next one is read.
    for (const HeaderKey& header : kHeaderKeys)
        setText(header.field, file.readString(quiz::kHeaderSection, header.key, header.displayDefault));

    statusPath_ = path;
    const std::string section = quiz::sectionName(variant, question);
    sectionCaption_ = "Номер вопроса в тесте: \"" + section + "\"";
    const quiz::QuestionRecord record = quiz::readQuestionRecord(file, section);
    setText(Field::Question, record.question);

    const int level = strToInt(form_[Field::Level]);
    if (level == 1) {
        for (int k = 0; k < quiz::kAnswerCount; ++k)
            setText(answerField(k), record.options[k]);
        form_.marks = quiz::displayedMarks(record);
    } else if (level == 2) {
        const quiz::AnswerTexts shown = quiz::level2Fields(record);
        for (int k = 0; k < quiz::kAnswerCount; ++k)
            setText(answerField(k), shown[k]);
    }
    layAnswerArea(level);
    shownPath_ = path;
    markSaved();
    ++contentGeneration_;
}

void EditingSession::saveQuestion() {
    saveToFile();
}

std::optional<ProfileFile> EditingSession::saveToFile() {
    if (!editMode_ || !bank_.hasCurrent() || bank_.currentPath() != shownPath_)
        return std::nullopt;
    const int variant = strToInt(form_[Field::NumVar]);
    const int question = strToInt(form_[Field::NumQue]);
    const std::string path = bank_.currentPath();
    const bool psychoTest = options_.psychoTest;
    // Everything is checked before the first write: a save stores all of
    // the question or nothing.
    validateForSave(form_, !psychoTest && form_[Field::Level] == "1");
    std::optional<ProfileFile> file(std::in_place, path);

    for (const HeaderKey& header : kHeaderKeys)
        if (!header.grade || !psychoTest)
            file->writeString(quiz::kHeaderSection, header.key, form_[header.field]);
    statusPath_ = path;

    quiz::QuestionRecord record;
    record.question = form_[Field::Question];
    // Psycho-test mode stores no answer of any kind.
    const int level = psychoTest ? 0 : strToInt(form_[Field::Level]);
    quiz::StoredAnswers stored = quiz::StoredAnswers::None;
    if (level == 1) {
        record.options = form_.answers();
        quiz::setCorrect(record, quiz::correctFromMarks(record.options, form_.marks));
        stored = quiz::StoredAnswers::OptionsAndCorrect;
    } else if (level == 2) {
        quiz::setCorrect(record, quiz::correctFromFields(form_.answers()));
        stored = quiz::StoredAnswers::CorrectOnly;
    }
    quiz::writeQuestionRecord(*file, quiz::sectionName(variant, question), record, stored);
    file->release();
    markSaved();
    ++contentGeneration_;
    return file;
}

// Numbers are read before the save; setting the new number runs its field's
// rule, so a number above the bound shows the question the bound names.
// The display reads the file the save has just parsed and written, as it
// now stands on disk, instead of reading it again.
void EditingSession::step(Field number, Field maximum, int direction) {
    const int n = strToInt(form_[number]);
    const int m = strToInt(form_[maximum]);
    const std::optional<ProfileFile> saved = saveToFile();
    if (direction > 0 ? n >= m : n == 1)
        return;
    setText(number, std::to_string(static_cast<long long>(n) + (direction > 0 ? 1 : -1)));
    if (saved)
        showFrom(*saved);
    else
        showQuestion();
}

void EditingSession::stepVariant(int direction) {
    step(Field::NumVar, Field::MaxVar, direction);
}
void EditingSession::stepQuestion(int direction) {
    step(Field::NumQue, Field::MaxQue, direction);
}

std::string EditingSession::prepareNewQuizPath(std::string_view fileName) {
    std::string path = newquiz::quizFilePath(workDir_, fileName);
    newquiz::createFolder(workDir_);
    return path;
}

void EditingSession::createQuiz(const std::string& path, const std::string& name, bool replacing) {
    if (replacing)
        newquiz::moveToBackup(path);
    // The file is written and released before the list changes, so a write
    // that fails leaves the list, the picker and the shown test as they were.
    newquiz::writeNewQuizFile(path, name);
    adoptQuiz(path, name, replacing);
    editMode_ = true;
    showQuestion();
}

void EditingSession::adoptQuiz(const std::string& path, const std::string& name, bool replaced) {
    // A replaced file may be listed under its old name: the list is read
    // again so that every entry shows the name its file holds.
    if (replaced)
        bank_.rescanKeeping(workDir_, path);
    if (bank_.currentPath() != path)
        bank_.add(path, name);
    makeCurrent(static_cast<std::size_t>(bank_.current()));
    ++contentGeneration_;
}

// The test's header first, so that the position is held to that test's own
// numbers of variants and questions.
void EditingSession::showAt(check::QuestionPosition at) {
    showQuestion();
    setText(Field::NumVar, std::to_string(at.variant));
    setText(Field::NumQue, std::to_string(at.question));
    showQuestion();
}

bool EditingSession::openQuestion(const std::string& path, std::optional<check::QuestionPosition> at) {
    const std::vector<QuizEntry>& entries = bank_.entries();
    const auto entry = std::find_if(entries.begin(), entries.end(),
                                    [&](const QuizEntry& listed) { return listed.path == path; });
    if (entry == entries.end())
        return false;
    makeCurrent(static_cast<std::size_t>(entry - entries.begin()));
    if (at)
        showAt(*at);
    else
        showQuestion();
    switchView(false);
    return true;
}

} // namespace quizloom::editor
