#include "core/search/quiz_search.h"

#include <algorithm>

#include "core/editor/field_rules.h"
#include "core/parallel/ordered_run.h"
#include "core/quiz/quiz_file_values.h"
#include "core/text/cp1251.h"

namespace quizloom::search {

namespace {

// Characters of the matched field shown before and after the match.
constexpr std::size_t kContextBefore = 30;
constexpr std::size_t kContextAfter = 60;
constexpr std::string_view kCut = "…";

void setContext(SearchHit& hit, std::string_view value, TextMatch match) {
    const std::size_t start = match.position > kContextBefore ? match.position - kContextBefore : 0;
    const std::size_t end = std::min(value.size(), match.position + match.length + kContextAfter);
    hit.context = start > 0 ? std::string(kCut) : std::string();
    hit.context += cp1251ToUtf8(value.substr(start, match.position - start));
    hit.matchStart = hit.context.size();
    hit.context += cp1251ToUtf8(value.substr(match.position, match.length));
    hit.matchLength = hit.context.size() - hit.matchStart;
    hit.context +=
        cp1251ToUtf8(value.substr(match.position + match.length, end - match.position - match.length));
    if (end < value.size())
        hit.context += kCut;
}

// The questions of one test that match, at most limit + 1 of them (0: all).
class FileSearch {
public:
    FileSearch(const TextMatcher& matcher, const SearchOptions& options)
        : matcher_(matcher), options_(options) {}

    std::vector<SearchHit> run(const QuizEntry& test, std::size_t index) {
        std::vector<SearchHit> hits;
        // One reader per thread: its tables keep their memory from file to file.
        thread_local quiz::QuizFileValues file;
        file.read(test.path);
        // Every question navigation reaches, the answer fields as shown.
        const auto shown = [&](editor::HeaderField field, quiz::HeaderKey key) {
            return editor::shownNumber(field, file.header(key).value_or(std::string_view()));
        };
        const int variants = shown(editor::HeaderField::MaxVar, quiz::HeaderKey::Variants);
        const int questions = shown(editor::HeaderField::MaxQue, quiz::HeaderKey::Questions);
        const bool correctShown = shown(editor::HeaderField::Level, quiz::HeaderKey::Level) == 2;
        for (int k = 1; k <= variants && !options_.stop.stop_requested(); ++k) {
            for (int l = 1; l <= questions; ++l) {
                const quiz::QuestionView question{file.values(k, l)};
                if (!matchQuestion(question, correctShown, hit_))
                    continue;
                hit_.test = index;
                hit_.path = test.path;
                hit_.name = test.name;
                hit_.variant = k;
                hit_.question = l;
                hit_.questionText = cp1251ToUtf8(question.question());
                hits.push_back(std::move(hit_));
                if (options_.limit != 0 && hits.size() > options_.limit)
                    return finish(file, std::move(hits));
            }
        }
        return finish(file, std::move(hits));
    }

private:
    static std::vector<SearchHit> finish(quiz::QuizFileValues& file, std::vector<SearchHit> hits) {
        file.release();
        return hits;
    }

    // The first match in the question text, then in the answer fields.
    bool matchQuestion(const quiz::QuestionView& question, bool correctShown, SearchHit& hit) const {
        if (matchField(question.question(), MatchedField::Question, hit))
            return true;
        for (int i = 0; i < quiz::kAnswerCount; ++i) {
            const std::string_view value =
                correctShown ? question.correct(i).value_or(std::string_view()) : question.option(i);
            if (matchField(value, static_cast<MatchedField>(static_cast<int>(MatchedField::Answer1) + i),
                           hit))
                return true;
        }
        return false;
    }
    bool matchField(std::string_view value, MatchedField field, SearchHit& hit) const {
        const std::optional<TextMatch> match = matcher_.find(value);
        if (!match)
            return false;
        hit.field = field;
        setContext(hit, value, *match);
        return true;
    }

    const TextMatcher& matcher_;
    const SearchOptions& options_;
    SearchHit hit_;
};

} // namespace

SearchResult searchQuizzes(const std::vector<QuizEntry>& tests, std::string_view text,
                           const SearchOptions& options) {
    SearchResult result;
    const TextMatcher matcher(text, options.match);
    if (!matcher.canMatch())
        return result;
    const auto keep = [&](SearchHit hit) {
        ++result.hitCount;
        if (options.onHit)
            options.onHit(hit);
        else
            result.hits.push_back(std::move(hit));
    };
    parallel::orderedRun<std::vector<SearchHit>>(
        tests.size(), options.workers,
        [&](std::size_t i) {
            if (options.stop.stop_requested())
                return std::vector<SearchHit>();
            return FileSearch(matcher, options).run(tests[i], i);
        },
        [&](std::size_t, std::vector<SearchHit> hits) {
            for (SearchHit& hit : hits) {
                if (options.limit != 0 && result.hitCount == options.limit) {
                    result.truncated = true;
                    return false;
                }
                if (options.stop.stop_requested())
                    break;
                keep(std::move(hit));
            }
            // Nothing is handed on after a stop, even within a test.
            result.stopped = options.stop.stop_requested();
            return !result.stopped;
        });
    return result;
}

std::vector<QuizEntry> testsInScope(const QuizBank& bank, SearchScope scope) {
    if (scope == SearchScope::EveryTest)
        return bank.entries();
    if (!bank.hasCurrent())
        return {};
    return {bank.entry(static_cast<std::size_t>(bank.current()))};
}

std::stop_token LatestSearch::restart() {
    source_.request_stop();
    source_ = std::stop_source();
    return source_.get_token();
}

} // namespace quizloom::search
