#include "support/messagegenerator.h"
#include "support/sessionfixture.h"

#include <map>

using namespace marquis;
using namespace marquis::testing;

namespace {

class SessionRoundTripTest : public SessionTest { };

// A day's work: open a file, change messages (some twice, so the store is rebuilt), add new
// ones, wander between them, save, open again. Every message must read back exactly.
TEST_F(SessionRoundTripTest, EditedFileReadsBackExactlyAfterSaveAndReopen)
{
    constexpr unsigned seed = 77;
    std::cout << "seed " << seed << "\n";
    MessageGenerator generator(seed);
    auto generated = [&](int number) {
        CurrentMessage message = generator.message("#");
        const int task = message.task();
        message.UnitLines = 4;
        message.MessageNumber = static_cast<std::int16_t>(number);
        message.MessageTask.fill(0);
        message.setTask(task);
        message.PlaceholderChar = "#";
        for (int i = 1; i <= 4; ++i)
            if (message.line(i).LineText.empty())
                message.line(i).LineText = "\\sb90\\sa90 ";
        return message;
    };

    std::map<int, CurrentMessage> expected;
    std::vector<CurrentMessage> initial;
    for (int n : { 0, 10, 11, 500, 1023 }) {
        initial.push_back(generated(n));
        expected[n] = initial.back();
    }
    const std::string path = openScript("day.src", initial);

    // Put a message's fields into the session's current message, as the window would.
    auto edit = [&](int n) {
        ASSERT_TRUE(session->goToMessage(n));
        CurrentMessage fields = generated(n);
        CurrentMessage& current = session->message();
        current.setTask(fields.task());
        current.Lines = fields.Lines;
        current.ClearScreen = fields.ClearScreen;
        current.RelayState = fields.RelayState;
        current.StartOtherTask = fields.StartOtherTask;
        current.StartSameTask = fields.StartSameTask;
        current.OutputDevice = fields.OutputDevice;
        current.LockOn = fields.LockOn;
        current.LockOff = fields.LockOff;
        current.BlockWait = fields.BlockWait;
        current.BlockScrollOn = fields.BlockScrollOn;
        current.VerticalScrollOn = fields.VerticalScrollOn;
        session->store().FileModified = true;
        expected[n] = current;
    };
    for (int n : { 10, 3, 500, 10, 700, 3, 0, 10 })
        edit(n);
    ASSERT_TRUE(session->goToMessage(11));
    ASSERT_TRUE(session->goToMessage(1023));
    ASSERT_TRUE(session->goToMessage(0));
    const std::string store = session->store().TempStorePath;
    ASSERT_TRUE(session->Save());
    EXPECT_FALSE(files.exists(store));
    EXPECT_TRUE(ui.messages.empty()) << ui.messageTexts().front();

    session->FileNew();
    ui.files.push_back(path);
    ASSERT_TRUE(session->FileOpen());
    for (const auto& [n, fields] : expected) {
        ASSERT_TRUE(session->goToMessage(n));
        const CurrentMessage& read = session->message();
        EXPECT_EQ(session->store().MessageState[static_cast<std::size_t>(n)], InScript);
        EXPECT_FALSE(read.ScriptEditOnly) << n;
        std::string difference;
        CurrentMessage want = fields;
        want.MessageTask = read.MessageTask;
        EXPECT_TRUE(sameFields(want, read, difference)) << "message " << n << ": " << difference;
        EXPECT_EQ(read.task(), fields.task()) << n;
    }
    for (std::size_t n = 0; n < MessageCount; ++n)
        EXPECT_EQ(
            session->store().MessageState[n] == Absent, expected.count(static_cast<int>(n)) == 0)
            << n;
}

} // namespace
