#pragma once

#include <filesystem>

namespace lumora {

// The folder that holds everything our stand-in operating system keeps: $LUMORA_PREFIX if set,
// else $XDG_DATA_HOME/lumora, else ~/.local/share/lumora. Only computes the path.
std::filesystem::path PrefixPath();

}  // namespace lumora
