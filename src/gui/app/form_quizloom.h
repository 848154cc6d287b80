#pragma once
// The main window: controls, state and every event handler. Each handler's
// body lives in the folder of its subsystem (app/, testfile/, editor/,
// checker/, about/).
#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "gui/app/dialogs.h"

class QLabel;
class QLineEdit;
namespace Ui { class TFormQuizloom; }
namespace quizloom::check { struct FileCheck; }

class TFormQuizloom : public QMainWindow {
    Q_OBJECT
public:
    // settingsPath: the program settings file (the entry point passes the
    // executable's path with ".INI"); dialogs: answers every dialog shown.
    TFormQuizloom(QString settingsPath, Dialogs& dialogs, QWidget* parent = nullptr);
    ~TFormQuizloom() override;

    // The application title: the executable's file name up to its first ".",
    // every letter after the first in lower case.
    static QString applicationTitle(const QString& executablePath);

    Ui::TFormQuizloom& form() { return *ui; }

    // --- State (read by tests through these accessors) ---
    int currentTest() const { return CurrentTest; }
    int testCount() const { return TestCount; }
    const std::vector<std::string>& testPaths() const { return TestPaths; }
    const std::vector<std::string>& testNames() const { return TestNames; }
    const std::string& workDir() const { return WorkDir; }
    bool editorShown() const { return EditorShown; }
    bool pasteUndoAvailable() const { return PasteUndoAvailable; }
    QLabel* statusPanel(int index) const { return StatusPanels[index]; }

    // Runs f as one event handler: an escaping error is shown in the error
    // box and the program goes on.
    template <class F> void guarded(F&& f) {
        try {
            f();
        } catch (const std::exception& e) {
            showError(e.what());
        }
    }
    void showError(const char* utf8Message);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    // --- Handlers and operations, named as in the form ---
    // app/
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
    // Selects the first entry of BoxSubject and copies it into the text field
    // (empty when the list is empty); the callers of FillTestList then call SelectTest.
    void SelectFirstTestEntry();
    void BoxSubjectChange();
    // testfile/
    void ShowQuestion();
    void SaveQuestion();
    void BtnSaveClick();
    void MenuSaveClick();
    void NewTestClick();
    // editor/
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
    // checker/
    bool CheckTestFile(int index);
    void NTestingClick();
    // about/
    void N2Click();

private:
    void connectHandlers();
    // Runs FormActivate at the first activation (or first show, for
    // platforms that never report one) and never again.
    void activateOnce();
    // Escape and Enter as the window's cancel and default buttons; true
    // when the key was used.
    bool handleDialogKey(QWidget* target, int key);
    // Check boxes, "Правильный" and the group caption for a level, as a
    // display lays them out; leaving level 2 for level 1 clears the marks.
    void LayAnswerArea(int level);
    // A current test exists: CurrentTest names a listed entry.
    bool HasCurrentTest() const;
    // The findings for the test at index (none listed there: "no test"),
    // the first question error of the run kept in the first-error record.
    quizloom::check::FileCheck CheckListedTest(int index);

    std::unique_ptr<Ui::TFormQuizloom> ui;
    Dialogs& dialogs_;
    QString settingsPath_;
    QString title_;
    std::array<QLabel*, 3> StatusPanels{};
    bool activated_ = false;
    bool shown_ = false;
    bool closed_ = false;

    // Test list (app/). Tables grow with the folder.
    int CurrentTest = -1;
    int TestCount = 0;
    std::vector<std::string> TestPaths;
    std::vector<std::string> TestNames;
    std::string WorkDir;

    bool EditorShown = true;

    // Copy and paste (editor/).
    struct QuestionSnapshot {
        std::array<QString, 11> texts; // discipline, type, level, variants, questions, question, answers 1-5
        std::array<bool, 5> marks{};
    };
    QuestionSnapshot CopyBuffer;
    QuestionSnapshot PasteUndoBuffer;
    bool PasteUndoAvailable = false;

    // Check run (checker/): the first question error of the run.
    bool FirstErrorPending = false;
    int FirstErrorVariant = 0;
    int FirstErrorQuestion = 0;

    // New test (testfile/): remembered for the run only.
    QString rememberedTestName_ = QStringLiteral("Тестирование");
    QString rememberedFileName_ = QStringLiteral("Имя файла");
};
