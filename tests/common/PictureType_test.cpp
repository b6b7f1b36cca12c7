#include <gtest/gtest.h>

#include "common/PictureType.h"

namespace lumora {
namespace {

TEST(PictureType, ExtensionIsFromTheLastDotOfTheFileNameUpperCased) {
    struct Case {
        const char* path;
        const char* extension;
        PictureType type;
    };
    const Case cases[] = {
        {"/pics/SEA.JPG", ".JPG", PictureType::Jpeg},
        {"/pics/sea.Jpg", ".JPG", PictureType::Jpeg},
        {"/pics/sun.bmp", ".BMP", PictureType::Bitmap},
        {"/pics/a.b.bmp", ".BMP", PictureType::Bitmap},
        {"/pics/sea.jpeg", ".JPEG", PictureType::Other},
        {"/pics/sea.png", ".PNG", PictureType::Other},
        {"/pics.jpg/sea", "", PictureType::Other},  // the folder's dot does not count
        {"sea", "", PictureType::Other},
        {"/pics/sea.", ".", PictureType::Other},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(UpperExtensionOf(c.path), c.extension);
        EXPECT_EQ(PictureTypeOf(c.path), c.type);
    }
}

}  // namespace
}  // namespace lumora
