#include "core/bank/quiz_bank.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <exception>
#include <filesystem>
#include <mutex>
#include <numeric>
#include <system_error>
#include <thread>
#include <variant>

#include "core/ini/profile_file.h"
#include "core/quiz/quiz_format.h"
#include "core/text/cp1251.h"
#include "core/text/error.h"
#include "core/text/unicode_lower.h"

namespace quizloom {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kQuizExtension = ".ini";

bool hasQuizExtension(std::string_view name) {
    if (name.size() < kQuizExtension.size())
        return false;
    const std::string_view tail = name.substr(name.size() - kQuizExtension.size());
    return std::equal(tail.begin(), tail.end(), kQuizExtension.begin(),
                      [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b; });
}

bool isCandidate(std::string_view name) {
    return !name.empty() && name.front() != '.' && hasQuizExtension(name);
}

// The matching file names of the folder, or nothing when it cannot be read.
// Matching names that are no regular file (after following a link) go to leftOut.
std::optional<std::vector<std::string>> listQuizFileNames(const std::string& workDir,
                                                          std::vector<LeftOutFile>* leftOut) {
    std::error_code ec;
    fs::directory_iterator it(fs::path(workDir), ec);
    if (ec)
        return std::nullopt;
    std::vector<std::string> names;
    const fs::directory_iterator end;
    for (; it != end; it.increment(ec)) {
        if (ec)
            return std::nullopt;
        std::string name = it->path().filename().string();
        if (!isCandidate(name))
            continue;
        // The type the folder listing gave, when it gave one and it is no
        // symbolic link, saves a stat per file; a link is followed.
        std::error_code statError;
        if (it->is_regular_file(statError))
            names.push_back(std::move(name));
        else if (!statError && it->is_directory(statError))
            continue; // a folder such as "archive.ini" is no test and no fault of the bank
        else if (leftOut)
            leftOut->push_back({workDir + name,
                                statError ? LeftOutFile::Reason::Unreadable : LeftOutFile::Reason::NotRegular,
                                statError.value()});
    }
    if (ec)
        return std::nullopt;
    return names;
}

// The test name, or why there is none. Only the header is read: a listing
// of large tests would otherwise read every question of every file.
std::variant<std::string, LeftOutFile> readQuizName(const std::string& path) {
    static const profile::Name section(quiz::kHeaderSection);
    static const profile::Name key(quiz::kKeyName);
    const ProfileFile file = ProfileFile::openUpToEndOf(path, section);
    switch (file.state()) {
    case ProfileFile::State::Unreadable:
        return LeftOutFile{path, LeftOutFile::Reason::Unreadable, file.readError()};
    case ProfileFile::State::Missing: // gone since the folder was read
        return LeftOutFile{path, LeftOutFile::Reason::Unreadable, ENOENT};
    case ProfileFile::State::NotRegular: // replaced since the folder was read
        return LeftOutFile{path, LeftOutFile::Reason::NotRegular, 0};
    case ProfileFile::State::Read:
        break;
    }
    const std::optional<std::string_view> name = file.findBytes(section, key);
    if (!name || *name == quiz::kMissing)
        return LeftOutFile{path, LeftOutFile::Reason::NoName, 0};
    return cp1251ToUtf8(*name);
}

// Reading the names is most of a listing's cost, and each file is read on
// its own: a large folder is read by one thread per core, each taking the
// next file. Every result lands in its own slot, so the order is the same.
constexpr std::size_t kFilesPerThread = 16;

template <typename Work> void forEachFile(std::size_t count, const Work& work) {
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t threads = std::min(cores, count / kFilesPerThread);
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureMutex;
    const auto run = [&] {
        try {
            for (std::size_t i; (i = next++) < count;)
                work(i);
        } catch (...) {
            const std::lock_guard lock(failureMutex);
            failure = std::current_exception();
            next = count;
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (std::size_t t = 1; t < threads; ++t)
            helpers.emplace_back(run);
        run();
    }
    if (failure)
        std::rethrow_exception(failure);
}

// ё/Ё count as е/Е when names are shown for picking.
std::string subjectSortKey(const std::string& name) {
    std::string key = utf8ToLowerUnicode(name);
    constexpr std::string_view yo = "ё";
    constexpr std::string_view ye = "е";
    for (std::size_t at = key.find(yo); at != std::string::npos; at = key.find(yo, at + ye.size()))
        key.replace(at, yo.size(), ye);
    return key;
}

} // namespace

std::optional<std::vector<QuizEntry>> tryScanQuizFolder(const std::string& workDir,
                                                        std::vector<LeftOutFile>* leftOut) {
    std::vector<LeftOutFile> notRegular;
    std::optional<std::vector<std::string>> fileNames = listQuizFileNames(workDir, &notRegular);
    if (!fileNames)
        return std::nullopt;
    // Sort keys computed once per name rather than per comparison.
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(fileNames->size());
    for (std::string& name : *fileNames)
        keyed.emplace_back(utf8ToLowerUnicode(name), std::move(name));
    std::sort(keyed.begin(), keyed.end());

    std::vector<std::variant<std::string, LeftOutFile>> names(keyed.size());
    forEachFile(keyed.size(), [&](std::size_t i) { names[i] = readQuizName(workDir + keyed[i].second); });
    std::vector<QuizEntry> tests;
    std::vector<LeftOutFile> unlisted;
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        if (auto* found = std::get_if<std::string>(&names[i]))
            tests.push_back({workDir + keyed[i].second, std::move(*found)});
        else
            unlisted.push_back(std::move(std::get<LeftOutFile>(names[i])));
    }
    if (leftOut) {
        // In file-name order, as the tests are.
        unlisted.insert(unlisted.end(), notRegular.begin(), notRegular.end());
        std::stable_sort(unlisted.begin(), unlisted.end(), [](const LeftOutFile& a, const LeftOutFile& b) {
            return std::pair(utf8ToLowerUnicode(a.path), a.path) <
                   std::pair(utf8ToLowerUnicode(b.path), b.path);
        });
        *leftOut = std::move(unlisted);
    }
    return tests;
}

std::vector<QuizEntry> scanQuizFolder(const std::string& workDir) {
    return tryScanQuizFolder(workDir).value_or(std::vector<QuizEntry>{});
}

int initialCurrentQuiz(const std::vector<QuizEntry>& tests) {
    for (std::size_t i = tests.size(); i-- > 0;)
        if (tests[i].name.empty())
            return static_cast<int>(i);
    return 0;
}

std::vector<std::size_t> subjectDisplayOrder(const std::vector<std::string>& names) {
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const std::string& name : names)
        keys.push_back(subjectSortKey(name));
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    return order;
}

std::vector<std::size_t> subjectDisplayOrder(const std::vector<QuizEntry>& tests) {
    std::vector<std::string> names;
    names.reserve(tests.size());
    for (const QuizEntry& test : tests)
        names.push_back(test.name);
    return subjectDisplayOrder(names);
}

} // namespace quizloom
