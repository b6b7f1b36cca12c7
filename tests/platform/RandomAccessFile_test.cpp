#include "platform/RandomAccessFile.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempPrefix.h"

namespace lumora {
namespace {

class RandomAccessFileTest : public test::TempPrefixTest {};

// Reads anywhere; at the end of the file they come back short, past it empty.
TEST_F(RandomAccessFileTest, ReadsAtOffsetsAndShortAtTheEnd) {
    test::WriteBytes(Work() / "data.bin", "0123456789");
    const RandomAccessFile file(Work() / "data.bin");
    EXPECT_EQ(file.Size(), 10u);
    std::string buffer(4, '-');
    EXPECT_EQ(file.ReadAt(3, buffer.data(), 4), 4u);
    EXPECT_EQ(buffer, "3456");
    EXPECT_EQ(file.ReadAt(8, buffer.data(), 4), 2u);
    EXPECT_EQ(buffer.substr(0, 2), "89");
    EXPECT_EQ(file.ReadAt(10, buffer.data(), 4), 0u);
    EXPECT_EQ(file.ReadAt(1000, buffer.data(), 4), 0u);
}

}  // namespace
}  // namespace lumora
