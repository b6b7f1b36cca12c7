#include "common/BmpWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/BmpReader.h"
#include "platform/Error.h"
#include "tests/support/TempPrefix.h"
#include "tests/support/TestPictures.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

bool SamePixels(const RasterBitmap& a, const RasterBitmap& b) {
    if (a.Size() != b.Size()) {
        return false;
    }
    for (int y = 0; y < a.Height(); ++y) {
        if (!std::equal(a.Row(y), a.Row(y) + a.RowBytes(), b.Row(y))) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void ExpectErrorNaming(const fs::path& path, auto action) {
    try {
        action();
        ADD_FAILURE() << "no error for " << path;
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("\"" + path.string() + "\""), std::string::npos)
            << error.what();
    }
}

class BmpWriterTest : public test::TempPrefixTest {};

TEST_F(BmpWriterTest, RoundTripsEveryRowPadding) {
    // Widths 1..4 give row paddings 1, 2, 3 and 0 bytes.
    for (int width = 1; width <= 5; ++width) {
        for (int height : {1, 3}) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
            const fs::path path = Work() / "round.bmp";
            const RasterBitmap original = test::PatternBitmap(width, height);
            WriteBmp(path, original);
            const std::uintmax_t stride = (width * 3 + 3) / 4 * 4;
            EXPECT_EQ(fs::file_size(path), 54 + stride * height);
            EXPECT_TRUE(SamePixels(ReadBmp(path), original));
        }
    }
}

TEST_F(BmpWriterTest, WritesA24BitBottomUpInfoHeader) {
    const fs::path path = Work() / "header.bmp";
    WriteBmp(path, test::SolidBitmap(2, 2, 1, 2, 3));
    const std::string bytes = test::ReadBytes(path);
    ASSERT_EQ(bytes.size(), 54u + 2 * 8);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(bytes[10], 54);  // data offset
    EXPECT_EQ(bytes[14], 40);  // BITMAPINFOHEADER
    EXPECT_EQ(bytes[22], 2);   // positive height: bottom-up
    EXPECT_EQ(bytes[28], 24);  // bits per pixel
    EXPECT_EQ(bytes.substr(54, 8), std::string("\x01\x02\x03\x01\x02\x03\0\0", 8));
}

TEST_F(BmpWriterTest, RowWriterTakesRowsInAnyOrder) {
    const fs::path path = Work() / "rows.bmp";
    const RasterBitmap original = test::PatternBitmap(7, 5);
    BmpRowWriter writer(path, 7, 5);
    for (int y : {3, 0, 4, 2, 1}) {
        writer.WriteRow(y, original.Row(y));
    }
    EXPECT_FALSE(fs::exists(path)) << "visible before Commit";
    writer.Commit();
    EXPECT_TRUE(SamePixels(ReadBmp(path), original));
    EXPECT_EQ(FolderEntries(Work()), std::vector<std::string>{"rows.bmp"});
}

TEST_F(BmpWriterTest, WriterWithoutCommitLeavesNothing) {
    const fs::path path = Work() / "abandoned.bmp";
    {
        BmpRowWriter writer(path, 4, 4);
        const RasterBitmap row = test::SolidBitmap(4, 1, 9, 9, 9);
        writer.WriteRow(0, row.Row(0));
    }
    EXPECT_TRUE(FolderEntries(Work()).empty());
}

TEST_F(BmpWriterTest, ReplacesAnOldFileWhole) {
    const fs::path path = Work() / "old.bmp";
    test::WriteBytes(path, "old contents");
    const RasterBitmap picture = test::PatternBitmap(3, 2);
    WriteBmp(path, picture);
    EXPECT_TRUE(SamePixels(ReadBmp(path), picture));
    EXPECT_EQ(FolderEntries(Work()), std::vector<std::string>{"old.bmp"});
}

TEST_F(BmpWriterTest, RefusesBadSizesAndRows) {
    const fs::path path = Work() / "bad.bmp";
    ExpectErrorNaming(path, [&] { BmpRowWriter(path, 0, 10); });
    ExpectErrorNaming(path, [&] { BmpRowWriter(path, 1 << 20, 1 << 20); });
    ExpectErrorNaming(path, [&] { WriteBmp(path, RasterBitmap()); });

    BmpRowWriter writer(path, 2, 2);
    const RasterBitmap row = test::SolidBitmap(2, 1, 0, 0, 0);
    ExpectErrorNaming(path, [&] { writer.WriteRow(2, row.Row(0)); });
    ExpectErrorNaming(path, [&] { writer.WriteRow(-1, row.Row(0)); });
    writer.Commit();
    ExpectErrorNaming(path, [&] { writer.Commit(); });
}

}  // namespace
}  // namespace lumora
