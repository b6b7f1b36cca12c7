#include "common/TextLines.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/Error.h"
#include "tests/support/TempPrefix.h"

namespace lumora {
namespace {

using test::ReadBytes;
using test::ScopedTempDir;
using test::WriteBytes;

TEST(SplitLines, EveryLineEndIsTakenAndNothingIsTrimmed) {
    struct Case {
        std::string_view text;
        TextLines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"active=3", {"active=3"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR is two line ends
        {"\r\n", {""}},
        {"  padded  \r\n", {"  padded  "}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitLines(c.text), c.lines) << "text: " << testing::PrintToString(c.text);
    }
}

TEST(TextFiles, WrittenInWindows1251WithCrLfAfterEveryLine) {
    ScopedTempDir dir;
    const auto path = dir.Path() / "Lumora.ini";
    SaveTextLines(path, {"active=2", "delete file", "/картинки/море.bmp"});
    EXPECT_EQ(
        ReadBytes(path),
        "active=2\r\ndelete file\r\n/\xEA\xE0\xF0\xF2\xE8\xED\xEA\xE8/\xEC\xEE\xF0\xE5.bmp\r\n");
    EXPECT_EQ(LoadTextLines(path), (TextLines{"active=2", "delete file", "/картинки/море.bmp"}));

    SaveTextLines(path, {});
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_TRUE(LoadTextLines(path).empty());
}

TEST(TextFiles, NamesOutsideWindows1251AreKeptAsUtf8WithByteOrderMark) {
    ScopedTempDir dir;
    const auto path = dir.Path() / "LumoraPics.ini";
    const TextLines lines{"/фото/café|B", "/pics/中文.jpg|C"};
    SaveTextLines(path, lines);
    EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBF/фото/café|B\r\n/pics/中文.jpg|C\r\n");
    EXPECT_EQ(LoadTextLines(path), lines);
}

TEST(TextFiles, HandMadeFilesWithOtherLineEndsReadTheSame) {
    ScopedTempDir dir;
    for (std::string_view text :
         {"active=3\ndelete file\n/p/a.bmp", "active=3\rdelete file\r/p/a.bmp\r"}) {
        WriteBytes(dir.Path() / "state", text);
        EXPECT_EQ(LoadTextLines(dir.Path() / "state"),
                  (TextLines{"active=3", "delete file", "/p/a.bmp"}));
    }
}

TEST(TextFiles, BadInputIsRefusedByNameAndNothingIsLost) {
    ScopedTempDir dir;
    const auto path = dir.Path() / "list.iml";
    SaveTextLines(path, {"old"});

    // A line holding a line end would come back as two lines.
    try {
        SaveTextLines(path, {"/a\nb.jpg|C"});
        FAIL() << "a line with a line end was written";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("list.iml"), std::string::npos) << error.what();
    }
    EXPECT_EQ(ReadBytes(path), "old\r\n");

    // Damaged UTF-8 behind the byte-order mark.
    WriteBytes(dir.Path() / "bad.ini", "\xEF\xBB\xBF/a/\xC3(.jpg|C\r\n");
    EXPECT_THROW(LoadTextLines(dir.Path() / "bad.ini"), Error);

    // Missing file and a folder that cannot be written.
    EXPECT_THROW(LoadTextLines(dir.Path() / "missing.ini"), Error);
    EXPECT_THROW(SaveTextLines(dir.Path() / "no-such-folder" / "x.ini", {"a"}), Error);
}

}  // namespace
}  // namespace lumora
