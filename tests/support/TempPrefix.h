#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::test {

// A folder of its own under the system's temporary folder, removed with everything in it.
class ScopedTempDir {
public:
    ScopedTempDir();
    ~ScopedTempDir();
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Points LUMORA_PREFIX at a fresh temporary folder for the test's lifetime, so no test ever touches
// the user's own prefix, and puts it back afterwards. The prefix itself is not created: the first
// program or OpenRegistry() call does that, as in real use.
class TempPrefixTest : public ::testing::Test {
protected:
    TempPrefixTest();
    ~TempPrefixTest() override;

    const std::filesystem::path& Prefix() const { return prefix_; }
    // A folder for the test's own files (pictures, list files), outside the prefix.
    const std::filesystem::path& Work() const { return work_.Path(); }
    // <prefix>/windows, the Windows directory a fresh prefix gets.
    std::filesystem::path WindowsDir() const { return prefix_ / "windows"; }

private:
    ScopedTempDir root_;
    ScopedTempDir work_;
    std::filesystem::path prefix_;
    std::optional<std::string> savedPrefix_;
};

// Writes bytes to a file, creating its folder; for hand-made fixtures.
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
std::string ReadBytes(const std::filesystem::path& path);

// The names in a folder, sorted: to see that no temporary file is left behind.
std::vector<std::string> FolderNames(const std::filesystem::path& folder);

// Runs the action and expects a lumora::Error whose text contains `named`.
void ExpectErrorNaming(const std::function<void()>& action, std::string_view named);

}  // namespace lumora::test
