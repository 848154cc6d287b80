#include "gui/app/form_quizloom.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "core/text/error_text.h"
#include "gui/app/form_look.h"
#include "gui/app/window_state.h"
#include "gui/editor/cp1251_validator.h"
#include "ui_form_quizloom.h"

using quizloom::editor::Field;

namespace {

using Form = Ui::TFormQuizloom;
using Handler = void (TFormQuizloom::*)();

// The binding of the form's fields to the session's, and the glossary of
// their names. A field's change handler runs on every change of its text,
// typed or set by the program (that is how its rule runs).
struct FieldBinding {
    QLineEdit* Form::*edit;
    Field field;
    Handler handler;
};
constexpr FieldBinding kFields[] = {
    {&Form::EditDSubject, Field::Subject, &TFormQuizloom::EditDSubjectChange}, // "Дисциплина"
    {&Form::EditNumLevel, Field::Level,
     &TFormQuizloom::EditNumLevelChange}, // "Уровень": 1 options, 2 free answers
    {&Form::EditMaxVar, Field::MaxVar, &TFormQuizloom::EditMaxVarChange}, // "Всего вариантов"
    {&Form::EditMaxQue, Field::MaxQue, &TFormQuizloom::EditMaxQueChange}, // "Всего вопросов" per variant
    {&Form::EditNumVar, Field::NumVar, &TFormQuizloom::EditNumVarChange}, // "Вариант" shown
    {&Form::EditNumQue, Field::NumQue, &TFormQuizloom::EditNumQueChange}, // "Номер вопроса" shown
    {&Form::Edit_5, Field::Grade5, &TFormQuizloom::Edit_5Change},         // % of correct answers for a 5
    {&Form::Edit_4, Field::Grade4, &TFormQuizloom::Edit_4Change},         // ... for a 4
    {&Form::Edit_3, Field::Grade3, &TFormQuizloom::Edit_3Change},         // ... for a 3
    {&Form::EditQue, Field::Question, nullptr},                           // the question text
    {&Form::Edit1, Field::Answer1, nullptr}, // answer option №1 (level 2: correct answer)
    {&Form::Edit2, Field::Answer2, nullptr},
    {&Form::Edit3, Field::Answer3, nullptr},
    {&Form::Edit4, Field::Answer4, nullptr},
    {&Form::Edit5, Field::Answer5, nullptr},
};
// CheckBox1..5: the correct-answer marks of options №1..5 (level 1 only).
constexpr QCheckBox* Form::*kMarks[] = {&Form::CheckBox1, &Form::CheckBox2, &Form::CheckBox3,
                                        &Form::CheckBox4, &Form::CheckBox5};

template <class Control> struct Wire {
    Control* Form::*control;
    Handler handler;
};

// Combo boxes react to the user only: typing or picking an entry.
constexpr Wire<QComboBox> kUserChanges[] = {
    {&Form::EditType, &TFormQuizloom::EditTypeChange},     // "Тип": one or many correct options
    {&Form::BoxSubject, &TFormQuizloom::BoxSubjectChange}, // the test picker, by "Название теста"
};

// A radio button's handler runs when it becomes checked.
constexpr Wire<QRadioButton> kModeClicks[] = {
    {&Form::RadioButtonRead, &TFormQuizloom::RadioButtonReadClick}, // read mode: nothing is saved
    {&Form::RadioButtonEdit, &TFormQuizloom::RadioButtonEditClick}, // edit mode: save and navigation write
};

constexpr Wire<QPushButton> kButtonClicks[] = {
    {&Form::BtnSave, &TFormQuizloom::BtnSaveClick},     // "Сохранить" the shown question
    {&Form::CancelBtn, &TFormQuizloom::CancelBtnClick}, // "Выход"
    {&Form::BtnPlus, &TFormQuizloom::BtnPlusClick},     // next variant (saves first)
    {&Form::BtnMinus, &TFormQuizloom::BtnMinusClick},   // previous variant (saves first)
    {&Form::BtnPlusQ, &TFormQuizloom::BtnPlusQClick},   // next question (saves first)
    {&Form::BtnMinusQ, &TFormQuizloom::BtnMinusQClick}, // previous question (saves first)
};

// Menus: NF "Файл", N6 "Опции", About "Справка".
constexpr Wire<QAction> kMenuCommands[] = {
    {&Form::NewTest, &TFormQuizloom::NewTestClick},             // new test file
    {&Form::MenuSave, &TFormQuizloom::MenuSaveClick},           // save the shown question
    {&Form::MenuChangeDir, &TFormQuizloom::MenuChangeDirClick}, // pick the working directory
    {&Form::NTesting, &TFormQuizloom::NTestingClick},           // structure check run
    {&Form::NClearStat, &TFormQuizloom::NClearStatClick},       // back from the report view
    {&Form::N3, &TFormQuizloom::N3Click},                       // exit
    {&Form::CopyToBuf, &TFormQuizloom::CopyToBufClick},         // copy the question with its header
    {&Form::InsFromBuf, &TFormQuizloom::InsFromBufClick},       // paste it
    {&Form::InsertCancel, &TFormQuizloom::InsertCancelClick},   // undo the paste
    {&Form::N2, &TFormQuizloom::N2Click},                       // About
};

// The option toggles: only their check marks, kept in the session.
struct OptionBinding {
    QAction* Form::*item;
    bool quizloom::editor::Options::*flag;
};
constexpr OptionBinding kOptions[] = {
    {&Form::NBoolOneTest, &quizloom::editor::Options::oneQuiz},           // check the current test only
    {&Form::NPrintStatMin, &quizloom::editor::Options::printOnlyDamaged}, // report damaged files only
    {&Form::NSimple, &quizloom::editor::Options::simplified},             // stop at the first damaged test
    {&Form::NPsiTest, &quizloom::editor::Options::psychoTest},            // questions without answers
};

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// A line edit cuts longer texts at its maximum length; a value read whole
// must be shown whole, or the next save would write it back shortened.
void showWhole(QLineEdit* edit, const QString& text) {
    if (text.size() > edit->maxLength())
        edit->setMaxLength(static_cast<int>(text.size()));
    const QSignalBlocker block(edit);
    edit->setText(text);
    // A long text is shown from its beginning, not scrolled to its end.
    if (!edit->hasFocus())
        edit->setCursorPosition(0);
}

} // namespace

TFormQuizloom::TFormQuizloom(QString settingsPath, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TFormQuizloom>()), dialogs_(dialogs),
      settingsPath_(std::move(settingsPath)), title_(applicationTitle()) {
    ui->setupUi(this);
    statusPanels_ = quizloom::createStatusPanels(*ui->StatusBar1);
    for (QComboBox* box : {ui->EditType, ui->BoxSubject}) {
        // A typed text is the box's text only: never completed from the
        // entries, never added to them.
        box->setCompleter(nullptr);
        box->setInsertPolicy(QComboBox::NoInsert);
    }
    // The title shows the modified marker while there are unsaved edits.
    setWindowTitle(windowTitle() + QStringLiteral("[*]"));
    quizloom::installCp1251Validators(*this);
    quizloom::applyFormLook(*this, *ui);
    connectHandlers();
    // Escape and Enter act from every control of the window, before the
    // control itself sees them.
    qApp->installEventFilter(this);
}

TFormQuizloom::~TFormQuizloom() = default;

QString TFormQuizloom::applicationTitle() {
    return QStringLiteral("Quizloom");
}

void TFormQuizloom::showError(const char* utf8Message) {
    dialogs_.errorBox(this, title_, QString::fromStdString(quizloom::errorBoxText(utf8Message)));
}

std::vector<std::string> TFormQuizloom::testNames() const {
    std::vector<std::string> names;
    for (const auto& entry : session_.bank().entries())
        names.push_back(entry.name);
    return names;
}

void TFormQuizloom::connectHandlers() {
    auto guard = [this](Handler handler) {
        return [this, handler] { guarded([&] { (this->*handler)(); }); };
    };
    for (const FieldBinding& binding : kFields) {
        QLineEdit* edit = ui.get()->*binding.edit;
        if (binding.handler)
            connect(edit, &QLineEdit::textChanged, this, guard(binding.handler));
        else
            connect(edit, &QLineEdit::textChanged, this,
                    [this, field = binding.field] { guarded([&] { fieldChanged(field); }); });
    }
    for (int k = 0; k < quizloom::quiz::kAnswerCount; ++k)
        connect(ui.get()->*kMarks[k], &QCheckBox::toggled, this,
                [this, k](bool checked) { guarded([&] { session_.setMark(k, checked); }); });
    // Texts the program sets into the combo boxes run no handler, but they
    // are the boxes' texts all the same.
    connect(ui->EditType->lineEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        if (session_.editMode())
            session_.setText(Field::Type, text.toStdString());
        else
            render(); // read only: a pick from the list is taken back
    });
    const auto notePicker = [this] {
        session_.setPicker(ui->BoxSubject->currentText().toStdString(), ui->BoxSubject->currentIndex());
    };
    connect(ui->BoxSubject->lineEdit(), &QLineEdit::textChanged, this, notePicker);
    connect(ui->BoxSubject, &QComboBox::currentIndexChanged, this, notePicker);
    for (const auto& wire : kUserChanges) {
        QComboBox* box = ui.get()->*wire.control;
        connect(box->lineEdit(), &QLineEdit::textEdited, this, guard(wire.handler));
        connect(box, &QComboBox::activated, this, guard(wire.handler));
    }
    for (const auto& wire : kModeClicks) {
        auto run = guard(wire.handler);
        connect(ui.get()->*wire.control, &QRadioButton::toggled, this, [run](bool checked) {
            if (checked)
                run();
        });
    }
    for (const auto& wire : kButtonClicks)
        connect(ui.get()->*wire.control, &QPushButton::clicked, this, guard(wire.handler));
    for (const auto& wire : kMenuCommands)
        connect(ui.get()->*wire.control, &QAction::triggered, this, guard(wire.handler));
    for (const OptionBinding& option : kOptions)
        connect(ui.get()->*option.item, &QAction::toggled, this,
                [this, flag = option.flag](bool checked) { session_.options().*flag = checked; });
    connect(ui->Memo1, &QPlainTextEdit::textChanged, this, guard(&TFormQuizloom::Memo1Change));
}

bool TFormQuizloom::settleUnsavedEdits() {
    if (!session_.unsavedEdits())
        return true;
    const QString question =
        QStringLiteral("Сохранить изменения в вопросе %1?").arg(qs(session_.shownSection()));
    switch (dialogs_.askSaveChanges(this, title_, question)) {
    case SaveChoice::Save:
        session_.saveQuestion(); // a failed save ends the action here
        return true;
    case SaveChoice::Discard:
        session_.dropEdits();
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

void TFormQuizloom::fieldChanged(Field field) {
    for (const FieldBinding& binding : kFields)
        if (binding.field == field)
            session_.setText(field, (ui.get()->*binding.edit)->text().toStdString());
}

void TFormQuizloom::render() {
    const bool edit = session_.editMode();
    for (const FieldBinding& binding : kFields) {
        QLineEdit* field = ui.get()->*binding.edit;
        // In read mode nothing typed could be kept; the position stays free.
        field->setReadOnly(!edit && binding.field != Field::NumVar && binding.field != Field::NumQue);
        const QString text = qs(session_.text(binding.field));
        if (field->text() != text)
            showWhole(field, text);
    }
    if (const QString type = qs(session_.text(Field::Type)); ui->EditType->currentText() != type) {
        const QSignalBlocker block(ui->EditType->lineEdit());
        ui->EditType->setEditText(type);
    }
    const bool options = session_.answerLayout() == 1;
    for (int k = 0; k < quizloom::quiz::kAnswerCount; ++k) {
        QCheckBox* mark = ui.get()->*kMarks[k];
        const QSignalBlocker block(mark);
        mark->setChecked(session_.form().marks[k]);
        mark->setVisible(options);
        mark->setEnabled(options);
        mark->setAttribute(Qt::WA_TransparentForMouseEvents, !edit);
        mark->setFocusPolicy(edit ? Qt::StrongFocus : Qt::NoFocus);
    }
    ui->EditType->lineEdit()->setReadOnly(!edit);
    ui->LabelRigth->setVisible(options);
    ui->LabelRigth->setEnabled(options);
    ui->GroupVar->setTitle(options ? QStringLiteral("Варианты ответа")
                                   : QStringLiteral("Правильные варианты ответа"));
    if (!session_.sectionCaption().empty())
        ui->LabelQue->setText(qs(session_.sectionCaption()));
    statusPanels_[2]->setText(qs(session_.statusPath()));

    for (QRadioButton* radio : {ui->RadioButtonRead, ui->RadioButtonEdit}) {
        const QSignalBlocker block(radio);
        radio->setChecked(edit == (radio == ui->RadioButtonEdit));
    }
    ui->BtnSave->setEnabled(edit);
    ui->MenuSave->setEnabled(edit);
    ui->InsFromBuf->setEnabled(session_.canPaste());
    ui->InsertCancel->setEnabled(session_.pasteUndoAvailable());
    setWindowModified(session_.unsavedEdits());
    for (const OptionBinding& option : kOptions) {
        const QSignalBlocker block(ui.get()->*option.item);
        (ui.get()->*option.item)->setChecked(session_.options().*option.flag);
    }
    renderPicker();
    if (session_.reportGeneration() != renderedReport_) {
        renderedReport_ = session_.reportGeneration();
        const QSignalBlocker block(ui->Memo1);
        ui->Memo1->setPlainText(qs(session_.reportText()));
    }
    renderView();
}

void TFormQuizloom::renderPicker() {
    QComboBox* box = ui->BoxSubject;
    const QSignalBlocker blockBox(box);
    const QSignalBlocker blockText(box->lineEdit());
    const quizloom::QuizBank& bank = session_.bank();
    if (bank.generation() != renderedBank_) {
        renderedBank_ = bank.generation();
        box->clear();
        // Every entry carries the list index of its own test, so two tests
        // with one name each open their own file.
        for (std::size_t index : bank.pickerOrder())
            box->addItem(qs(bank.entry(index).name), static_cast<int>(index));
        box->setCurrentIndex(-1);
    }
    const quizloom::editor::Picker& picker = session_.picker();
    if (box->currentIndex() != picker.position)
        box->setCurrentIndex(picker.position);
    if (box->currentText() != qs(picker.text))
        box->setEditText(qs(picker.text));
}

void TFormQuizloom::renderView() {
    const bool editor = session_.editorShown();
    if (editor == editorViewShown_)
        return;
    editorViewShown_ = editor;
    if (!editor) {
        ui->Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        ui->Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    } else {
        restoreWindow(*this);
    }
    // The report box sits in the client layout between the two panels, so
    // with both panels hidden it takes the whole client area. What goes is
    // hidden before what comes is shown: for a moment with both in the
    // layout the window would grow to hold them, and it does not shrink
    // back, which would push the button row down.
    const auto showPanels = [this, editor] {
        for (QWidget* panel : {static_cast<QWidget*>(ui->Panel1), static_cast<QWidget*>(ui->Panel2)}) {
            panel->setEnabled(editor);
            panel->setVisible(editor);
        }
    };
    const auto showReport = [this, editor] {
        ui->Memo1->setVisible(!editor);
        ui->Memo1->setEnabled(!editor);
    };
    if (editor) {
        showReport();
        showPanels();
    } else {
        showPanels();
        showReport();
    }
}
