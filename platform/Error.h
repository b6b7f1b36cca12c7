#pragma once

#include <stdexcept>

namespace lumora {

// The one failure type of the system. Its text is what the user reads (the configurator's message
// box, the applier's report), so it must name the file, value or text that was wrong.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace lumora
