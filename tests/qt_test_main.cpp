#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// One QApplication for every test binary; screens run on the offscreen platform
// unless the caller chose another (test discovery runs without ctest's environment).
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
