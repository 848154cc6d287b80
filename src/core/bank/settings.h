#pragma once
// The program settings file: where it lives, what it holds, and how the
// working directory is chosen at start-up. Paths are UTF-8 and use "/".
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quizloom {

// The settings file of an executable: its path with the extension of the
// file name replaced by ".INI", or ".INI" appended when it has none.
std::string settingsPathFor(std::string_view executablePath);

// The settings file to use: the portable one beside the executable
// (settingsPathFor) when it exists and can be written, so that a copy of the
// program carried around keeps its settings with it; else the user's own,
// userConfigDir + "/quizloom/quizloom.ini". Without a configuration folder
// (no home to put it in) the portable file is all there is.
std::string chooseSettingsPath(std::string_view executablePath, std::string_view userConfigDir);

// Everything up to and including the last "/" ("" when there is none).
std::string directoryPart(std::string_view path);

inline constexpr std::string_view kSettingsSection = "Тест";
inline constexpr std::string_view kWorkDirKey = "Рабочий каталог";
// Read when the settings file has no working directory.
inline constexpr std::string_view kMissingWorkDir = "Error";

// The option check marks, in the order they are read and written.
struct OptionFlag {
    std::string_view key;
    bool defaultValue;
};
inline constexpr std::array<OptionFlag, 4> kOptionFlags{{
    {"NBoolOneTest", false},
    {"NPrintStatMin", true},
    {"NSimple", false},
    {"NPsiTest", false},
}};

constexpr std::array<bool, kOptionFlags.size()> defaultOptionFlags() {
    std::array<bool, kOptionFlags.size()> flags{};
    for (std::size_t i = 0; i < flags.size(); ++i)
        flags[i] = kOptionFlags[i].defaultValue;
    return flags;
}

// Whether the question overview is shown: an option of its own, after the
// flags. A file that never held it is written without it, so the keys a
// file holds stay as they were until the panel is first shown.
inline constexpr std::string_view kOverviewKey = "NOverview";

struct ProgramSettings {
    std::string workDir{kMissingWorkDir};
    std::array<bool, kOptionFlags.size()> flags = defaultOptionFlags();
    bool overviewShown = false;
};

// Missing file, section or keys give the defaults.
ProgramSettings loadSettings(const std::string& settingsPath);
// Makes the settings file's folder when it is missing (a failure shows as
// the failure of the write that follows).
void createSettingsFolder(const std::string& settingsPath);
// Writes the directory part of workDir and the flags, in order, creating the
// file's folder when it is missing; throws Error("Unable to write to <path>")
// when the file cannot be written.
void saveSettings(const std::string& settingsPath, const ProgramSettings& settings);

// The working directory to use, always ending with "/": the remembered one
// when it names an existing directory, else currentDir + "/Тесты/" when that
// exists, else currentDir itself. Nothing is created.
std::string resolveWorkDir(const std::string& remembered, const std::string& currentDir);

} // namespace quizloom
