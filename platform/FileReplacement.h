#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace lumora {

// How hard a replacement is pushed to the disk when it takes the target's place.
enum class Durability {
    // Flushed before and after the rename: after a crash the target is the old or the new file,
    // whole. For what cannot be made again (settings, the state file).
    Flushed,
    // Renamed without waiting for the disk: after a crash the target may be empty or missing. For
    // derived files that are simply made again.
    Disposable,
};

// The new contents of a file, written into a temporary file beside it (the same folder, so the
// final rename stays within one file system and is atomic) and put in its place by Commit(). Until
// then the target is untouched; a replacement destroyed without Commit() leaves nothing behind. A
// replaced file keeps its permissions. Every failure is an Error naming the target and the
// system's reason.
class FileReplacement {
public:
    explicit FileReplacement(const std::filesystem::path& target);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Sets the length; new bytes read as zero. Sizing at once lets a full disk show up early.
    void Resize(std::uint64_t size);
    void WriteAt(std::uint64_t offset, const void* data, std::size_t size);
    // Closes the temporary file and renames it over the target. Nothing may be written afterwards,
    // whether or not it succeeded.
    void Commit(Durability durability);

    const std::filesystem::path& Target() const { return target_; }

private:
    [[noreturn]] void Fail(int errorNumber) const;

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int descriptor_ = -1;
    bool committed_ = false;
};

}  // namespace lumora
