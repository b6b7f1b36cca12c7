#pragma once

#include <string>
#include <system_error>

namespace lumora {

// The reason an operating-system call failed, in the user's language, for error texts such as
// «Не удаётся открыть файл "x": нет такого файла или папки».
std::string SystemErrorText(int errorNumber);
std::string SystemErrorText(const std::error_code& error);

}  // namespace lumora
