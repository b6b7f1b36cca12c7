// Renders the main window and the options dialog into PNG files in the build folder, to be looked
// at; and states how long start-up takes to a shown window.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <filesystem>
#include <iostream>

#include "configurator/widgets/ReportListView.h"
#include "tests/configurator/LumosetTest.h"
#include "tests/support/TestPictures.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::LumosetTest;

TEST_F(LumosetTest, MainWindowAndOptionsDialogScreenshots) {
    for (const char* name : {"Берег.bmp", "закат.jpg", "Forest.bmp", "Горы.bmp", "sea.jpg"}) {
        const fs::path path = Pictures() / name;
        if (path.extension() == ".jpg") {
            test::WriteTestJpeg(path, test::PatternBitmap(1600, 1200));
        } else {
            Picture(name, 800, 600);
        }
    }
    QElapsedTimer startUp;
    startUp.start();
    StartProgram();
    std::cout << "start-up to a shown main window: " << startUp.elapsed() << " ms\n";

    for (const char* name : {"Берег.bmp", "закат.jpg", "Forest.bmp"}) {
        DoubleClickFile(name);
    }
    Click(Main().ToolButton3);
    Click(Options().b2);
    Options().cb1->setCurrentIndex(3);
    Click(Options().sp1);
    DoubleClickFile("Горы.bmp");
    Main().List1->topLevelItem(1)->setSelected(true);
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join("\n").toStdString();

    const fs::path folder = LUMORA_SCREENSHOT_DIR;
    fs::create_directories(folder);
    const QPixmap main = Main().grab();
    EXPECT_EQ(main.size(), QSize(702, 480));
    EXPECT_TRUE(main.save(QString::fromStdString((folder / "main-window.png").string())));

    Click(Main().ToolButton3);
    Click(Options().b5);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Options()));
    EXPECT_TRUE(
        Options().grab().save(QString::fromStdString((folder / "options-dialog.png").string())));
}

}  // namespace
}  // namespace lumora
