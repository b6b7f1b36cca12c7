#include <iostream>
#include <string>
#include <vector>

#include "tools/lumoreg/RegCommand.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return lumora::RunRegCommand(args, std::cout, std::cerr);
}
