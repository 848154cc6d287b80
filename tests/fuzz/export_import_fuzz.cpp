// Random test files through every export into our own import: whatever the
// file holds, the export does not crash, and what it writes the import
// reads without an error, with every exported question and no more.
#include <fstream>

#include "exchange_round_trip.h"

namespace {

constexpr const char* kFuzzer = "export import fuzz";
constexpr quizloom::exchange::Format kFormats[] = {quizloom::exchange::Format::MoodleXml,
                                                   quizloom::exchange::Format::Gift,
                                                   quizloom::exchange::Format::Aiken};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace ex = quizloom::exchange;
    const std::string& path = quizloom::fuzz::workFile(kFuzzer);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    for (const ex::Format format : kFormats) {
        const ex::ExportResult exported = ex::exportQuizzes({path}, format);
        if (!exported.written())
            continue;
        const ex::ImportResult imported = quizloom::fuzz::readOwnExport(kFuzzer, exported, format);
        if (imported.imported.size() + imported.refused.size() != exported.questionCount)
            quizloom::fuzz::fail(kFuzzer, "question count",
                                 std::to_string(exported.questionCount) + " exported, " +
                                     std::to_string(imported.imported.size()) + " imported\n" +
                                     exported.text);
    }
    return 0;
}
