#include "support/messagegenerator.h"
#include "support/modelfixture.h"

using namespace marquis;
using namespace marquis::testing;

namespace {

class RoundTripTest : public ModelTest { };

TEST_F(RoundTripTest, GeneratedMessagesReadBackToTheSameFields)
{
    constexpr unsigned seed = 5300;
    constexpr int count = 3000;
    std::cout << "seed " << seed << ", " << count << " messages\n";
    MessageGenerator generator(seed);
    int failures = 0;
    for (int k = 0; k < count && failures < 5; ++k) {
        CurrentMessage message = generator.message();
        const CurrentMessage original = message;
        const CurrentMessage read = writeAndRead(message);
        std::string difference;
        if (!sameFields(original, read, difference)) {
            ++failures;
            ADD_FAILURE() << "message " << k << ": " << difference << " differs\n"
                          << message.MessageScript;
            continue;
        }
        // Writing what was read gives the same text again.
        CurrentMessage again = read;
        writer.SubMake(again);
        EXPECT_EQ(again.MessageScript, message.MessageScript) << "message " << k;
    }
}

} // namespace
