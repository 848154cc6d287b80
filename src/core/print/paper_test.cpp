#include "core/print/paper_test.h"

#include <algorithm>
#include <filesystem>

#include "core/editor/field_rules.h"
#include "core/ini/profile_file.h"
#include "core/print/seeded_shuffle.h"
#include "core/print/variant_choice.h"
#include "core/quiz/question_record.h"
#include "core/quiz/quiz_format.h"
#include "core/text/case_fold.h"
#include "core/text/int_conv.h"

namespace quizloom::print {

namespace {

namespace qz = quizloom::quiz;
using editor::HeaderField;

// A header value as the editor's field shows it: the display default for a
// missing key, then the field's own correction.
std::string shownHeader(const ProfileFile& file, std::string_view key, std::string_view displayDefault,
                        HeaderField field) {
    std::string text = file.readString(qz::kHeaderSection, key, displayDefault);
    if (auto corrected = editor::correctedFieldText(field, text))
        text = std::move(*corrected);
    return text;
}

bool blank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// The question order of a variant: the file's, or shuffled. Every question
// of the file takes part, empty ones too, so that filling in an empty
// question does not reorder the others.
std::vector<int> questionOrder(int questions, const PaperChoices& choices, int variant) {
    std::vector<int> order =
        seededPermutation(questions, {choices.key, static_cast<std::uint32_t>(variant), 0u});
    if (!choices.shuffleQuestions)
        std::sort(order.begin(), order.end());
    return order;
}

void layOptions(const qz::QuestionRecord& record, const PaperChoices& choices, int variant,
                PaperQuestion& question) {
    const qz::AnswerMarks marks = qz::displayedMarks(record);
    std::vector<PaperOption> options;
    for (int k = 0; k < qz::kAnswerCount; ++k)
        if (!record.options[k].empty())
            options.push_back({{}, record.options[k], marks[k], k + 1});
    if (choices.shuffleOptions) {
        const std::vector<int> order = seededPermutation(
            static_cast<int>(options.size()),
            {choices.key, static_cast<std::uint32_t>(variant), static_cast<std::uint32_t>(question.source)});
        std::vector<PaperOption> shuffled;
        for (int index : order)
            shuffled.push_back(std::move(options[index]));
        options = std::move(shuffled);
    }
    for (std::size_t i = 0; i < options.size(); ++i) {
        options[i].letter = kOptionLetters[i];
        if (options[i].correct)
            question.key.emplace_back(options[i].letter);
    }
    question.options = std::move(options);
}

PaperVariant layVariant(const ProfileFile& file, const PaperTest& test, int questions,
                        const PaperChoices& choices, int variant) {
    PaperVariant paper;
    paper.number = variant;
    for (int source : questionOrder(questions, choices, variant)) {
        qz::QuestionRecord record = qz::readQuestionRecord(file, qz::sectionName(variant, source + 1));
        if (blank(record.question)) {
            ++paper.leftOut;
            continue;
        }
        PaperQuestion question;
        question.number = static_cast<int>(paper.questions.size()) + 1;
        question.source = source + 1;
        question.text = std::move(record.question);
        if (test.level == 1)
            layOptions(record, choices, variant, question);
        else
            question.key = qz::correctFromFields(qz::level2Fields(record));
        paper.questions.push_back(std::move(question));
    }
    return paper;
}

} // namespace

int PaperTest::questionCount() const {
    int count = 0;
    for (const PaperVariant& variant : variants)
        count += static_cast<int>(variant.questions.size());
    return count;
}

int PaperTest::leftOutCount() const {
    int count = 0;
    for (const PaperVariant& variant : variants)
        count += variant.leftOut;
    return count;
}

PaperTest buildPaperTest(const std::string& path, const PaperChoices& choices, int current) {
    const ProfileFile file(path);
    PaperTest test;
    test.name = file.readString(qz::kHeaderSection, qz::kKeyName, "");
    if (test.name.empty())
        test.name = std::filesystem::path(path).stem().string();
    test.subject = shownHeader(file, qz::kKeySubject, "физиология", HeaderField::Subject);
    test.singleAnswer =
        utf8ToLowerCp1251(file.readString(qz::kHeaderSection, qz::kKeyType, qz::kTypeMany)) == qz::kTypeOne;
    test.level = strToInt(shownHeader(file, qz::kKeyLevel, "1", HeaderField::Level));
    const int variants = strToInt(shownHeader(file, qz::kKeyVariants, "5", HeaderField::MaxVar));
    // Beyond 99 a question's section is another variant's.
    const int questions = std::min(strToInt(shownHeader(file, qz::kKeyQuestions, "5", HeaderField::MaxQue)),
                                   qz::kMaxQuestionsPerVariant);
    for (int variant : chosenVariants(choices.variants, current, variants))
        test.variants.push_back(layVariant(file, test, questions, choices, variant));
    return test;
}

} // namespace quizloom::print
