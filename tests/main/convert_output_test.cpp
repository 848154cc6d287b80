// How quizloom-convert's output appears: never over a file that is there,
// not even one made while it runs, with the system's reason when it cannot
// be written, and a summary that could not be printed is a failure.
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/temp_dir.h"

using quizloom::testing::readFileBytes;
using quizloom::testing::TempDir;
using quizloom::testing::writeFileBytes;
namespace fs = std::filesystem;

namespace {

using Outcome = quizloom::testing::ProgramOutcome;

const std::string kBank = QUIZLOOM_TEST_DATA "/../../examples/Тесты";

Outcome convert(const TempDir& dir, const std::vector<std::string>& args) {
    return quizloom::testing::runProgram(QUIZLOOM_CONVERT_BINARY, dir.path(), args);
}

// A bash script run in dir with the program as $0 and args as $1…
Outcome script(const TempDir& dir, const std::string& text, const std::vector<std::string>& args = {}) {
    std::vector<std::string> all = {"-c", text, QUIZLOOM_CONVERT_BINARY};
    all.insert(all.end(), args.begin(), args.end());
    return quizloom::testing::runProgram("/bin/bash", dir.path(), all);
}

std::vector<std::string> entriesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string existsMessage(const std::string& path) {
    return "quizloom-convert: «" + path + "» уже есть; файл не перезаписывается\n";
}

std::string manyQuestions() {
    std::string gift;
    for (int i = 1; i <= 300; ++i)
        gift += "::" + std::to_string(i) + "::Вопрос " + std::to_string(i) + "?{=да ~нет ~может быть}\n\n";
    return gift;
}

} // namespace

// Two imports to one name started together: one writes its whole test, the
// other is refused as if the file had been there from the start.
TEST(ConvertOutput, OfTwoImportsRacingForOneNameExactlyOneWins) {
    const TempDir dir;
    writeFileBytes(dir.file("in.gift"), manyQuestions());
    const std::string names[] = {"Альфа", "Бета"};
    std::string results[2];
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(
            convert(dir, {"import", "--from", "gift", "in.gift", "-o", "ref.ini", "--name", names[i]}).status,
            0);
        results[i] = readFileBytes(dir.file("ref.ini"));
        fs::remove(dir.file("ref.ini"));
    }
    fs::create_directory(dir.file("race"));
    const std::string race = R"(
        "$0" import --from gift in.gift -o race/out.ini --name "$1" >a.out 2>a.err & a=$!
        "$0" import --from gift in.gift -o race/out.ini --name "$2" >b.out 2>b.err & b=$!
        wait $a; ra=$?; wait $b; echo $ra $?)";
    for (int trial = 0; trial < 50; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const Outcome outcome = script(dir, race, {names[0], names[1]});
        int status[2] = {-1, -1};
        std::istringstream(outcome.out) >> status[0] >> status[1];
        ASSERT_TRUE((status[0] == 0 && status[1] == 2) || (status[0] == 2 && status[1] == 0)) << outcome.out;
        const int winner = status[0] == 0 ? 0 : 1;
        EXPECT_EQ(readFileBytes(dir.file("race/out.ini")), results[winner]);
        EXPECT_EQ(readFileBytes(dir.file(winner == 0 ? "b.err" : "a.err")), existsMessage("race/out.ini"));
        EXPECT_EQ(entriesIn(dir.file("race")), std::vector<std::string>{"out.ini"});
        fs::remove(dir.file("race/out.ini"));
    }
}

// A file made at the output's name at some moment of an export: whenever it
// was made, it is never replaced, and the export says so.
TEST(ConvertOutput, AFileMadeWhileAnExportRunsIsNeverReplaced) {
    const TempDir dir;
    ASSERT_EQ(convert(dir, {"export", "--to", "moodle-xml", "--all", kBank, "-o", "ref.xml"}).status, 1);
    const std::string exported = readFileBytes(dir.file("ref.xml"));
    const std::string race = R"(
        "$0" export --to moodle-xml --all "$1" -o out.xml >/dev/null 2>e.err & e=$!
        sleep "$2"
        if (set -C; echo mine >out.xml) 2>/dev/null; then mine=1; else mine=0; fi
        wait $e; echo $? $mine)";
    int made = 0;
    for (int trial = 0; trial < 30; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const Outcome outcome = script(dir, race, {kBank, "0.00" + std::to_string(trial % 10)});
        int status = -1, mine = -1;
        std::istringstream(outcome.out) >> status >> mine;
        if (mine == 1) {
            ++made;
            EXPECT_EQ(status, 2);
            EXPECT_EQ(readFileBytes(dir.file("out.xml")), "mine\n");
            EXPECT_EQ(readFileBytes(dir.file("e.err")), existsMessage("out.xml"));
        } else {
            EXPECT_EQ(status, 1);
            EXPECT_EQ(readFileBytes(dir.file("out.xml")), exported);
        }
        EXPECT_EQ(entriesIn(dir.path()), (std::vector<std::string>{"e.err", "out.xml", "ref.xml"}));
        fs::remove(dir.file("out.xml"));
    }
    EXPECT_GT(made, 0);
}

TEST(ConvertOutput, AFileThatCannotBeWrittenGivesTheSystemsReason) {
    const TempDir dir;
    writeFileBytes(dir.file("in.gift"), "::1::Да?{=да ~нет}\n");
    writeFileBytes(dir.file("plain"), "");
    const std::string tooLong(300, 'x');
    const std::string test = kBank + "/arithmetic.ini";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"export", "--to", "gift", test, "-o", "missing/out.gift"},
         "«missing/out.gift»: нет такого файла или каталога"},
        {{"import", "--from", "gift", "in.gift", "-o", "missing/new.ini"},
         "«missing/new.ini»: нет такого файла или каталога"},
        {{"export", "--to", "aiken", test, "-o", "plain/out.txt"}, "«plain/out.txt»: часть пути не каталог"},
        {{"import", "--from", "gift", "in.gift", "-o", "plain/new.ini"},
         "«plain/new.ini»: часть пути не каталог"},
        {{"export", "--to", "moodle-xml", test, "-o", tooLong}, "«" + tooLong + "»: слишком длинное имя"},
        {{"import", "--from", "gift", "in.gift", "-o", tooLong}, "«" + tooLong + "»: слишком длинное имя"},
    };
    for (const auto& [args, reason] : cases) {
        const Outcome outcome = convert(dir, args);
        EXPECT_EQ(outcome.status, 2) << reason;
        EXPECT_EQ(outcome.err, "quizloom-convert: не удаётся записать " + reason + "\n");
    }
    EXPECT_EQ(entriesIn(dir.path()), (std::vector<std::string>{"in.gift", "plain"}));
}

// 240 bytes is a valid name; the temporary file beside it must be one too.
TEST(ConvertOutput, AnOutputNameOf240BytesIsWritten) {
    const TempDir dir;
    writeFileBytes(dir.file("in.gift"), "::1::Да?{=да ~нет}\n");
    const std::string exported = std::string(235, 'e') + ".gift";
    const std::string imported = std::string(236, 'i') + ".ini";
    EXPECT_EQ(convert(dir, {"export", "--to", "gift", kBank + "/arithmetic.ini", "-o", exported}).status, 0);
    EXPECT_EQ(convert(dir, {"import", "--from", "gift", "in.gift", "-o", imported, "--name", "Т"}).status, 0);
    std::vector<std::string> expected = {exported, "in.gift", imported};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entriesIn(dir.path()), expected);
}

TEST(ConvertOutput, ASummaryThatCannotBePrintedIsAFailure) {
    const TempDir dir;
    writeFileBytes(dir.file("in.gift"), "::1::Да?{=да ~нет}\n");
    const std::vector<std::vector<std::string>> cases = {
        {"export", "--to", "gift", kBank + "/arithmetic.ini", "-o", "out.gift"},
        {"import", "--from", "gift", "in.gift", "-o", "new.ini"},
    };
    for (const std::vector<std::string>& args : cases) {
        const Outcome outcome = script(dir, R"(exec "$0" "$@" >/dev/full)", args);
        EXPECT_EQ(outcome.status, 2) << args[0];
        EXPECT_EQ(outcome.err.substr(outcome.err.rfind("quizloom-convert:")),
                  "quizloom-convert: не удаётся вывести итог: нет места на устройстве\n");
    }
}
