#pragma once

#include "platform/Registry.h"

namespace lumora {

// One rotation step, as run at every logon: delete the bitmap the last step generated, apply the
// schedule line named by the state file, advance the state file, write the desktop's wallpaper
// values. Throws Error at the first operation that fails; what was done before stays done. A state
// file without an active index ends the step quietly after the deletion.
void RunRotationStep(Registry& registry);

}  // namespace lumora
