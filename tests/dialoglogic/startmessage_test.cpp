#include "support/fakeuserinterface.h"
#include "support/modelfixture.h"
#include "ui/dialogs/startmessage.h"

#include <gtest/gtest.h>

using namespace marquis;
using namespace marquis::testing;

namespace {

class StartMessageTest : public ::testing::Test {
protected:
    StartMessageTest() { message.MessageNumber = 7; }

    // Opens the dialog on the message as it is now.
    StartMessageDialog& open()
    {
        dialog.emplace(message, ui);
        return *dialog;
    }
    // Opens the dialog switched on and types the rows' numbers ("" leaves a row empty).
    StartMessageDialog& typed(const std::array<std::string, StartRows>& rows)
    {
        open().optOnClick();
        for (int row = 1; row <= StartRows; ++row)
            if (!rows[static_cast<std::size_t>(row - 1)].empty())
                dialog->txtStartChange(row, rows[static_cast<std::size_t>(row - 1)]);
        return *dialog;
    }

    CurrentMessage message;
    FakeUserInterface ui;
    std::optional<StartMessageDialog> dialog;
};

TEST_F(StartMessageTest, LoadShowsTheBeginningListFirstThenTheEndList)
{
    message.StartSameTask = "3,8";
    message.StartOtherTask = "12,40";
    StartMessageDialog& d = open();
    EXPECT_EQ(d.caption(), "Current msg 7");
    EXPECT_TRUE(d.isOn());
    EXPECT_EQ(d.status(), "");
    const std::array<std::string, StartRows> texts { "12", "40", "3", "8" };
    const std::array<StartPlace, StartRows> places { StartPlace::Top, StartPlace::Top,
        StartPlace::End, StartPlace::End };
    for (int row = 1; row <= StartRows; ++row) {
        EXPECT_EQ(d.text(row), texts[static_cast<std::size_t>(row - 1)]) << row;
        EXPECT_EQ(d.spin(row), std::stoi(texts[static_cast<std::size_t>(row - 1)])) << row;
        EXPECT_EQ(d.place(row), places[static_cast<std::size_t>(row - 1)]) << row;
    }
}

TEST_F(StartMessageTest, LoadWithoutStartsIsOffAndAsksForOn)
{
    message.MessageNumber = 0;
    StartMessageDialog& d = open();
    EXPECT_EQ(d.caption(), "Current msg 0");
    EXPECT_FALSE(d.isOn());
    EXPECT_EQ(d.status(), "Press On Radio button in order to start editing.");
    EXPECT_EQ(ui.busyChanges, std::vector<bool> { false }) << "the normal pointer is back";
    for (int row = 1; row <= StartRows; ++row) {
        EXPECT_EQ(d.text(row), "");
        EXPECT_EQ(d.place(row), std::nullopt);
    }
}

TEST_F(StartMessageTest, LoadSkipsEmptyEntriesAndStopsAtFourRows)
{
    message.StartOtherTask = "1,,2";
    message.StartSameTask = "3,4,5";
    StartMessageDialog& d = open();
    EXPECT_EQ(d.text(3), "3");
    EXPECT_EQ(d.text(4), "4");
    EXPECT_EQ(d.place(4), StartPlace::End);
}

TEST_F(StartMessageTest, SpinAndNumberBoxFollowEachOther)
{
    StartMessageDialog& d = open();
    d.optOnClick();
    d.vsbStartChange(1, 5);
    EXPECT_EQ(d.text(1), "5");
    d.vsbStartChange(1, 0); // message 0, not an empty row
    EXPECT_EQ(d.text(1), "0");

    d.txtStartChange(2, "012");
    EXPECT_EQ(d.spin(2), 12);
    d.txtStartChange(2, "2000"); // the spin cannot show it and stays
    EXPECT_EQ(d.spin(2), 12);
    EXPECT_EQ(d.text(2), "2000");
    d.txtStartChange(2, "");
    EXPECT_EQ(d.spin(2), 0);
    EXPECT_EQ(d.text(2), "");

    {
        const StartMessageDialog::UpdatingControls updating(d);
        d.vsbStartChange(3, 9);
        d.txtStartChange(3, "4");
    }
    EXPECT_EQ(d.text(3), "");
    EXPECT_EQ(d.spin(3), 0);
}

TEST_F(StartMessageTest, OkSortsRowsIntoTheListsByPlace)
{
    StartMessageDialog& d = typed({ "12", "", "3", "40" });
    d.placeClick(1, StartPlace::Top);
    d.placeClick(3, StartPlace::End);
    d.placeClick(4, StartPlace::Top);
    EXPECT_TRUE(d.cmdOkClick());
    EXPECT_EQ(message.StartOtherTask, "12,40");
    EXPECT_EQ(message.StartSameTask, "3");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(startButtonCaption(message), "&Start msg On...");
}

TEST_F(StartMessageTest, OkRebuildsTheListsAndTakesARowWithoutPlaceAtTheBeginning)
{
    message.StartOtherTask = "1,2";
    message.StartSameTask = "3";
    StartMessageDialog& d = open();
    d.txtStartChange(2, "");
    d.txtStartChange(3, "");
    d.txtStartChange(4, "0009"); // a row with no place chosen
    EXPECT_TRUE(d.cmdOkClick());
    EXPECT_EQ(message.StartOtherTask, "1,9");
    EXPECT_EQ(message.StartSameTask, "");
}

TEST_F(StartMessageTest, MessageZeroFromTheSpinIsStarted)
{
    StartMessageDialog& d = typed({ "", "", "", "" });
    d.vsbStartChange(2, 1);
    d.vsbStartChange(2, 0);
    d.placeClick(2, StartPlace::End);
    EXPECT_TRUE(d.cmdOkClick());
    EXPECT_EQ(message.StartSameTask, "0");
}

TEST_F(StartMessageTest, OwnNumberIsRefusedAndItsRowEmptied)
{
    for (const std::string own : { "7", "07", "0007" }) {
        ui.messages.clear();
        StartMessageDialog& d = typed({ "3", own, "5", "" });
        EXPECT_FALSE(d.cmdOkClick()) << own;
        ASSERT_EQ(ui.messageTexts(),
            std::vector<std::string> { "Message " + own +
                " is the current message. You cannot call the current message." })
            << own;
        EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
        EXPECT_EQ(d.text(2), "");
        EXPECT_EQ(d.spin(2), 0);
        EXPECT_EQ(d.text(3), "5") << "the rows after it are kept";
        EXPECT_EQ(message.StartOtherTask, "");
    }
}

TEST_F(StartMessageTest, NumbersOutsideTheRangeAndNonNumbersAreRefusedByTheirText)
{
    const std::pair<std::string, std::string> cases[] = {
        { "1024", "1024 is bigger than the maximum message number 1023." },
        { "99999999999999999999",
            "99999999999999999999 is bigger than the maximum message number 1023." },
        { "-5", "-5 is smaller than the minimum message number 0." },
        { "abc", "\"abc\" is not a message number. Enter a whole number from 0 to 1023." },
        { "5)", "\"5)\" is not a message number. Enter a whole number from 0 to 1023." },
        { "2.5", "\"2.5\" is not a message number. Enter a whole number from 0 to 1023." },
        { "1,2", "\"1,2\" is not a message number. Enter a whole number from 0 to 1023." },
        { " 12", "\" 12\" is not a message number. Enter a whole number from 0 to 1023." },
    };
    message.StartSameTask = "100";
    for (const auto& [text, expected] : cases) {
        ui.messages.clear();
        StartMessageDialog& d = open();
        d.txtStartChange(3, text);
        EXPECT_FALSE(d.cmdOkClick()) << text;
        EXPECT_EQ(ui.messageTexts(), std::vector<std::string> { expected });
        EXPECT_EQ(d.text(3), "");
        EXPECT_EQ(d.text(1), "100");
        EXPECT_EQ(message.StartSameTask, "100") << "the lists change only when all rows pass";
    }
}

TEST_F(StartMessageTest, RepeatedNumberIsRefusedAndTheRowsKeepTheirText)
{
    StartMessageDialog& d = typed({ "1", "12", "", "012" });
    EXPECT_FALSE(d.cmdOkClick());
    EXPECT_EQ(ui.messageTexts(),
        std::vector<std::string> { "You cannot start message 12 more than once." });
    EXPECT_EQ(d.text(2), "12");
    EXPECT_EQ(d.text(4), "012");
    EXPECT_EQ(message.StartOtherTask, "");

    // Corrected, the same dialog passes: the rows were not read again from the lists.
    d.txtStartChange(4, "13");
    EXPECT_TRUE(d.cmdOkClick());
    EXPECT_EQ(message.StartOtherTask, "1,12,13");
}

TEST_F(StartMessageTest, OffEmptiesBothListsOnOkButKeepsTheRowsUntilThen)
{
    message.StartOtherTask = "1";
    message.StartSameTask = "2";
    StartMessageDialog& d = open();
    d.optOffClick();
    EXPECT_FALSE(d.isOn());
    EXPECT_EQ(d.text(1), "1");
    d.txtStartChange(2, "7"); // not looked at while off
    EXPECT_TRUE(d.cmdOkClick());
    EXPECT_EQ(message.StartOtherTask, "");
    EXPECT_EQ(message.StartSameTask, "");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(startButtonCaption(message), "&Start msg OFF...");
}

TEST_F(StartMessageTest, ClearEmptiesTheNumbersAndOkThenRemovesTheStarts)
{
    message.StartOtherTask = "1,2";
    StartMessageDialog& d = open();
    d.cmdClearClick();
    for (int row = 1; row <= StartRows; ++row) {
        EXPECT_EQ(d.text(row), "");
        EXPECT_EQ(d.spin(row), 0);
    }
    EXPECT_TRUE(d.cmdOkClick());
    EXPECT_EQ(message.StartOtherTask, "");
}

TEST_F(StartMessageTest, StatusLineFollowsTheMouse)
{
    StartMessageDialog& d = open();
    d.mouseOver(StartControl::TxtStart);
    EXPECT_EQ(d.status(),
        "You can enter any valid message number (0-1023) representing the message to be started "
        "from this one.");
    d.mouseOver(StartControl::Other); // a frame or a label leaves the line alone
    d.mouseOver(StartControl::VsbStart);
    EXPECT_EQ(d.status(),
        "You can enter any valid message number (0-1023) representing the message to be started "
        "from this one.");
    d.mouseOver(StartControl::OptEnd);
    EXPECT_EQ(d.status(),
        "You can select whether the START MESSAGE occurs at the begining or end of this message "
        "script.");
    d.mouseOver(StartControl::OptOff);
    EXPECT_EQ(d.status(),
        "Pressing this Radio button will disable but not reset current values. If Ok button "
        "pressed when Off is selected all data will be lost.");
    d.mouseOver(StartControl::Form);
    EXPECT_EQ(d.status(), "");
    EXPECT_EQ(startStatusText(StartControl::CmdClear),
        "Pressing this button will clear all four message number fields.");
}

// OK, then writing the message and reading it back, gives the lists OK made.
class StartMessageRoundTrip : public ModelTest { };

TEST_F(StartMessageRoundTrip, ListsComeBackFromTheScript)
{
    CurrentMessage message;
    message.MessageNumber = 5;
    message.line(1).LineText = "\\sb90\\sa90 \\f0 \\cf0 CALLER";
    StartMessageDialog dialog(message, ui);
    dialog.optOnClick();
    dialog.txtStartChange(1, "0040");
    dialog.placeClick(1, StartPlace::End);
    dialog.txtStartChange(2, "0");
    dialog.txtStartChange(3, "1023");
    dialog.placeClick(3, StartPlace::Top);
    dialog.txtStartChange(4, "6");
    dialog.placeClick(4, StartPlace::End);
    ASSERT_TRUE(dialog.cmdOkClick());
    ASSERT_EQ(message.StartOtherTask, "0,1023");
    ASSERT_EQ(message.StartSameTask, "40,6");

    const CurrentMessage read = writeAndRead(message);
    EXPECT_EQ(read.StartOtherTask, "0,1023");
    EXPECT_EQ(read.StartSameTask, "40,6");

    // Opened on what was read, the dialog shows the same rows again.
    CurrentMessage again = read;
    StartMessageDialog reopened(again, ui);
    EXPECT_EQ(reopened.text(1), "0");
    EXPECT_EQ(reopened.text(3), "40");
    EXPECT_EQ(reopened.place(3), StartPlace::End);
    EXPECT_TRUE(reopened.cmdOkClick());
    EXPECT_EQ(again.StartOtherTask, read.StartOtherTask);
    EXPECT_EQ(again.StartSameTask, read.StartSameTask);
}

} // namespace
