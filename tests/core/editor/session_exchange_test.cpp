// Export and import through the session: which tests an export takes and
// when it writes, and what an import leaves the editor showing.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/editor/editing_session.h"
#include "core/exchange/exchange_format.h"
#include "core/exchange/quiz_export.h"
#include "core/exchange/quiz_import.h"
#include "core/text/cp1251.h"
#include "core/text/error.h"
#include "support/ini_doc.h"
#include "support/temp_dir.h"

namespace quizloom::editor {
namespace {

namespace ex = quizloom::exchange;
using quizloom::testing::IniDoc;
using quizloom::testing::readFileBytes;
using quizloom::testing::TempDir;
using quizloom::testing::writeFileBytes;

IniDoc quizWithQuestion(std::string_view name, std::string_view question) {
    IniDoc doc;
    doc.set("Тест", "Название теста", name)
        .set("Тест", "Дисциплина", "химия")
        .set("Тест", "Тип", "один вариант ответа")
        .set("Тест", "Уровень", "1")
        .set("Тест", "Количество вариантов", "1")
        .set("Тест", "Количество вопросов", "1")
        .set("Тест", "Оценка 5", "90")
        .set("Тест", "Оценка 4", "80")
        .set("Тест", "Оценка 3", "70")
        .set("101", "Вопрос", question)
        .set("101", "Вариант №1", "да")
        .set("101", "Вариант №2", "нет")
        .set("101", "Правильный ответ №1", "да");
    return doc;
}

class SessionExchange : public ::testing::Test {
protected:
    TempDir dir;
    EditingSession session;

    std::string folder() const { return dir.path() + "/"; }
    void open() {
        session.resolveWorkDir(dir.path());
        session.changeWorkDir(folder() + "any.ini");
    }
    ex::ImportResult aiken(std::string_view document) {
        return ex::importQuiz(document, ex::Format::Aiken, "input.txt");
    }
};

TEST_F(SessionExchange, TheScopeChoosesTheCurrentTestOrTheWholeList) {
    quizWithQuestion("Алгебра", "Сколько?").write(folder() + "a.ini");
    quizWithQuestion("Биология", "Кто?").write(folder() + "b.ini");
    open();
    EXPECT_EQ(session.exportPaths(ExportScope::CurrentTest), std::vector{session.bank().currentPath()});
    EXPECT_EQ(session.exportPaths(ExportScope::EveryTest), session.bank().paths());

    const std::string target = folder() + "out/all.txt";
    std::filesystem::create_directory(folder() + "out");
    const ex::ExportResult all = session.exportQuizzes(ExportScope::EveryTest, ex::Format::Aiken, target);
    EXPECT_EQ(all.quizCount, 2u);
    EXPECT_EQ(readFileBytes(target), all.text);
}

TEST_F(SessionExchange, AnExportWithNothingToGoWritesNoFile) {
    IniDoc().set("Тест", "Название теста", "Пустой").write(folder() + "a.ini");
    open();
    const std::string target = folder() + "empty.txt";
    const ex::ExportResult result = session.exportQuizzes(ExportScope::CurrentTest, ex::Format::Gift, target);
    EXPECT_FALSE(result.written());
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(SessionExchange, AFailedExportWriteIsAnErrorWithTheTarget) {
    quizWithQuestion("Алгебра", "Сколько?").write(folder() + "a.ini");
    open();
    const std::string target = folder() + "missing/x.txt";
    try {
        session.exportQuizzes(ExportScope::CurrentTest, ex::Format::Gift, target);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(target), std::string::npos);
    }
}

TEST_F(SessionExchange, AnImportBecomesTheCurrentTestShowingItsFirstQuestion) {
    quizWithQuestion("Алгебра", "Сколько?").write(folder() + "a.ini");
    open();
    session.setText(Field::NumQue, "1");
    const unsigned before = session.contentGeneration();
    const std::string path = session.prepareNewQuizPath("new");
    session.importQuiz(path, aiken("Первый\nA) да\nB) нет\nANSWER: B\n\nВторой\nA) x\nB) y\nANSWER: A\n"),
                       "Новый", "история", false);
    EXPECT_EQ(session.bank().currentPath(), path);
    EXPECT_EQ(session.bank().size(), 2u);
    EXPECT_EQ(session.picker().text, "Новый");
    EXPECT_EQ(session.text(Field::NumVar), "1");
    EXPECT_EQ(session.text(Field::NumQue), "1");
    EXPECT_EQ(session.text(Field::Question), "Первый");
    EXPECT_EQ(session.text(Field::Subject), "история");
    EXPECT_NE(session.contentGeneration(), before) << "the overview must follow";
}

TEST_F(SessionExchange, ReplacingKeepsTheOldFileAsBackupAndListsTheTestOnce) {
    quizWithQuestion("Алгебра", "Сколько?").write(folder() + "a.ini");
    open();
    const std::string path = folder() + "a.ini";
    const std::string old = readFileBytes(path);
    session.importQuiz(path, aiken("Новый вопрос\nA) да\nB) нет\nANSWER: A\n"), "Алгебра 2", "алгебра", true);
    EXPECT_EQ(readFileBytes(folder() + "a.BAK"), old);
    EXPECT_EQ(session.bank().size(), 1u);
    EXPECT_EQ(session.bank().entries()[0].name, "Алгебра 2");
    EXPECT_EQ(session.text(Field::Question), "Новый вопрос");
}

TEST_F(SessionExchange, AnImportOverAFileNotToBeReplacedChangesNothing) {
    quizWithQuestion("Алгебра", "Сколько?").write(folder() + "a.ini");
    open();
    const std::string path = folder() + "a.ini";
    const std::string old = readFileBytes(path);
    EXPECT_THROW(session.importQuiz(path, aiken("Вопрос\nA) да\nANSWER: A\n"), "Другой", "x", false), Error);
    EXPECT_EQ(readFileBytes(path), old);
    EXPECT_EQ(session.bank().entries()[0].name, "Алгебра");
}

// What the overview follows: every display, save and test made current.
TEST_F(SessionExchange, TheContentGenerationMovesWithEveryDisplayAndSave) {
    quizWithQuestion("Алгебра", "Сколько?").write(folder() + "a.ini");
    open();
    const struct {
        const char* what;
        std::function<void()> act;
        bool moves;
    } cases[] = {
        {"display", [&] { session.showQuestion(); }, true},
        {"save in read mode", [&] { session.saveQuestion(); }, false},
        {"save in edit mode",
         [&] {
             session.setEditMode(true);
             session.saveQuestion();
         },
         true},
        {"typing", [&] { session.setText(Field::Question, "Иначе"); }, false},
        {"step", [&] { session.stepQuestion(+1); }, true},
        {"another working directory", [&] { session.changeWorkDir(folder() + "any.ini"); }, true},
    };
    for (const auto& c : cases) {
        const unsigned before = session.contentGeneration();
        c.act();
        EXPECT_EQ(session.contentGeneration() != before, c.moves) << c.what;
    }
}

} // namespace
} // namespace quizloom::editor
