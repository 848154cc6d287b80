// Moving the current question between the window and its test file.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "gui/app/form_quizloom.h"
#include "core/ini/profile_file.h"
#include "core/quiz/question_record.h"
#include "core/text/int_conv.h"
#include "ui_form_quizloom.h"

namespace tf = quizloom::quiz;

namespace {

std::string textOf(const QLineEdit* edit) { return edit->text().toStdString(); }

int numberIn(const QLineEdit* edit) { return quizloom::strToInt(textOf(edit)); }

// A line edit cuts longer texts at its maximum length; a value read whole must
// be shown whole, or the next save would write it back shortened.
void showWhole(QLineEdit* edit, const std::string& utf8) {
    const QString text = QString::fromStdString(utf8);
    if (text.size() > edit->maxLength())
        edit->setMaxLength(static_cast<int>(text.size()));
    edit->setText(text);
    // A long text is shown from its beginning, not scrolled to its end.
    edit->setCursorPosition(0);
}

struct HeaderBinding {
    QLineEdit* Ui::TFormQuizloom::*edit;
    std::string_view key;
    std::string_view displayDefault;
    bool grade; // not written in psycho-test mode
};

// The single-line header fields in the order they are read; the type combo
// box sits between the discipline and the level and is handled apart, since
// a text set into it runs no rule.
constexpr HeaderBinding kSubject{&Ui::TFormQuizloom::EditDSubject, tf::kKeySubject, "физиология", false};
constexpr std::array kNumericHeader{
    HeaderBinding{&Ui::TFormQuizloom::EditNumLevel, tf::kKeyLevel, "1", false},
    HeaderBinding{&Ui::TFormQuizloom::EditMaxVar, tf::kKeyVariants, "5", false},
    HeaderBinding{&Ui::TFormQuizloom::EditMaxQue, tf::kKeyQuestions, "5", false},
    HeaderBinding{&Ui::TFormQuizloom::Edit_5, tf::kKeyGrade5, "95", true},
    HeaderBinding{&Ui::TFormQuizloom::Edit_4, tf::kKeyGrade4, "85", true},
    HeaderBinding{&Ui::TFormQuizloom::Edit_3, tf::kKeyGrade3, "75", true},
};

std::array<QLineEdit*, tf::kAnswerCount> answerFields(Ui::TFormQuizloom& ui) {
    return {ui.Edit1, ui.Edit2, ui.Edit3, ui.Edit4, ui.Edit5};
}

std::array<QCheckBox*, tf::kAnswerCount> answerMarks(Ui::TFormQuizloom& ui) {
    return {ui.CheckBox1, ui.CheckBox2, ui.CheckBox3, ui.CheckBox4, ui.CheckBox5};
}

tf::AnswerTexts answerTexts(Ui::TFormQuizloom& ui) {
    tf::AnswerTexts texts;
    const auto fields = answerFields(ui);
    for (int k = 0; k < tf::kAnswerCount; ++k)
        texts[k] = textOf(fields[k]);
    return texts;
}

} // namespace

bool TFormQuizloom::HasCurrentTest() const {
    return CurrentTest >= 0 && CurrentTest < TestCount &&
           static_cast<std::size_t>(CurrentTest) < TestPaths.size();
}

void TFormQuizloom::LayAnswerArea(int level) {
    const bool options = level == 1;
    const auto marks = answerMarks(*ui);
    // The marks were hidden and untouched at level 2; they must not reappear
    // as the marks of answers the user never saw marked.
    if (options && ui->LabelRigth->isHidden())
        for (QCheckBox* mark : marks)
            mark->setChecked(false);
    ui->LabelRigth->setVisible(options);
    ui->LabelRigth->setEnabled(options);
    for (QCheckBox* mark : marks) {
        mark->setVisible(options);
        mark->setEnabled(options);
    }
    ui->GroupVar->setTitle(options ? QStringLiteral("Варианты ответа")
                                   : QStringLiteral("Правильные варианты ответа"));
}

void TFormQuizloom::ShowQuestion() {
    if (!HasCurrentTest())
        return;
    PasteUndoAvailable = false;
    const int variant = numberIn(ui->EditNumVar);
    const int question = numberIn(ui->EditNumQue);
    const std::string& path = TestPaths[CurrentTest];
    quizloom::ProfileFile file(path);

    // Each text set here runs the field's rule before the next one is read.
    showWhole(ui->EditDSubject, file.readString(tf::kHeaderSection, kSubject.key, kSubject.displayDefault));
    ui->EditType->setEditText(
        QString::fromStdString(file.readString(tf::kHeaderSection, tf::kKeyType, tf::kTypeMany)));
    for (const HeaderBinding& field : kNumericHeader)
        showWhole((*ui).*field.edit, file.readString(tf::kHeaderSection, field.key, field.displayDefault));

    StatusPanels[2]->setText(QString::fromStdString(path));
    const std::string section = tf::sectionName(variant, question);
    ui->LabelQue->setText(QStringLiteral("Номер вопроса в тесте: \"%1\"").arg(QString::fromStdString(section)));
    const tf::QuestionRecord record = tf::readQuestionRecord(file, section);
    showWhole(ui->EditQue, record.question);

    const int level = numberIn(ui->EditNumLevel);
    const auto fields = answerFields(*ui);
    if (level == 1) {
        for (int k = 0; k < tf::kAnswerCount; ++k)
            showWhole(fields[k], record.options[k]);
        const tf::AnswerMarks marks = tf::marksFromCorrect(answerTexts(*ui), tf::correctUpToMissing(record));
        const auto boxes = answerMarks(*ui);
        for (int k = 0; k < tf::kAnswerCount; ++k)
            boxes[k]->setChecked(marks[k]);
    } else if (level == 2) {
        const tf::AnswerTexts shown = tf::level2Fields(record);
        for (int k = 0; k < tf::kAnswerCount; ++k)
            showWhole(fields[k], shown[k]);
    }
    LayAnswerArea(level);
}

void TFormQuizloom::SaveQuestion() {
    if (!ui->RadioButtonEdit->isChecked() || !HasCurrentTest())
        return;
    const int variant = numberIn(ui->EditNumVar);
    const int question = numberIn(ui->EditNumQue);
    const std::string& path = TestPaths[CurrentTest];
    const bool psychoTest = ui->NPsiTest->isChecked();
    quizloom::ProfileFile file(path);

    file.writeString(tf::kHeaderSection, kSubject.key, textOf(ui->EditDSubject));
    file.writeString(tf::kHeaderSection, tf::kKeyType, ui->EditType->currentText().toStdString());
    for (const HeaderBinding& field : kNumericHeader)
        if (!field.grade || !psychoTest)
            file.writeString(tf::kHeaderSection, field.key, textOf((*ui).*field.edit));
    StatusPanels[2]->setText(QString::fromStdString(path));

    const std::string section = tf::sectionName(variant, question);
    tf::QuestionRecord record;
    record.question = textOf(ui->EditQue);
    // Psycho-test mode stores no answer of any kind.
    const int level = psychoTest ? 0 : numberIn(ui->EditNumLevel);
    tf::StoredAnswers stored = tf::StoredAnswers::None;
    if (level == 1) {
        record.options = answerTexts(*ui);
        tf::AnswerMarks marks{};
        const auto boxes = answerMarks(*ui);
        for (int k = 0; k < tf::kAnswerCount; ++k)
            marks[k] = boxes[k]->isChecked();
        tf::setCorrect(record, tf::correctFromMarks(record.options, marks));
        stored = tf::StoredAnswers::OptionsAndCorrect;
    } else if (level == 2) {
        tf::setCorrect(record, tf::correctFromFields(answerTexts(*ui)));
        stored = tf::StoredAnswers::CorrectOnly;
    }
    tf::writeQuestionRecord(file, section, record, stored);
    file.release();
}

void TFormQuizloom::BtnSaveClick() { SaveQuestion(); }

void TFormQuizloom::MenuSaveClick() {
    SwitchView(false);
    SaveQuestion();
}
