#include "tools/tooltest.h"

#include <map>
#include <sstream>

using namespace marquis::testing;

namespace {

const std::string DemoFile = std::string(MARQUIS_EXAMPLES_DIR) + "/demo.src";
const std::string TwoLineFile = std::string(TEST_DATA_DIR) + "/tools/twoline.src";

std::string blanks(std::size_t n)
{
    return std::string(n, ' ');
}

// The samples of a frames run by their time; each sample's rows as JSON values.
struct Frames {
    std::vector<long long> times;
    std::map<long long, nlohmann::json> rows;

    // Row r (1..4) at time t.
    nlohmann::json row(long long t, int r) const { return rows.at(t).at(r - 1); }
};

Frames frames(const std::string& file, int message, std::vector<std::string> options = {})
{
    std::vector<std::string> arguments { "frames", file, "--message", std::to_string(message) };
    arguments.insert(arguments.end(), options.begin(), options.end());
    const ProcessResult result = mq5300(arguments);
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_EQ(result.errors, "");
    Frames parsed;
    std::istringstream stream(result.output);
    for (std::string line; std::getline(stream, line);) {
        const nlohmann::json sample = nlohmann::json::parse(line);
        parsed.times.push_back(sample.at("t").get<long long>());
        parsed.rows[parsed.times.back()] = sample.at("rows");
        EXPECT_EQ(sample.at("rows").size(), 4U) << line;
    }
    return parsed;
}

TEST(Mq5300Frames, SamplesEveryStepUpToTheEnd)
{
    const Frames byDefault = frames(DemoFile, 0);
    ASSERT_EQ(byDefault.times.size(), 2001U);
    EXPECT_EQ(byDefault.times[1], 5);
    EXPECT_EQ(byDefault.times.back(), 10'000);

    EXPECT_EQ(frames(DemoFile, 0, { "--ms", "22", "--step", "5" }).times,
        (std::vector<long long> { 0, 5, 10, 15, 20 }));
    // A step longer than the play samples the first frame only.
    EXPECT_EQ(frames(DemoFile, 0, { "--ms", "0" }).times, (std::vector<long long> { 0 }));
    EXPECT_EQ(frames(DemoFile, 0, { "--ms", "100", "--step", "1000" }).times.size(), 1U);

    // The line is written as documented, fields in this order.
    const ProcessResult result =
        mq5300({ "frames", DemoFile, "--message", "30", "--ms", "0" });
    EXPECT_EQ(result.output, "{\"t\": 0, \"rows\": [\"     ALL CLEAR\", \"    RESUME WORK\", \"\", \"\"]}\n");
}

TEST(Mq5300Frames, CentredLinesArePaddedWithTheRemainderDropped)
{
    const Frames shown = frames(DemoFile, 3, { "--ms", "1000" });
    for (const long long t : { 0LL, 1000LL }) {
        EXPECT_EQ(shown.row(t, 1), blanks(4) + "PLEASE NOTE"); // 11 characters
        EXPECT_EQ(shown.row(t, 2), blanks(1) + "CLOSING IN ^^ MIN"); // the settings' placeholder
        EXPECT_EQ(shown.row(t, 3), blanks(5) + "THANK YOU"); // 9 characters
        EXPECT_EQ(shown.row(t, 4), "");
    }
}

TEST(Mq5300Frames, BlinkingLinesShowTheirTwoPhasesAtTheirRate)
{
    // The alarm: three lines blinking every 250 ms, a blinking text and two blinking variables.
    const Frames shown = frames(DemoFile, 12, { "--ms", "1000" });
    EXPECT_EQ(shown.row(0, 1), ""); // a blinking line waits for its first phase
    EXPECT_EQ(shown.row(245, 1), "");
    EXPECT_EQ(shown.row(0, 4), blanks(2) + "CALL MAINTENANCE");
    for (const long long t : { 250LL, 495LL, 750LL, 995LL }) {
        EXPECT_EQ(shown.row(t, 1), blanks(2) + "HIGH TEMPERATURE") << t;
        EXPECT_EQ(shown.row(t, 2), "OVEN 1  ^^^.^ C") << t;
        EXPECT_EQ(shown.row(t, 3), "ALARM NO. ^^^^") << t;
    }
    for (const long long t : { 500LL, 745LL, 1000LL }) {
        EXPECT_EQ(shown.row(t, 1), blanks(18)) << t;
        EXPECT_EQ(shown.row(t, 2), "OVEN 1        C") << t;
        EXPECT_EQ(shown.row(t, 3), "ALARM NO.     ") << t;
    }
}

TEST(Mq5300Frames, ContinuousLineEntersFromTheRightOneCharacterPerTick)
{
    // Line 4 scrolls at 250 ms a character; line 2 blinks every 400 ms.
    const Frames shown = frames(DemoFile, 1, { "--ms", "2000" });
    EXPECT_EQ(shown.row(245, 4), "");
    EXPECT_EQ(shown.row(250, 4), blanks(19) + "G");
    EXPECT_EQ(shown.row(500, 4), blanks(18) + "GA");
    EXPECT_EQ(shown.row(1000, 4), blanks(16) + "GARD");
    EXPECT_EQ(shown.row(2000, 4), blanks(12) + "GARDEN T");
    EXPECT_EQ(shown.row(400, 2), blanks(1) + "20% OFF ALL PAINT");
    EXPECT_EQ(shown.row(800, 2), blanks(1 + 17)); // the pad and the blanked text
    EXPECT_EQ(shown.row(2000, 1), blanks(5) + "TODAY ONLY");
}

TEST(Mq5300Frames, BlockLineChangesBlockEveryFourTicks)
{
    // 250 ms ticks: the first tick shows the first block, each block stays for four ticks.
    const Frames shown = frames(DemoFile, 21, { "--ms", "3500" });
    EXPECT_EQ(shown.row(0, 2), "");
    EXPECT_EQ(shown.row(250, 2), blanks(1) + "WEAR EAR DEFENDERS");
    EXPECT_EQ(shown.row(1245, 2), blanks(1) + "WEAR EAR DEFENDERS");
    EXPECT_EQ(shown.row(1250, 2), blanks(4) + "HARD HATS ON"); // centring carried on
    EXPECT_EQ(shown.row(2250, 2), "KEEP WALKWAYS CLEAR");
    EXPECT_EQ(shown.row(3250, 2), blanks(1) + "WEAR EAR DEFENDERS"); // endless
    EXPECT_EQ(shown.row(3500, 1), blanks(2) + "SAFETY BRIEFING");
}

TEST(Mq5300Frames, VerticalRowsMoveUpAndTheCountStopsThem)
{
    // 500 ms ticks, three blocks played three times: a new block enters at the bottom every
    // fourth tick, and the 36th tick (18 s) stops the play on the ninth block.
    const Frames shown = frames(DemoFile, 22, { "--ms", "30000", "--step", "250" });
    EXPECT_EQ(shown.rows.at(250), nlohmann::json({ "", "", "", "" }));
    EXPECT_EQ(shown.rows.at(500), nlohmann::json({ "", "", "", "NEXT DELIVERY" }));
    EXPECT_EQ(shown.rows.at(2500), nlohmann::json({ "", "", "NEXT DELIVERY", "DOCK 3 AT 14:30" }));
    EXPECT_EQ(shown.rows.at(6500),
        nlohmann::json({ "NEXT DELIVERY", "DOCK 3 AT 14:30", "FORKLIFTS READY", "NEXT DELIVERY" }));
    const nlohmann::json last = { "FORKLIFTS READY", "NEXT DELIVERY", "DOCK 3 AT 14:30",
        "FORKLIFTS READY" };
    EXPECT_EQ(shown.rows.at(16500), last);
    EXPECT_EQ(shown.rows.at(18000), last);
    EXPECT_EQ(shown.rows.at(30000), last);
}

TEST(Mq5300Frames, TwoLineUnitShowsItsLinesOnTheMiddleRows)
{
    // The file says 5320. Line 2 scrolls "ABCD" once at 100 ms a character.
    const Frames shown = frames(TwoLineFile, 5, { "--ms", "1000", "--step", "100" });
    for (const long long t : shown.times) {
        EXPECT_TRUE(shown.row(t, 1).is_null()) << t;
        EXPECT_TRUE(shown.row(t, 4).is_null()) << t;
        EXPECT_EQ(shown.row(t, 2), blanks(8) + "TWO") << t;
    }
    EXPECT_EQ(shown.row(0, 3), "");
    EXPECT_EQ(shown.row(100, 3), blanks(19) + "A");
    EXPECT_EQ(shown.row(400, 3), blanks(16) + "ABCD");
    EXPECT_EQ(shown.row(1000, 3), blanks(16) + "ABCD");
}

TEST(Mq5300Frames, HandEditedMessageShowsEmptyRows)
{
    TemporaryFolder folder;
    std::string text = readBytes(DemoFile);
    const std::size_t at = text.find("HOLLOWAY");
    ASSERT_NE(at, std::string::npos);
    text[at] = 'F';
    writeBytes(folder / "edited.src", text);
    const Frames shown = frames((folder / "edited.src").string(), 0, { "--ms", "1000" });
    ASSERT_EQ(shown.times.size(), 201U);
    for (const long long t : shown.times)
        EXPECT_EQ(shown.rows.at(t), nlohmann::json({ "", "", "", "" })) << t;
}

TEST(Mq5300Frames, BadInputFailsCleanly)
{
    TemporaryFolder folder;
    writeBytes(folder / "notes.src", "shopping list\r\nmilk\r\n");
    const std::string missing = (folder / "missing.src").string();
    const std::vector<std::vector<std::string>> bad {
        { "frames", DemoFile, "--message", "4" }, // no such message
        { "frames", (folder / "notes.src").string(), "--message", "0" }, // not a script
        { "frames", missing, "--message", "0" },
        { "frames", DemoFile },
        { "frames", "--message", "0" },
        { "frames", DemoFile, DemoFile, "--message", "0" },
        { "frames", DemoFile, "--message", "1024" },
        { "frames", DemoFile, "--message", "x" },
        { "frames", DemoFile, "--message" },
        { "frames", DemoFile, "--message", "0", "--ms", "-1" },
        { "frames", DemoFile, "--message", "0", "--ms", "1.5" },
        { "frames", DemoFile, "--message", "0", "--ms", "86400001" },
        { "frames", DemoFile, "--message", "0", "--step", "0" },
        { "frames", DemoFile, "--message", "0", "--step", "" },
        { "frames", DemoFile, "--message", "0", "--fps", "5" },
    };
    for (const auto& arguments : bad) {
        const ProcessResult result = mq5300(arguments);
        std::string shown;
        for (const std::string& word : arguments)
            shown += word + " ";
        EXPECT_TRUE(failedCleanly(result)) << shown;
    }
    EXPECT_NE(mq5300({ "frames", DemoFile, "--message", "4" }).errors.find("message 4"),
        std::string::npos);
}

} // namespace
