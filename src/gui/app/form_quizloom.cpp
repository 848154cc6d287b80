#include "gui/app/form_quizloom.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "core/text/error_text.h"
#include "gui/app/application_setup.h"
#include "gui/app/form_binding.h"
#include "gui/app/form_look.h"
#include "gui/app/window_keys.h"
#include "gui/app/window_state.h"
#include "gui/checker/check_run_controller.h"
#include "gui/checker/report_lines.h"
#include "gui/editor/cp1251_validator.h"
#include "gui/exchange/exchange_controller.h"
#include "gui/overview/overview_controller.h"
#include "gui/print/print_controller.h"
#include "gui/search/search_controller.h"
#include "ui_form_quizloom.h"

using quizloom::editor::Field;

namespace {

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
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
    binding_ = std::make_unique<FormBinding>(*this, *ui, session_, statusPanels_);
    checkRun_ = std::make_unique<CheckRunController>(*this);
    print_ = std::make_unique<PrintController>(
        *this, dialogs_, title_, [this](const std::function<void()>& action) { guarded(action); });
    exchange_ = std::make_unique<ExchangeController>(*this);
    overview_ = new OverviewController(*this);
    search_ = new SearchController(*this, *overview_);
    reportLines_ = new ReportLines(*this);
    binding_->connectHandlers();
    session_.setReportFolder(QDir::currentPath().toStdString());
    qApp->installEventFilter(new WindowKeys(*this, *ui));
}

TFormQuizloom::~TFormQuizloom() = default;

void TFormQuizloom::render() {
    binding_->render();
    overview_->render();
}

void TFormQuizloom::fieldChanged(Field field) {
    binding_->fieldChanged(field);
}

bool TFormQuizloom::busy() const {
    return checkRun_->running();
}

QString TFormQuizloom::applicationTitle() {
    return quizloom::applicationTitle();
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
