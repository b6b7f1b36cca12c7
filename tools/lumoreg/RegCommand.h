#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace lumora {

// The lumoreg command line, after the Windows "reg" command:
//   query KEY [/v NAME | /ve]; add KEY [/v NAME | /ve] [/t TYPE] [/d DATA] [/f];
//   delete KEY [/v NAME | /ve] [/f]; export KEY FILE [/y]; import FILE.
// args are the words after the program name. Returns the exit status: 0 on success, 1 when the
// key or value does not exist or the operation failed, 2 on bad usage. Errors go to err.
int RunRegCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace lumora
