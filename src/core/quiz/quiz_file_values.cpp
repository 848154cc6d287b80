#include "core/quiz/quiz_file_values.h"

#include "core/ini/profile_name.h"

namespace quizloom::quiz {
namespace {

const std::vector<profile::Name>& headerKeyNames() {
    static const std::vector<profile::Name> names{
        profile::Name(kKeySubject), profile::Name(kKeyName),     profile::Name(kKeyType),
        profile::Name(kKeyLevel),   profile::Name(kKeyVariants), profile::Name(kKeyQuestions),
        profile::Name(kKeyGrade5),  profile::Name(kKeyGrade4),   profile::Name(kKeyGrade3)};
    return names;
}

const profile::KeySet& headerKeys() {
    static const profile::KeySet keys(headerKeyNames());
    return keys;
}

const profile::KeySet& questionKeys() {
    static const profile::KeySet keys(questionKeyNames());
    return keys;
}

const profile::Name& headerSection() {
    static const profile::Name name(kHeaderSection);
    return name;
}

// The number a canonical decimal name gives, or -1: no sign, no leading
// zero, below limit.
int canonicalNumber(std::string_view name, int limit) {
    if (name.empty() || name.size() > 4 || name.front() == '0')
        return -1;
    int number = 0;
    for (const char c : name) {
        if (c < '0' || c > '9')
            return -1;
        number = number * 10 + (c - '0');
    }
    return number < limit ? number : -1;
}

} // namespace

class QuizFileValues::Target : public profile::ScanTarget {
public:
    explicit Target(QuizFileValues& values) : values_(values) {}

    profile::SectionSlots enterSection(std::string_view name) override {
        const int number = canonicalNumber(name, kSectionLimit);
        if (number >= 0) {
            std::uint16_t& row = values_.rowOf_[number];
            if (row != 0)
                return {}; // the first section of a name wins
            values_.rows_.emplace_back();
            values_.numbers_.push_back(static_cast<std::uint16_t>(number));
            row = static_cast<std::uint16_t>(values_.rows_.size());
            return {&questionKeys(), values_.rows_.back().data()};
        }
        if (!values_.headerSeen_ && profile::equalsFolded(name, headerSection().folded())) {
            values_.headerSeen_ = true;
            return {&headerKeys(), values_.header_.data()};
        }
        return {};
    }

private:
    QuizFileValues& values_;
};

void QuizFileValues::read(const std::string& path) {
    release();
    loaded_ = profile::loadFile(path);
    Target target(*this);
    profile::scanProfile(loaded_.bytes(), target);
}

void QuizFileValues::release() {
    loaded_ = {};
    for (const std::uint16_t number : numbers_)
        rowOf_[number] = 0;
    numbers_.clear();
    rows_.clear();
    header_.fill(std::nullopt);
    headerSeen_ = false;
}

std::optional<std::string_view> QuizFileValues::header(HeaderKey key) const {
    return header_[static_cast<int>(key)];
}

const QuestionValues& QuizFileValues::values(int variant, int question) const {
    static const QuestionValues kNone{};
    const long long number = sectionNumber(variant, question);
    const std::uint16_t row = number > 0 && number < kSectionLimit ? rowOf_[number] : 0;
    return row != 0 ? rows_[row - 1] : kNone;
}

void QuizFileValues::question(int variant, int question, TextEncoding encoding, QuestionRecord& into) const {
    fillQuestionRecord(values(variant, question), encoding, into);
}

} // namespace quizloom::quiz
