// What an import tells about its input: a Moodle XML document in an
// encoding the reader does not decode is refused as such, one in UTF-16 is
// read with its true line numbers, and a test whose questions lack some of
// their five options is told that the structure check will name them.
#include <gtest/gtest.h>

#include "core/exchange/quiz_import.h"
#include "core/text/error.h"

namespace ex = quizloom::exchange;

namespace {

// The question on lines 3–6 has a weight that is no number; the document
// breaks off on line 11.
const std::string kBody = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<quiz>\n"
                          "<question type=\"multichoice\"><name><text>1</text></name>\n"
                          "<questiontext><text>Сломан?</text></questiontext>\n"
                          "<answer fraction=\"много\"><text>да</text></answer>\n"
                          "</question>\n"
                          "<question type=\"multichoice\"><name><text>2</text></name>\n"
                          "<questiontext><text>Цел?</text></questiontext>\n"
                          "<answer fraction=\"100\"><text>да</text></answer>\n"
                          "<answer fraction=\"0\"><text>нет</text></answer></question>\n";

// UTF-8 text of the Basic Multilingual Plane in UTF-16.
std::string utf16(std::string_view utf8, bool littleEndian, bool byteOrderMark) {
    std::string out = byteOrderMark ? (littleEndian ? "\xFF\xFE" : "\xFE\xFF") : "";
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        unsigned code = length == 1 ? lead : lead & (length == 2 ? 0x1F : 0x0F);
        for (int k = 1; k < length; ++k)
            code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += static_cast<std::size_t>(length);
        const char high = static_cast<char>(code >> 8), low = static_cast<char>(code & 0xFF);
        out += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return out;
}

std::string errorOf(std::string_view document, ex::Format format = ex::Format::MoodleXml) {
    try {
        ex::importQuiz(document, format, "bank.xml");
    } catch (const quizloom::Error& e) {
        return e.what();
    }
    return "accepted";
}

} // namespace

TEST(ImportEncoding, ADeclaredEncodingTheReaderDoesNotDecodeIsNamed) {
    const std::string question =
        "<quiz><question type=\"multichoice\"><name><text>1</text></name>"
        "<questiontext><text>\xC4\xE0?</text></questiontext>"
        "<answer fraction=\"100\"><text>\xE4\xE0</text></answer>"
        "<answer fraction=\"0\"><text>\xED\xE5\xF2</text></answer></question></quiz>\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n",
         "Moodle XML, строка 1: кодировка «windows-1251» не поддерживается: сохраните файл в UTF-8"},
        {"\xEF\xBB\xBF<?xml version='1.0' encoding = 'KOI8-R' ?>\n",
         "Moodle XML, строка 1: кодировка «KOI8-R» не поддерживается: сохраните файл в UTF-8"},
    };
    for (const auto& [declaration, message] : cases)
        EXPECT_EQ(errorOf(declaration + question), message);
    // Latin-1 is decoded: "°" comes in as itself.
    const ex::ImportResult latin = ex::importQuiz(
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<quiz><question type=\"multichoice\"><name><text>1"
        "</text></name><questiontext><text>20\xB0?</text></questiontext><answer fraction=\"100\"><text>oui"
        "</text></answer><answer fraction=\"0\"><text>non</text></answer></question></quiz>\n",
        ex::Format::MoodleXml, "bank.xml");
    ASSERT_EQ(latin.imported.size(), 1u);
    EXPECT_EQ(latin.imported[0].record.question, "20°?");
}

TEST(ImportEncoding, Utf16DocumentsGiveTheirTrueLines) {
    const std::string whole = kBody + "</quiz>\n";
    const std::string broken = kBody + "<question>\n</quiz>\n";
    for (const auto& [littleEndian, byteOrderMark] : {std::pair{true, true}, {false, true}, {true, false}}) {
        SCOPED_TRACE(std::to_string(littleEndian) + std::to_string(byteOrderMark));
        const ex::ImportResult result =
            ex::importQuiz(utf16(whole, littleEndian, byteOrderMark), ex::Format::MoodleXml, "bank.xml");
        ASSERT_EQ(result.malformed.size(), 1u);
        EXPECT_EQ(result.malformed[0].where, "строки 3–6");
        ASSERT_EQ(result.imported.size(), 1u);
        EXPECT_EQ(result.imported[0].record.question, "Цел?");
        EXPECT_EQ(errorOf(utf16(broken, littleEndian, byteOrderMark)).rfind("Moodle XML, строка 12: ", 0), 0u)
            << errorOf(utf16(broken, littleEndian, byteOrderMark));
    }
    EXPECT_EQ(errorOf(utf16(whole, true, true) + "\xD8"), "Moodle XML, строка 12: не текст UTF-16");
    EXPECT_EQ(errorOf(utf16(whole, true, true).insert(2, "\x00\xD8", 2)),
              "Moodle XML, строка 1: не текст UTF-16");
}

TEST(ImportEncoding, FewerThanFiveOptionsAreAnnouncedForTheStructureCheck) {
    const std::string note =
        "Вопросов, в которых меньше пяти вариантов ответа: 2; проверка структуры теста назовёт их "
        "(«нет пяти вариантов ответа»)";
    const std::vector<std::tuple<std::string, ex::Format, bool>> cases = {
        {"::1::Два?{=a ~b}\n\n::2::Пять?{=a ~b ~c ~d ~e}\n\n::3::Три?{=a ~b ~c}\n", ex::Format::Gift, true},
        {"::1::Короткий?{=a}\n\n::2::Ещё?{=b =c}\n", ex::Format::Gift, true},
        {"::1::Пять?{=a ~b ~c ~d ~e}\n", ex::Format::Gift, false},
        {"Пять?\nA) a\nB) b\nC) c\nD) d\nE) e\nANSWER: A\n", ex::Format::Aiken, false},
    };
    for (const auto& [document, format, announced] : cases) {
        SCOPED_TRACE(document);
        const std::vector<std::string> summary = ex::importSummary(ex::importQuiz(document, format, "t.txt"));
        EXPECT_EQ(std::count(summary.begin(), summary.end(), note), announced ? 1 : 0);
    }
}
