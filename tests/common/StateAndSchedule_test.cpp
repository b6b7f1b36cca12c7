#include <gtest/gtest.h>

#include "common/DisplayResolution.h"
#include "common/IntegerText.h"
#include "common/ScheduleLine.h"
#include "common/Settings.h"
#include "common/StateFile.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "tests/support/TempPrefix.h"

namespace lumora {
namespace {

TEST(StateFile, DeleteMarkAndActiveIndexAreReadByTheirRules) {
    struct Case {
        TextLines lines;
        std::optional<std::string> mark;
        std::optional<std::int32_t> active;
    };
    const Case cases[] = {
        {{"active=3"}, std::nullopt, 3},
        {{}, std::nullopt, std::nullopt},
        {{"active=3", "delete file", "/pics/SEA.bmp"}, "/pics/SEA.bmp", 3},
        {{"active=3", "Delete file", "/pics/SEA.bmp"}, std::nullopt, 3},
        {{"", "delete file", "/pics/SEA.bmp"}, "/pics/SEA.bmp", std::nullopt},
        {{"inactive=4"}, std::nullopt, 4},
        {{"count=4"}, std::nullopt, std::nullopt},
        {{"Active=4"}, std::nullopt, std::nullopt},
        {{"active=-1"}, std::nullopt, -1},
        {{"active=2", "delete file"}, std::nullopt, 2},  // a mark without its path names nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.lines));
        EXPECT_EQ(ReadDeleteMark(c.lines), c.mark);
        EXPECT_EQ(ReadActiveIndex(c.lines), c.active);
    }
}

TEST(StateFile, AnIndexThatIsNoWholeNumberFailsNamingIt) {
    for (std::string line :
         {"active=12=3", "active=", "active", "active= 3", "active=99999999999"}) {
        try {
            ReadActiveIndex({line});
            ADD_FAILURE() << line << " was taken as an index";
        } catch (const Error& error) {
            EXPECT_NE(std::string(error.what()).find('"'), std::string::npos) << error.what();
        }
    }
}

TEST(StateFile, FormattedLinesReadBack) {
    EXPECT_EQ(FormatStateLines(2, std::nullopt), (TextLines{"active=2"}));
    const TextLines marked = FormatStateLines(1, "/pics/SEA.bmp");
    EXPECT_EQ(marked, (TextLines{"active=1", "delete file", "/pics/SEA.bmp"}));
    EXPECT_EQ(ReadDeleteMark(marked), "/pics/SEA.bmp");
    EXPECT_EQ(ReadActiveIndex(marked), 1);
}

TEST(ScheduleLine, PathIsBeforeTheFirstBarAndTheLetterIsTheLastCharacter) {
    struct Case {
        std::string line;
        std::string path;
        std::string letter;
    };
    const Case cases[] = {
        {"/pics/A.BMP|C", "/pics/A.BMP", "C"},     {"/pics/A.BMP|", "/pics/A.BMP", "|"},
        {"/pics/A.BMP|CN", "/pics/A.BMP", "N"},    {"/pics/no bar", "", "r"},
        {"/фото/лес.jpg|Б", "/фото/лес.jpg", "Б"}, {"", "", ""},
    };
    for (const auto& c : cases) {
        const auto entry = ParseScheduleLine(c.line);
        EXPECT_EQ(entry.path, c.path) << c.line;
        EXPECT_EQ(entry.letter, c.letter) << c.line;
    }
    EXPECT_EQ(FormatScheduleLine("/pics/SEA.JPG", "B"), "/pics/SEA.JPG|B");
    EXPECT_EQ(FormatScheduleLine("/pics/SEA.JPG", ""), "/pics/SEA.JPG|");
}

TEST(ScheduleLine, PathsTheLineCannotHoldAreRefused) {
    for (std::string path : {"/pics/a|b.jpg", "/pics/a\nb.jpg", "/pics/a\rb.jpg"}) {
        EXPECT_THROW(FormatScheduleLine(path, "C"), Error);
    }
}

TEST(IntegerText, OnlyWholeDecimalNumbersIn32Bits) {
    EXPECT_EQ(ParseInt32("1024"), 1024);
    EXPECT_EQ(ParseInt32("-7"), -7);
    EXPECT_EQ(ParseInt32("+7"), 7);
    EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
    for (std::string_view bad : {"", " 1", "1 ", "1.5", "0x10", "2147483648", "+-1", "-", "1e3"}) {
        EXPECT_THROW(ParseInt32(bad), Error) << bad;
    }
}

TEST(DisplayResolution, SplitsAtTheFirstComma) {
    EXPECT_EQ(SplitDisplayResolution("1024,768").width, "1024");
    EXPECT_EQ(SplitDisplayResolution("1024,768").height, "768");
    EXPECT_EQ(SplitDisplayResolution("1024").width, "");
    EXPECT_EQ(SplitDisplayResolution("1024,").height, "");
    EXPECT_EQ(SplitDisplayResolution("1,2,3").height, "2,3");
}

class Settings : public test::TempPrefixTest {};

TEST_F(Settings, WindowsDirectoryAndFilePaths) {
    auto registry = OpenRegistry();
    const std::string windows = ReadWindowsDirectory(*registry);
    EXPECT_EQ(PathFromUtf8(windows), WindowsDir());
    EXPECT_EQ(StateFilePath(windows), WindowsDir() / "System" / "Lumora.ini");
    EXPECT_EQ(ScheduleFilePath(windows), WindowsDir() / "System" / "LumoraPics.ini");

    registry->DeleteValue(RegistryRoot::LocalMachine, kCurrentVersionKey, "SystemRoot");
    EXPECT_EQ(ReadWindowsDirectory(*registry), "");
    EXPECT_EQ(StateFilePath(""), std::filesystem::path("/System/Lumora.ini"));
}

TEST_F(Settings, StoredResolutionRoundTripsAndBadValuesAreNamed) {
    auto registry = OpenRegistry();
    EXPECT_THROW(ReadStoredResolution(*registry), Error);  // nothing stored yet

    WriteStoredResolution(*registry, 1024, 768);
    EXPECT_EQ(registry->ReadString(RegistryRoot::LocalMachine, kLumoraKey, "Resolution1"), "1024");
    const auto stored = ReadStoredResolution(*registry);
    EXPECT_EQ(stored.width, 1024.0f);
    EXPECT_EQ(stored.height, 768.0f);

    for (std::string bad : {"", "768px", "7.5"}) {
        registry->WriteString(RegistryRoot::LocalMachine, kLumoraKey, "Resolution2", bad);
        try {
            ReadStoredResolution(*registry);
            ADD_FAILURE() << "\"" << bad << "\" was taken";
        } catch (const Error& error) {
            EXPECT_NE(std::string(error.what()).find("Resolution2"), std::string::npos)
                << error.what();
        }
    }
}

}  // namespace
}  // namespace lumora
