#include "configurator/model/RotationActivation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "common/BmpReader.h"
#include "common/BmpWriter.h"
#include "common/PicturePreparation.h"
#include "common/ScheduleLine.h"
#include "common/Settings.h"
#include "common/TextLines.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "tests/support/TempPrefix.h"
#include "tests/support/TestPictures.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
constexpr auto kMachine = RegistryRoot::LocalMachine;

class RotationActivation : public test::TempPrefixTest {
protected:
    RotationActivation()
        : registry_(OpenRegistry()),
          context_{*registry_, ReadWindowsDirectory(*registry_), Work() / "bin", {64, 48}} {}

    fs::path StatePath() const { return StateFilePath(context_.windowsDirectory); }
    fs::path SchedulePath() const { return ScheduleFilePath(context_.windowsDirectory); }
    TextLines State() const { return LoadTextLines(StatePath()); }
    TextLines Schedule() const { return LoadTextLines(SchedulePath()); }

    std::optional<std::string> Desktop(std::string_view name) const {
        return registry_->ReadString(RegistryRoot::CurrentUser, kDesktopKey, name);
    }
    std::optional<std::string> RunValue() const {
        return registry_->ReadString(kMachine, kRunKey, kApplierRunValue);
    }

    std::string Picture(const std::string& name, std::int32_t width = 32,
                        std::int32_t height = 24) {
        const fs::path path = Work() / name;
        if (path.extension() == ".jpg") {
            test::WriteTestJpeg(path, test::PatternBitmap(width, height));
        } else {
            WriteBmp(path, test::PatternBitmap(width, height));
        }
        return path.string();
    }

    bool Enable(const std::vector<ScheduleSource>& entries) {
        return EnableRotation(entries, context_, random_);
    }

    // Every schedule line is one entry, each entry exactly once.
    static void ExpectPermutationOf(const std::vector<ScheduleSource>& entries,
                                    TextLines schedule) {
        TextLines expected;
        for (const auto& entry : entries) {
            expected.push_back(entry.path + "|" + entry.letterText);
        }
        std::sort(expected.begin(), expected.end());
        std::sort(schedule.begin(), schedule.end());
        EXPECT_EQ(schedule, expected);
    }

    std::unique_ptr<Registry> registry_;
    ActivationContext context_;
    std::mt19937 random_{12345};
};

TEST_F(RotationActivation, EmptyListTouchesNothing) {
    EXPECT_FALSE(Enable({}));
    EXPECT_FALSE(registry_->KeyExists(kMachine, kVendorKey));
    EXPECT_FALSE(FileExists(SchedulePath()));
    EXPECT_FALSE(FileExists(StatePath()));
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_EQ(Desktop("Wallpaper"), std::nullopt);
}

TEST_F(RotationActivation, SingleEntryComesBackAtEveryStep) {
    const std::string wall = Picture("wall.bmp");
    ASSERT_TRUE(Enable({{wall, "N"}}));

    EXPECT_EQ(Schedule(), TextLines{wall + "|N"});
    EXPECT_EQ(State(), TextLines{"active=1"});
    EXPECT_EQ(registry_->ReadString(kMachine, kLumoraKey, "Resolution1"), "64");
    EXPECT_EQ(registry_->ReadString(kMachine, kLumoraKey, "Resolution2"), "48");
    EXPECT_EQ(RunValue(), (Work() / "bin" / "lumo4").string());
    EXPECT_EQ(Desktop("Wallpaper"), wall);
    EXPECT_EQ(Desktop("TileWallpaper"), "1");
    EXPECT_EQ(Desktop("WallpaperStyle"), "0");
}

// The first schedule line is the picture set at once; the applier's first run takes line 2.
TEST_F(RotationActivation, SeveralEntriesAreShuffledAndTheFirstLineBecomesTheWallpaper) {
    // .bmp pictures not placed "B" are never opened, so they need not exist. The same file twice
    // is two entries.
    const std::vector<ScheduleSource> entries = {
        {"/pics/a.bmp", "C"}, {"/pics/b.bmp", "N"}, {"/pics/c.bmp", "S"},
        {"/pics/d.bmp", "N"}, {"/pics/a.bmp", "C"},
    };
    const std::map<std::string, std::pair<std::string, std::string>> values = {
        {"C", {"0", "0"}}, {"N", {"1", "0"}}, {"S", {"0", "2"}}};
    ASSERT_TRUE(Enable(entries));

    const TextLines schedule = Schedule();
    ExpectPermutationOf(entries, schedule);
    EXPECT_EQ(State(), TextLines{"active=2"});
    const ScheduleEntry first = ParseScheduleLine(schedule.front());
    EXPECT_EQ(Desktop("Wallpaper"), first.path);
    EXPECT_EQ(Desktop("TileWallpaper"), values.at(first.letter).first);
    EXPECT_EQ(Desktop("WallpaperStyle"), values.at(first.letter).second);
}

TEST_F(RotationActivation, MoreThan256EntriesAreShuffledCompletely) {
    std::vector<ScheduleSource> entries;
    for (int i = 0; i < 300; ++i) {
        entries.push_back({"/pics/" + std::to_string(i) + ".bmp", "N"});
    }
    ASSERT_TRUE(Enable(entries));
    ExpectPermutationOf(entries, Schedule());
    EXPECT_EQ(State(), TextLines{"active=2"});
}

TEST_F(RotationActivation, FirstJpegPlacedBestIsComposedAtTheTargetResolution) {
    const std::vector<ScheduleSource> entries = {{Picture("wide.jpg", 90, 20), "B"},
                                                 {Picture("tall.jpg", 20, 90), "B"}};
    ASSERT_TRUE(Enable(entries));

    const std::string source = ParseScheduleLine(Schedule().front()).path;
    const std::string bitmap = BitmapPathFor(source);
    EXPECT_EQ(State(), (TextLines{"active=2", "delete file", bitmap}));
    EXPECT_EQ(ReadBmpSize(bitmap), (PictureSize{64, 48}));
    EXPECT_EQ(Desktop("Wallpaper"), bitmap);
    EXPECT_EQ(Desktop("TileWallpaper"), "0");
    EXPECT_EQ(Desktop("WallpaperStyle"), "0");
}

TEST_F(RotationActivation, FirstBitmapNotPlacedBestGeneratesNothing) {
    const std::vector<ScheduleSource> entries = {{Picture("one.bmp"), "N"},
                                                 {Picture("two.bmp"), "N"}};
    ASSERT_TRUE(Enable(entries));
    EXPECT_EQ(State(), TextLines{"active=2"});
    EXPECT_EQ(std::distance(fs::directory_iterator(Work()), fs::directory_iterator()), 2);
}

// An entry without a letter is handled as the applier handles a line ending in "|".
TEST_F(RotationActivation, FirstEntryWithoutLetterIsPreparedLikeCentreWithOnlyTheWallpaper) {
    const std::string photo = Picture("photo.jpg");
    ASSERT_TRUE(Enable({{photo, ""}}));
    const std::string bitmap = BitmapPathFor(photo);
    EXPECT_EQ(Schedule(), TextLines{photo + "|"});
    EXPECT_EQ(State(), (TextLines{"active=1", "delete file", bitmap}));
    EXPECT_EQ(ReadBmpSize(bitmap), (PictureSize{32, 24}));
    EXPECT_EQ(Desktop("Wallpaper"), bitmap);
    EXPECT_EQ(Desktop("TileWallpaper"), std::nullopt);
    EXPECT_EQ(Desktop("WallpaperStyle"), std::nullopt);
}

TEST_F(RotationActivation, EarlierDeleteMarkIsHonouredOnlyForBitmaps) {
    const std::string wall = Picture("wall.bmp");
    struct Case {
        std::string marked;
        bool deleted;
    };
    for (const Case& c : {Case{Picture("old.bmp"), true}, Case{Picture("keep.jpg"), false},
                          Case{Picture("KEEP.BMP.txt"), false}}) {
        SCOPED_TRACE(c.marked);
        SaveTextLines(StatePath(), {"active=4", "delete file", c.marked});
        ASSERT_TRUE(Enable({{wall, "C"}}));
        EXPECT_EQ(FileExists(c.marked), !c.deleted);
        EXPECT_EQ(State(), TextLines{"active=1"});
    }
}

TEST_F(RotationActivation, MissingRunKeyFailsNamingItBeforeAnythingIsWritten) {
    registry_->DeleteKey(kMachine, kRunKey);
    const std::string photo = Picture("photo.jpg");
    try {
        Enable({{photo, "C"}});
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("Run"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(registry_->KeyExists(kMachine, kRunKey));  // never created
    EXPECT_FALSE(registry_->KeyExists(kMachine, kLumoraKey));
    EXPECT_FALSE(FileExists(SchedulePath()));
    EXPECT_FALSE(FileExists(StatePath()));
    EXPECT_FALSE(FileExists(BitmapPathFor(photo)));
    EXPECT_EQ(Desktop("Wallpaper"), std::nullopt);
}

TEST_F(RotationActivation, PathTheScheduleCannotHoldFailsBeforeAnythingIsWritten) {
    try {
        Enable({{"/pics/a.bmp", "C"}, {"/pics/odd|name.bmp", "N"}});
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("/pics/odd|name.bmp"), std::string::npos)
            << error.what();
    }
    EXPECT_FALSE(registry_->KeyExists(kMachine, kLumoraKey));
    EXPECT_FALSE(FileExists(SchedulePath()));
    EXPECT_EQ(RunValue(), std::nullopt);
}

TEST_F(RotationActivation, UnreadableStateFileFailsEnableBeforeAnythingIsWritten) {
    test::WriteBytes(StatePath(),
                     "\xEF\xBB\xBF"
                     "active=2\r\n\xFF\xFE\r\n");  // damaged UTF-8
    try {
        Enable({{Picture("wall.bmp"), "C"}});
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("Lumora.ini"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(registry_->KeyExists(kMachine, kLumoraKey));
    EXPECT_FALSE(FileExists(SchedulePath()));
    EXPECT_EQ(RunValue(), std::nullopt);
}

TEST_F(RotationActivation, UnreadablePictureEndsEnableWithoutStateFile) {
    const std::string broken = (Work() / "broken.jpg").string();
    test::WriteBytes(broken, "not a jpeg at all");
    try {
        Enable({{broken, "S"}});
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find(broken), std::string::npos) << error.what();
    }
    EXPECT_FALSE(FileExists(StatePath()));
    EXPECT_FALSE(FileExists(BitmapPathFor(broken)));
}

// Disable removes everything the rotation made; other programs' keys under the vendor key stay.
TEST_F(RotationActivation, DisableRemovesWhatTheRotationMade) {
    for (const bool otherProgram : {false, true}) {
        SCOPED_TRACE(otherProgram ? "another program's key" : "vendor key empty");
        const std::string photo = Picture("photo.jpg");
        const std::string other = std::string(kVendorKey) + "\\Other";
        if (otherProgram) {
            registry_->CreateKey(kMachine, other);
            registry_->WriteString(kMachine, other, "Setting", "1");
        }
        ASSERT_TRUE(Enable({{photo, "C"}}));
        const std::string bitmap = BitmapPathFor(photo);
        ASSERT_TRUE(FileExists(bitmap));

        DisableRotation(context_);
        EXPECT_FALSE(registry_->KeyExists(kMachine, kLumoraKey));
        EXPECT_EQ(registry_->KeyExists(kMachine, kVendorKey), otherProgram);
        EXPECT_EQ(registry_->ReadString(kMachine, other, "Setting"),
                  otherProgram ? std::optional<std::string>("1") : std::nullopt);
        EXPECT_FALSE(FileExists(SchedulePath()));
        EXPECT_FALSE(FileExists(StatePath()));
        EXPECT_FALSE(FileExists(bitmap));
        EXPECT_TRUE(FileExists(photo));
        EXPECT_EQ(RunValue(), std::nullopt);
        EXPECT_TRUE(registry_->KeyExists(kMachine, kRunKey));
        EXPECT_EQ(Desktop("Wallpaper"), bitmap);  // the desktop keeps its last wallpaper
        registry_->DeleteKey(kMachine, kVendorKey);
    }
}

TEST_F(RotationActivation, DisableWithoutStateFileOrAnythingElseIsSilent) {
    EXPECT_NO_THROW(DisableRotation(context_));  // a fresh system: nothing to remove

    const std::string wall = Picture("wall.bmp");
    ASSERT_TRUE(Enable({{wall, "C"}}));
    fs::remove(StatePath());
    EXPECT_NO_THROW(DisableRotation(context_));
    EXPECT_FALSE(registry_->KeyExists(kMachine, kVendorKey));
    EXPECT_FALSE(FileExists(SchedulePath()));
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_TRUE(FileExists(wall));
}

TEST_F(RotationActivation, UnreadableStateFileEndsDisableNamingIt) {
    ASSERT_TRUE(Enable({{Picture("wall.bmp"), "C"}}));
    test::WriteBytes(StatePath(),
                     "\xEF\xBB\xBF"
                     "active=2\r\n\xFF\xFE\r\n");  // damaged UTF-8
    try {
        DisableRotation(context_);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("Lumora.ini"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(registry_->KeyExists(kMachine, kLumoraKey));
    EXPECT_TRUE(FileExists(StatePath()));
    EXPECT_TRUE(RunValue().has_value());
}

TEST(ShuffledOrder, IsAUniformPermutationOfAnyLength) {
    std::mt19937 random(7);
    for (const std::size_t count : {0u, 1u, 2u, 256u, 257u, 1000u}) {
        std::vector<std::size_t> order = ShuffledOrder(count, random);
        std::sort(order.begin(), order.end());
        for (std::size_t i = 0; i < count; ++i) {
            ASSERT_EQ(order[i], i);
        }
        ASSERT_EQ(order.size(), count);
    }

    // Each of four entries comes first about a quarter of the time, and orders differ.
    std::map<std::size_t, int> firsts;
    std::set<std::vector<std::size_t>> orders;
    for (int draw = 0; draw < 4000; ++draw) {
        const auto order = ShuffledOrder(4, random);
        ++firsts[order.front()];
        orders.insert(order);
    }
    for (const auto& [index, times] : firsts) {
        EXPECT_GT(times, 800) << index;
        EXPECT_LT(times, 1200) << index;
    }
    EXPECT_EQ(orders.size(), 24u);  // all 4! orders come up
}

}  // namespace
}  // namespace lumora
