#pragma once
// Search in the questions of one or every test of a folder: question texts
// and the answer fields as the editor shows them (the options at level 1,
// the correct answers at level 2), every question navigation reaches. The
// files are read in parallel with the one-pass reader and the results come
// in list order, one for each matching question.
#include <cstddef>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "core/bank/quiz_bank.h"
#include "core/search/text_match.h"

namespace quizloom::search {

// Results shown at most; the rest only counts as "truncated".
inline constexpr std::size_t kShownResultLimit = 1000;

// Where the first match of a question lies.
enum class MatchedField {
    Question,
    Answer1, // the first answer field; Answer1 + i for field i + 1
    Answer2,
    Answer3,
    Answer4,
    Answer5,
};

struct SearchHit {
    std::size_t test = 0; // index into the searched tests
    std::string path;     // the test's file
    std::string name;     // its test name
    int variant = 0;
    int question = 0;
    std::string questionText; // UTF-8
    MatchedField field = MatchedField::Question;
    // The matched field's text around its first match (UTF-8, "…" where it
    // is cut), and where the match lies in it, in bytes.
    std::string context;
    std::size_t matchStart = 0;
    std::size_t matchLength = 0;
};

struct SearchOptions {
    MatchOptions match = {};
    // Results kept at most (0: every one); one more sets truncated.
    std::size_t limit = kShownResultLimit;
    // Tests read at the same time; 0 means one per processor core. The
    // results are the same for any number.
    unsigned workers = 0;
    // A stop asked for ends the search soon; the results found so far stay.
    std::stop_token stop = {};
    // When set, each result goes here in list order instead of into the
    // result's list (a search that prints as it goes keeps none in memory).
    std::function<void(const SearchHit&)> onHit = {};
};

struct SearchResult {
    std::vector<SearchHit> hits;
    std::size_t hitCount = 0; // results handed on (to hits or onHit), within the limit
    bool truncated = false;   // more questions matched than the limit
    bool stopped = false;     // ended by the stop token before the last test
};

enum class SearchScope {
    CurrentTest, // "Текущий тест"
    EveryTest,   // "Все тесты каталога"
};
// The tests a search in that scope goes through, in list order; none when
// the bank has no current test and only it was asked for.
std::vector<QuizEntry> testsInScope(const QuizBank& bank, SearchScope scope);

// Searches the tests in their given order for text (UTF-8).
SearchResult searchQuizzes(const std::vector<QuizEntry>& tests, std::string_view text,
                           const SearchOptions& options);

// The stop of the search that runs: a new query stops the one before.
class LatestSearch {
public:
    // Stops the search begun before and gives the new one its stop token.
    std::stop_token restart();
    void stop() { source_.request_stop(); }

private:
    std::stop_source source_;
};

} // namespace quizloom::search
