#pragma once
// The folder a command-line tool works on when given one or none, the same
// for every tool that reads a bank, and why one cannot be listed.
#include <optional>
#include <string>
#include <string_view>

namespace quizloom {

inline constexpr std::string_view kDefaultToolFolder = "./Тесты/";

// The folder as given, ending with "/"; without one, ./Тесты/ when that
// folder exists, else "./".
std::string toolFolder(const std::optional<std::string>& given);

enum class FolderFault {
    Missing,
    NotFolder,
    Unreadable,
};

// Why the folder named (as given, without an added "/", since it may be a
// file) could not be listed.
FolderFault folderFault(const std::string& named);

} // namespace quizloom
