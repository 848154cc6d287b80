#include "core/quiz/question_record.h"

#include "core/ini/profile_file.h"
#include "core/ini/profile_name.h"
#include "core/text/cp1251.h"

namespace quizloom::quiz {

namespace {

struct QuestionKeys {
    std::array<std::string, kAnswerCount> options;
    std::array<std::string, kAnswerCount> correct;
};

// Built once: key names are asked for many thousand times in a check run.
const QuestionKeys& questionKeys() {
    static const QuestionKeys keys = [] {
        QuestionKeys k;
        for (int i = 0; i < kAnswerCount; ++i) {
            k.options[i] = optionKey(i + 1);
            k.correct[i] = correctKey(i + 1);
        }
        return k;
    }();
    return keys;
}

} // namespace

const std::vector<profile::Name>& questionKeyNames() {
    static const std::vector<profile::Name> names = [] {
        std::vector<profile::Name> n{profile::Name(kKeyQuestion)};
        for (const std::string& key : questionKeys().options)
            n.emplace_back(key);
        for (const std::string& key : questionKeys().correct)
            n.emplace_back(key);
        return n;
    }();
    return names;
}

void fillQuestionRecord(const QuestionValues& values, TextEncoding encoding, QuestionRecord& into) {
    auto assign = [&](std::string& to, std::string_view bytes) {
        if (encoding == TextEncoding::Utf8)
            to = cp1251ToUtf8(bytes);
        else
            to.assign(bytes);
    };
    const QuestionView view{values};
    assign(into.question, view.question());
    for (int i = 0; i < kAnswerCount; ++i) {
        assign(into.options[i], view.option(i));
        const std::optional<std::string_view> correct = view.correct(i);
        if (!correct)
            into.correct[i].reset();
        else if (into.correct[i])
            assign(*into.correct[i], *correct);
        else
            assign(into.correct[i].emplace(), *correct);
    }
}

QuestionRecord readQuestionRecord(const ProfileFile& file, const profile::Name& section,
                                  TextEncoding encoding) {
    QuestionValues values;
    const std::vector<profile::Name>& keys = questionKeyNames();
    for (int i = 0; i < kQuestionKeyCount; ++i)
        values[i] = file.findBytes(section, keys[i]);
    QuestionRecord record;
    fillQuestionRecord(values, encoding, record);
    return record;
}

QuestionRecord readQuestionRecord(const ProfileFile& file, std::string_view section, TextEncoding encoding) {
    return readQuestionRecord(file, profile::Name(section), encoding);
}

void writeQuestionRecord(ProfileFile& file, std::string_view section, const QuestionRecord& record,
                         StoredAnswers answers) {
    const QuestionKeys& keys = questionKeys();
    file.writeString(section, kKeyQuestion, record.question);
    if (answers == StoredAnswers::None)
        return;
    if (answers == StoredAnswers::OptionsAndCorrect)
        for (int i = 0; i < kAnswerCount; ++i)
            file.writeString(section, keys.options[i], record.options[i]);
    int n = 0;
    while (n < kAnswerCount && record.correct[n]) {
        file.writeString(section, keys.correct[n], *record.correct[n]);
        ++n;
    }
    for (int i = n; i < kAnswerCount; ++i)
        while (file.removeKey(section, keys.correct[i])) {
        }
}

std::vector<std::string> correctUpToMissing(const QuestionRecord& record) {
    std::vector<std::string> correct;
    for (const auto& value : record.correct) {
        if (!value || *value == kMissing)
            break;
        correct.push_back(*value);
    }
    return correct;
}

AnswerMarks displayedMarks(const QuestionRecord& record) {
    return marksFromCorrect(record.options, correctUpToMissing(record));
}

AnswerTexts level2Fields(const QuestionRecord& record) {
    AnswerTexts fields;
    for (int i = 0; i < kAnswerCount; ++i)
        fields[i] = record.correct[i].value_or("");
    return fields;
}

void setCorrect(QuestionRecord& record, const std::vector<std::string>& answers) {
    for (int i = 0; i < kAnswerCount; ++i)
        record.correct[i] = i < static_cast<int>(answers.size()) ? std::optional(answers[i]) : std::nullopt;
}

} // namespace quizloom::quiz
