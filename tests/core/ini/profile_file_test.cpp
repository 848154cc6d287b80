#include "core/ini/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

#include "core/text/cp1251.h"
#include "core/text/error.h"
#include "support/temp_dir.h"

namespace quizloom {
namespace {

using testing::readFileBytes;
using testing::TempDir;
using testing::writeFileBytes;

ino_t inodeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_ino;
}

class ProfileFileTest : public ::testing::Test {
protected:
    TempDir dir;
    const std::string path = dir.file("test.ini");
};

TEST_F(ProfileFileTest, MissingFileGivesDefaultsAndIsNotCreatedByReading) {
    {
        ProfileFile file(path);
        EXPECT_EQ(file.readString("Тест", "Название теста", "Error"), "Error");
        EXPECT_TRUE(file.readFlag("A", "b", true));
        EXPECT_FALSE(file.readFlag("A", "b", false));
        file.release();
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ProfileFileTest, WrittenValuesReadBackInTheSameObjectAndAfterRelease) {
    const std::string values[] = {
        "",    " lead",           "trail\t",          "'q'", "\"dq\"", "\"", "a=b;c",
        "[x]", "Ёжик № 5 — «да»", "\u0098 and \u00A0"};
    {
        ProfileFile file(path);
        for (std::size_t i = 0; i < std::size(values); ++i) {
            file.writeString("Раздел", "Ключ " + std::to_string(i), values[i]);
            EXPECT_EQ(file.readString("раздел", "КЛЮЧ " + std::to_string(i), "?"), values[i]);
        }
        file.release();
    }
    const ProfileFile again(path);
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(again.readString("РАЗДЕЛ", "ключ " + std::to_string(i), "?"), values[i]) << i;
}

TEST_F(ProfileFileTest, TextsOutsideTheCodePageAreStoredAsQuestionMarks) {
    {
        ProfileFile file(path);
        file.writeString("A", "k", "x\u4E2Dy");
        file.release();
    }
    EXPECT_EQ(readFileBytes(path), "[A]\r\nk=x?y\r\n");
    EXPECT_EQ(ProfileFile(path).readString("A", "k", ""), "x?y");
}

TEST_F(ProfileFileTest, LongValuesAreReadWhole) {
    // 3000 bytes in the file, well past the 2047 a fixed read buffer would keep.
    std::string bytes;
    while (bytes.size() < 3000)
        bytes += utf8ToCp1251("Вопрос ") + std::to_string(bytes.size()) + "; ";
    bytes.resize(3000);
    const std::string value = cp1251ToUtf8(bytes);
    writeFileBytes(path, utf8ToCp1251("[101]\r\nВопрос=") + bytes + "\r\n");
    ProfileFile file(path);
    const std::string read = file.readString("101", "Вопрос", "");
    EXPECT_EQ(read.size(), value.size());
    EXPECT_TRUE(read == value);
    file.writeString("101", "Вопрос", value + "!");
    file.release();
    EXPECT_TRUE(ProfileFile(path).readString("101", "Вопрос", "") == value + "!");
}

TEST_F(ProfileFileTest, Flags) {
    writeFileBytes(path, "[F]\r\nzero=0\r\none=1\r\nhex=0x10\r\nhexzero=0X0\r\ndollar=$0\r\nletter=x1\r\n"
                         "minus=-1\r\nword=yes\r\nempty=\r\ntrailing=1 \r\nquoted=\" 1\"\r\n");
    const ProfileFile file(path);
    EXPECT_FALSE(file.readFlag("F", "zero", true));
    EXPECT_TRUE(file.readFlag("F", "one", false));
    EXPECT_TRUE(file.readFlag("F", "hex", false));
    EXPECT_FALSE(file.readFlag("F", "hexzero", true));
    // Only "0x" and "0X" introduce a hexadecimal flag.
    EXPECT_TRUE(file.readFlag("F", "dollar", true));
    EXPECT_FALSE(file.readFlag("F", "letter", false));
    EXPECT_TRUE(file.readFlag("F", "minus", false));
    EXPECT_TRUE(file.readFlag("F", "word", true));
    EXPECT_FALSE(file.readFlag("F", "word", false));
    EXPECT_FALSE(file.readFlag("F", "empty", false));
    // Blanks after the number are trimmed by reading, those inside quotes are not leading.
    EXPECT_TRUE(file.readFlag("F", "trailing", false));
    EXPECT_TRUE(file.readFlag("F", "quoted", false));
    EXPECT_TRUE(file.readFlag("F", "missing", true));

    ProfileFile writer(path);
    writer.writeFlag("F", "zero", true);
    writer.writeFlag("F", "new", false);
    writer.release();
    EXPECT_NE(readFileBytes(path).find("zero=1\r\n"), std::string::npos);
    EXPECT_NE(readFileBytes(path).find("new=0\r\n"), std::string::npos);
}

TEST_F(ProfileFileTest, LineBreaksAreRefusedBeforeAnythingChanges) {
    writeFileBytes(path, "[A]\r\nk=1\r\n");
    ProfileFile file(path);
    const std::string bad[] = {"a\rb", "a\nb", "a\r\n"};
    for (const std::string& text : bad) {
        EXPECT_THROW(file.writeString("A", "k", text), Error);
        EXPECT_THROW(file.writeString("A", text, "v"), Error);
        EXPECT_THROW(file.writeString(text, "k", "v"), Error);
    }
    // Names that would read back as something else.
    EXPECT_THROW(file.writeString("A", "a=b", "v"), Error);
    EXPECT_THROW(file.writeString("A", ";k", "v"), Error);
    EXPECT_THROW(file.writeString("A", "[k", "v"), Error);
    EXPECT_THROW(file.writeString("A]B", "k", "v"), Error);
    EXPECT_EQ(file.readString("A", "k", ""), "1");
    file.release();
    EXPECT_EQ(readFileBytes(path), "[A]\r\nk=1\r\n");
}

TEST_F(ProfileFileTest, NulAndOtherControlBytesAreStoredAndReadBack) {
    const std::string value = std::string("a\0b", 3) + "\x01\t\x7f" + std::string(1, '\0');
    writeFileBytes(path, "[A]\r\nk=1\r\nnext=2\r\n");
    {
        ProfileFile file(path);
        file.writeString("A", "k", value);
        file.writeString("A", std::string("n\0ul", 4), "x");
        EXPECT_EQ(file.readString("A", "k", ""), value);
        file.release();
    }
    EXPECT_EQ(readFileBytes(path),
              "[A]\r\nk=" + value + "\r\nnext=2\r\n" + std::string("n\0ul", 4) + "=x\r\n");
    const ProfileFile again(path);
    EXPECT_EQ(again.readString("A", "k", ""), value);
    EXPECT_EQ(again.readString("a", std::string("N\0UL", 4), ""), "x");
}

TEST_F(ProfileFileTest, OnlyTheCanonicalDecimalNameAddressesAQuestionSection) {
    writeFileBytes(path, utf8ToCp1251("[0203]\r\nВопрос=ноль\r\n[+203]\r\nВопрос=плюс\r\n"
                                      "[ 203 ]\r\nВопрос=да\r\n[203]\r\nВопрос=повтор\r\n"
                                      "[тЕСТ]\r\nТип=1\r\n"));
    const ProfileFile file(path);
    EXPECT_EQ(file.readString("203", "вопрос", ""), "да");
    EXPECT_EQ(file.readString("0203", "Вопрос", ""), "ноль");
    EXPECT_EQ(file.findBytes(profile::Name("203"), profile::Name("ВОПРОС")), utf8ToCp1251("да"));
    EXPECT_EQ(file.findBytes(profile::Name("2030"), profile::Name("Вопрос")), std::nullopt);
    // Other sections are found by name without regard to letter case.
    EXPECT_EQ(file.readString("Тест", "тип", ""), "1");
}

// Only a '[' that begins a line (after blanks) opens a section; brackets
// inside keys and values, and after a bare CR, are told apart from it.
TEST_F(ProfileFileTest, OnlyABracketOpeningALineOpensASection) {
    const std::string bytes = "[A]\rk=[B]\r \t[B] x\n"
                              "v=1 [C]\r\nw=[\r\n"
                              "x[C]=2\r\n"
                              "\t [C\r\n"
                              "u=3";
    writeFileBytes(path, bytes);
    ProfileFile file(path);
    EXPECT_EQ(file.readString("A", "k", "-"), "[B]");
    EXPECT_EQ(file.readString("B", "v", "-"), "1 [C]");
    EXPECT_EQ(file.readString("B", "w", "-"), "[");
    EXPECT_EQ(file.readString("B", "x[C]", "-"), "2");
    EXPECT_EQ(file.readString("C", "u", "-"), "3");
    EXPECT_EQ(file.readString("C", "x[C]", "-"), "-");
    // A write into a middle section leaves every byte around it.
    file.writeString("B", "v", "9");
    file.release();
    const std::string expected = "[A]\rk=[B]\r \t[B] x\nv=9\r\nw=[\r\nx[C]=2\r\n\t [C\r\nu=3";
    EXPECT_EQ(readFileBytes(path), expected);
}

// Sections are found only as far as lookups need: whatever the order of
// lookups and writes, the first section of a name wins and the bytes not
// written stay.
TEST_F(ProfileFileTest, LookupsInAnyOrderSeeTheFirstSectionOfAName) {
    writeFileBytes(path, "[A]\nk=1\n[B]\nk=2\n[a]\nk=3\n[C]\nk=4\n[b]\nk=5");
    ProfileFile file(path);
    EXPECT_EQ(file.readString("B", "k", "-"), "2");
    file.writeString("C", "k", "40");
    EXPECT_EQ(file.readString("a", "k", "-"), "1");
    file.writeString("b", "n", "6");
    file.writeString("D", "k", "7");
    EXPECT_EQ(file.readString("C", "k", "-"), "40");
    file.release();
    EXPECT_EQ(readFileBytes(path),
              "[A]\nk=1\n[B]\nk=2\nn=6\r\n[a]\nk=3\n[C]\nk=40\n[b]\nk=5\r\n[D]\r\nk=7\r\n");
}

TEST_F(ProfileFileTest, NamesAreTrimmedLikeReadingTrimsThem) {
    ProfileFile file(path);
    file.writeString(" A\t", " key ", "v");
    EXPECT_EQ(file.readString("A", "key", ""), "v");
    EXPECT_EQ(file.readString("  a ", "\tKEY", ""), "v");
    file.release();
    EXPECT_EQ(readFileBytes(path), "[A]\r\nkey=v\r\n");
}

TEST_F(ProfileFileTest, RemovingAKeyUncoversALaterDuplicate) {
    writeFileBytes(path, "[A]\r\nk=1\r\nx=0\r\nK=2\r\n");
    ProfileFile file(path);
    EXPECT_TRUE(file.removeKey("a", "k"));
    EXPECT_EQ(file.readString("A", "k", "-"), "2");
    EXPECT_TRUE(file.removeKey("A", "k"));
    EXPECT_EQ(file.readString("A", "k", "-"), "-");
    EXPECT_FALSE(file.removeKey("A", "k"));
    EXPECT_FALSE(file.removeKey("B", "k"));
    file.writeString("A", "k", "3");
    file.release();
    EXPECT_EQ(readFileBytes(path), "[A]\r\nx=0\r\nk=3\r\n");
}

TEST_F(ProfileFileTest, AnObjectThatOnlyReadNeverRewrites) {
    writeFileBytes(path, "[A]\r\nk=1\r\n");
    const ino_t before = inodeOf(path);
    {
        ProfileFile file(path);
        EXPECT_EQ(file.readString("A", "k", ""), "1");
        file.writeString("A", "K", "1"); // the same bytes: nothing to do
        file.release();
    }
    EXPECT_EQ(inodeOf(path), before);
}

TEST_F(ProfileFileTest, TheDestructorReleases) {
    {
        ProfileFile file(path);
        file.writeString("A", "k", "v");
    }
    EXPECT_EQ(readFileBytes(path), "[A]\r\nk=v\r\n");
}

TEST_F(ProfileFileTest, ReleaseWritesOnceAndLaterWritesAgain) {
    ProfileFile file(path);
    file.writeString("A", "k", "1");
    file.release();
    const ino_t first = inodeOf(path);
    file.release();
    EXPECT_EQ(inodeOf(path), first);
    file.writeString("A", "k", "2");
    file.writeString("A", "j", "3");
    file.release();
    EXPECT_EQ(readFileBytes(path), "[A]\r\nk=2\r\nj=3\r\n");
}

} // namespace
} // namespace quizloom
