#include "platform/Files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

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

void ExpectErrorNaming(const std::function<void()>& action, const fs::path& path) {
    test::ExpectErrorNaming(action, path.string());
}

class FilesTest : public test::TempPrefixTest {
protected:
    std::vector<std::string> WorkFolderNames() const { return test::FolderNames(Work()); }
};

TEST_F(FilesTest, AtomicWriteCreatesAndReplacesWholeFiles) {
    const auto file = Work() / "Lumora.ini";
    WriteFileAtomically(file, "active=2\r\n");
    EXPECT_EQ(ReadBytes(file), "active=2\r\n");
    const std::string binary("a\0b\r\n\xFF", 6);
    WriteFileAtomically(file, binary);
    EXPECT_EQ(ReadWholeFile(file), binary);
    WriteFileAtomically(file, "");
    EXPECT_EQ(ReadWholeFile(file), "");
    EXPECT_EQ(WorkFolderNames(), std::vector<std::string>{"Lumora.ini"});
}

TEST_F(FilesTest, FailedAtomicWriteLeavesWhatWasThere) {
    // A folder where the file should go: the write fails and the folder keeps its content.
    const auto occupied = Work() / "occupied.ini";
    WriteBytes(occupied / "inside.txt", "kept");
    ExpectErrorNaming([&] { WriteFileAtomically(occupied, "new"); }, occupied);
    EXPECT_EQ(ReadBytes(occupied / "inside.txt"), "kept");

    // A folder that does not exist.
    const auto nowhere = Work() / "missing" / "x.ini";
    ExpectErrorNaming([&] { WriteFileAtomically(nowhere, "new"); }, nowhere);
    EXPECT_EQ(WorkFolderNames(), std::vector<std::string>{"occupied.ini"});
}

TEST_F(FilesTest, WriteFailingHalfWayKeepsTheOldFileAndNoTemporary) {
    const auto file = Work() / "LumoraPics.ini";
    WriteBytes(file, "old\r\n");
    // A file size limit makes the write itself fail after a few bytes, whatever our rights.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 16;
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    ExpectErrorNaming([&] { WriteFileAtomically(file, std::string(4096, 'x')); }, file);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);

    EXPECT_EQ(ReadBytes(file), "old\r\n");
    EXPECT_EQ(WorkFolderNames(), std::vector<std::string>{"LumoraPics.ini"});
}

TEST_F(FilesTest, ReadingWhatIsNotAReadableFileFails) {
    ExpectErrorNaming([&] { ReadWholeFile(Work() / "absent.ini"); }, Work() / "absent.ini");
    ExpectErrorNaming([&] { ReadWholeFile(Work()); }, Work());
}

TEST_F(FilesTest, ExistsDeleteAndSize) {
    const auto file = Work() / "SEA.bmp";
    const auto link = Work() / "link.bmp";
    const auto folder = Work() / "folder";
    WriteBytes(file, "12345");
    fs::create_symlink(file, link);
    fs::create_directory(folder);

    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists(link));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(Work() / "absent"));
    EXPECT_EQ(FileSizeOf(file), 5u);
    ExpectErrorNaming([&] { FileSizeOf(Work() / "absent"); }, Work() / "absent");

    DeleteFileQuietly(file);
    DeleteFileQuietly(file);  // already gone: no error
    DeleteFileQuietly(folder);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(FilesTest, SizesAboveFourGigabytes) {
    const auto file = Work() / "huge.bmp";
    WriteBytes(file, "");
    const std::uintmax_t size = 5ull * 1024 * 1024 * 1024 + 7;
    fs::resize_file(file, size);  // sparse: takes no disk space
    EXPECT_EQ(FileSizeOf(file), size);
}

TEST_F(FilesTest, PathsConvertAsUtf8) {
    const std::string name = "Картинки/море 😀.jpg";
    EXPECT_EQ(PathToUtf8(PathFromUtf8(name)), name);
    const auto bad = Work() / "\xE2\xF0\xE5\xEC\xFF.jpg";  // a Windows-1251 name on disk
    try {
        PathToUtf8(bad);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("\\xE2\\xF0\\xE5\\xEC\\xFF.jpg"),
                  std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace lumora
