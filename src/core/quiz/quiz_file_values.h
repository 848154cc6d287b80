#pragma once
// A test file's header and question values read in one pass, as the file's
// own bytes: for readers of every question of a file that only compare
// values (the structure check). Values are found as ProfileFile finds them;
// a question section is addressed by its number, which only the canonical
// decimal name carries ("0203" is not section 203).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini/profile_load.h"
#include "core/ini/profile_scan.h"
#include "core/quiz/question_record.h"

namespace quizloom::quiz {

// The keys of the "Тест" section, in the order of headerKeyNames().
enum class HeaderKey { Subject, Name, Type, Level, Variants, Questions, Grade5, Grade4, Grade3, Count };

class QuizFileValues {
public:
    // Reads the file at path, replacing what was read before (the memory
    // is kept for the next file). A file that is missing, unreadable or not
    // a regular file reads as one without keys.
    void read(const std::string& path);

    // Lets go of the file's bytes; the tables keep their memory.
    void release();

    std::optional<std::string_view> header(HeaderKey key) const;
    // The values of section variant * 100 + question; a missing section has
    // none.
    void question(int variant, int question, TextEncoding encoding, QuestionRecord& into) const;
    // The same values as the file's bytes without a copy, valid until the
    // next read or release; every value missing for a missing section.
    const QuestionValues& values(int variant, int question) const;

private:
    class Target;
    // Every section navigation can reach, beyond what the check examines too.
    static constexpr int kSectionLimit = kEditorMaxVariants * 100 + kMaxQuestionsPerVariant + 1;

    profile::LoadedFile loaded_;
    std::array<profile::ValueSlot, static_cast<int>(HeaderKey::Count)> header_{};
    bool headerSeen_ = false;
    std::vector<QuestionValues> rows_; // in the order the sections came
    // Row of each section number plus one; 0 for a section not in the file.
    std::vector<std::uint16_t> rowOf_ = std::vector<std::uint16_t>(kSectionLimit, 0);
    std::vector<std::uint16_t> numbers_; // the numbers that have a row
};

} // namespace quizloom::quiz
