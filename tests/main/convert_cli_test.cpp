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

} // namespace

TEST(ConvertCli, HelpAndVersion) {
    const TempDir dir;
    const Outcome version = convert(dir, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quizloom-convert 1.2\n");
    const Outcome help = convert(dir, {"export", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind(
                  "Usage: quizloom-convert export --to moodle-xml|gift|aiken [--all] SOURCE -o OUT\n", 0),
              0u);
}

TEST(ConvertCli, BadArgumentsAreStatusTwoAndWriteNothing) {
    const TempDir dir;
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"convert", "x", "-o", "out"},
        {"export", "--to", "pdf", kBank + "/arithmetic.ini", "-o", "out"},
        {"export", "--to", "gift", kBank + "/arithmetic.ini"},
        {"export", "--to", "gift", "-o", "out"},
        {"export", "--from", "gift", kBank + "/arithmetic.ini", "-o", "out"},
        {"import", "--from", "gift", "in.gift", "-o", "out", "--all"},
        {"export", "--to", "gift", "missing.ini", "-o", "out"},
        {"export", "--to", "gift", "--all", "no-folder", "-o", "out"},
        {"import", "--from", "aiken", "missing.txt", "-o", "out"},
    };
    for (const auto& args : cases) {
        const Outcome outcome = convert(dir, args);
        EXPECT_EQ(outcome.status, 2) << outcome.err;
        EXPECT_NE(outcome.err.find("quizloom-convert: "), std::string::npos);
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
    EXPECT_EQ(readFileBytes(dir.file("kept.txt")), "keep me");
}

TEST(ConvertCli, ImportWritesANewTestAndRefusesToOverwrite) {
    const TempDir dir;
    writeFileBytes(dir.file("in.gift"), "::101::Да?{=да ~нет}\n\n::102::Эссе{}\n");
    const Outcome partly =
        convert(dir, {"import", "--from", "gift", "in.gift", "-o", "new.ini", "--name", "Опрос"});
    EXPECT_EQ(partly.status, 1);
    EXPECT_EQ(partly.out, "Импортировано вопросов: 1 (уровень 1, вариантов: 1, вопросов в варианте: 1)\n");
    EXPECT_EQ(partly.err, "Не импортировано (1):\nстрока 3 («102»): эссе файл теста не хранит\n");
    // "Название теста=Опрос" in Windows-1251
    EXPECT_NE(readFileBytes(dir.file("new.ini"))
                  .find("\xCD\xE0\xE7\xE2\xE0\xED\xE8\xE5 \xF2\xE5\xF1\xF2\xE0=\xCE\xEF\xF0\xEE\xF1"),
              std::string::npos);
    const std::string written = readFileBytes(dir.file("new.ini"));
    EXPECT_EQ(convert(dir, {"import", "--from", "gift", "in.gift", "-o", "new.ini"}).status, 2);
    EXPECT_EQ(readFileBytes(dir.file("new.ini")), written);
    EXPECT_FALSE(fs::exists(dir.file("new.BAK")));
}

TEST(ConvertCli, MalformedInputWritesNoFile) {
    const TempDir dir;
    writeFileBytes(dir.file("bad.gift"), "::101::Да?{=да ~нет\n");
    writeFileBytes(dir.file("bad.xml"), "<quiz><question>");
    writeFileBytes(dir.file("essay.gift"), "Эссе{}\n");
    for (const auto& [format, input] :
         {std::pair{"gift", "bad.gift"}, {"moodle-xml", "bad.xml"}, {"gift", "essay.gift"}}) {
        const Outcome outcome = convert(dir, {"import", "--from", format, input, "-o", "new.ini"});
        EXPECT_EQ(outcome.status, 2) << input;
        EXPECT_FALSE(fs::exists(dir.file("new.ini"))) << input;
    }
}
