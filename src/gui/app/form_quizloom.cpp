#include "gui/app/form_quizloom.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include "core/text/error_text.h"
#include "gui/app/form_look.h"
#include "gui/editor/cp1251_validator.h"
#include "ui_form_quizloom.h"

namespace {

using Form = Ui::TFormQuizloom;
using Handler = void (TFormQuizloom::*)();

template <class Control> struct Wire {
    Control* Form::*control;
    Handler handler;
};

// Single-line fields whose change rule runs on every change of the text,
// typed or set by the program.
constexpr Wire<QLineEdit> kFieldChanges[] = {
    {&Form::EditDSubject, &TFormQuizloom::EditDSubjectChange},
    {&Form::Edit_5, &TFormQuizloom::Edit_5Change},
    {&Form::Edit_4, &TFormQuizloom::Edit_4Change},
    {&Form::Edit_3, &TFormQuizloom::Edit_3Change},
    {&Form::EditMaxVar, &TFormQuizloom::EditMaxVarChange},
    {&Form::EditMaxQue, &TFormQuizloom::EditMaxQueChange},
    {&Form::EditNumLevel, &TFormQuizloom::EditNumLevelChange},
    {&Form::EditNumVar, &TFormQuizloom::EditNumVarChange},
    {&Form::EditNumQue, &TFormQuizloom::EditNumQueChange},
};

// Combo boxes react to the user only: typing or picking an entry.
constexpr Wire<QComboBox> kUserChanges[] = {
    {&Form::EditType, &TFormQuizloom::EditTypeChange},
    {&Form::BoxSubject, &TFormQuizloom::BoxSubjectChange},
};

// A radio button's handler runs when it becomes checked, by a click or by
// the program; clicking the checked one changes nothing.
constexpr Wire<QRadioButton> kModeClicks[] = {
    {&Form::RadioButtonRead, &TFormQuizloom::RadioButtonReadClick},
    {&Form::RadioButtonEdit, &TFormQuizloom::RadioButtonEditClick},
};

constexpr Wire<QPushButton> kButtonClicks[] = {
    {&Form::BtnSave, &TFormQuizloom::BtnSaveClick},
    {&Form::CancelBtn, &TFormQuizloom::CancelBtnClick},
    {&Form::BtnPlus, &TFormQuizloom::BtnPlusClick},
    {&Form::BtnMinus, &TFormQuizloom::BtnMinusClick},
    {&Form::BtnPlusQ, &TFormQuizloom::BtnPlusQClick},
    {&Form::BtnMinusQ, &TFormQuizloom::BtnMinusQClick},
};

// The option toggles (NBoolOneTest, NPrintStatMin, NSimple, NPsiTest) only
// switch their own check marks and have no handler.
constexpr Wire<QAction> kMenuCommands[] = {
    {&Form::NewTest, &TFormQuizloom::NewTestClick},
    {&Form::MenuSave, &TFormQuizloom::MenuSaveClick},
    {&Form::MenuChangeDir, &TFormQuizloom::MenuChangeDirClick},
    {&Form::NTesting, &TFormQuizloom::NTestingClick},
    {&Form::NClearStat, &TFormQuizloom::NClearStatClick},
    {&Form::N3, &TFormQuizloom::N3Click},
    {&Form::CopyToBuf, &TFormQuizloom::CopyToBufClick},
    {&Form::InsFromBuf, &TFormQuizloom::InsFromBufClick},
    {&Form::InsertCancel, &TFormQuizloom::InsertCancelClick},
    {&Form::N2, &TFormQuizloom::N2Click},
};

struct StatusPanelLayout {
    const char* name;
    const char* text;
    int width; // 0: takes the rest of the bar
};
constexpr StatusPanelLayout kStatusPanels[] = {
    {"StatusPanel1", "Статус", 45},
    {"StatusPanel2", "Файл:", 42},
    {"StatusPanel3", "", 0},
};

} // namespace

TFormQuizloom::TFormQuizloom(QString settingsPath, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TFormQuizloom>()), dialogs_(dialogs),
      settingsPath_(std::move(settingsPath)),
      title_(applicationTitle(QCoreApplication::applicationFilePath())) {
    ui->setupUi(this);
    for (std::size_t i = 0; i < StatusPanels.size(); ++i) {
        const StatusPanelLayout& entry = kStatusPanels[i];
        auto* panel = new QLabel(QString::fromUtf8(entry.text), ui->StatusBar1);
        panel->setObjectName(QString::fromUtf8(entry.name));
        if (entry.width > 0) panel->setMinimumWidth(entry.width);
        ui->StatusBar1->addWidget(panel, entry.width > 0 ? 0 : 1);
        StatusPanels[i] = panel;
    }
    for (QComboBox* box : {ui->EditType, ui->BoxSubject}) {
        // A typed text is the box's text only: never completed from the
        // entries, never added to them.
        box->setCompleter(nullptr);
        box->setInsertPolicy(QComboBox::NoInsert);
    }
    quizloom::installCp1251Validators(*this);
    quizloom::applyFormLook(*this, *ui);
    connectHandlers();
    // Escape and Enter act from every control of the window, before the
    // control itself sees them.
    qApp->installEventFilter(this);
}

TFormQuizloom::~TFormQuizloom() = default;

QString TFormQuizloom::applicationTitle(const QString& executablePath) {
    QString name = QFileInfo(executablePath).fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0) name.truncate(dot);
    if (name.isEmpty()) return name;
    return name.left(1) + name.mid(1).toLower();
}

void TFormQuizloom::showError(const char* utf8Message) {
    dialogs_.errorBox(this, title_, QString::fromStdString(quizloom::errorBoxText(utf8Message)));
}

void TFormQuizloom::connectHandlers() {
    auto guard = [this](Handler handler) { return [this, handler] { guarded([&] { (this->*handler)(); }); }; };
    for (const auto& wire : kFieldChanges)
        connect(ui.get()->*wire.control, &QLineEdit::textChanged, this, guard(wire.handler));
    for (const auto& wire : kUserChanges) {
        QComboBox* box = ui.get()->*wire.control;
        connect(box->lineEdit(), &QLineEdit::textEdited, this, guard(wire.handler));
        connect(box, &QComboBox::activated, this, guard(wire.handler));
    }
    for (const auto& wire : kModeClicks) {
        auto run = guard(wire.handler);
        connect(ui.get()->*wire.control, &QRadioButton::toggled, this, [run](bool checked) {
            if (checked) run();
        });
    }
    for (const auto& wire : kButtonClicks)
        connect(ui.get()->*wire.control, &QPushButton::clicked, this, guard(wire.handler));
    for (const auto& wire : kMenuCommands)
        connect(ui.get()->*wire.control, &QAction::triggered, this, guard(wire.handler));
    connect(ui->Memo1, &QPlainTextEdit::textChanged, this, guard(&TFormQuizloom::Memo1Change));
}
