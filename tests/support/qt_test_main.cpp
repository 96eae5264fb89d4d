// Test main for every test program: a QApplication exists before any test runs, because
// fonts, images and widgets need one. Unit tests run on Qt's offscreen platform.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Tests never need a screen of their own; end-to-end tests reach their X server through Xlib
    // and the real executable.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
