#include "platform/SystemErrorText.h"

#include <cerrno>
#include <cstring>

namespace lumora {

std::string SystemErrorText(int errorNumber) {
    switch (errorNumber) {
        case ENOENT:
            return "нет такого файла или папки";
        case EACCES:
        case EPERM:
            return "нет доступа";
        case EISDIR:
            return "это папка, а не файл";
        case ENOTDIR:
            return "часть пути не является папкой";
        case ENOSPC:
            return "нет места на диске";
        case EROFS:
            return "файловая система доступна только для чтения";
        case EEXIST:
            return "файл уже существует";
        case ENAMETOOLONG:
            return "слишком длинное имя";
        case EIO:
            return "ошибка ввода-вывода";
        default:
            return std::strerror(errorNumber);
    }
}

std::string SystemErrorText(const std::error_code& error) {
    if (error.category() == std::generic_category() || error.category() == std::system_category()) {
        return SystemErrorText(error.value());
    }
    return error.message();
}

}  // namespace lumora
