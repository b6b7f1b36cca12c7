#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <functional>
#include <string>

#include "common/BestFit.h"
#include "common/BmpReader.h"
#include "common/BmpWriter.h"
#include "common/PicturePreparation.h"
#include "common/Settings.h"
#include "platform/Error.h"
#include "tests/support/TempPrefix.h"
#include "tests/support/TestPictures.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

class PicturePreparationTest : public test::TempPrefixTest {
protected:
    std::string Jpeg(const std::string& name, const RasterBitmap& picture) {
        const fs::path path = Work() / name;
        test::WriteTestJpeg(path, picture, 95);
        return path.string();
    }
    std::string At(const std::string& name) const { return (Work() / name).string(); }

    // Counts canvas pixels that are (nearly) black, row by row or column by column.
    static bool IsBlack(const RasterBitmap& b, std::int32_t x, std::int32_t y) {
        const std::uint8_t* p = b.Row(y) + 3 * x;
        return p[0] < 8 && p[1] < 8 && p[2] < 8;
    }
};

void ExpectErrorNaming(const std::function<void()>& action, const std::string& name) {
    try {
        action();
        ADD_FAILURE() << "no error; expected one naming " << name;
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
    }
}

TEST(BitmapPath, LastThreeCharactersBecomeBmp) {
    EXPECT_EQ(BitmapPathFor("C:\\PICS\\SEA.JPG"), "C:\\PICS\\SEA.bmp");
    EXPECT_EQ(BitmapPathFor("/art/SUN.BMP"), "/art/SUN.bmp");
    EXPECT_EQ(BitmapPathFor("/art/море.жпг"), "/art/море.bmp");  // characters, not bytes
    EXPECT_EQ(BitmapPathFor("ab"), "bmp");
}

TEST(DeleteMark, OnlyBitmapNamesMayBeDeleted) {
    EXPECT_TRUE(IsDeletableMark("/p/SEA.bmp"));
    EXPECT_TRUE(IsDeletableMark("/p/SEA.lumora.BMP"));
    EXPECT_TRUE(IsDeletableMark(".bmp"));
    EXPECT_FALSE(IsDeletableMark("/p/SEA.jpg"));
    EXPECT_FALSE(IsDeletableMark("/p/SEAbmp"));
    EXPECT_FALSE(IsDeletableMark("/p/SEA.bmp.txt"));
    EXPECT_FALSE(IsDeletableMark(""));
}

TEST_F(PicturePreparationTest, JpegOfEveryLetterButBestIsDecodedAtFullSize) {
    const RasterBitmap picture = test::SolidBitmap(40, 30, 20, 140, 230);
    for (const std::string letter : {"C", "N", "S", "|", ""}) {
        SCOPED_TRACE("letter \"" + letter + "\"");
        const std::string source = Jpeg("SEA.Jpg", picture);
        const PreparedPicture prepared = PreparePicture(source, letter, PictureSize{800, 600});
        EXPECT_EQ(prepared.bitmapPath, At("SEA.bmp"));
        EXPECT_TRUE(prepared.generated);
        const RasterBitmap written = ReadBmp(prepared.bitmapPath);
        ASSERT_EQ(written.Size(), picture.Size());
        EXPECT_NEAR(written.Row(15)[3 * 20 + 1], 140, 3);
        fs::remove(prepared.bitmapPath);
    }
}

TEST_F(PicturePreparationTest, BitmapNotPlacedBestIsItsOwnWallpaperUnopened) {
    // The file does not even exist: nothing is opened.
    const std::string source = At("SUN.BMP");
    for (const std::string letter : {"C", "N", "S", "|"}) {
        const PreparedPicture prepared = PreparePicture(source, letter, std::nullopt);
        EXPECT_EQ(prepared.bitmapPath, source);
        EXPECT_FALSE(prepared.generated);
    }
    EXPECT_TRUE(fs::is_empty(Work()));
}

TEST_F(PicturePreparationTest, BestFillsTheCanvasKeepingTheShapeOnBlack) {
    struct Case {
        PictureSize picture;
        PictureSize canvas;
        Rect picturePart;
    };
    const Case cases[] = {
        {{40, 30}, {80, 60}, {0, 0, 80, 60}},    // same shape: no band
        {{100, 20}, {80, 60}, {0, 22, 80, 38}},  // wide: 22 rows above and below
        {{20, 60}, {81, 60}, {31, 0, 51, 60}},   // tall, 61 free columns: 31 left, 30 right
        {{400, 300}, {40, 30}, {0, 0, 40, 30}},  // shrunk from a reduced decode
        {{10, 10}, {80, 40}, {20, 0, 60, 40}},   // enlarged
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width << "x" << c.picture.height << " in "
                                        << c.canvas.width << "x" << c.canvas.height);
        const std::string source =
            Jpeg("pic.jpg", test::SolidBitmap(c.picture.width, c.picture.height, 60, 160, 220));
        const PreparedPicture prepared = PreparePicture(source, "B", c.canvas);
        EXPECT_EQ(prepared.bitmapPath, At("pic.bmp"));
        EXPECT_TRUE(prepared.generated);
        const RasterBitmap canvas = ReadBmp(prepared.bitmapPath);
        ASSERT_EQ(canvas.Size(), c.canvas);
        const Rect& r = c.picturePart;
        for (std::int32_t y = 0; y < c.canvas.height; ++y) {
            for (std::int32_t x = 0; x < c.canvas.width; ++x) {
                const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                ASSERT_EQ(IsBlack(canvas, x, y), !inside) << "at " << x << "," << y;
            }
        }
        fs::remove(prepared.bitmapPath);
    }
}

TEST_F(PicturePreparationTest, BestWithoutCanvasUsesThePicturesOwnSize) {
    const std::string source = Jpeg("own.jpg", test::SolidBitmap(33, 17, 0, 0, 255));
    const RasterBitmap canvas = ReadBmp(PreparePicture(source, "B", std::nullopt).bitmapPath);
    EXPECT_EQ(canvas.Size(), (PictureSize{33, 17}));
    EXPECT_NEAR(canvas.Row(0)[2], 255, 3);
}

TEST_F(PicturePreparationTest, BitmapPlacedBestIsComposedBesideTheUntouchedSource) {
    const RasterBitmap picture = test::PatternBitmap(20, 10);
    WriteBmp(At("art.bmp"), picture);
    const std::string before = test::ReadBytes(At("art.bmp"));
    const PreparedPicture prepared = PreparePicture(At("art.bmp"), "B", PictureSize{40, 20});
    EXPECT_EQ(prepared.bitmapPath, At("art.lumora.bmp"));
    EXPECT_TRUE(prepared.generated);
    EXPECT_EQ(test::ReadBytes(At("art.bmp")), before);
    const RasterBitmap canvas = ReadBmp(prepared.bitmapPath);
    ASSERT_EQ(canvas.Size(), (PictureSize{40, 20}));
    // Enlarged 2x: the pixel at (2x+1, 2y+1) sits between source pixels x and x+1, y and y+1.
    EXPECT_NEAR(canvas.Row(2 * 5)[3 * 2 * 7], picture.Row(5)[3 * 7], 2);
}

TEST_F(PicturePreparationTest, ExistingFilesAtTheBitmapPathAreNeverOverwritten) {
    test::WriteBytes(At("SEA.bmp"), "the user's own picture");
    const std::string source = Jpeg("SEA.jpg", test::SolidBitmap(8, 8, 1, 2, 3));
    const PreparedPicture first = PreparePicture(source, "C", std::nullopt);
    EXPECT_EQ(first.bitmapPath, At("SEA.lumora.bmp"));
    const PreparedPicture second = PreparePicture(source, "B", PictureSize{16, 8});
    EXPECT_EQ(second.bitmapPath, At("SEA.lumora2.bmp"));
    EXPECT_EQ(test::ReadBytes(At("SEA.bmp")), "the user's own picture");
    EXPECT_EQ(ReadBmp(first.bitmapPath).Size(), (PictureSize{8, 8}));
}

TEST_F(PicturePreparationTest, BestOfAnotherTypeFailsAndWritesNothing) {
    test::WriteBytes(At("pic.png"), "\x89PNG");
    ExpectErrorNaming(
        [&] {
            PreparePicture(At("pic.png"), "B", PictureSize{80, 60});
        },
        At("pic.png"));
    EXPECT_FALSE(fs::exists(At("pic.bmp")));
}

// Damaged JPEG files: the error names the file, and nothing is left at the bitmap path.
TEST_F(PicturePreparationTest, BadJpegFailsNamingTheFileAndLeavesNothing) {
    test::WriteTestJpeg(At("good.jpg"), test::PatternBitmap(64, 64), 90);
    const std::string good = test::ReadBytes(At("good.jpg"));
    std::string huge = good;
    const std::size_t frame = huge.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    huge.replace(frame + 5, 4, "\x4E\x20\x4E\x20");  // 20000 x 20000
    std::string damaged = good;
    damaged.replace(good.find("\xFF\xC4"), 4, "\xFF\xC4\x00\x01");  // a table of length 1
    struct Case {
        const char* name;
        std::string bytes;
        const char* decoderSays;
    };
    const Case cases[] = {
        {"text.jpg", "text, not a picture", "Not a JPEG file"},
        {"truncated.jpg", good.substr(0, good.size() / 2), "Premature end"},
        {"damaged.jpg", damaged, ""},
        {"huge.jpg", huge, ""},
        {"empty.jpg", "", ""},
    };
    for (const auto& c : cases) {
        for (const std::string letter : {"C", "B"}) {
            SCOPED_TRACE(std::string(c.name) + " placed " + letter);
            test::WriteBytes(At(c.name), c.bytes);
            try {
                PreparePicture(At(c.name), letter, PictureSize{32, 32});
                ADD_FAILURE() << "no error";
            } catch (const Error& error) {
                const std::string text = error.what();
                EXPECT_NE(text.find(At(c.name)), std::string::npos) << text;
                EXPECT_NE(text.find(c.decoderSays), std::string::npos) << text;
            }
            EXPECT_FALSE(fs::exists(BitmapPathFor(At(c.name))));
        }
    }
    ExpectErrorNaming([&] { PreparePicture(At("missing.jpg"), "C", std::nullopt); },
                      At("missing.jpg"));
}

// Writing fails as on full or read-only media (a file size limit works even for root).
TEST_F(PicturePreparationTest, BitmapThatCannotBeWrittenFailsAndLeavesNothing) {
    const std::string source = Jpeg("SEA.jpg", test::SolidBitmap(300, 300, 9, 9, 9));
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    bool failed = false;
    try {
        PreparePicture(source, "C", std::nullopt);
    } catch (const Error& error) {
        failed = true;
        EXPECT_NE(std::string(error.what()).find(At("SEA")), std::string::npos) << error.what();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(failed);
    EXPECT_FALSE(fs::exists(At("SEA.bmp")));
}

class DesktopValuesTest : public test::TempPrefixTest {};

TEST_F(DesktopValuesTest, WallpaperThenTileAndStyleByLetter) {
    struct Case {
        const char* letter;
        std::optional<std::string> tile;
        std::optional<std::string> style;
    };
    const Case cases[] = {
        {"C", "0", "0"},
        {"N", "1", "0"},
        {"S", "0", "2"},
        {"B", "0", "0"},
        {"|", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    const auto registry = OpenRegistry();
    const auto root = RegistryRoot::CurrentUser;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.letter);
        registry->DeleteValue(root, kDesktopKey, "TileWallpaper");
        registry->DeleteValue(root, kDesktopKey, "WallpaperStyle");
        WriteDesktopValues(*registry, "/pics/SEA.bmp", c.letter);
        EXPECT_EQ(registry->ReadString(root, kDesktopKey, "Wallpaper"), "/pics/SEA.bmp");
        EXPECT_EQ(registry->ReadString(root, kDesktopKey, "TileWallpaper"), c.tile);
        EXPECT_EQ(registry->ReadString(root, kDesktopKey, "WallpaperStyle"), c.style);
    }
}

TEST_F(DesktopValuesTest, MissingDesktopKeyIsAnErrorAndIsNotCreated) {
    const auto registry = OpenRegistry();
    registry->DeleteKey(RegistryRoot::CurrentUser, kDesktopKey);
    EXPECT_THROW(WriteDesktopValues(*registry, "/pics/SEA.bmp", "C"), Error);
    EXPECT_FALSE(registry->KeyExists(RegistryRoot::CurrentUser, kDesktopKey));
}

class BestCanvasTest : public test::TempPrefixTest {};

TEST_F(BestCanvasTest, StoredSizeElseDisplayResolutionElseNothing) {
    const auto registry = OpenRegistry();
    const auto setDisplay = [&](std::string_view value) {
        registry->WriteString(RegistryRoot::LocalMachine, kDisplaySettingsKey, "Resolution", value);
    };
    EXPECT_EQ(BestCanvasFor(800, 600, *registry), (PictureSize{800, 600}));
    EXPECT_EQ(BestCanvasFor(0, 600, *registry), (PictureSize{1024, 768}));  // a fresh prefix's
    setDisplay("1920,1080");
    EXPECT_EQ(BestCanvasFor(1280, -1, *registry), (PictureSize{1920, 1080}));
    for (const char* unusable : {"", "1920", "abc,768", "0,768", "1920,-5", "1920,1080,7"}) {
        SCOPED_TRACE(unusable);
        setDisplay(unusable);
        EXPECT_EQ(BestCanvasFor(0, 0, *registry), std::nullopt);
    }
    registry->DeleteValue(RegistryRoot::LocalMachine, kDisplaySettingsKey, "Resolution");
    EXPECT_EQ(BestCanvasFor(0, 0, *registry), std::nullopt);

    // A canvas too large to allocate is refused, whichever value gave it.
    EXPECT_THROW(BestCanvasFor(100000, 100000, *registry), Error);
    setDisplay("100000,100000");
    EXPECT_THROW(BestCanvasFor(0, 0, *registry), Error);
}

}  // namespace
}  // namespace lumora
