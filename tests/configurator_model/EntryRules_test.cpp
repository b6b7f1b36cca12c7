#include "configurator/model/EntryRules.h"

#include <gtest/gtest.h>

#include "platform/Error.h"

namespace lumora {
namespace {

TEST(EntryRules, CaptionIsTheNameUpToItsFirstDotAndTypeTheUpperCasedExtension) {
    struct Case {
        const char* path;
        const char* caption;
        const char* type;
    };
    const Case cases[] = {
        {"/pics/sea.bmp", "sea", "BMP"},
        {"/pics/a.b.jpg", "a", "JPG"},
        {"/pics/SUN.Jpg", "SUN", "JPG"},
        {"/pics/noextension", "", ""},     // no "." in the name: both empty
        {"/my.pics/noextension", "", ""},  // a "." in a folder does not count
        {"/pics/.hidden.bmp", "", "BMP"},
        {"relative.jpg", "relative", "JPG"},
        {"/pics/море.jpg", "море", "JPG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(CaptionFor(c.path), c.caption);
        EXPECT_EQ(TypeTextFor(c.path), c.type);
    }
}

TEST(EntryRules, ByResolutionRuleComparesWidthsOnly) {
    struct Case {
        std::int32_t target;
        std::int32_t width;
        const char* letter;
    };
    const Case cases[] =
        {
            {1024, 2000, "N"}, {1024, 1024, "C"}, {1024, 800, "S"}, {1024, 512, "S"},
            {1024, 342, "S"},  {1024, 341, "N"},  {1024, 100, "N"}, {800, 800, "C"},
            {800, 801, "N"},   {800, 267, "S"},   {800, 266, "N"},  {800, 1600, "N"},
            {800, 400, "S"},   {800, 0, "C"},  // no real picture: never divided by
        };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.target) + " / " + std::to_string(c.width));
        EXPECT_EQ(ByResolutionLetter(c.target, c.width), c.letter);
    }
}

TEST(EntryRules, TargetWidthChoosesTheBranchAndTheRadioButtonsChooseWithinIt) {
    using enum PlacementRule;
    const PictureSize sea{640, 480};
    struct Case {
        const char* name;
        EntryOptions options;
        const char* fallback;
        std::optional<PictureSize> size;
        PictureEntryFields expected;
    };
    const Case cases[] = {
        // No resolution rule active (target width 0): fixed placements.
        {"tile accepted", {AlwaysTile, true, 0}, "", sea, {"sea", "N", "BMP", "640x480"}},
        {"centre, sizes off", {AlwaysCenter, false, 0}, "", std::nullopt, {"sea", "C", "BMP", "0"}},
        {"stretch", {AlwaysStretch, true, 0}, "C", sea, {"sea", "S", "BMP", "640x480"}},
        // Chosen but not accepted: the caller's fallback letter stays.
        {"best not accepted", {Best, true, 0}, "", sea, {"sea", "", "BMP", "640x480"}},
        {"by resolution not accepted",
         {ByResolution, false, 0},
         "C",
         std::nullopt,
         {"sea", "C", "BMP", "0"}},
        // A target width set: "B" whatever else is chosen, with a size even with sizes off.
        {"best accepted", {Best, false, 1024}, "", sea, {"sea", "B", "BMP", "640x480"}},
        {"centre not accepted",
         {AlwaysCenter, true, 1024},
         "C",
         sea,
         {"sea", "B", "BMP", "640x480"}},
        {"by resolution", {ByResolution, false, 1024}, "", sea, {"sea", "S", "BMP", "640x480"}},
        {"by resolution, same width",
         {ByResolution, true, 640},
         "",
         sea,
         {"sea", "C", "BMP", "640x480"}},
        {"by resolution, width 0",
         {ByResolution, true, 640},
         "",
         PictureSize{0, 5},
         {"sea", "C", "BMP", "0x5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecideEntry("/pics/sea.bmp", c.fallback, c.options, c.size), c.expected);
    }
}

TEST(EntryRules, ThePictureIsOpenedOnlyWhenItsSizeIsNeeded) {
    using enum PlacementRule;
    EXPECT_FALSE(EntryNeedsPictureSize({AlwaysCenter, false, 0}));
    EXPECT_TRUE(EntryNeedsPictureSize({AlwaysCenter, true, 0}));
    EXPECT_TRUE(EntryNeedsPictureSize({Best, false, 800}));

    try {
        DecideEntry("/pics/sea.jpg", "", {Best, false, 800}, std::nullopt);
        FAIL() << "a needed size was not asked for";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("/pics/sea.jpg"), std::string::npos);
    }
}

}  // namespace
}  // namespace lumora
