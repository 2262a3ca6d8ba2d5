#include <QApplication>
#include <gtest/gtest.h>

// The widget tests need one application object; they always run on the offscreen platform so
// that paints and events do not depend on a display.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
