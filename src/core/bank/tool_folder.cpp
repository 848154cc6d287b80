#include "core/bank/tool_folder.h"

#include <filesystem>
#include <system_error>

namespace quizloom {

std::string toolFolder(const std::optional<std::string>& given) {
    if (!given) {
        std::error_code ec;
        return std::filesystem::is_directory(std::filesystem::path(std::string(kDefaultToolFolder)), ec)
                   ? std::string(kDefaultToolFolder)
                   : std::string("./");
    }
    return given->back() == '/' ? *given : *given + "/";
}

FolderFault folderFault(const std::string& named) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(named, ec);
    if (!std::filesystem::exists(status))
        return FolderFault::Missing;
    if (!std::filesystem::is_directory(status))
        return FolderFault::NotFolder;
    return FolderFault::Unreadable;
}

} // namespace quizloom
