#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/Error.h"

namespace lumora {
namespace {

TEST(TextEncoding, EveryWindows1251ByteSurvivesARoundTrip) {
    std::string allBytes;
    for (int byte = 0; byte < 256; ++byte) {
        allBytes += static_cast<char>(byte);
    }
    const auto utf8 = Windows1251ToUtf8(allBytes);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToWindows1251(utf8), allBytes);
}

TEST(TextEncoding, KnownCharacters) {
    const struct {
        std::string windows1251, utf8;
    } cases[] = {
        {"C:\\PICS\\SEA.JPG|B", "C:\\PICS\\SEA.JPG|B"},
        {"\xCF\xF0\xE8\xE2\xE5\xF2", "Привет"},
        {"\xC0\xDF\xE0\xFF", "АЯая"},
        {"\xA8\xB8", "Ёё"},
        {"\x88\xB9\x96\xAB\xBB", "€№–«»"},
        {"\xA5\xB4\xAA\xBA\xAF\xBF\xB2\xB3\xA1\xA2", "ҐґЄєЇїІіЎў"},
        {"\x80\x81\x8A\x8C\x8D\x8E\x8F", "ЂЃЉЊЌЋЏ"},
        {"\x98", "\xC2\x98"},  // the unused byte keeps its value as U+0098
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Windows1251ToUtf8(c.windows1251), c.utf8);
        EXPECT_EQ(Utf8ToWindows1251(c.utf8), c.windows1251) << c.utf8;
    }
}

TEST(TextEncoding, CharactersOutsideWindows1251GiveNothing) {
    for (const std::string text : {"café", "Müller", "中文", "😀", "a\xC2\x80"}) {
        EXPECT_EQ(Utf8ToWindows1251(text), std::nullopt) << text;
    }
}

TEST(TextEncoding, StrictUtf8) {
    const std::string valid[] = {"",
                                 "ascii",
                                 "\xDF\xBF",
                                 "\xE0\xA0\x80",
                                 "\xEF\xBF\xBF",
                                 "\xF0\x90\x80\x80",
                                 "\xF4\x8F\xBF\xBF",
                                 "\xED\x9F\xBF"};
    for (const auto& text : valid) {
        EXPECT_TRUE(IsValidUtf8(text)) << DisplayableUtf8(text);
    }
    const std::string invalid[] = {
        "\x80",              // continuation byte without a lead
        "\xD0",              // cut short
        "\xE2\x82",          // cut short
        "\xC0\xAF",          // overlong "/"
        "\xC1\xBF",          // overlong
        "\xE0\x80\xAF",      // overlong
        "\xF0\x80\x80\xAF",  // overlong
        "\xED\xA0\x80",      // surrogate
        "\xED\xBF\xBF",      // surrogate
        "\xF4\x90\x80\x80",  // above U+10FFFF
        "\xF8\x88\x80\x80\x80",
        "\xFF",
        "ok\xD0x",  // lead followed by a non-continuation
    };
    for (const auto& text : invalid) {
        EXPECT_FALSE(IsValidUtf8(text)) << DisplayableUtf8(text);
        EXPECT_THROW(Utf8ToWindows1251(text), Error) << DisplayableUtf8(text);
    }
}

TEST(TextEncoding, ErrorTextShowsBadBytesReadably) {
    EXPECT_EQ(DisplayableUtf8("a\xFF\xD0\xB1"), "a\\xFFб");
    try {
        Utf8ToWindows1251("name\xC0\xAF.jpg");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("name\\xC0\\xAF.jpg"), std::string::npos);
        EXPECT_TRUE(IsValidUtf8(error.what()));
    }
}

}  // namespace
}  // namespace lumora
