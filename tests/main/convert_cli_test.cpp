// Runs quizloom-convert as a script would: exit statuses, what goes where,
// and that no existing file is overwritten and no malformed input written.
#include <filesystem>

#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/temp_dir.h"

using quizloom::testing::readFileBytes;
using quizloom::testing::TempDir;
using quizloom::testing::writeFileBytes;
namespace fs = std::filesystem;

namespace {

using Outcome = quizloom::testing::ProgramOutcome;

Outcome convert(const TempDir& dir, const std::vector<std::string>& args) {
    return quizloom::testing::runProgram(QUIZLOOM_CONVERT_BINARY, dir.path(), args);
}

const std::string kBank = QUIZLOOM_TEST_DATA "/../../examples/Тесты";

std::string fiveOptionNote(int questions) {
    return "Вопросов, в которых меньше пяти вариантов ответа: " + std::to_string(questions) +
           "; проверка структуры теста назовёт их («нет пяти вариантов ответа»)\n";
}

} // namespace

TEST(ConvertCli, HelpAndVersion) {
    const TempDir dir;
    const Outcome version = convert(dir, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quizloom-convert 1.2\n");
    const Outcome help = convert(dir, {"export", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(
        help.out.rfind("Использование: quizloom-convert export --to moodle-xml|gift|aiken [--all] ИСТОЧНИК "
                       "-o ФАЙЛ\n",
                       0),
        0u);
}

// Each message in the program's language; a name the test list would not
// show is refused with the window's own message.
TEST(ConvertCli, BadArgumentsAreStatusTwoAndWriteNothing) {
    const TempDir dir;
    writeFileBytes(dir.file("in.gift"), "Да?{=да ~нет}\n");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "не задана команда (см. --help)"},
        {{"convert", "x", "-o", "out"}, "неизвестная команда «convert» (см. --help)"},
        {{"export", "--to", "pdf", kBank + "/arithmetic.ini", "-o", "out"},
         "неизвестный формат «pdf» (moodle-xml, gift или aiken)"},
        {{"export", "--to", "gift", kBank + "/arithmetic.ini"}, "не задан ключ -o (см. --help)"},
        {{"export", "--to", "gift", "-o", "out"}, "не задан вход (см. --help)"},
        {{"export", "--to", "gift", "-o"}, "у ключа -o нет значения"},
        {{"export", "--from", "gift", kBank + "/arithmetic.ini", "-o", "out"},
         "неизвестный ключ «--from» команды export (см. --help)"},
        {{"import", "--from", "gift", "in.gift", "-o", "out", "--all"},
         "неизвестный ключ «--all» команды import (см. --help)"},
        {{"import", "--from", "gift", "in.gift", "x.gift", "-o", "out"},
         "задано больше одного входа (см. --help)"},
        {{"import", "in.gift", "-o", "out"}, "не задан ключ --from (см. --help)"},
        {{"export", "--to", "gift", "missing.ini", "-o", "out"}, "нет файла «missing.ini»"},
        {{"export", "--to", "gift", "--all", "no-folder", "-o", "out"},
         "не удаётся прочитать каталог «no-folder»"},
        {{"export", "--to", "gift", "--all", ".", "-o", "out"}, "в каталоге «.» нет ни одного теста"},
        {{"import", "--from", "aiken", "missing.txt", "-o", "out"}, "нет файла «missing.txt»"},
        {{"import", "--from", "gift", "in.gift", "-o", "out", "--name", "Error"},
         "Ошибка ввода названия теста!"},
        {{"import", "--from", "gift", "in.gift", "-o", "out", "--name", ""}, "Ошибка ввода названия теста!"},
    };
    for (const auto& [args, message] : cases) {
        const Outcome outcome = convert(dir, args);
        EXPECT_EQ(outcome.status, 2) << message;
        EXPECT_EQ(outcome.err, "quizloom-convert: " + message + "\n");
        EXPECT_FALSE(fs::exists(dir.file("out")));
    }
}

TEST(ConvertCli, ExportListsLeftOutQuestionsOnStandardError) {
    const TempDir dir;
    const Outcome clean =
        convert(dir, {"export", "--to", "moodle-xml", kBank + "/arithmetic.ini", "-o", "a.xml"});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, "Экспортировано вопросов: 6 (тестов: 1)\n");
    EXPECT_EQ(clean.err, "");
    EXPECT_EQ(
        readFileBytes(dir.file("a.xml")).rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n", 0),
        0u);

    const Outcome partly = convert(dir, {"export", "--to", "gift", "--all", kBank, "-o", "bank.gift"});
    EXPECT_EQ(partly.status, 1);
    EXPECT_EQ(readFileBytes(dir.file("bank.gift")),
              readFileBytes(QUIZLOOM_TEST_DATA "/exchange/sample-bank.gift"));
    EXPECT_NE(partly.err.find("«Физиология (с ошибками)», вопрос 201: нет правильного ответа\n"),
              std::string::npos);

    // Never overwritten, whatever was there.
    writeFileBytes(dir.file("kept.txt"), "keep me");
    const Outcome exists =
        convert(dir, {"export", "--to", "aiken", kBank + "/biology.ini", "-o", "kept.txt"});
    EXPECT_EQ(exists.status, 2);
    EXPECT_EQ(exists.err, "quizloom-convert: «kept.txt» уже есть; файл не перезаписывается\n");
    EXPECT_EQ(readFileBytes(dir.file("kept.txt")), "keep me");
}

// A document without a question would fail on the platform: none is
// written, the reasons are listed, and the status says not all went.
TEST(ConvertCli, ExportWithNothingToExportWritesNoFile) {
    const TempDir dir;
    writeFileBytes(dir.file("psycho.ini"), "[\xD2\xE5\xF1\xF2]\r\n\xCD\xE0\xE7\xE2\xE0\xED\xE8\xE5 "
                                           "\xF2\xE5\xF1\xF2\xE0=Psy\r\n"
                                           "[101]\r\n\xC2\xEE\xEF\xF0\xEE\xF1=?\r\n"
                                           "\xC2\xE0\xF0\xE8\xE0\xED\xF2 \xB9"
                                           "1=a\r\n\xC2\xE0\xF0\xE8\xE0\xED\xF2 \xB9"
                                           "2=b\r\n");
    for (const std::string format : {"moodle-xml", "gift", "aiken"}) {
        const Outcome outcome = convert(dir, {"export", "--to", format, "psycho.ini", "-o", "out"});
        EXPECT_EQ(outcome.status, 1) << format;
        EXPECT_EQ(outcome.out, "Экспортировано вопросов: 0 (тестов: 0)\n");
        EXPECT_EQ(outcome.err,
                  "Не экспортировано (1):\n«Psy»: психотест: ни в одном вопросе нет правильного ответа\n"
                  "Нет ни одного вопроса, который можно экспортировать: файл не записан\n");
        EXPECT_FALSE(fs::exists(dir.file("out")));
    }
}

TEST(ConvertCli, ImportWritesANewTestAndRefusesToOverwrite) {
    const TempDir dir;
    writeFileBytes(dir.file("in.gift"), "::101::Да?{=да ~нет}\n\n::102::Эссе{}\n");
    const Outcome partly =
        convert(dir, {"import", "--from", "gift", "in.gift", "-o", "new.ini", "--name", "Опрос"});
    EXPECT_EQ(partly.status, 1);
    EXPECT_EQ(partly.out, "Импортировано вопросов: 1 (уровень 1, вариантов: 1, вопросов в варианте: 1)\n");
    EXPECT_EQ(partly.err,
              "Не импортировано (1):\nстрока 3 («102»): эссе файл теста не хранит\n" + fiveOptionNote(1));
    // "Название теста=Опрос" in Windows-1251
    EXPECT_NE(readFileBytes(dir.file("new.ini"))
                  .find("\xCD\xE0\xE7\xE2\xE0\xED\xE8\xE5 \xF2\xE5\xF1\xF2\xE0=\xCE\xEF\xF0\xEE\xF1"),
              std::string::npos);
    const std::string written = readFileBytes(dir.file("new.ini"));
    EXPECT_EQ(convert(dir, {"import", "--from", "gift", "in.gift", "-o", "new.ini"}).status, 2);
    EXPECT_EQ(readFileBytes(dir.file("new.ini")), written);
    EXPECT_FALSE(fs::exists(dir.file("new.BAK")));
}

// Three malformed questions among two good ones: all three are named, and
// nothing is written unless --skip-errors asks for the others.
TEST(ConvertCli, MalformedQuestionsAreAllNamedAndSkippedOnlyWhenAsked) {
    const TempDir dir;
    writeFileBytes(dir.file("in.txt"), "Вопрос с одним вариантом\nA) единственный\nANSWER: A\n\n"
                                       "A) вариант без вопроса\n\nANSWER: A\n\n"
                                       "Первый хороший вопрос\nA) да\nB) нет\nANSWER: A\n\n"
                                       "Вопрос без ответа\nA) один\nB) два\n\n"
                                       "Второй хороший вопрос\nA) да\nB) нет\nANSWER: B\n");
    const std::string errors = "Ошибки в файле Aiken (3):\n"
                               "строки 1–3: меньше двух вариантов ответа\n"
                               "строки 5–7: вариант ответа или ответ без вопроса\n"
                               "строки 14–18: вопрос без строки «ANSWER:»\n";
    const Outcome refused = convert(dir, {"import", "--from", "aiken", "in.txt", "-o", "new.ini"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, errors +
                               "quizloom-convert: в «in.txt» есть вопросы с ошибками; ничего не записано "
                               "(--skip-errors импортирует остальные 2 вопрос(ов))\n");
    EXPECT_FALSE(fs::exists(dir.file("new.ini")));

    const Outcome skipped =
        convert(dir, {"import", "--from", "aiken", "in.txt", "-o", "new.ini", "--skip-errors"});
    EXPECT_EQ(skipped.status, 1);
    EXPECT_EQ(skipped.out, "Импортировано вопросов: 2 (уровень 1, вариантов: 1, вопросов в варианте: 2)\n");
    EXPECT_EQ(skipped.err, errors + fiveOptionNote(2));
    EXPECT_TRUE(fs::exists(dir.file("new.ini")));

    writeFileBytes(dir.file("all-bad.txt"), "A) без вопроса\nANSWER: A\n");
    const Outcome none =
        convert(dir, {"import", "--from", "aiken", "all-bad.txt", "-o", "none.ini", "--skip-errors"});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err,
              "Ошибки в файле Aiken (1):\nстроки 1–2: вариант ответа или ответ без вопроса\n"
              "quizloom-convert: ни один вопрос «all-bad.txt» нельзя импортировать; ничего не записано\n");
    EXPECT_FALSE(fs::exists(dir.file("none.ini")));
}

// The header a document carries names the test; --name still wins, and a
// carried or category name the list would hide is refused.
TEST(ConvertCli, ImportTakesTheCarriedHeaderAndTheNameRule) {
    const TempDir dir;
    const std::string question = "$CATEGORY: Химия/Вариант 1\n\n::101::H2O?{=вода ~соль}\n";
    writeFileBytes(dir.file("carried.gift"), "// [Тест]\n// Название теста=Химия\n// Дисциплина=неорганика\n"
                                             "// Оценка 5=90\n\n" +
                                                 question);
    writeFileBytes(dir.file("error.gift"), "$CATEGORY: Error/Вариант 1\n\n::101::H2O?{=вода ~соль}\n");
    const auto header = [&](const std::string& file) { return readFileBytes(dir.file(file)); };
    ASSERT_EQ(convert(dir, {"import", "--from", "gift", "carried.gift", "-o", "a.ini"}).status, 0);
    // "Дисциплина=неорганика" and "Оценка 5=90" in Windows-1251
    EXPECT_NE(header("a.ini").find(
                  "\xC4\xE8\xF1\xF6\xE8\xEF\xEB\xE8\xED\xE0=\xED\xE5\xEE\xF0\xE3\xE0\xED\xE8\xEA\xE0"),
              std::string::npos);
    EXPECT_NE(header("a.ini").find("\xCE\xF6\xE5\xED\xEA\xE0 5=90"), std::string::npos);
    ASSERT_EQ(
        convert(dir, {"import", "--from", "gift", "carried.gift", "-o", "b.ini", "--name", "Opyt"}).status,
        0);
    EXPECT_NE(header("b.ini").find("=Opyt\r\n"), std::string::npos);

    const Outcome hidden = convert(dir, {"import", "--from", "gift", "error.gift", "-o", "c.ini"});
    EXPECT_EQ(hidden.status, 2);
    EXPECT_EQ(hidden.err, "quizloom-convert: источник называет тест «Error»; задайте название ключом --name\n"
                          "quizloom-convert: Ошибка ввода названия теста!\n");
    EXPECT_FALSE(fs::exists(dir.file("c.ini")));
    EXPECT_EQ(
        convert(dir, {"import", "--from", "gift", "error.gift", "-o", "c.ini", "--name", "Опыт"}).status, 0);
}

TEST(ConvertCli, MalformedInputWritesNoFile) {
    const TempDir dir;
    writeFileBytes(dir.file("bad.gift"), "::101::Да?{=да ~нет\n");
    writeFileBytes(dir.file("bad.txt"), "\xFF\n");
    writeFileBytes(dir.file("bad.xml"), "<quiz><question>");
    writeFileBytes(dir.file("essay.gift"), "Эссе{}\n");
    for (const auto& [format, input] : {std::pair{"gift", "bad.gift"},
                                        {"moodle-xml", "bad.xml"},
                                        {"gift", "essay.gift"},
                                        {"aiken", "bad.txt"}}) {
        const Outcome outcome = convert(dir, {"import", "--from", format, input, "-o", "new.ini"});
        EXPECT_EQ(outcome.status, 2) << input;
        EXPECT_FALSE(fs::exists(dir.file("new.ini"))) << input;
    }
}
