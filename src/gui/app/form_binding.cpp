#include "gui/app/form_binding.h"

#include "core/text/printable.h"

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
#include <QStandardItemModel>

#include "gui/app/window_state.h"
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

// Menus: NF "Файл", N6 "Опции", NView "Вид", About "Справка".
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
    {&Form::MenuExport, &TFormQuizloom::MenuExportClick},       // export to a platform's format
    {&Form::MenuImport, &TFormQuizloom::MenuImportClick},       // import into a new test
    {&Form::MenuPrint, &TFormQuizloom::MenuPrintClick},         // the test on paper
    {&Form::MenuOverview, &TFormQuizloom::MenuOverviewClick},   // the question overview panel
    {&Form::MenuFind, &TFormQuizloom::MenuFindClick},           // search in the tests
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
    // Not blocked: the field's validator learns the program's text from the
    // change signal (the handler finds the session holding it already).
    edit->setText(text);
    // A long text is shown from its beginning, not scrolled to its end.
    if (!edit->hasFocus())
        edit->setCursorPosition(0);
}

} // namespace

FormBinding::FormBinding(TFormQuizloom& window, Ui::TFormQuizloom& ui,
                         quizloom::editor::EditingSession& session, const std::array<QLabel*, 3>& panels)
    : window_(window), ui_(ui), session_(session), panels_(panels) {}

void FormBinding::connectHandlers() {
    auto guard = [this](Handler handler) {
        return [this, handler] { window_.guarded([&] { (window_.*handler)(); }); };
    };
    for (const FieldBinding& binding : kFields) {
        QLineEdit* edit = ui_.*binding.edit;
        if (binding.handler)
            QObject::connect(edit, &QLineEdit::textChanged, &window_, guard(binding.handler));
        else
            QObject::connect(edit, &QLineEdit::textChanged, &window_, [this, field = binding.field] {
                window_.guarded([&] { fieldChanged(field); });
            });
    }
    for (int k = 0; k < quizloom::quiz::kAnswerCount; ++k)
        QObject::connect(ui_.*kMarks[k], &QCheckBox::toggled, &window_,
                         [this, k](bool checked) { window_.guarded([&] { session_.setMark(k, checked); }); });
    // Texts the program sets into the combo boxes run no handler, but they
    // are the boxes' texts all the same.
    QObject::connect(ui_.EditType->lineEdit(), &QLineEdit::textChanged, &window_,
                     [this](const QString& text) {
                         if (session_.editMode())
                             session_.setText(Field::Type, text.toStdString());
                         else
                             render(); // read only: a pick from the list is taken back
                     });
    const auto notePicker = [this] {
        session_.setPicker(ui_.BoxSubject->currentText().toStdString(), ui_.BoxSubject->currentIndex());
    };
    QObject::connect(ui_.BoxSubject->lineEdit(), &QLineEdit::textChanged, &window_, notePicker);
    QObject::connect(ui_.BoxSubject, &QComboBox::currentIndexChanged, &window_, notePicker);
    for (const auto& wire : kUserChanges) {
        QComboBox* box = ui_.*wire.control;
        QObject::connect(box->lineEdit(), &QLineEdit::textEdited, &window_, guard(wire.handler));
        // An entry picked from the list is no typed text. The box keeps its
        // edit's "typed" mark when the entry reads like the text typed
        // before, so it is cleared here, ahead of the handler.
        QObject::connect(box, &QComboBox::activated, box->lineEdit(),
                         [box] { box->lineEdit()->setModified(false); });
        QObject::connect(box, &QComboBox::activated, &window_, guard(wire.handler));
    }
    for (const auto& wire : kModeClicks) {
        auto run = guard(wire.handler);
        QObject::connect(ui_.*wire.control, &QRadioButton::toggled, &window_, [run](bool checked) {
            if (checked)
                run();
        });
    }
    for (const auto& wire : kButtonClicks)
        QObject::connect(ui_.*wire.control, &QPushButton::clicked, &window_, guard(wire.handler));
    for (const auto& wire : kMenuCommands)
        QObject::connect(ui_.*wire.control, &QAction::triggered, &window_, guard(wire.handler));
    for (const OptionBinding& option : kOptions)
        QObject::connect(ui_.*option.item, &QAction::toggled, &window_,
                         [this, flag = option.flag](bool checked) { session_.options().*flag = checked; });
    QObject::connect(ui_.Memo1, &QPlainTextEdit::textChanged, &window_, guard(&TFormQuizloom::Memo1Change));
}

void FormBinding::fieldChanged(Field field) {
    for (const FieldBinding& binding : kFields)
        if (binding.field == field)
            session_.setText(field, (ui_.*binding.edit)->text().toStdString());
}

void FormBinding::render() {
    const bool edit = session_.editMode();
    for (const FieldBinding& binding : kFields) {
        QLineEdit* field = ui_.*binding.edit;
        // In read mode nothing typed could be kept; the position stays free.
        field->setReadOnly(!edit && binding.field != Field::NumVar && binding.field != Field::NumQue);
        const QString text = qs(session_.text(binding.field));
        if (field->text() != text)
            showWhole(field, text);
    }
    if (const QString type = qs(session_.text(Field::Type)); ui_.EditType->currentText() != type) {
        const QSignalBlocker block(ui_.EditType->lineEdit());
        ui_.EditType->setEditText(type);
    }
    const bool options = session_.answerLayout() == 1;
    for (int k = 0; k < quizloom::quiz::kAnswerCount; ++k) {
        QCheckBox* mark = ui_.*kMarks[k];
        const QSignalBlocker block(mark);
        mark->setChecked(session_.form().marks[k]);
        mark->setVisible(options);
        mark->setEnabled(options);
        mark->setAttribute(Qt::WA_TransparentForMouseEvents, !edit);
        mark->setFocusPolicy(edit ? Qt::StrongFocus : Qt::NoFocus);
    }
    ui_.EditType->lineEdit()->setReadOnly(!edit);
    ui_.LabelRigth->setVisible(options);
    ui_.LabelRigth->setEnabled(options);
    ui_.GroupVar->setTitle(options ? QStringLiteral("Варианты ответа")
                                   : QStringLiteral("Правильные варианты ответа"));
    if (!session_.sectionCaption().empty())
        ui_.LabelQue->setText(qs(session_.sectionCaption()));
    panels_[2]->setText(qs(quizloom::printableName(session_.statusPath())));

    for (QRadioButton* radio : {ui_.RadioButtonRead, ui_.RadioButtonEdit}) {
        const QSignalBlocker block(radio);
        radio->setChecked(edit == (radio == ui_.RadioButtonEdit));
    }
    ui_.BtnSave->setEnabled(edit);
    ui_.MenuSave->setEnabled(edit);
    ui_.InsFromBuf->setEnabled(session_.canPaste());
    ui_.InsertCancel->setEnabled(session_.pasteUndoAvailable());
    ui_.MenuPrint->setEnabled(session_.bank().hasCurrent());
    window_.setWindowModified(session_.unsavedEdits());
    for (const OptionBinding& option : kOptions) {
        const QSignalBlocker block(ui_.*option.item);
        (ui_.*option.item)->setChecked(session_.options().*option.flag);
    }
    ui_.MenuOverview->setChecked(session_.options().overviewShown);
    renderPicker();
    if (session_.reportGeneration() != renderedReport_) {
        renderedReport_ = session_.reportGeneration();
        const QSignalBlocker block(ui_.Memo1);
        ui_.Memo1->setPlainText(qs(session_.reportText()));
    }
    renderView();
}

void FormBinding::renderPicker() {
    QComboBox* box = ui_.BoxSubject;
    const QSignalBlocker blockBox(box);
    const QSignalBlocker blockText(box->lineEdit());
    const quizloom::QuizBank& bank = session_.bank();
    if (bank.generation() != renderedBank_) {
        renderedBank_ = bank.generation();
        // Every entry carries the list index of its own test, so two tests
        // with one name each open their own file. The entries go into the
        // box's model in one change: one by one, a bank of a hundred tests
        // takes several times as long.
        QList<QStandardItem*> items;
        for (std::size_t index : bank.pickerOrder()) {
            auto* item = new QStandardItem(qs(bank.pickerName(index)));
            item->setData(static_cast<int>(index), Qt::UserRole);
            items.append(item);
        }
        auto* model = qobject_cast<QStandardItemModel*>(box->model());
        model->clear();
        model->appendColumn(items);
        box->setCurrentIndex(-1);
    }
    const quizloom::editor::Picker& picker = session_.picker();
    if (box->currentIndex() != picker.position)
        box->setCurrentIndex(picker.position);
    if (box->currentText() != qs(picker.text))
        box->setEditText(qs(picker.text));
}

void FormBinding::renderView() {
    const bool editor = session_.editorShown();
    if (editor == editorViewShown_)
        return;
    editorViewShown_ = editor;
    if (!editor) {
        ui_.Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        ui_.Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    } else {
        restoreWindow(window_);
    }
    // The report box sits in the client layout between the two panels, so
    // with both panels hidden it takes the whole client area. What goes is
    // hidden before what comes is shown: for a moment with both in the
    // layout the window would grow to hold them, and it does not shrink
    // back, which would push the button row down.
    const auto showPanels = [this, editor] {
        for (QWidget* panel : {static_cast<QWidget*>(ui_.Panel1), static_cast<QWidget*>(ui_.Panel2)}) {
            panel->setEnabled(editor);
            panel->setVisible(editor);
        }
    };
    const auto showReport = [this, editor] {
        ui_.Memo1->setVisible(!editor);
        ui_.Memo1->setEnabled(!editor);
    };
    if (editor) {
        showReport();
        showPanels();
    } else {
        showPanels();
        showReport();
    }
}
