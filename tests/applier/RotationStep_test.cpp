#include "applier/RotationStep.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

#include "common/BmpWriter.h"
#include "common/Settings.h"
#include "common/TextLines.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "tests/support/TempPrefix.h"
#include "tests/support/TestPictures.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

class RotationStep : public test::TempPrefixTest {
protected:
    RotationStep() : registry_(OpenRegistry()) { WriteStoredResolution(*registry_, 64, 48); }

    fs::path StatePath() const { return WindowsDir() / "System" / "Lumora.ini"; }
    fs::path SchedulePath() const { return WindowsDir() / "System" / "LumoraPics.ini"; }

    void SetSchedule(const TextLines& lines) { SaveTextLines(SchedulePath(), lines); }
    void SetState(const TextLines& lines) { SaveTextLines(StatePath(), lines); }
    TextLines State() const { return LoadTextLines(StatePath()); }

    std::optional<std::string> Desktop(std::string_view name) const {
        return registry_->ReadString(RegistryRoot::CurrentUser, kDesktopKey, name);
    }

    std::string Picture(const std::string& name, std::int32_t width = 32,
                        std::int32_t height = 24) {
        const fs::path path = Work() / name;
        if (path.extension() == ".jpg" || path.extension() == ".JPG") {
            test::WriteTestJpeg(path, test::PatternBitmap(width, height));
        } else {
            WriteBmp(path, test::PatternBitmap(width, height));
        }
        return path.string();
    }

    std::unique_ptr<Registry> registry_;
};

TEST_F(RotationStep, CyclesThroughTheScheduleInFileOrder) {
    // .bmp pictures placed N are never opened, so they need not exist.
    const std::string a = (Work() / "a.bmp").string(), b = (Work() / "b.bmp").string(),
                      c = (Work() / "c.bmp").string();
    struct Case {
        TextLines schedule;
        std::string before;
        std::string applied;
        std::string after;
    };
    const Case cases[] = {
        {{a + "|N", b + "|N", c + "|N"}, "active=1", a, "active=2"},
        {{a + "|N", b + "|N", c + "|N"}, "active=2", b, "active=3"},
        {{a + "|N", b + "|N", c + "|N"}, "active=3", c, "active=1"},
        {{a + "|N"}, "active=1", a, "active=1"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.before);
        SetSchedule(test.schedule);
        SetState({test.before});
        RunRotationStep(*registry_);
        EXPECT_EQ(State(), TextLines{test.after});
        EXPECT_EQ(Desktop("Wallpaper"), test.applied);
        EXPECT_EQ(Desktop("TileWallpaper"), "1");
        EXPECT_EQ(Desktop("WallpaperStyle"), "0");
    }
}

TEST_F(RotationStep, EachGeneratedBitmapIsDeletedByTheNextStep) {
    const std::string sea = Picture("SEA.jpg"), sky = Picture("sky.jpg", 100, 20);
    SetSchedule({sea + "|C", sky + "|B"});
    SetState({"active=1"});

    RunRotationStep(*registry_);
    const std::string seaBitmap = (Work() / "SEA.bmp").string();
    EXPECT_EQ(State(), (TextLines{"active=2", "delete file", seaBitmap}));
    EXPECT_EQ(Desktop("Wallpaper"), seaBitmap);
    EXPECT_TRUE(FileExists(seaBitmap));

    RunRotationStep(*registry_);
    const std::string skyBitmap = (Work() / "sky.bmp").string();
    EXPECT_FALSE(FileExists(seaBitmap));
    EXPECT_EQ(State(), (TextLines{"active=1", "delete file", skyBitmap}));
    EXPECT_EQ(Desktop("Wallpaper"), skyBitmap);

    RunRotationStep(*registry_);
    EXPECT_FALSE(FileExists(skyBitmap));
    EXPECT_TRUE(FileExists(sea) && FileExists(sky));  // the user's own pictures stay
}

TEST_F(RotationStep, StateWithoutActiveIndexOnlyDeletesTheMarkedBitmap) {
    const std::string marked = Picture("old.bmp");
    SetSchedule({"/nowhere/x.bmp|N"});
    for (const TextLines& state : {TextLines{"", "delete file", marked}, TextLines{}}) {
        SetState(state);
        RunRotationStep(*registry_);
        EXPECT_EQ(State(), state);
        EXPECT_EQ(Desktop("Wallpaper"), std::nullopt);
    }
    EXPECT_FALSE(FileExists(marked));
}

TEST_F(RotationStep, OnlyBitmapsAreEverDeletedThroughTheMark) {
    const std::string photo = Picture("holiday.jpg");
    SetSchedule({"/nowhere/x.bmp|N"});
    SetState({"active=1", "delete file", photo});
    RunRotationStep(*registry_);
    EXPECT_TRUE(FileExists(photo));
    EXPECT_EQ(State(), TextLines{"active=1"});
}

TEST_F(RotationStep, MissingBitmapPlacedTileStillAdvances) {
    const std::string gone = (Work() / "gone.bmp").string();
    SetSchedule({gone + "|N", "/x/y.bmp|S"});
    SetState({"active=1"});
    RunRotationStep(*registry_);
    EXPECT_EQ(Desktop("Wallpaper"), gone);
    EXPECT_EQ(State(), TextLines{"active=2"});
}

// Each failure ends the step where it happens: what was done before stays done, the state file and
// the desktop values stay as they were, and the error names what was wrong.
TEST_F(RotationStep, FailuresLeaveStateAndDesktopAsTheyWere) {
    struct Case {
        const char* name;
        TextLines schedule;
        bool markDeleted;
        std::string named;
    };
    const std::string missingJpeg = (Work() / "missing.jpg").string();
    const Case cases[] = {
        {"index past the end", {"/x/a.bmp|N", "/x/b.bmp|N", "/x/c.bmp|N"}, true, "5"},
        {"picture gone", {missingJpeg + "|C"}, true, "missing.jpg"},
        {"line without bar", {"/x/a.bmp N"}, true, "LumoraPics.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string marked = Picture("marked.bmp");
        const TextLines state{c.schedule.size() == 3 ? "active=5" : "active=1", "delete file",
                              marked};
        SetSchedule(c.schedule);
        SetState(state);
        try {
            RunRotationStep(*registry_);
            ADD_FAILURE() << "the step succeeded";
        } catch (const Error& error) {
            EXPECT_NE(std::string(error.what()).find(c.named), std::string::npos) << error.what();
        }
        EXPECT_EQ(State(), state);
        EXPECT_EQ(Desktop("Wallpaper"), std::nullopt);
        EXPECT_EQ(FileExists(marked), !c.markDeleted);
    }
}

TEST_F(RotationStep, MissingStoredResolutionFailsBeforeAnythingIsTouched) {
    const std::string marked = Picture("marked.bmp");
    SetSchedule({"/x/a.bmp|N"});
    SetState({"active=1", "delete file", marked});
    registry_->DeleteValue(RegistryRoot::LocalMachine, kLumoraKey, "Resolution1");
    EXPECT_THROW(RunRotationStep(*registry_), Error);
    EXPECT_TRUE(FileExists(marked));
    EXPECT_EQ(State(), (TextLines{"active=1", "delete file", marked}));
}

TEST_F(RotationStep, MissingStateOrScheduleFileFails) {
    EXPECT_THROW(RunRotationStep(*registry_), Error);  // no state file
    SetState({"active=1"});
    EXPECT_THROW(RunRotationStep(*registry_), Error);  // no schedule file
    EXPECT_EQ(State(), TextLines{"active=1"});
}

// The program itself: exit status and the report a user can find afterwards.
class Lumo4Program : public RotationStep {
protected:
    int Run() {
        const std::string command = std::string("\"") + LUMORA_BIN_DIR + "/lumo4\" 2>\"" +
                                    (Work() / "stderr.txt").string() + "\"";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(Lumo4Program, ReportsFailureByExitStatusStderrAndLog) {
    SetSchedule({"/x/a.bmp|N"});
    SetState({"active=1"});
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(State(), TextLines{"active=1"});

    SetState({"active=abc"});
    EXPECT_EQ(Run(), 1);
    EXPECT_NE(test::ReadBytes(Work() / "stderr.txt").find("abc"), std::string::npos);
    const std::string log = test::ReadBytes(Prefix() / "lumo4.log");
    EXPECT_NE(log.find("abc"), std::string::npos) << log;
}

}  // namespace
}  // namespace lumora
