#include "bench_support.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>

#include "core/quiz/quiz_format.h"
#include "core/text/cp1251.h"
#include "support/temp_dir.h"

extern char** environ;

namespace quizloom::bench {
namespace {

namespace tf = quiz;

void appendEntry(std::string& out, std::string_view key, std::string_view value) {
    out += key;
    out += '=';
    out += value;
    out += "\r\n";
}

void replaceOnce(std::string& bytes, const std::string& from, const std::string& to) {
    const std::size_t at = bytes.find(from);
    if (at == std::string::npos)
        throw std::logic_error("test data lacks " + from);
    bytes.replace(at, from.size(), to);
}

void replaceAll(std::string& bytes, const std::string& from, const std::string& to) {
    for (std::size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size()))
        bytes.replace(at, from.size(), to);
}

} // namespace

std::string questionText(int variant, int question) {
    // About the length of a real question: two lines of text on screen.
    return "Вариант " + std::to_string(variant) + ", вопрос " + std::to_string(question) +
           ": какие из перечисленных процессов регулируются вегетативной нервной системой "
           "при физической нагрузке средней интенсивности?";
}

std::string optionText(int variant, int question, int option) {
    return "Ответ " + std::to_string(option) + " к вопросу " + std::to_string(variant * 100 + question) +
           ": частота сердечных сокращений";
}

std::string makeLargestTestBytes() {
    std::string utf8 = "[Тест]\r\n";
    const std::pair<std::string_view, std::string> header[] = {
        {tf::kKeyName, "Самый большой тест"},
        {tf::kKeySubject, "физиология"},
        {tf::kKeyType, std::string(tf::kTypeMany)},
        {tf::kKeyLevel, "1"},
        {tf::kKeyVariants, std::to_string(kLargestVariants)},
        {tf::kKeyQuestions, std::to_string(kLargestQuestions)},
        {tf::kKeyGrade5, "95"},
        {tf::kKeyGrade4, "85"},
        {tf::kKeyGrade3, "75"},
    };
    for (const auto& [key, value] : header)
        appendEntry(utf8, key, value);
    for (int variant = 1; variant <= kLargestVariants; ++variant) {
        for (int question = 1; question <= kLargestQuestions; ++question) {
            utf8 += '[';
            utf8 += tf::sectionName(variant, question);
            utf8 += "]\r\n";
            appendEntry(utf8, tf::kKeyQuestion, questionText(variant, question));
            for (int i = 1; i <= tf::kAnswerCount; ++i)
                appendEntry(utf8, tf::optionKey(i), optionText(variant, question, i));
            for (int i = 1; i <= tf::kAnswerCount; ++i)
                appendEntry(utf8, tf::correctKey(i), optionText(variant, question, i));
        }
    }
    return utf8ToCp1251(utf8);
}

void writeLargestTest(const std::string& path) {
    testing::writeFileBytes(path, makeLargestTestBytes());
}

std::vector<std::string> writeBank(const std::string& folder, bool manyFindings) {
    std::filesystem::create_directories(folder);
    const std::string clean = makeLargestTestBytes();
    // A section whose name is wrong reads as a missing question; a level of 3 is a header problem.
    std::string missingQuestion = clean;
    replaceOnce(missingQuestion, "\r\n[1250]\r\n", "\r\n[12500]\r\n");
    std::string badLevel = clean;
    replaceOnce(badLevel, utf8ToCp1251("Уровень=1"), utf8ToCp1251("Уровень=3"));
    if (manyFindings) {
        // Renamed keys read as absent: no question has a correct answer.
        const std::string key = utf8ToCp1251(tf::kCorrectKeyPrefix);
        const std::string renamed = utf8ToCp1251("Правильный ответ No");
        replaceAll(missingQuestion, key, renamed);
        replaceAll(badLevel, key, renamed);
    }
    std::vector<std::string> paths;
    for (int i = 0; i < kBankSize; ++i) {
        const std::string& bytes = i % 10 == 3 ? missingQuestion : i % 10 == 8 ? badLevel : clean;
        paths.push_back(folder + "/test" + std::to_string(1000 + i) + ".ini");
        testing::writeFileBytes(paths.back(), bytes);
    }
    return paths;
}

ChildRun runChild(const std::vector<std::string>& argv) {
    using Clock = std::chrono::steady_clock;
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, args[0], &actions, nullptr, args.data(), environ) != 0)
        throw std::runtime_error("cannot start " + argv[0]);
    posix_spawn_file_actions_destroy(&actions);
    int raw = 0;
    ::waitpid(child, &raw, 0);
    ChildRun run;
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

} // namespace quizloom::bench
