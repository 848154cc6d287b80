#include "core/quiz/new_quiz_file.h"

#include <filesystem>
#include <system_error>

#include "core/ini/profile_file.h"
#include "core/quiz/quiz_format.h"
#include "core/text/error.h"

namespace quizloom::newquiz {

namespace fs = std::filesystem;

namespace {
constexpr std::string_view kQuizFileExtension = ".ini";
constexpr std::string_view kBackupExtension = ".BAK";
constexpr std::string_view kBackupFailed = "Не удалось создать резервную копию ";
} // namespace

std::string quizFilePath(std::string_view workDir, std::string_view fileName) {
    std::string path(workDir);
    path += fileName;
    path += kQuizFileExtension;
    return path;
}

std::string backupPath(std::string_view path) {
    constexpr auto npos = std::string_view::npos;
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameStart = slash == npos ? 0 : slash + 1;
    const std::size_t point = path.find_last_of('.');
    const std::size_t stemEnd = point == npos || point < nameStart ? path.size() : point;
    std::string backup(path.substr(0, stemEnd));
    backup += kBackupExtension;
    return backup;
}

bool fileExistsAt(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
}

void createFolder(const std::string& folder) {
    std::error_code ignored;
    fs::create_directories(folder, ignored);
}

void moveToBackup(const std::string& path) {
    const std::string backup = backupPath(path);
    std::error_code ec;
    // rename replaces a file already at the backup name in one step; a
    // folder there, or no right to the folder, makes it fail.
    fs::rename(path, backup, ec);
    if (ec)
        throw Error(std::string(kBackupFailed) + backup);
}

void writeNewQuizFile(const std::string& path, std::string_view quizName) {
    ProfileFile file(path);
    file.writeString(quiz::kHeaderSection, quiz::kKeyName, quizName);
    file.release();
}

} // namespace quizloom::newquiz
