// Entry of the GUI tests: one application object for all of them, on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char* argv[]) {
    // Test discovery runs the executables without the test environment.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", LUMORA_OFFSCREEN_PLATFORM, 1);
    }
    QApplication application(argc, argv);
    QApplication::setStyle("Fusion");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
