#include "configurator/TForm1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <set>

#include "common/Settings.h"
#include "common/TextLines.h"
#include "configurator/widgets/FileListBox.h"
#include "configurator/widgets/PictureBox.h"
#include "configurator/widgets/ReportListView.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "tests/configurator/LumosetTest.h"
#include "tests/support/TempPrefix.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::LumosetTest;
constexpr auto kMachine = RegistryRoot::LocalMachine;

// ---- Start-up -------------------------------------------------------------------------------

struct StartUpCase {
    const char* name;
    std::optional<std::string> displayValue;
    bool withBackground;
    int errors;
    TargetResolution target;
    bool backgroundShown;
    bool windowsDirectoryRead;
};
// Without it the case would be shown, and listed by ctest, as raw bytes.
void PrintTo(const StartUpCase& c, std::ostream* out) {
    *out << c.name;
}

class StartUp : public LumosetTest, public ::testing::WithParamInterface<StartUpCase> {};

TEST_P(StartUp, EndsAtTheFailingStepAndTheWindowOpens) {
    const StartUpCase& c = GetParam();
    SetDisplayValue(c.displayValue);
    if (!c.withBackground) {
        fs::remove(Start() / "pics" / "fon.bmp");
    }
    StartProgram();

    EXPECT_EQ(errors_.size(), c.errors) << errors_.join("\n").toStdString();
    EXPECT_EQ(Main().Target().width, c.target.width);
    EXPECT_EQ(Main().Target().height, c.target.height);
    EXPECT_EQ(Main().image1->Picture().isNull(), !c.backgroundShown);
    EXPECT_EQ(Main().WindowsDirectory().empty(), !c.windowsDirectoryRead);
    EXPECT_EQ(Main().StartDirectory(), Start());
    // No state file: only "Включить"; a failed start leaves both as designed.
    EXPECT_TRUE(Main().sp1->isEnabled());
    EXPECT_EQ(Main().sp2->isEnabled(), c.errors > 0);
    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(Main().windowTitle(), "Lumora v4.5 :: Без названия.iml");
    EXPECT_EQ(QApplication::applicationName(), "Lumora v4.5");
}

INSTANTIATE_TEST_SUITE_P(
    DisplayValueAndBackground, StartUp,
    ::testing::Values(
        StartUpCase{"Resolution1024x768", "1024,768", true, 0, {1024, 768}, true, true},
        StartUpCase{"Resolution800x600", "800,600", true, 0, {800, 600}, true, true},
        StartUpCase{"DisplayValueMissing", std::nullopt, true, 1, {0, 0}, false, false},
        StartUpCase{"NoComma", "1024", true, 1, {0, 0}, false, false},
        StartUpCase{"NoHeight", "1024,", true, 1, {1024, 0}, false, false},
        StartUpCase{"BackgroundMissing", "1024,768", false, 1, {1024, 768}, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LumosetTest, StartUpErrorsNameWhatWasWrong) {
    SetDisplayValue("1024");
    StartProgram();
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_[0].contains("1024")) << errors_[0].toStdString();
}

TEST_F(LumosetTest, StateFileAtStartOffersOnlyDisable) {
    test::WriteBytes(StateFilePath(ReadWindowsDirectory(Reg())), "active=2\r\n");
    StartProgram();
    EXPECT_TRUE(errors_.isEmpty());
    EXPECT_FALSE(Main().sp1->isEnabled());
    EXPECT_TRUE(Main().sp2->isEnabled());
}

TEST_F(LumosetTest, LayoutCaptionsMenusAndShortcuts) {
    StartProgram();
    EXPECT_EQ(Main().size(), QSize(702, 480));
    EXPECT_EQ(Main().minimumSize(), Main().maximumSize());  // not resizable
    EXPECT_EQ(Main().List1->geometry(), QRect(8, 256, 337, 217));
    EXPECT_EQ(Main().sp4->geometry(), QRect(360, 408, 330, 64));
    EXPECT_EQ(Main().ToolButton4->geometry(), QRect(271, 0, 85, 24));
    EXPECT_FALSE(Main().image1->isEnabled());
    struct Item {
        QAction* action;
        const char* caption;
        const char* keys;
    };
    for (const Item& item :
         {Item{Main().Bitmap1, "Конвертировать в Bitmap", "Ctrl+B"},
          Item{Main().Jpeg1, "Конвертировать в Jpeg", "Ctrl+J"},
          Item{Main().N1, "Удалить файл", "Del"}, Item{Main().N2, "Добавить все", "Ctrl+Ins"},
          Item{Main().N3, "Добавить выбранные", "Ins"},
          Item{Main().N4, "Удалить текущую картинку", "Del"},
          Item{Main().N5, "Удалить выбранные картинки", "Shift+Del"},
          Item{Main().N6, "Изменить путь к выбранным картинкам", ""}}) {
        EXPECT_EQ(item.action->text().toStdString(), item.caption);
        EXPECT_EQ(item.action->shortcut().toString().toStdString(), item.keys);
        EXPECT_FALSE(item.action->isEnabled()) << item.caption;  // commands still to come
    }
    EXPECT_EQ(Main().Menu1->actions().size(), 5);
    EXPECT_EQ(Main().PopupMenu1->actions().size(), 3);
}

TEST_F(LumosetTest, ExitClosesTheMainWindow) {
    StartProgram();
    Main().AddPictureEntry(Picture("a.bmp", 8, 8), "");
    Click(Main().ToolButton4);
    EXPECT_FALSE(Main().isVisible());
    EXPECT_TRUE(errors_.isEmpty());
}

// ---- Adding entries -------------------------------------------------------------------------

// What the user does in the options dialog before a file is added.
enum class Act {
    B1,
    B3,
    B4,
    B5,
    B2,
    Untick,
    Item640,
    Item800,
    Item1024,
    ItemCurrent,
    Accept,
    Cancel
};

struct EntryCase {
    const char* name;
    std::vector<Act> acts;
    const char* fallback;
    const char* letter;
    const char* sizeText;
};
void PrintTo(const EntryCase& c, std::ostream* out) {
    *out << c.name;
}

class NewEntry : public LumosetTest, public ::testing::WithParamInterface<EntryCase> {
protected:
    void Do(Act act) {
        TForm4& o = Options();
        switch (act) {
            case Act::B1:
                Click(o.b1);
                break;
            case Act::B3:
                Click(o.b3);
                break;
            case Act::B4:
                Click(o.b4);
                break;
            case Act::B5:
                Click(o.b5);
                break;
            case Act::B2:
                Click(o.b2);
                break;
            case Act::Untick:
                Click(o.showsize);
                break;
            case Act::Item640:
                o.cb1->setCurrentIndex(1);
                break;
            case Act::Item800:
                o.cb1->setCurrentIndex(2);
                break;
            case Act::Item1024:
                o.cb1->setCurrentIndex(3);
                break;
            case Act::ItemCurrent:
                o.cb1->setCurrentIndex(0);
                break;
            case Act::Accept:
                Click(o.sp1);
                break;
            case Act::Cancel:
                Click(o.sp3);
                break;
        }
    }
};

TEST_P(NewEntry, GetsTheLetterAndSizeTheOptionsDecide) {
    const EntryCase& c = GetParam();
    StartProgram();  // target 1024 x 768 from the display value
    Click(Main().ToolButton3);
    for (Act act : c.acts) {
        Do(act);
    }
    const std::string path = Picture("sea.bmp", 640, 480);
    if (std::string(c.fallback).empty()) {
        DoubleClickFile("sea.bmp");
    } else {
        Main().AddPictureEntry(path, c.fallback);  // as "add selected" calls it
    }
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join("\n").toStdString();
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Row(0), (QStringList{"sea", c.letter, "BMP", c.sizeText}));
    EXPECT_EQ(Main().PathList(), std::vector<std::string>{path});
}

using enum Act;
INSTANTIATE_TEST_SUITE_P(
    OptionsDialog, NewEntry,
    ::testing::Values(
        EntryCase{"Untouched", {}, "", "B", "640x480"},
        EntryCase{"CentreAccepted", {B1, Accept}, "", "C", "640x480"},
        EntryCase{"TileAccepted", {B3, Accept}, "", "N", "640x480"},
        EntryCase{"StretchAccepted", {B4, Accept}, "", "S", "640x480"},
        EntryCase{"StretchAcceptedSizeOff", {B4, Untick, Accept}, "", "S", "0"},
        EntryCase{"BestAccepted800", {B5, Item800, Accept}, "", "B", "640x480"},
        EntryCase{"BestAcceptedAfterSizeOff", {B4, Untick, B5, Accept}, "", "B", "640x480"},
        EntryCase{"ByResolution640", {B2, Item640, Accept}, "", "C", "640x480"},
        EntryCase{"ByResolution800", {B2, Item800, Accept}, "", "S", "640x480"},
        EntryCase{"ByResolutionCurrent", {B2, ItemCurrent, Accept}, "", "S", "640x480"},
        // Changed without accepting: the target width still picks the branch.
        EntryCase{"CentreCancelledKeepsBest", {B1, Cancel}, "", "B", "640x480"},
        EntryCase{"TileThenByResolutionCancelled", {B3, Accept, B2, Cancel}, "", "", "640x480"},
        EntryCase{"TileThenBestCancelledSelected", {B3, Accept, B5, Cancel}, "C", "C", "640x480"},
        EntryCase{"TileThenBestSizeOff", {B3, Untick, Accept, B5, Cancel}, "", "", "0"},
        EntryCase{"CentreThenStretchNotAccepted", {B1, Accept, B4}, "", "S", "640x480"}),
    [](const auto& info) { return std::string(info.param.name); });

// Worked values of the by-resolution rule, through the dialog and double-clicks.
TEST_F(LumosetTest, ByResolutionRuleWorkedValues) {
    struct Worked {
        int item;  // cb1 index
        std::vector<std::pair<int, const char*>> widthAndLetter;
    };
    const std::vector<Worked> table{
        {3, {{2000, "N"}, {1024, "C"}, {800, "S"}, {512, "S"}, {342, "S"}, {341, "N"}, {100, "N"}}},
        {2, {{800, "C"}, {801, "N"}, {1600, "N"}, {400, "S"}, {267, "S"}, {266, "N"}}},
    };
    StartProgram();
    Click(Main().ToolButton3);
    Click(Options().b2);
    int row = 0;
    for (const Worked& worked : table) {
        Options().cb1->setCurrentIndex(worked.item);
        Click(Options().sp1);
        for (const auto& [width, letter] : worked.widthAndLetter) {
            const std::string name = "w" + std::to_string(width) + ".bmp";
            Picture(name, width, 3);
            DoubleClickFile(name);
            ASSERT_EQ(Rows(), row + 1);
            EXPECT_EQ(Row(row)[1], letter) << "target item " << worked.item << ", width " << width;
            EXPECT_EQ(Row(row)[3], QString("%1x3").arg(width));
            ++row;
        }
    }
    EXPECT_TRUE(errors_.isEmpty());
}

TEST_F(LumosetTest, NamesGiveCaptionAndTypeText) {
    StartProgram();
    Click(Main().ToolButton3);
    Click(Options().b4);
    Click(Options().showsize);  // size off: no file is opened
    Click(Options().sp1);
    for (const char* name : {"a.b.jpg", "plain", "Sea.BMP"}) {
        Main().AddPictureEntry((Pictures() / name).string(), "");
    }
    EXPECT_EQ(Row(0), (QStringList{"a", "S", "JPG", "0"}));
    EXPECT_EQ(Row(1), (QStringList{"", "S", "", "0"}));
    EXPECT_EQ(Row(2), (QStringList{"Sea", "S", "BMP", "0"}));
}

TEST_F(LumosetTest, UnreadablePictureWithSizesOnShowsOneErrorAndAddsNothing) {
    StartProgram();
    Main().AddPictureEntry(Picture("good.bmp", 10, 10), "");
    test::WriteBytes(Pictures() / "broken.bmp", "BM not a bitmap");
    DoubleClickFile("broken.bmp");
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_[0].contains("broken.bmp")) << errors_[0].toStdString();
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(Main().PathList().size(), 1u);
}

TEST_F(LumosetTest, UnreadablePictureIsAddedWhenNoSizeIsNeeded) {
    StartProgram();
    Click(Main().ToolButton3);
    Click(Options().b1);
    Click(Options().showsize);
    Click(Options().sp1);
    test::WriteBytes(Pictures() / "broken.jpg", "not a picture");
    DoubleClickFile("broken.jpg");
    EXPECT_TRUE(errors_.isEmpty());
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Row(0), (QStringList{"broken", "C", "JPG", "0"}));
}

TEST_F(LumosetTest, PathTheListFormatsCannotHoldIsRefused) {
    StartProgram();
    Picture("a|b.bmp", 10, 10);
    DoubleClickFile("a|b.bmp");
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_[0].contains("a|b.bmp")) << errors_[0].toStdString();
    // A name that is not UTF-8 is refused too, naming the file.
    try {
        Main().AddPictureEntry("/tmp/bad\xff.bmp", "");
        ADD_FAILURE() << "not refused";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("bad\\xFF.bmp"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(Rows(), 0);
    EXPECT_TRUE(Main().PathList().empty());
}

TEST_F(LumosetTest, SameFileTwiceGivesTwoEntries) {
    StartProgram();
    const std::string path = Picture("twice.bmp", 20, 10);
    DoubleClickFile("twice.bmp");
    DoubleClickFile("twice.bmp");
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Row(0), Row(1));
    EXPECT_EQ(Main().PathList(), (std::vector<std::string>{path, path}));
}

// ---- Switching the rotation on and off -------------------------------------------------------

class Rotation : public LumosetTest {
protected:
    TextLines Schedule() const {
        return LoadTextLines(ScheduleFilePath(Main().WindowsDirectory()));
    }
    TextLines State() const { return LoadTextLines(StateFilePath(Main().WindowsDirectory())); }
    std::optional<std::string> Value(RegistryRoot root, std::string_view key,
                                     std::string_view name) {
        return Reg().ReadString(root, key, name);
    }

    void ExpectOn(std::size_t entries, const std::string& active) {
        EXPECT_TRUE(errors_.isEmpty()) << errors_.join("\n").toStdString();
        EXPECT_FALSE(Main().sp1->isEnabled());
        EXPECT_TRUE(Main().sp2->isEnabled());
        TextLines schedule = Schedule();
        EXPECT_EQ(schedule.size(), entries);
        TextLines expected;
        for (std::size_t i = 0; i < Main().PathList().size(); ++i) {
            expected.push_back(Main().PathList()[i] + "|" +
                               Main().List1->SubItem(static_cast<int>(i), 0).toStdString());
        }
        std::sort(schedule.begin(), schedule.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(schedule, expected);
        EXPECT_EQ(State().at(0), active);
        EXPECT_EQ(Value(kMachine, kLumoraKey, "Resolution1"), "1024");
        EXPECT_EQ(Value(kMachine, kLumoraKey, "Resolution2"), "768");
        EXPECT_EQ(Value(kMachine, kRunKey, kApplierRunValue), (Start() / "lumo4").string());
        EXPECT_TRUE(Value(RegistryRoot::CurrentUser, kDesktopKey, "Wallpaper").has_value());
    }

    void ExpectOff() {
        EXPECT_TRUE(errors_.isEmpty()) << errors_.join("\n").toStdString();
        EXPECT_TRUE(Main().sp1->isEnabled());
        EXPECT_FALSE(Main().sp2->isEnabled());
        EXPECT_FALSE(Reg().KeyExists(kMachine, kVendorKey));
        EXPECT_FALSE(FileExists(ScheduleFilePath(Main().WindowsDirectory())));
        EXPECT_FALSE(FileExists(StateFilePath(Main().WindowsDirectory())));
        EXPECT_FALSE(Value(kMachine, kRunKey, kApplierRunValue).has_value());
    }
};

TEST_F(Rotation, EmptyListChangesNothing) {
    StartProgram();
    Click(Main().sp1);
    EXPECT_TRUE(errors_.isEmpty());
    EXPECT_TRUE(Main().sp1->isEnabled());
    EXPECT_FALSE(Main().sp2->isEnabled());
    EXPECT_FALSE(Reg().KeyExists(kMachine, kLumoraKey));
    EXPECT_FALSE(FileExists(ScheduleFilePath(Main().WindowsDirectory())));
}

TEST_F(Rotation, OneEntryThenDisable) {
    StartProgram();
    Click(Main().ToolButton3);
    Click(Options().b3);
    Click(Options().sp1);  // "N": the .bmp is its own wallpaper
    const std::string path = Picture("one.bmp", 16, 12);
    DoubleClickFile("one.bmp");
    Main().Target() = {1024, 768};
    Click(Main().sp1);
    ExpectOn(1, "active=1");
    EXPECT_EQ(State().size(), 1u);
    EXPECT_EQ(Value(RegistryRoot::CurrentUser, kDesktopKey, "Wallpaper"), path);

    Click(Main().sp2);
    ExpectOff();
    EXPECT_TRUE(FileExists(path));  // the user's picture stays
}

TEST_F(Rotation, SeveralEntriesPlacedBestThenDisableRemovesTheBitmap) {
    StartProgram();  // "Лучший вид" at 1024 x 768
    for (const char* name : {"p1.bmp", "p2.bmp", "p3.bmp"}) {
        Picture(name, 40, 30);
        DoubleClickFile(name);
    }
    Click(Main().sp1);
    ExpectOn(3, "active=2");
    ASSERT_EQ(State().size(), 3u);
    EXPECT_EQ(State()[1], "delete file");
    const std::string generated = State()[2];
    EXPECT_TRUE(FileExists(generated));
    EXPECT_EQ(Value(RegistryRoot::CurrentUser, kDesktopKey, "Wallpaper"), generated);

    Click(Main().sp2);
    ExpectOff();
    EXPECT_FALSE(FileExists(generated));
    for (const char* name : {"p1.bmp", "p2.bmp", "p3.bmp"}) {
        EXPECT_TRUE(FileExists(Pictures() / name));
    }
}

TEST_F(Rotation, MoreThan256EntriesAreAllScheduled) {
    StartProgram();
    Click(Main().ToolButton3);
    Click(Options().b3);
    Click(Options().sp1);
    Main().Target() = {1024, 768};
    const std::string tiny = Picture("tiny.bmp", 2, 2);
    Main().List1->BeginUpdate();
    for (int i = 0; i < 300; ++i) {
        Main().AddPictureEntry(tiny, "");
    }
    Main().List1->EndUpdate();
    Click(Main().sp1);
    ExpectOn(300, "active=2");
    Click(Main().sp2);
    ExpectOff();
}

TEST_F(Rotation, DisableWithoutStateFileRemovesTheRestQuietly) {
    SetDisplayValue(std::nullopt);  // start-up fails: both buttons stay enabled
    StartProgram();
    errors_.clear();
    Reg().CreateKey(kMachine, kLumoraKey);
    Click(Main().sp2);
    EXPECT_TRUE(errors_.isEmpty());
    EXPECT_FALSE(Reg().KeyExists(kMachine, kVendorKey));
    EXPECT_TRUE(Main().sp1->isEnabled());
    EXPECT_FALSE(Main().sp2->isEnabled());
}

}  // namespace
}  // namespace lumora
