#include "common/BmpReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "tests/support/TempPrefix.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

const fs::path kSuite = fs::path(LUMORA_TESTDATA_DIR) / "bmpsuite";

std::vector<std::string> SuiteFiles(const char* folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kSuite / folder, error)) {
        if (entry.path().extension() == ".bmp") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string CaseName(const testing::TestParamInfo<std::string>& info) {
    std::string name = fs::path(info.param).stem().string();
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
}

// Blue, green, red of pixel (x, y).
std::vector<int> PixelAt(const RasterBitmap& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.Row(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

bool HaveImageMagick() {
    return std::system("command -v convert >/dev/null 2>&1") == 0;
}

// The picture as ImageMagick decodes it, for comparison with a decoder that is not ours.
std::optional<RasterBitmap> DecodeWithImageMagick(const fs::path& path) {
    const std::string command = "convert '" + path.string() + "' -depth 8 ppm:- 2>/dev/null";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return std::nullopt;
    }
    std::string ppm;
    char chunk[65536];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
        ppm.append(chunk, n);
    }
    if (::pclose(pipe) != 0) {
        return std::nullopt;
    }
    // "P6" width height maxval, each followed by one white-space character, then RGB triples.
    std::size_t at = 2;
    auto number = [&] {
        while (at < ppm.size() && std::isspace(static_cast<unsigned char>(ppm[at]))) {
            ++at;
        }
        int value = 0;
        while (at < ppm.size() && std::isdigit(static_cast<unsigned char>(ppm[at]))) {
            value = value * 10 + (ppm[at++] - '0');
        }
        return value;
    };
    if (ppm.compare(0, 2, "P6") != 0) {
        return std::nullopt;
    }
    const int width = number();
    const int height = number();
    const int maxValue = number();
    ++at;
    if (maxValue != 255 || ppm.size() - at != static_cast<std::size_t>(width) * height * 3) {
        return std::nullopt;
    }
    RasterBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, at += 3) {
            std::uint8_t* p = bitmap.Row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(ppm[at + 2]);
            p[1] = static_cast<std::uint8_t>(ppm[at + 1]);
            p[2] = static_cast<std::uint8_t>(ppm[at]);
        }
    }
    return bitmap;
}

// --- The public conformance suite ------------------------------------------------------------

class GoodSuiteFile : public testing::TestWithParam<std::string> {};

TEST_P(GoodSuiteFile, DecodesAsAnIndependentDecoderDoes) {
    if (!HaveImageMagick()) {
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    }
    const fs::path path = kSuite / "g" / GetParam();
    const RasterBitmap ours = ReadBmp(path);
    const std::optional<RasterBitmap> reference = DecodeWithImageMagick(path);
    ASSERT_TRUE(reference.has_value()) << "convert could not decode " << path;
    ASSERT_EQ(ours.Size(), reference->Size());
    EXPECT_EQ(ReadBmpSize(path), ours.Size());

    // We widen 5- and 6-bit channels by rounding v * 255 / max; ImageMagick replicates bits, which
    // lands one lower or higher at some values. All else must match exactly.
    const bool bitFields = GetParam().rfind("rgb16", 0) == 0;
    const int tolerance = bitFields ? 1 : 0;
    int wrong = 0;
    for (int y = 0; y < ours.Height(); ++y) {
        for (int x = 0; x < ours.Width(); ++x) {
            const auto a = PixelAt(ours, x, y);
            const auto b = PixelAt(*reference, x, y);
            for (int c = 0; c < 3; ++c) {
                if (std::abs(a[c] - b[c]) > tolerance && wrong++ < 5) {
                    ADD_FAILURE() << "pixel " << x << "," << y << " channel " << c << ": " << a[c]
                                  << " instead of " << b[c];
                }
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(BmpSuite, GoodSuiteFile, testing::ValuesIn(SuiteFiles("g")), CaseName);

// Files a reader may take or refuse. Which we take is a decision, held here so that it changes
// only on purpose; every file either loads at its header's size or fails with an Error naming it.
struct Outcome {
    const char* file;
    bool loads;
};

const Outcome kQuestionable[] = {
    {"pal1huffmsb.bmp", false},     // OS/2 Huffman compression
    {"pal1p1.bmp", true},           // one-colour palette
    {"pal2.bmp", true},             // 2 bits per pixel
    {"pal2color.bmp", true},        //
    {"pal4rlecut.bmp", true},       // RLE ends early: the rest stays black
    {"pal4rletrns.bmp", true},      // RLE skips pixels with deltas: they stay black
    {"pal8offs.bmp", true},         // gap between palette and pixels
    {"pal8os2-hs.bmp", true},       // OS/2 header, odd hot spot
    {"pal8os2-sz.bmp", true},       // OS/2 header, wrong file size
    {"pal8os2sp.bmp", true},        // OS/2 palette shorter than 256
    {"pal8os2v2-16.bmp", true},     // OS/2 2.x, 16-byte header
    {"pal8os2v2-40sz.bmp", true},   //
    {"pal8os2v2-sz.bmp", true},     //
    {"pal8os2v2.bmp", true},        // OS/2 2.x, 64-byte header
    {"pal8oversizepal.bmp", true},  // 300 palette entries: the first 256 count
    {"pal8rlecut.bmp", true},       //
    {"pal8rletrns.bmp", true},      //
    {"rgb16-231.bmp", true},        // unusual bit fields
    {"rgb16-3103.bmp", true},       //
    {"rgb16faketrns.bmp", true},    //
    {"rgb24jpeg.bmp", false},       // JPEG inside
    {"rgb24largepal.bmp", true},    // palette on a 24-bit picture: ignored
    {"rgb24lprof.bmp", true},       // colour profile: ignored
    {"rgb24png.bmp", false},        // PNG inside
    {"rgb24prof.bmp", true},        //
    {"rgb24prof2.bmp", true},       //
    {"rgb24rle24.bmp", false},      // OS/2 RLE24
    {"rgb32-111110.bmp", true},     //
    {"rgb32-7187.bmp", true},       //
    {"rgb32-xbgr.bmp", true},       //
    {"rgb32fakealpha.bmp", true},   //
    {"rgb32h52.bmp", true},         // 52-byte header
    {"rgba16-1924.bmp", true},      // alpha is ignored: wallpapers are opaque
    {"rgba16-4444.bmp", true},      //
    {"rgba16-5551.bmp", true},      //
    {"rgba32-1.bmp", true},         //
    {"rgba32-1010102.bmp", true},   //
    {"rgba32-2.bmp", true},         //
    {"rgba32-61754.bmp", true},     //
    {"rgba32-81284.bmp", true},     //
    {"rgba32abf.bmp", true},        // BI_ALPHABITFIELDS
    {"rgba32h56.bmp", true},        // 56-byte header
    {"rgba64.bmp", false},          // 64 bits per pixel
};

const Outcome kBad[] = {
    {"badbitcount.bmp", false},
    {"badbitssize.bmp", true},  // the image size field is not needed
                                // for uncompressed rows
    {"baddens1.bmp", true},     // resolution is only information
    {"baddens2.bmp", true},
    {"badfilesize.bmp", true},  // the file size field is not needed
                                // either
    {"badheadersize.bmp", false},
    {"badpalettesize.bmp", false},
    {"badplanes.bmp", false},
    {"badrle.bmp", false},  // runs past the right edge
    {"badrle4.bmp", false},
    {"badrle4bis.bmp", false},  // deltas past the right edge
    {"badrle4ter.bmp", false},
    {"badrlebis.bmp", false},
    {"badrleter.bmp", false},
    {"badwidth.bmp", false},
    {"pal8badindex.bmp", true},  // indices without a palette entry
                                 // are black
    {"reallybig.bmp", false},
    {"rgb16-880.bmp", true},  // blue has no bits: it is 0
    {"rletopdown.bmp", false},
    {"shortfile.bmp", false},
};

void ExpectOutcome(const fs::path& path, bool loads) {
    SCOPED_TRACE(path.string());
    try {
        const RasterBitmap bitmap = ReadBmp(path);
        EXPECT_TRUE(loads) << "loaded, but should be refused";
        EXPECT_EQ(bitmap.Size(), ReadBmpSize(path));
        EXPECT_EQ(bitmap.Size(), (PictureSize{127, 64}));
    } catch (const Error& error) {
        EXPECT_FALSE(loads) << "refused: " << error.what();
        EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos) << error.what();
    }
}

TEST(BmpSuite, QuestionableFilesLoadOrFailAsDecided) {
    const auto names = SuiteFiles("q");
    EXPECT_EQ(names.size(), std::size(kQuestionable)) << "a file of the suite has no outcome";
    for (const Outcome& outcome : kQuestionable) {
        ExpectOutcome(kSuite / "q" / outcome.file, outcome.loads);
    }
}

TEST(BmpSuite, BadFilesFailUnlessAWindowsReaderTakesThem) {
    const auto names = SuiteFiles("b");
    EXPECT_EQ(names.size(), std::size(kBad)) << "a file of the suite has no outcome";
    for (const Outcome& outcome : kBad) {
        ExpectOutcome(kSuite / "b" / outcome.file, outcome.loads);
    }
}

// Variants the independent decoder cannot read or reads wrongly (OS/2 2.x headers, odd palettes)
// hold the very picture of a good file: they must decode to the same pixels.
TEST(BmpSuite, VariantsOfAGoodFileDecodeToItsPixels) {
    const std::pair<const char*, const char*> sameAs[] = {
        {"q/pal8os2v2.bmp", "g/pal8.bmp"},      {"q/pal8os2v2-16.bmp", "g/pal8.bmp"},
        {"q/pal8os2v2-sz.bmp", "g/pal8.bmp"},   {"q/pal8os2v2-40sz.bmp", "g/pal8.bmp"},
        {"q/pal8os2-hs.bmp", "g/pal8.bmp"},     {"q/pal8os2-sz.bmp", "g/pal8.bmp"},
        {"q/pal8os2sp.bmp", "g/pal8.bmp"},      {"q/pal8oversizepal.bmp", "g/pal8.bmp"},
        {"q/pal8offs.bmp", "g/pal8.bmp"},       {"g/pal8os2.bmp", "g/pal8.bmp"},
        {"b/badbitssize.bmp", "g/pal1.bmp"},    {"b/baddens1.bmp", "g/pal1.bmp"},
        {"b/baddens2.bmp", "g/pal1.bmp"},       {"b/badfilesize.bmp", "g/pal1.bmp"},
        {"q/rgb24largepal.bmp", "g/rgb24.bmp"}, {"q/rgb32fakealpha.bmp", "g/rgb32.bmp"},
        {"q/rgb32-xbgr.bmp", "g/rgb32.bmp"},    {"q/rgb32h52.bmp", "g/rgb32.bmp"},
    };
    for (const auto& [variant, good] : sameAs) {
        SCOPED_TRACE(variant);
        const RasterBitmap a = ReadBmp(kSuite / variant);
        const RasterBitmap b = ReadBmp(kSuite / good);
        ASSERT_EQ(a.Size(), b.Size());
        for (int y = 0; y < a.Height(); ++y) {
            ASSERT_TRUE(std::equal(a.Row(y), a.Row(y) + a.RowBytes(), b.Row(y))) << "row " << y;
        }
    }
}

// RLE files that skip pixels (deltas, an early end) leave them black. Readers disagree here
// (ImageMagick paints them otherwise), so only the pixels the file sets are compared.
TEST(BmpSuite, PixelsSkippedByRleStayBlack) {
    const std::pair<const char*, const char*> cutFrom[] = {
        {"q/pal8rletrns.bmp", "g/pal8rle.bmp"},
        {"q/pal8rlecut.bmp", "g/pal8rle.bmp"},
        {"q/pal4rletrns.bmp", "g/pal4rle.bmp"},
        {"q/pal4rlecut.bmp", "g/pal4rle.bmp"},
    };
    const std::vector<int> black{0, 0, 0};
    for (const auto& [cut, whole] : cutFrom) {
        SCOPED_TRACE(cut);
        const RasterBitmap a = ReadBmp(kSuite / cut);
        const RasterBitmap b = ReadBmp(kSuite / whole);
        ASSERT_EQ(a.Size(), b.Size());
        int skipped = 0;
        for (int y = 0; y < a.Height(); ++y) {
            for (int x = 0; x < a.Width(); ++x) {
                const auto pixel = PixelAt(a, x, y);
                if (pixel == black && PixelAt(b, x, y) != black) {
                    ++skipped;
                } else {
                    ASSERT_EQ(pixel, PixelAt(b, x, y)) << x << "," << y;
                }
            }
        }
        EXPECT_GT(skipped, 0);
    }
}

// --- Hand-made files ---------------------------------------------------------------------------

std::string Le16(std::uint32_t v) {
    return {char(v & 0xFF), char((v >> 8) & 0xFF)};
}
std::string Le32(std::uint32_t v) {
    return Le16(v & 0xFFFF) + Le16(v >> 16);
}

// A bitmap file with a 40-byte header; the palette is 0xRRGGBB values.
struct Fixture {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> palette{};
    std::vector<std::uint32_t> masks{};
    std::string pixels{};
    std::optional<std::uint32_t> dataOffset{};
    std::optional<std::uint32_t> colorsUsed{};

    std::string Bytes() const {
        std::string tables;
        for (std::uint32_t mask : masks) {
            tables += Le32(mask);
        }
        for (std::uint32_t colour : palette) {
            tables += Le32(colour);
        }
        const std::string info =
            Le32(40) + Le32(static_cast<std::uint32_t>(width)) +
            Le32(static_cast<std::uint32_t>(height)) + Le16(1) + Le16(bits) + Le32(compression) +
            Le32(static_cast<std::uint32_t>(pixels.size())) + Le32(2835) + Le32(2835) +
            Le32(colorsUsed.value_or(static_cast<std::uint32_t>(palette.size()))) + Le32(0);
        const auto offset = static_cast<std::uint32_t>(14 + info.size() + tables.size());
        const auto total = static_cast<std::uint32_t>(offset + pixels.size());
        return "BM" + Le32(total) + Le32(0) + Le32(dataOffset.value_or(offset)) + info + tables +
               pixels;
    }
};

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0x0000FF;

const std::vector<int> B{0, 0, 0};    // black
const std::vector<int> R{0, 0, 255};  // as blue, green, red
const std::vector<int> G{0, 255, 0};
const std::vector<int> U{255, 0, 0};
const std::vector<int> W{255, 255, 255};

class BmpReaderTest : public test::TempPrefixTest {
protected:
    fs::path Write(const std::string& bytes, const char* name = "picture.bmp") {
        const fs::path path = Work() / name;
        test::WriteBytes(path, bytes);
        return path;
    }

    // Rows top-down of blue, green, red pixels.
    static std::vector<std::vector<std::vector<int>>> Pixels(const RasterBitmap& bitmap) {
        std::vector<std::vector<std::vector<int>>> rows(bitmap.Height());
        for (int y = 0; y < bitmap.Height(); ++y) {
            for (int x = 0; x < bitmap.Width(); ++x) {
                rows[y].push_back(PixelAt(bitmap, x, y));
            }
        }
        return rows;
    }
};

TEST_F(BmpReaderTest, DecodesEachStorageExactly) {
    struct Case {
        const char* name;
        Fixture fixture;
        std::vector<std::vector<std::vector<int>>> rows;  // top-down
    };
    const std::string rle8Rows =
        std::string("\x00\x03\x01\x02\x03\x00", 6) +  // bottom row: literal run of 3, padded
        std::string("\x00\x00", 2) +                  // end of line
        std::string("\x00\x02\x01\x00", 4) +          // top row: one pixel right
        std::string("\x02\x01", 2) +                  // two of colour 1
        std::string("\x00\x01", 2);                   // end of bitmap: the rest stays black
    const std::string rle4Row = std::string("\x03\x12", 2) +                  // 1 2 1
                                std::string("\x00\x05\x21\x21\x20\x00", 6) +  // 2 1 2 1 2, padded
                                std::string("\x00\x01", 2);
    const Case cases[] = {
        {"24 bits, last row's padding missing",
         {.width = 1, .height = 2, .pixels = std::string("\x01\x02\x03\x00\x04\x05\x06", 7)},
         {{{4, 5, 6}}, {{1, 2, 3}}}},
        {"24 bits top-down",
         {.width = 1, .height = -2, .pixels = std::string("\x01\x02\x03\x00\x04\x05\x06\x00", 8)},
         {{{1, 2, 3}}, {{4, 5, 6}}}},
        {"8 bits, index past the palette is black",
         {.width = 2,
          .bits = 8,
          .palette = {kWhite, kRed},
          .pixels = std::string("\x01\x07\0\0", 4)},
         {{R, B}}},
        {"2 bits per pixel",
         {.width = 5,
          .bits = 2,
          .palette = {kWhite, kRed, kGreen, kBlue},
          .pixels = std::string("\x1B\x40\0\0", 4)},
         {{W, R, G, U, R}}},
        {"RLE8 with delta, literal run and skipped pixels",
         {.width = 4,
          .height = 2,
          .bits = 8,
          .compression = 1,
          .palette = {kWhite, kRed, kGreen, kBlue},
          .pixels = rle8Rows},
         {{B, R, R, B}, {R, G, U, B}}},
        {"RLE4 with run and padded literal",
         {.width = 8,
          .bits = 4,
          .compression = 2,
          .palette = {kWhite, kRed, kGreen},
          .pixels = rle4Row},
         {{R, G, R, G, R, G, R, G}}},
        {"32-bit fields of 10 bits",
         {.width = 1,
          .bits = 32,
          .compression = 3,
          .masks = {0x3FF00000, 0x000FFC00, 0x000003FF},
          .pixels = Le32((1023u << 20) | (512u << 10) | 1u)},
         {{{0, 128, 255}}}},
        {"16-bit fields without blue",
         {.width = 1,
          .bits = 16,
          .compression = 3,
          .masks = {0xFF00, 0x00FF, 0},
          .pixels = Le32(0x12AB)},
         {{{0, 0xAB, 0x12}}}},
        {"16 bits default to 5-5-5",
         {.width = 1, .bits = 16, .pixels = Le32((31u << 10) | (16u << 5))},
         {{{0, 132, 255}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = Write(c.fixture.Bytes());
        const RasterBitmap bitmap = ReadBmp(path);
        EXPECT_EQ(Pixels(bitmap), c.rows);
        EXPECT_EQ(ReadBmpSize(path), bitmap.Size());
    }
}

TEST_F(BmpReaderTest, ReadsOs2CoreHeaderWithThreeBytePalette) {
    const std::string info = Le32(12) + Le16(3) + Le16(1) + Le16(1) + Le16(1);
    const std::string palette("\xFF\xFF\xFF\x00\x00\xFF", 6);  // white, red
    const std::string bytes = "BM" + Le32(0) + Le32(0) + Le32(14 + 12 + 6) + info + palette +
                              std::string("\x40\0\0\0", 4);  // 0 1 0
    const RasterBitmap bitmap = ReadBmp(Write(bytes));
    EXPECT_EQ(Pixels(bitmap), (std::vector<std::vector<std::vector<int>>>{{W, R, W}}));
}

TEST_F(BmpReaderTest, DamagedFilesFailWithTheFileAndTheFault) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* fault;  // part of the error text
        bool inHeader;      // ReadBmpSize sees it too
    };
    Fixture huge{.width = 70000, .height = 70000, .pixels = std::string(4, '\0')};
    Fixture truncated{.width = 4, .height = 2, .pixels = std::string(20, '\0')};
    Fixture pastEnd{.pixels = std::string(4, '\0'), .dataOffset = 1000};
    Fixture insideHeader{.pixels = std::string(4, '\0'), .dataOffset = 20};
    Fixture zeroHeight{.height = 0, .pixels = std::string(4, '\0')};
    Fixture mostNegativeHeight{.height = INT32_MIN, .pixels = std::string(4, '\0')};
    Fixture negativeWidth{.width = -3, .pixels = std::string(4, '\0')};
    Fixture topDownRle{.height = -1,
                       .bits = 8,
                       .compression = 1,
                       .palette = {kRed},
                       .pixels = std::string("\x01\x00\x00\x01", 4)};
    Fixture rleWithoutEnd{
        .bits = 8, .compression = 1, .palette = {kRed}, .pixels = std::string("\x01\x00", 2)};
    Fixture rlePastEdge{.width = 2,
                        .bits = 8,
                        .compression = 1,
                        .palette = {kRed},
                        .pixels = std::string("\x03\x00\x00\x01", 4)};
    Fixture rleDeltaBelow{.width = 2,
                          .height = 2,
                          .bits = 8,
                          .compression = 1,
                          .palette = {kRed},
                          .pixels = std::string("\x00\x02\x00\x05\x00\x01", 6)};
    Fixture jpeg{.bits = 0, .compression = 4, .pixels = "\xFF\xD8\xFF\xE0"};
    Fixture png{.bits = 0, .compression = 5, .pixels = "\x89PNG"};
    Fixture fields24{
        .bits = 24, .compression = 3, .masks = {1, 2, 4}, .pixels = std::string(4, '\0')};
    Fixture rle8At4{
        .bits = 4, .compression = 1, .palette = {kRed}, .pixels = std::string("\0\x01", 2)};
    Fixture bigPalette{.bits = 8, .pixels = std::string(4, '\0'), .colorsUsed = 100000};
    const Case cases[] = {
        {"huge sides in a tiny file", huge.Bytes(), "слишком большой", true},
        {"pixel data cut short", truncated.Bytes(), "обрезан", true},
        {"data offset past the end", pastEnd.Bytes(), "за концом файла", true},
        {"data offset inside the header", insideHeader.Bytes(), "внутрь заголовка", true},
        {"zero height", zeroHeight.Bytes(), "недопустимый размер", true},
        {"most negative height", mostNegativeHeight.Bytes(), "слишком большой", true},
        {"negative width", negativeWidth.Bytes(), "отрицательная ширина", true},
        {"top-down RLE", topDownRle.Bytes(), "сверху вниз", true},
        {"RLE without end mark", rleWithoutEnd.Bytes(), "обрываются", false},
        {"RLE run past the right edge", rlePastEdge.Bytes(), "за край", false},
        {"RLE delta below the picture", rleDeltaBelow.Bytes(), "за край", false},
        {"JPEG inside", jpeg.Bytes(), "JPEG", true},
        {"PNG inside", png.Bytes(), "PNG", true},
        {"bit fields at 24 bits", fields24.Bytes(), "битовые маски", true},
        {"RLE8 at 4 bits", rle8At4.Bytes(), "RLE8", true},
        {"palette larger than the file", bigPalette.Bytes(), "палитра", true},
        {"not a bitmap", "GIF89a" + std::string(40, '\0'), "BM", true},
        {"empty file", "", "короткий", true},
        {"header cut", "BM" + Le32(0) + Le32(0) + Le32(54) + Le32(40) + Le32(1), "заголовка", true},
        {"unknown header size",
         "BM" + Le32(0) + Le32(0) + Le32(54) + Le32(66) + std::string(80, '\0'), "размер заголовка",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = Write(c.bytes, "damaged.bmp");
        auto expectFault = [&](auto read) {
            try {
                read(path);
                ADD_FAILURE() << "no error";
            } catch (const Error& error) {
                const std::string text = error.what();
                EXPECT_NE(text.find("\"" + path.string() + "\""), std::string::npos) << text;
                EXPECT_NE(text.find(c.fault), std::string::npos) << text;
            }
        };
        expectFault([](const fs::path& p) { ReadBmp(p); });
        if (c.inHeader) {
            expectFault([](const fs::path& p) { ReadBmpSize(p); });
        } else {
            EXPECT_NO_THROW(ReadBmpSize(path)) << "the header alone is sound";
        }
    }
}

TEST_F(BmpReaderTest, MissingFileOrFolderFailsNamingIt) {
    for (const fs::path& path : {Work() / "absent.bmp", Work()}) {
        try {
            ReadBmp(path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const Error& error) {
            EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos)
                << error.what();
        }
        EXPECT_THROW(ReadBmpSize(path), Error);
    }
}

}  // namespace
}  // namespace lumora
