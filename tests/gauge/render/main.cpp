#include <QGuiApplication>
#include <gtest/gtest.h>

// The painter's tests draw text, which needs a GUI application. They always run on the
// offscreen platform so that the golden images do not depend on a display.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
