#include "scriptcode/variablevalue.h"

#include <gtest/gtest.h>

using namespace marquis::unit;

namespace {

TEST(VariableValues, CallUpStringFillsVariablesInOrder)
{
    const VariableValues values = parseVariables(" 12, -3.5,,7 abc 9");
    ASSERT_TRUE(values[0] && values[1] && values[2]);
    EXPECT_EQ(values[0]->whole, "12");
    EXPECT_TRUE(values[1]->negative);
    EXPECT_EQ(values[1]->fraction, "5");
    EXPECT_EQ(values[2]->whole, "7");
    EXPECT_FALSE(values[3]); // "abc" is no number
    EXPECT_EQ(values[4]->whole, "9");
    EXPECT_FALSE(values[5]);
    EXPECT_FALSE(parseVariables(std::string(40, '1') + " x")[1]);
    EXPECT_EQ(parseVariables("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17")[15]->whole, "16");
}

TEST(VariableValues, FormattedIntoTheirFields)
{
    struct Case {
        const char* value; // nullptr: unset
        int width;
        int decimals;
        bool zeros;
        const char* shown;
    };
    const Case cases[] = {
        { "7", 3, 0, false, "  7" },
        { "7", 3, 0, true, "007" },
        { "-7", 3, 0, true, "-07" },
        { "-7", 3, 0, false, " -7" },
        { "21.46", 4, 1, false, "21.5" },
        { "9.96", 4, 1, true, "10.0" },
        { "3", 5, 2, true, "03.00" },
        { ".5", 3, 0, false, "  1" }, // half rounds away from zero
        { "-0.04", 4, 1, false, " 0.0" },
        { "00042", 2, 0, false, "42" },
        { "1234", 3, 0, false, "***" }, // too wide: never a wrong number
        { "-12", 2, 0, false, "**" },
        { nullptr, 3, 0, true, "   " },
        { nullptr, 4, 1, false, "    " },
    };
    for (const Case& c : cases) {
        const std::optional<DecimalValue> value =
            c.value ? parseDecimal(c.value) : std::optional<DecimalValue> {};
        EXPECT_EQ(formatValue(value, c.width, c.decimals, c.zeros), c.shown)
            << (c.value ? c.value : "unset") << " " << c.width << "/" << c.decimals;
    }
}

} // namespace
