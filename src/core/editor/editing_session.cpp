#include "core/editor/editing_session.h"

#include "core/text/int_conv.h"

namespace quizloom::editor {

quiz::AnswerTexts QuestionForm::answers() const {
    quiz::AnswerTexts answers;
    for (int k = 0; k < quiz::kAnswerCount; ++k)
        answers[k] = (*this)[answerField(k)];
    return answers;
}

void EditingSession::setText(Field field, std::string_view text) {
    std::string& stored = form_[field];
    if (stored == text)
        return;
    stored = text;
    if (!hasRule(field) || field == Field::Type)
        return;
    const HeaderField rule = headerField(field);
    const Field bound = field == Field::NumVar ? Field::MaxVar : Field::MaxQue;
    const bool bounded = field == Field::NumVar || field == Field::NumQue;
    // The corrected text stands by construction: applying the rule once is
    // what the field's nested change run amounts to.
    if (auto corrected = correctedFieldText(rule, stored, bounded ? form_[bound] : std::string()))
        stored = std::move(*corrected);
    if (field == Field::Level)
        layAnswerArea(strToInt(stored));
}

void EditingSession::enterType(std::string_view text) {
    form_[Field::Type] = text;
    if (auto corrected = correctedFieldText(HeaderField::Type, text))
        form_[Field::Type] = std::move(*corrected);
}

void EditingSession::setMark(int k, bool checked) { form_.marks[k] = checked; }

void EditingSession::layAnswerArea(int level) {
    // The marks were hidden and untouched at level 2; they must not reappear
    // as the marks of answers the user never saw marked.
    if (level == 1 && answerLayout_ != 1)
        form_.marks = {};
    answerLayout_ = level == 1 ? 1 : 2;
}

void EditingSession::switchView(bool report) {
    if (report == editorShown_)
        editorShown_ = !report;
}

void EditingSession::loadSettings(const std::string& settingsPath) {
    const ProgramSettings settings = quizloom::loadSettings(settingsPath);
    workDir_ = settings.workDir;
    options_ = {settings.flags[0], settings.flags[1], settings.flags[2], settings.flags[3]};
}

void EditingSession::resolveWorkDir(const std::string& currentDir) {
    workDir_ = quizloom::resolveWorkDir(workDir_, currentDir);
}

void EditingSession::saveSettings(const std::string& settingsPath) const {
    ProgramSettings settings;
    settings.workDir = workDir_;
    settings.flags = {options_.oneQuiz, options_.printOnlyDamaged, options_.simplified, options_.psychoTest};
    quizloom::saveSettings(settingsPath, settings);
}

void EditingSession::changeWorkDir(const std::string& chosenFilePath) {
    workDir_ = directoryPart(chosenFilePath);
    fillQuizList();
    selectFirstEntry();
    selectQuiz();
}

void EditingSession::fillQuizList() {
    bank_.scan(workDir_);
    picker_ = {};
}

void EditingSession::selectFirstEntry() {
    picker_ = bank_.empty() ? Picker{} : Picker{bank_.entry(bank_.pickerOrder()[0]).name, 0};
}

void EditingSession::pickQuiz(std::string_view text, int position, bool typed) {
    picker_ = {std::string(text), position};
    if (bank_.empty() || text.empty())
        return;
    const int firstWithText = bank_.firstPositionNamed(text);
    if (firstWithText < 0)
        return; // a partly typed name does nothing
    const auto nameAt = [this](int p) -> const std::string& {
        return bank_.entry(bank_.pickerOrder()[static_cast<std::size_t>(p)]).name;
    };
    // A picked entry is the selection itself; a typed name picks its first
    // entry, also when the selection is a later entry of the same name.
    int chosen = position;
    if (typed || chosen < 0 || chosen >= static_cast<int>(bank_.size()) || nameAt(chosen) != text)
        chosen = firstWithText;
    makeCurrent(bank_.pickerOrder()[static_cast<std::size_t>(chosen)]);
    showQuestion();
}

void EditingSession::makeCurrent(std::size_t index) {
    bank_.setCurrent(static_cast<int>(index));
    picker_ = {bank_.entry(index).name, bank_.positionOf(index)};
}

// The fields a copy takes, in buffer order.
constexpr Field kCopiedFields[] = {Field::Subject, Field::Type,     Field::Level,   Field::MaxVar,
                                   Field::MaxQue,  Field::Question, Field::Answer1, Field::Answer2,
                                   Field::Answer3, Field::Answer4,  Field::Answer5};

EditingSession::Snapshot EditingSession::snapshot() const {
    Snapshot shot;
    for (std::size_t i = 0; i < shot.texts.size(); ++i)
        shot.texts[i] = form_[kCopiedFields[i]];
    shot.marks = form_.marks;
    return shot;
}

// In buffer order, which is the order a paste sets them: each text runs its
// field's rule as typing would, so a new level lays the answer area out
// before the marks are set. The type is taken as it is.
void EditingSession::put(const Snapshot& shot) {
    for (std::size_t i = 0; i < shot.texts.size(); ++i)
        setText(kCopiedFields[i], shot.texts[i]);
    form_.marks = shot.marks;
}

void EditingSession::copyQuestion() {
    switchView(false);
    copyBuffer_ = snapshot();
}

void EditingSession::pasteQuestion() {
    switchView(false);
    pasteUndoAvailable_ = true;
    pasteUndoBuffer_ = snapshot();
    put(copyBuffer_);
}

void EditingSession::undoPaste() {
    switchView(false);
    if (pasteUndoAvailable_)
        put(pasteUndoBuffer_);
}

} // namespace quizloom::editor
