#pragma once

#include <gtest/gtest.h>

#include <string>

namespace marquis::testing {

// Whether `text` holds `part`; the failure shows both.
inline ::testing::AssertionResult contains(const std::string& text, const std::string& part)
{
    if (text.find(part) != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << text << "\" lacks \"" << part << "\"";
}

} // namespace marquis::testing
