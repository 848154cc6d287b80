#include "core/text/system_reason.h"

#include <cerrno>
#include <string_view>
#include <utility>

namespace quizloom {

std::string systemReason(int error) {
    static constexpr std::pair<int, std::string_view> kReasons[] = {
        {ENOENT, "нет такого файла или каталога"},
        {ENOTDIR, "часть пути не каталог"},
        {EACCES, "нет доступа"},
        {EPERM, "операция не разрешена"},
        {EEXIST, "файл уже есть"},
        {ELOOP, "слишком много символических ссылок"},
        {ENAMETOOLONG, "слишком длинное имя"},
        {EIO, "ошибка ввода-вывода"},
        {EISDIR, "это каталог"},
        {ENOMEM, "не хватает памяти"},
        {ENOSPC, "нет места на устройстве"},
        {EDQUOT, "превышена дисковая квота"},
        {EFBIG, "файл слишком велик"},
        {EROFS, "файловая система только для чтения"},
    };
    for (const auto& [code, text] : kReasons)
        if (code == error)
            return std::string(text);
    return "системная ошибка " + std::to_string(error);
}

} // namespace quizloom
