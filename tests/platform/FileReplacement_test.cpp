#include "platform/FileReplacement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "tests/support/TempPrefix.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

// Errors quote the file they name.
void ExpectErrorNaming(const std::function<void()>& action, const fs::path& path) {
    test::ExpectErrorNaming(action, "\"" + path.string() + "\"");
}

class FileReplacementTest : public test::TempPrefixTest {
protected:
    std::vector<std::string> WorkFolderNames() const { return test::FolderNames(Work()); }
};

TEST_F(FileReplacementTest, WritesLandAtTheirOffsetsAndShowOnlyAfterCommit) {
    for (const Durability durability : {Durability::Flushed, Durability::Disposable}) {
        const fs::path target = Work() / "made.bin";
        fs::remove(target);
        FileReplacement replacement(target);
        replacement.Resize(10);
        replacement.WriteAt(6, "xyz", 3);
        replacement.WriteAt(0, "ab", 2);
        EXPECT_FALSE(fs::exists(target));
        replacement.Commit(durability);
        EXPECT_EQ(ReadBytes(target), std::string("ab\0\0\0\0xyz\0", 10));
        EXPECT_EQ(WorkFolderNames(), std::vector<std::string>{"made.bin"});
    }
}

TEST_F(FileReplacementTest, OldFileStaysUntilCommitAndKeepsItsPermissions) {
    const fs::path target = Work() / "private.ini";
    WriteBytes(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    {
        FileReplacement abandoned(target);
        abandoned.WriteAt(0, "lost", 4);
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(WorkFolderNames(), std::vector<std::string>{"private.ini"});

    FileReplacement replacement(target);
    replacement.WriteAt(0, "new", 3);
    EXPECT_EQ(ReadBytes(target), "old");
    replacement.Commit(Durability::Disposable);
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    ExpectErrorNaming([&] { replacement.Commit(Durability::Flushed); }, target);
}

TEST_F(FileReplacementTest, UnwritablePlacesFailNamingTheTarget) {
    WriteBytes(Work() / "plain-file", "x");
    WriteBytes(Work() / "folder" / "inside.txt", "kept");
    for (const fs::path& target : {Work() / "no-such-folder" / "a.bmp",
                                   Work() / "plain-file" / "a.bmp", Work() / "folder"}) {
        ExpectErrorNaming([&] { FileReplacement replacement(target); }, target);
    }
    EXPECT_EQ(ReadBytes(Work() / "folder" / "inside.txt"), "kept");
    EXPECT_EQ(WorkFolderNames(), (std::vector<std::string>{"folder", "plain-file"}));
}

}  // namespace
}  // namespace lumora
