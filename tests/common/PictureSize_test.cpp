#include <gtest/gtest.h>

#include "common/BmpWriter.h"
#include "common/PictureSize.h"
#include "platform/Error.h"
#include "tests/support/TempPrefix.h"
#include "tests/support/TestPictures.h"

namespace lumora {
namespace {

class PictureSizeTest : public test::TempPrefixTest {};

TEST_F(PictureSizeTest, ReadFromTheHeaderByType) {
    WriteBmp(Work() / "a.BMP", test::SolidBitmap(7, 3, 0, 0, 0));
    test::WriteTestJpeg(Work() / "b.Jpg", test::SolidBitmap(9, 5, 0, 0, 0));
    EXPECT_EQ(ReadPictureSize(Work() / "a.BMP"), (PictureSize{7, 3}));
    EXPECT_EQ(ReadPictureSize(Work() / "b.Jpg"), (PictureSize{9, 5}));
}

TEST_F(PictureSizeTest, OtherTypesFailNamingTheFile) {
    test::WriteBytes(Work() / "c.png", "\x89PNG");
    try {
        ReadPictureSize(Work() / "c.png");
        FAIL() << "a .png was read";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find((Work() / "c.png").string()), std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace lumora
