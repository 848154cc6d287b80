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

void EditingSession::setMark(int k, bool checked) {
    form_.marks[k] = checked;
}

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
    options_ = {settings.flags[0], settings.flags[1], settings.flags[2], settings.flags[3],
                settings.overviewShown};
}

void EditingSession::resolveWorkDir(const std::string& currentDir) {
    workDir_ = quizloom::resolveWorkDir(workDir_, currentDir);
}

void EditingSession::saveSettings(const std::string& settingsPath) const {
    ProgramSettings settings;
    settings.workDir = workDir_;
    settings.flags = {options_.oneQuiz, options_.printOnlyDamaged, options_.simplified, options_.psychoTest};
    settings.overviewShown = options_.overviewShown;
    quizloom::saveSettings(settingsPath, settings);
}

void EditingSession::changeWorkDir(const std::string& chosenFilePath) {
    workDir_ = directoryPart(chosenFilePath);
    reportFolder_ = workDir_;
    fillQuizList();
    selectFirstEntry();
    selectQuiz();
}

void EditingSession::fillQuizList() {
    bank_.scan(workDir_);
    picker_ = {};
}

void EditingSession::selectFirstEntry() {
    picker_ = bank_.empty() ? Picker{} : Picker{bank_.pickerName(bank_.pickerOrder()[0]), 0};
}

std::optional<std::size_t> EditingSession::resolvePick(std::string_view text, int position,
                                                       bool typed) const {
    if (bank_.empty())
        return std::nullopt;
    const auto nameAt = [this](int p) -> std::string {
        return bank_.pickerName(bank_.pickerOrder()[static_cast<std::size_t>(p)]);
    };
    const bool listedPosition = position >= 0 && position < static_cast<int>(bank_.size());
    // A test without a name is picked by its entry like any other, so that
    // a save never goes into a file whose question is not shown.
    if (text.empty() && !(listedPosition && !typed && nameAt(position).empty()))
        return std::nullopt;
    const int firstWithText = bank_.firstPositionNamed(text);
    if (firstWithText < 0)
        return std::nullopt; // a partly typed name does nothing
    // A picked entry is the selection itself; a typed name picks its first
    // entry, also when the selection is a later entry of the same name.
    int chosen = position;
    if (typed || !listedPosition || nameAt(chosen) != text)
        chosen = firstWithText;
    return bank_.pickerOrder()[static_cast<std::size_t>(chosen)];
}

void EditingSession::pickQuiz(std::string_view text, int position, bool typed) {
    const std::optional<std::size_t> index = resolvePick(text, position, typed);
    picker_ = {std::string(text), position};
    if (!index)
        return;
    makeCurrent(*index);
    showQuestion();
}

void EditingSession::restorePicker() {
    if (bank_.hasCurrent())
        makeCurrent(static_cast<std::size_t>(bank_.current()));
}

bool EditingSession::unsavedEdits() const {
    if (!editMode_ || form_.marks != savedForm_.marks)
        return editMode_;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const Field field = static_cast<Field>(i);
        // Moving to another position is navigation, not an edit.
        if (field != Field::NumVar && field != Field::NumQue && form_[field] != savedForm_[field])
            return true;
    }
    return false;
}

void EditingSession::dropEdits() {
    const QuestionForm position = form_;
    form_ = savedForm_;
    form_[Field::NumVar] = position[Field::NumVar];
    form_[Field::NumQue] = position[Field::NumQue];
    answerLayout_ = savedLayout_;
}

void EditingSession::markSaved() {
    savedForm_ = form_;
    savedLayout_ = answerLayout_;
}

std::string EditingSession::shownSection() const {
    return quiz::sectionName(strToInt(form_[Field::NumVar]), strToInt(form_[Field::NumQue]));
}

void EditingSession::makeCurrent(std::size_t index) {
    bank_.setCurrent(static_cast<int>(index));
    picker_ = {bank_.pickerName(index), bank_.positionOf(index)};
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
    copied_ = true;
    copyBuffer_ = snapshot();
}

void EditingSession::pasteQuestion() {
    switchView(false);
    // Before any copy there is nothing to paste: an empty buffer would
    // empty the question, and the next save would store that.
    if (!copied_)
        return;
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
