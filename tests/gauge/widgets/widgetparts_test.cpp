#include "model/gaugemodel.h"
#include "model/units.h"
#include "render/pictureholder.h"
#include "widgets/gaugelookbuilder.h"
#include "widgets/inputcodes.h"
#include "widgets/libraryinfo.h"
#include "widgets/picturecodec.h"

#include <QFileInfo>
#include <QPainter>
#include <gtest/gtest.h>

using namespace qvgauge;

TEST(GaugeLookOf, MarginsInTwipsArePaintedInPixelsAtTheModelsResolution)
{
    GaugeModel model;
    model.setWindowCreated(true);
    model.setResolution({ 96, 120 });
    ASSERT_TRUE(model.setScaleMode(1).ok);
    ASSERT_TRUE(model.setInnerLeft(150).ok);
    ASSERT_TRUE(model.setInnerTop(150).ok);
    LookContext context;
    context.size = QSize(80, 40);
    const GaugeLook look = lookOf(model, context);
    EXPECT_EQ(look.innerLeft, 10); // 15 twips a pixel at 96 ppi
    EXPECT_EQ(look.innerTop, 13); // 12 twips a pixel at 120 ppi, rounded
    EXPECT_EQ(look.width, 80);
    EXPECT_EQ(look.height, 40);

    ASSERT_TRUE(model.setScaleMode(3).ok);
    EXPECT_EQ(lookOf(model, context).innerLeft, model.innerLeft());
}

TEST(GaugeLookOf, ColoursAreStoredAsBlueGreenRed)
{
    EXPECT_EQ(oleColorOf(QColor(0x11, 0x22, 0x33)), 0x00332211u);
}

TEST(GaugeInputCodes, KeysMapToVirtualKeyCodes)
{
    EXPECT_EQ(virtualKeyCode(Qt::Key_A, {}), 65);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Z, Qt::ShiftModifier), 90);
    EXPECT_EQ(virtualKeyCode(Qt::Key_7, {}), '7');
    EXPECT_EQ(virtualKeyCode(Qt::Key_Ampersand, Qt::ShiftModifier), '7');
    EXPECT_EQ(virtualKeyCode(Qt::Key_7, Qt::KeypadModifier), 103);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Return, {}), 13);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(virtualKeyCode(Qt::Key_F1, {}), 112);
    EXPECT_EQ(virtualKeyCode(Qt::Key_F12, {}), 123);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Left, {}), 37);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Delete, {}), 46);
    EXPECT_EQ(virtualKeyCode(Qt::Key_unknown, {}), 0);

    EXPECT_EQ(shiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(shiftState(Qt::ControlModifier | Qt::KeypadModifier), 2);
    EXPECT_EQ(buttonState(Qt::LeftButton | Qt::MiddleButton), 5);
    EXPECT_EQ(buttonState(Qt::RightButton), 2);
}

TEST(GaugeAboutText, NamesTheFileItsVersionAndItsPath)
{
    EXPECT_EQ(aboutText(LibraryInfo { "/opt/gauge/libQVGAUG32.so.7", "7.0.0" }),
        "Control: libQVGAUG32.so.7\nVersion: 7.0.0\n\nReg.Location: /opt/gauge/libQVGAUG32.so.7");
    EXPECT_EQ(aboutText(std::nullopt), "Error Getting Version Info.");
    EXPECT_EQ(
        aboutText(LibraryInfo { "/opt/gauge/libQVGAUG32.so", "" }), "Error Getting Version Info.");

    // The running library finds itself.
    const auto library = thisLibrary();
    ASSERT_TRUE(library);
    EXPECT_TRUE(QFileInfo(library->path).isAbsolute());
    EXPECT_TRUE(QFileInfo(library->path).fileName().startsWith("libQVGAUG32.so"));
    EXPECT_TRUE(QFileInfo::exists(library->path));
    EXPECT_FALSE(library->version.isEmpty());
}

TEST(GaugePictureCodec, KeepsPixelsAndRejectsUnreadableData)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(2, 1, qRgb(200, 0, 0));
    const Picture picture = encodePicture(image, PictureKind::Bitmap);
    EXPECT_EQ(picture.kind, PictureKind::Bitmap);
    const QImage back = decodePicture(picture);
    ASSERT_EQ(back.size(), image.size());
    EXPECT_EQ(back.pixel(2, 1), image.pixel(2, 1));
    EXPECT_EQ(back.pixel(0, 0), image.pixel(0, 0));

    EXPECT_TRUE(encodePicture(QImage(), PictureKind::Bitmap).isEmpty());
    EXPECT_TRUE(decodePicture({ PictureKind::Bitmap, { 'n', 'o', 't' } }).isNull());
    EXPECT_TRUE(decodePicture({}).isNull());
}

TEST(GaugeLibrary, OffersThePictureHolderAndTheUnitConversions)
{
    // This test program links the shared library alone, so these calls prove the exports.
    EXPECT_EQ(XPixelsToTwips(10), 150);
    EXPECT_EQ(YTwipsToPixels(150), 10);
    EXPECT_EQ(XPixelsToHimetric(12), 318);

    QImage tile(10, 10, QImage::Format_RGB32);
    tile.fill(qRgb(0, 0, 255));
    const CQVPictureHolder holder(tile);
    QImage target(25, 25, QImage::Format_RGB32);
    target.fill(qRgb(255, 255, 255));
    QPainter painter(&target);
    holder.Render(&painter, QRect(0, 0, 25, 25), 2, 0, 0, qRgb(0, 0, 0));
    painter.end();
    EXPECT_EQ(target.pixel(24, 24), qRgb(0, 0, 255));
}
