#pragma once
// The main window: a view over the editing session. Each handler passes its
// event to the session and shows the result (render); the session holds the
// state. Handler names are the form's: control or menu item + event.
#include <QMainWindow>
#include <QString>
#include <array>
#include <atomic>
#include <string>
#include <vector>

#include "core/editor/editing_session.h"
#include "gui/app/dialogs.h"

class QLabel;
class FormBinding;
class CheckRunController;
class PrintController;
class ExchangeController;
class OverviewController;
class ReportLines;
class SearchController;
namespace Ui {
class TFormQuizloom;
}

class TFormQuizloom : public QMainWindow {
    Q_OBJECT
public:
    // settingsPath: the program settings file; dialogs: answers every dialog shown.
    TFormQuizloom(QString settingsPath, Dialogs& dialogs, QWidget* parent = nullptr);
    ~TFormQuizloom() override;

    // The application title, the caption of the error and message boxes:
    // the program's name, whatever its executable is called.
    static QString applicationTitle();

    Ui::TFormQuizloom& form() { return *ui; }
    quizloom::editor::EditingSession& session() { return session_; }

    // --- State, for tests ---
    int currentTest() const { return session_.bank().current(); }
    int testCount() const { return static_cast<int>(session_.bank().size()); }
    std::vector<std::string> testPaths() const { return session_.bank().paths(); }
    std::vector<std::string> testNames() const;
    const std::string& workDir() const { return session_.workDir(); }
    bool editorShown() const { return session_.editorShown(); }
    bool pasteUndoAvailable() const { return session_.pasteUndoAvailable(); }
    QLabel* statusPanel(int index) const { return statusPanels_[index]; }

    // Runs f as one event handler and shows the session's state after it; an
    // escaping error is shown in the error box and the program goes on.
    template <class F> void guarded(F&& f) {
        if (busy())
            return;
        try {
            f();
        } catch (const std::exception& e) {
            render();
            showError(e.what());
            return;
        }
        render();
    }
    void showError(const char* utf8Message);
    // Puts the session's state into the controls (only what differs).
    void render();
    Dialogs& dialogs() { return dialogs_; }
    // Before an action that leaves the shown question: asks about unsaved
    // edits, saves or drops them; false when the user calls the action off.
    bool settleUnsavedEdits();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public:
    // --- Handlers and operations, named as in the form ---
    void FormActivate();
    void FormClose();
    void CancelBtnClick();
    void N3Click();
    void LoadSettings();
    void ResolveWorkDir();
    void SaveSettings();
    void MenuChangeDirClick();
    void FillTestList();
    void SelectTest();
    void BoxSubjectChange();
    void ShowQuestion();
    void SaveQuestion();
    void BtnSaveClick();
    void MenuSaveClick();
    void NewTestClick();
    void BtnPlusClick();
    void BtnMinusClick();
    void BtnPlusQClick();
    void BtnMinusQClick();
    void EditDSubjectChange();
    void EditTypeChange();
    void EditNumLevelChange();
    void EditMaxVarChange();
    void EditMaxQueChange();
    void EditNumVarChange();
    void EditNumQueChange();
    void Edit_5Change();
    void Edit_4Change();
    void Edit_3Change();
    void RadioButtonReadClick();
    void RadioButtonEditClick();
    void SwitchView(bool report);
    void Memo1Change();
    void NClearStatClick();
    void CopyToBufClick();
    void InsFromBufClick();
    void InsertCancelClick();
    bool CheckTestFile(int index);
    void NTestingClick();
    void N2Click();
    void MenuExportClick();
    void MenuImportClick();
    void MenuPrintClick();
    void MenuOverviewClick();
    void MenuFindClick();

private:
    void fieldChanged(quizloom::editor::Field field);
    // A feature's work under way keeps every handler out (a check run reads
    // the list and the files it took).
    bool busy() const;
    // Runs FormActivate at the first activation (or first show, for
    // platforms that never report one) and never again.
    void activateOnce();

    std::unique_ptr<Ui::TFormQuizloom> ui;
    Dialogs& dialogs_;
    QString settingsPath_;
    QString title_;
    std::array<QLabel*, 3> statusPanels_{};
    bool activated_ = false;
    bool shown_ = false;
    bool closed_ = false;

    quizloom::editor::EditingSession session_;
    std::unique_ptr<FormBinding> binding_;
    std::unique_ptr<CheckRunController> checkRun_;
    std::unique_ptr<PrintController> print_;
    std::unique_ptr<ExchangeController> exchange_;
    // Children of the window (QObjects): it deletes them.
    OverviewController* overview_ = nullptr;
    SearchController* search_ = nullptr;
    ReportLines* reportLines_ = nullptr;
};
