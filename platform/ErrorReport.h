#pragma once

#include <string_view>

namespace lumora {

// The applier's report of the error that ended its step: the text goes to stderr and is appended,
// with a timestamp, to <prefix>/lumo4.log. Never throws.
void ReportApplierError(std::string_view message) noexcept;

}  // namespace lumora
