#include "configurator/TForm4.h"

#include <gtest/gtest.h>

#include <QApplication>

#include "common/Settings.h"
#include "tests/configurator/LumosetTest.h"

namespace lumora {
namespace {

using test::LumosetTest;

TEST_F(LumosetTest, OptionsDialogStartsAsDesigned) {
    StartProgram();
    TForm4& o = Options();
    EXPECT_FALSE(o.isVisible());
    EXPECT_EQ(o.windowTitle(), "Опции");
    EXPECT_TRUE(o.b5->isChecked());
    EXPECT_TRUE(o.showsize->isChecked());
    EXPECT_FALSE(o.showsize->isEnabled());
    EXPECT_TRUE(o.cb1->isEnabled());
    EXPECT_EQ(o.cb1->currentIndex(), -1);
    EXPECT_EQ(o.cb1->currentText(), "");
    EXPECT_EQ(o.cb1->count(), 6);
    EXPECT_EQ(o.Rule(), PlacementRule::Best);
}

TEST_F(LumosetTest, OptionsTwiceShowsOneDialogInFront) {
    StartProgram();
    Click(Main().ToolButton3);
    Click(Main().ToolButton3);
    EXPECT_TRUE(Options().isVisible());
    int dialogs = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        dialogs += qobject_cast<TForm4*>(window) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(Main().isEnabled());  // not modal
}

TEST_F(LumosetTest, FixedAndResolutionChoicesSwitchTheirControls) {
    StartProgram();
    Click(Main().ToolButton3);
    TForm4& o = Options();
    for (QRadioButton* fixed : {o.b1, o.b3, o.b4}) {
        Click(fixed);
        EXPECT_FALSE(o.cb1->isEnabled());
        EXPECT_TRUE(o.showsize->isEnabled());
    }
    Click(o.showsize);
    for (QRadioButton* byResolution : {o.b2, o.b5}) {
        Click(byResolution);
        EXPECT_TRUE(o.cb1->isEnabled());
        EXPECT_FALSE(o.showsize->isEnabled());
        EXPECT_FALSE(o.showsize->isChecked());  // disabling keeps the tick
    }
}

TEST_F(LumosetTest, AcceptUntouchedReadsTheDisplayValueAgain) {
    StartProgram();
    SetDisplayValue("800,600");
    Click(Main().ToolButton3);
    Click(Options().sp1);
    EXPECT_TRUE(errors_.isEmpty());
    EXPECT_EQ(Main().Target().width, 800);
    EXPECT_EQ(Main().Target().height, 600);
    EXPECT_FALSE(Options().isVisible());
}

TEST_F(LumosetTest, AcceptFixedPlacementClearsOnlyTheWidth) {
    StartProgram();
    Click(Main().ToolButton3);
    Click(Options().b4);
    Options().cb1->setCurrentIndex(2);
    Click(Options().sp1);
    EXPECT_EQ(Main().Target().width, 0);
    EXPECT_EQ(Main().Target().height, 768);
}

TEST_F(LumosetTest, StandardChoosesBestAndStaysOpen) {
    StartProgram();
    Click(Main().ToolButton3);
    TForm4& o = Options();
    Click(o.b3);
    o.cb1->setCurrentIndex(4);
    Click(o.sp2);
    EXPECT_TRUE(o.b5->isChecked());
    EXPECT_TRUE(o.cb1->isEnabled());
    EXPECT_FALSE(o.showsize->isEnabled());
    EXPECT_EQ(o.cb1->currentText(), "1152x864");
    EXPECT_TRUE(o.isVisible());
    EXPECT_EQ(Main().Target().width, 1024);
    Click(o.sp1);
    EXPECT_EQ(Main().Target().width, 1152);
    EXPECT_EQ(Main().Target().height, 864);
}

TEST_F(LumosetTest, CancelHidesAndKeepsTheTarget) {
    StartProgram();
    Click(Main().ToolButton3);
    Click(Options().b1);
    Click(Options().sp3);
    EXPECT_FALSE(Options().isVisible());
    EXPECT_EQ(Main().Target().width, 1024);
    EXPECT_EQ(Options().Rule(), PlacementRule::AlwaysCenter);
}

TEST_F(LumosetTest, CurrentWithoutDisplayKeyShowsErrorAndStaysOpen) {
    StartProgram();
    Reg().DeleteKey(RegistryRoot::LocalMachine, kDisplaySettingsKey);
    Click(Main().ToolButton3);
    Options().cb1->setCurrentIndex(0);
    Click(Options().sp1);
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_[0].contains("Resolution")) << errors_[0].toStdString();
    EXPECT_TRUE(Options().isVisible());
    EXPECT_EQ(Main().Target().width, 1024);
    EXPECT_EQ(Main().Target().height, 768);
}

}  // namespace
}  // namespace lumora
