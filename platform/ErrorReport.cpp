#include "platform/ErrorReport.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "platform/Prefix.h"

namespace lumora {
namespace {

std::string LocalTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    if (std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local) == 0) {
        return "0000-00-00 00:00:00";
    }
    return text;
}

}  // namespace

void ReportApplierError(std::string_view message) noexcept {
    try {
        std::cerr << message << '\n' << std::flush;
    } catch (...) {
        // Nowhere left to report to; the log below may still work.
    }
    try {
        const auto prefix = PrefixPath();
        std::error_code ignored;
        std::filesystem::create_directories(prefix, ignored);
        std::ofstream log(prefix / "lumo4.log", std::ios::binary | std::ios::app);
        log << LocalTimestamp() << ' ' << message << '\n';
    } catch (...) {
        // The report must never end the program in a new way.
    }
}

}  // namespace lumora
