#include "core/bank/settings.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/ini/profile_file.h"

namespace quizloom {

namespace {

bool isDirectory(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

// A profile line cannot hold a line break or NUL; like a character the code
// page lacks, each becomes "?" (the next start then takes the default folder).
std::string storableDirectory(std::string dir) {
    for (char& c : dir)
        if (c == '\r' || c == '\n' || c == '\0')
            c = '?';
    return dir;
}

std::string withSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

} // namespace

std::string settingsPathFor(std::string_view executablePath) {
    const std::size_t nameStart = executablePath.rfind('/') + 1; // npos + 1 == 0
    const std::size_t dot = executablePath.rfind('.');
    std::string path(executablePath);
    if (dot != std::string_view::npos && dot >= nameStart)
        path.resize(dot);
    return path + ".INI";
}

std::string chooseSettingsPath(std::string_view executablePath, std::string_view userConfigDir) {
    const std::string portable = settingsPathFor(executablePath);
    if (userConfigDir.empty())
        return portable;
    std::error_code ec;
    if (std::filesystem::is_regular_file(portable, ec)) {
        // Opening for update neither creates nor changes the file, and fails
        // where a write would.
        if (std::FILE* file = std::fopen(portable.c_str(), "r+")) {
            std::fclose(file);
            return portable;
        }
    }
    return std::string(userConfigDir) + "/quizloom/quizloom.ini";
}

std::string directoryPart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

ProgramSettings loadSettings(const std::string& settingsPath) {
    ProgramSettings settings;
    ProfileFile file(settingsPath);
    settings.workDir = file.readString(kSettingsSection, kWorkDirKey, kMissingWorkDir);
    for (std::size_t i = 0; i < kOptionFlags.size(); ++i)
        settings.flags[i] =
            file.readFlag(kSettingsSection, kOptionFlags[i].key, kOptionFlags[i].defaultValue);
    settings.overviewShown = file.readFlag(kSettingsSection, kOverviewKey, false);
    return settings;
}

void createSettingsFolder(const std::string& settingsPath) {
    // The user's configuration folder has none of the program's at the first
    // close. A folder that cannot be made shows as the write's own failure.
    const std::string folder = directoryPart(settingsPath);
    std::error_code ec;
    if (!folder.empty())
        std::filesystem::create_directories(folder, ec);
}

void saveSettings(const std::string& settingsPath, const ProgramSettings& settings) {
    createSettingsFolder(settingsPath);
    ProfileFile file(settingsPath);
    file.writeString(kSettingsSection, kWorkDirKey, storableDirectory(directoryPart(settings.workDir)));
    for (std::size_t i = 0; i < kOptionFlags.size(); ++i)
        file.writeFlag(kSettingsSection, kOptionFlags[i].key, settings.flags[i]);
    if (settings.overviewShown || file.findString(kSettingsSection, kOverviewKey))
        file.writeFlag(kSettingsSection, kOverviewKey, settings.overviewShown);
    file.release();
}

std::string resolveWorkDir(const std::string& remembered, const std::string& currentDir) {
    // The program writes the directory with its final "/"; one edited by
    // hand without it still names the folder, so it is completed.
    if (remembered != kMissingWorkDir && isDirectory(remembered))
        return withSlash(remembered);
    const std::string fallback = withSlash(currentDir) + "Тесты/";
    if (isDirectory(fallback))
        return fallback;
    return withSlash(currentDir);
}

} // namespace quizloom
