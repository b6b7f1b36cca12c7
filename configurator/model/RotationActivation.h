#pragma once

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/RasterBitmap.h"
#include "platform/Registry.h"

namespace lumora {

// One picture entry as Enable reads it: path i and row i's letter-column text.
struct ScheduleSource {
    std::string path;
    std::string letterText;
};

// What switching the rotation on and off works with, all owned by the main window.
struct ActivationContext {
    Registry& registry;
    std::string windowsDirectory;
    std::filesystem::path startDirectory;  // the applier is registered as <start>/lumo4
    PictureSize targetResolution;
};

// A uniformly random order of 0 .. count - 1 (any count), from a generator seeded by the caller.
std::vector<std::size_t> ShuffledOrder(std::size_t count, std::mt19937& random);

// Switches the rotation on: stored resolution, shuffled schedule file, the applier's Run value,
// the first picture prepared and set as the wallpaper, the state file naming line 2. Returns false
// (doing nothing) for an empty list. Errors end it at the failing operation with what was done
// before left done; the state file is written only after the picture was prepared.
bool EnableRotation(const std::vector<ScheduleSource>& entries, const ActivationContext& context,
                    std::mt19937& random);

// Switches the rotation off: removes the program's key (and "\Software\Brenvik" only when nothing
// else is left in it), the schedule file, the marked bitmap, the state file and the Run value.
void DisableRotation(const ActivationContext& context);

}  // namespace lumora
