// The workbench tests run inside one application object, offscreen unless told otherwise, on a
// screen of 1024 x 768, the smallest the workbench is laid out for (where the screen's file has no
// colon in its path, which would split the platform's options).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryFile>

int main(int argc, char** argv) {
    QTemporaryFile screen(QDir::tempPath() + "/quillon-test-screen-XXXXXX.json");
    if (qEnvironmentVariable("QT_QPA_PLATFORM", "offscreen") == "offscreen") {
        const bool sized = screen.open() && !screen.fileName().contains(':') &&
                           screen.write(R"({"screens": [{"name": "test", "width": 1024, "height": 768}]})") > 0;
        screen.close();
        qputenv("QT_QPA_PLATFORM", sized ? "offscreen:configfile=" + screen.fileName().toLocal8Bit() : "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
