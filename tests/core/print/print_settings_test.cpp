// The print dialog's choices in the program settings file.
#include "core/print/print_settings.h"

#include <gtest/gtest.h>

#include "core/bank/settings.h"
#include "core/text/cp1251.h"
#include "support/temp_dir.h"

namespace quizloom::print {
namespace {

using testing::readFileBytes;
using testing::TempDir;
using testing::writeFileBytes;

TEST(PrintSettings, AMissingFileGivesTheDefaults) {
    TempDir dir;
    EXPECT_EQ(loadPrintChoices(dir.file("none.ini")), PaperChoices{});
}

TEST(PrintSettings, ChoicesComeBackButTheKeyIsNotKept) {
    TempDir dir;
    const std::string path = dir.file("sub/quizloom.ini");
    PaperChoices choices{"1, 3-5", true, true, 123456, false, false, 15};
    savePrintChoices(path, choices);
    choices.key = 0;
    EXPECT_EQ(loadPrintChoices(path), choices);
    EXPECT_EQ(cp1251ToUtf8(readFileBytes(path)).find("123456"), std::string::npos);
}

TEST(PrintSettings, TheOtherSettingsStayAsTheyWere) {
    TempDir dir;
    const std::string path = dir.file("quizloom.ini");
    const std::string before = utf8ToCp1251("[Тест]\r\nРабочий каталог=/data/\r\nNSimple=1\r\n");
    writeFileBytes(path, before);
    savePrintChoices(path, {});
    const std::string after = readFileBytes(path);
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(loadSettings(path).workDir, "/data/");
    EXPECT_NE(cp1251ToUtf8(after).find("[Печать]"), std::string::npos);
}

TEST(PrintSettings, AFontSizeOutOfRangeIsBroughtWithinIt) {
    TempDir dir;
    const std::string path = dir.file("quizloom.ini");
    const std::pair<const char*, int> cases[] = {{"8", 10}, {"20", 16}, {"14", 14}, {"x", 12}, {"", 12}};
    for (const auto& [text, size] : cases) {
        writeFileBytes(path, utf8ToCp1251(std::string("[Печать]\r\nРазмер шрифта=") + text + "\r\n"));
        EXPECT_EQ(loadPrintChoices(path).fontSize, size) << text;
    }
}

} // namespace
} // namespace quizloom::print
