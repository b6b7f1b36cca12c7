// The whole rotation as a user lives it: switched on in the configurator, the real applier started
// at three logons, switched off again.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <map>
#include <set>

#include "common/BmpWriter.h"
#include "common/ScheduleLine.h"
#include "common/Settings.h"
#include "common/StateFile.h"
#include "common/TextLines.h"
#include "configurator/model/RotationActivation.h"
#include "platform/Files.h"
#include "tests/support/TempPrefix.h"
#include "tests/support/TestPictures.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

class RotationCycle : public test::TempPrefixTest {
protected:
    std::set<fs::path> FilesInWork() const {
        std::set<fs::path> files;
        for (const auto& entry : fs::directory_iterator(Work())) {
            files.insert(entry.path());
        }
        return files;
    }
};

// A logon: the applier started as the operating system starts it, in the same prefix.
int RunApplier() {
    const int status = std::system("\"" LUMORA_BIN_DIR "/lumo4\"");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(RotationCycle, EnableThreeLogonsDisable) {
    auto registry = OpenRegistry();
    const std::string windowsDirectory = ReadWindowsDirectory(*registry);
    const fs::path statePath = StateFilePath(windowsDirectory);

    // What each picture becomes on the desktop: the wallpaper file and the two placement values.
    struct Expected {
        std::string wallpaper;
        const char* tile;
        const char* style;
    };
    const fs::path sea = Work() / "sea.jpg", wall = Work() / "wall.bmp", sky = Work() / "sky.jpg";
    test::WriteTestJpeg(sea, test::PatternBitmap(40, 30));
    WriteBmp(wall, test::PatternBitmap(16, 16));
    test::WriteTestJpeg(sky, test::PatternBitmap(120, 30));
    const std::map<std::string, Expected> expected = {
        {sea.string(), {(Work() / "sea.bmp").string(), "0", "0"}},
        {wall.string(), {wall.string(), "1", "0"}},
        {sky.string(), {(Work() / "sky.bmp").string(), "0", "0"}},
    };
    const std::set<fs::path> userFiles = FilesInWork();

    const ActivationContext context{*registry, windowsDirectory, LUMORA_BIN_DIR, {64, 48}};
    std::mt19937 random(std::random_device{}());
    ASSERT_TRUE(EnableRotation({{sea.string(), "C"}, {wall.string(), "N"}, {sky.string(), "B"}},
                               context, random));
    EXPECT_EQ(registry->ReadString(RegistryRoot::LocalMachine, kRunKey, kApplierRunValue),
              std::string(LUMORA_BIN_DIR) + "/lumo4");

    const TextLines schedule = LoadTextLines(ScheduleFilePath(windowsDirectory));
    ASSERT_EQ(schedule.size(), 3u);
    auto checkDesktopShows = [&](std::size_t line) {
        const Expected& picture = expected.at(ParseScheduleLine(schedule[line - 1]).path);
        auto desktop = [&](std::string_view name) {
            return registry->ReadString(RegistryRoot::CurrentUser, kDesktopKey, name);
        };
        EXPECT_EQ(desktop("Wallpaper"), picture.wallpaper);
        EXPECT_EQ(desktop("TileWallpaper"), picture.tile);
        EXPECT_EQ(desktop("WallpaperStyle"), picture.style);
        EXPECT_TRUE(FileExists(picture.wallpaper));
    };
    checkDesktopShows(1);

    // Logons 1 to 3 apply lines 2, 3 and 1; each deletes the bitmap the one before generated.
    for (const std::size_t line : {2u, 3u, 1u}) {
        SCOPED_TRACE("line " + std::to_string(line));
        const std::optional<std::string> previousMark = ReadDeleteMark(LoadTextLines(statePath));
        ASSERT_EQ(RunApplier(), 0);
        checkDesktopShows(line);
        const TextLines state = LoadTextLines(statePath);
        EXPECT_EQ(state.front(), "active=" + std::to_string(line % 3 + 1));
        const std::optional<std::string> mark = ReadDeleteMark(state);
        if (previousMark && previousMark != mark) {
            EXPECT_FALSE(FileExists(*previousMark)) << *previousMark;
        }
        // At most the bitmap of the current wallpaper is left besides the user's pictures.
        EXPECT_LE(FilesInWork().size(), userFiles.size() + 1);
    }

    DisableRotation(context);
    EXPECT_EQ(FilesInWork(), userFiles);  // no generated bitmap left, the user's pictures kept
    EXPECT_FALSE(FileExists(statePath));
    EXPECT_FALSE(FileExists(ScheduleFilePath(windowsDirectory)));
    EXPECT_FALSE(registry->KeyExists(RegistryRoot::LocalMachine, kLumoraKey));
    EXPECT_FALSE(registry->KeyExists(RegistryRoot::LocalMachine, kVendorKey));
    EXPECT_EQ(registry->ReadString(RegistryRoot::LocalMachine, kRunKey, kApplierRunValue),
              std::nullopt);
}

}  // namespace
}  // namespace lumora
