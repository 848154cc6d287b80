#include "core/overview/question_overview.h"

#include <algorithm>

#include "core/editor/editing_session.h"
#include "core/quiz/quiz_file_values.h"
#include "core/text/cp1251.h"
#include "core/text/int_conv.h"

namespace quizloom::overview {

namespace {

constexpr std::string_view kEmptyText = "(пусто)";
constexpr std::string_view kNumberSign = "№ ";
constexpr std::string_view kVariant = "Вариант ";

int boundedCount(std::string_view text, int maximum) {
    return std::clamp(tryStrToInt(text).value_or(0), 0, maximum);
}

QuestionState stateOf(check::QuestionVerdict verdict) {
    switch (verdict) {
    case check::QuestionVerdict::Faulty:
        return QuestionState::Problem;
    case check::QuestionVerdict::Empty:
        return QuestionState::Empty;
    case check::QuestionVerdict::Passes:
        break;
    }
    return QuestionState::Passes;
}

class OverviewBuilder {
public:
    OverviewBuilder(const quiz::QuizFileValues& file, QuestionOverview& overview)
        : file_(file), overview_(overview) {}

    void build(int variants, int questions) {
        check::HeaderCheck header = check::checkHeader(file_);
        overview_.headerProblems = std::move(header.problems);
        overview_.variants.resize(static_cast<std::size_t>(variants));
        for (int k = 1; k <= variants; ++k) {
            VariantRow& variant = overview_.variants[static_cast<std::size_t>(k - 1)];
            variant.variant = k;
            variant.questions.resize(static_cast<std::size_t>(questions));
            for (int l = 1; l <= questions; ++l) {
                QuestionRow& row = variant.questions[static_cast<std::size_t>(l - 1)];
                row.position = {k, l};
                row.section = quiz::sectionNumber(k, l);
                row.skippedByCheck = true;
            }
        }
        // What the run reaches, through the run's own loop.
        if (header.questionsChecked()) {
            check::checkQuestions(
                file_, header, lines_,
                [this](check::QuestionPosition at, check::QuestionVerdict verdict, std::size_t firstLine) {
                    if (QuestionRow* row = rowAt(at)) {
                        row->skippedByCheck = false;
                        take(*row, verdict, firstLine);
                    }
                    lines_.clear();
                });
        }
        // The rest by the same rules, one question at a time.
        for (VariantRow& variant : overview_.variants) {
            for (QuestionRow& row : variant.questions) {
                file_.question(row.position.variant, row.position.question, quiz::TextEncoding::FileBytes,
                               record_);
                row.text = cp1251ToUtf8(record_.question);
                if (row.skippedByCheck) {
                    int errors = 0;
                    take(row, check::checkQuestion(record_, row.position, lines_, errors), 0);
                    lines_.clear();
                }
                variant.problemCount += row.state == QuestionState::Problem;
                variant.emptyCount += row.state == QuestionState::Empty;
            }
        }
    }

private:
    // The file's counts may reach beyond the fields' ones.
    QuestionRow* rowAt(check::QuestionPosition at) { return const_cast<QuestionRow*>(overview_.find(at)); }
    void take(QuestionRow& row, check::QuestionVerdict verdict, std::size_t firstLine) {
        row.state = stateOf(verdict);
        row.reportLines.assign(
            std::make_move_iterator(lines_.begin() + static_cast<std::ptrdiff_t>(firstLine)),
            std::make_move_iterator(lines_.end()));
    }

    const quiz::QuizFileValues& file_;
    QuestionOverview& overview_;
    std::vector<std::string> lines_;
    quiz::QuestionRecord record_;
};

} // namespace

std::string QuestionRow::label() const {
    return std::string(kNumberSign) + std::to_string(position.question) + "  " +
           (text.empty() ? std::string(kEmptyText) : text);
}

std::string VariantRow::label() const {
    return std::string(kVariant) + std::to_string(variant);
}

const QuestionRow* QuestionOverview::find(check::QuestionPosition position) const {
    if (position.variant < 1 || position.variant > static_cast<int>(variants.size()))
        return nullptr;
    const std::vector<QuestionRow>& rows = variants[static_cast<std::size_t>(position.variant - 1)].questions;
    if (position.question < 1 || position.question > static_cast<int>(rows.size()))
        return nullptr;
    return &rows[static_cast<std::size_t>(position.question - 1)];
}

QuestionOverview buildOverview(const std::string& path, std::string_view variantsText,
                               std::string_view questionsText) {
    QuestionOverview overview;
    overview.path = path;
    if (path.empty())
        return overview;
    // One reader per thread: its tables keep their memory from refresh to refresh.
    thread_local quiz::QuizFileValues file;
    file.read(path);
    OverviewBuilder(file, overview)
        .build(boundedCount(variantsText, quiz::kEditorMaxVariants),
               boundedCount(questionsText, quiz::kEditorMaxQuestions));
    file.release();
    return overview;
}

QuestionOverview buildOverview(const editor::EditingSession& session) {
    return buildOverview(session.bank().currentPath(), session.text(editor::Field::MaxVar),
                         session.text(editor::Field::MaxQue));
}

} // namespace quizloom::overview
