#include "tests/support/TempPrefix.h"

#include "platform/Error.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>

namespace lumora::test {

ScopedTempDir::ScopedTempDir() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate =
            std::filesystem::temp_directory_path() / ("lumora-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

ScopedTempDir::~ScopedTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

TempPrefixTest::TempPrefixTest() : prefix_(root_.Path() / "prefix") {
    if (const char* old = std::getenv("LUMORA_PREFIX")) {
        savedPrefix_ = old;
    }
    ::setenv("LUMORA_PREFIX", prefix_.c_str(), 1);
}

TempPrefixTest::~TempPrefixTest() {
    if (savedPrefix_) {
        ::setenv("LUMORA_PREFIX", savedPrefix_->c_str(), 1);
    } else {
        ::unsetenv("LUMORA_PREFIX");
    }
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path());
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void ExpectErrorNaming(const std::function<void()>& action, std::string_view named) {
    try {
        action();
        ADD_FAILURE() << "no error naming " << named;
    } catch (const Error& error) {
        EXPECT_NE(std::string_view(error.what()).find(named), std::string_view::npos)
            << error.what();
    }
}

}  // namespace lumora::test
