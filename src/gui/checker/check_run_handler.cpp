// The check run: one or every test checked, the report shown over the whole
// window and written to the report file, or, in the simplified mode, the
// first faulty question opened in the editor.
//
// The report is built as text and handed to the report box in one piece:
// adding it line by line would cost more than checking the files.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "gui/app/form_quizloom.h"
#include "gui/app/window_state.h"
#include "core/checker/report_file.h"
#include "core/checker/structure_check.h"
#include "ui_form_quizloom.h"

namespace check = quizloom::check;

namespace {

QString joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 1;
    text.reserve(size);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += lines[i];
    }
    return QString::fromStdString(text);
}

// The path of the test at index, or "" (no test) when the list has none there.
std::string listedPath(const std::vector<std::string>& paths, int count, int index) {
    const bool listed = index >= 0 && index < count && static_cast<std::size_t>(index) < paths.size();
    return listed ? paths[static_cast<std::size_t>(index)] : std::string();
}

template <class... Parts> std::vector<std::string> concatenated(const Parts&... parts) {
    std::vector<std::string> all;
    all.reserve((parts.size() + ...));
    (all.insert(all.end(), parts.begin(), parts.end()), ...);
    return all;
}

} // namespace

check::FileCheck TFormQuizloom::CheckListedTest(int index) {
    check::FileCheck file =
        check::checkTestFile(listedPath(TestPaths, TestCount, index), ui->NPrintStatMin->isChecked());
    if (FirstErrorPending && file.firstError) {
        FirstErrorVariant = file.firstError->variant;
        FirstErrorQuestion = file.firstError->question;
        FirstErrorPending = false;
    }
    return file;
}

bool TFormQuizloom::CheckTestFile(int index) {
    const check::FileCheck file = CheckListedTest(index);
    if (!file.lines.empty())
        ui->Memo1->appendPlainText(joinedLines(file.lines));
    return file.passed;
}

void TFormQuizloom::NTestingClick() {
    const bool oneTest = ui->NBoolOneTest->isChecked();
    const bool simple = ui->NSimple->isChecked();

    std::size_t damaged = 0;
    FirstErrorVariant = -1;
    FirstErrorQuestion = -1;
    FirstErrorPending = true;

    maximizeWindow(*this);
    ui->Memo1->clear();

    // The sections of the examined files, and the question the run opens:
    // the first faulty question of the test the run makes current.
    std::vector<std::string> sections;
    check::QuestionPosition open;
    auto checkOne = [&](int index) {
        check::FileCheck file = CheckListedTest(index);
        sections.insert(sections.end(), std::make_move_iterator(file.lines.begin()),
                        std::make_move_iterator(file.lines.end()));
        if (!file.passed && damaged++ == 0)
            open = file.firstError.value_or(check::QuestionPosition{});
        return file.passed;
    };

    if (oneTest) {
        checkOne(CurrentTest);
    } else {
        for (int i = 0; i < TestCount; ++i) {
            if (checkOne(i) || damaged != 1)
                continue;
            // The first damaged test becomes current: its own entry of the
            // box, also when another test has the same name.
            ui->BoxSubject->setCurrentIndex(ui->BoxSubject->findData(i));
            ui->BoxSubject->setEditText(QString::fromStdString(TestNames[i]));
            CurrentTest = i;
            if (simple)
                break;
        }
    }

    if (damaged > 0) {
        if (simple && !sections.empty())
            ui->Memo1->setPlainText(joinedLines(sections));
        // The damaged test's header first, so that the position is held to
        // that test's own numbers of variants and questions.
        ShowQuestion();
        ui->EditNumVar->setText(QString::number(open.variant));
        ui->EditNumQue->setText(QString::number(open.question));
        ShowQuestion();
        if (simple) {
            SwitchView(false);
            return;
        }
    }

    const std::vector<std::string> top = check::reportTopLines(
        oneTest ? check::oneTestSummary(damaged)
                : check::allFilesSummary(static_cast<std::size_t>(TestCount), damaged));
    if (TestCount != 0) {
        const std::vector<std::string> saved = concatenated(top, sections);
        try {
            check::writeReportFile(std::string(check::kReportFileName), saved,
                                   std::string(check::kReportFileName));
        } catch (...) {
            ui->Memo1->setPlainText(joinedLines(saved));
            throw;
        }
        ui->Memo1->setPlainText(joinedLines(concatenated(top, check::screenOnlyLines(), sections)));
    } else {
        ui->Memo1->setPlainText(joinedLines(concatenated(top, sections)));
    }
    ui->Memo1->update();
}
