#include "dialogtest.h"
#include "ui/dialogs/widgets/aboutbox.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace marquis::testing;
using marquis::qt::AboutBox;

namespace {

TEST(AboutBoxTest, ShowsTitleVersionAndPictureCentredOverItsOwner)
{
    QWidget owner;
    owner.setGeometry(200, 150, 800, 600);
    owner.show();
    AboutBox about(&owner);
    about.show();

    EXPECT_EQ(text(child<QLabel>(about, "lblTitle")->text()), "5300 Programming Utility");
    EXPECT_EQ(text(child<QLabel>(about, "lblVersion")->text()), "Version " MARQUIS_TEST_VERSION);
    EXPECT_FALSE(child<QLabel>(about, "picLogo")->pixmap().isNull());
    const QPoint offset = about.frameGeometry().center() - owner.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4);

    auto* ok = child<QPushButton>(about, "cmsOK");
    EXPECT_EQ(text(ok->text()), "&OK");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
