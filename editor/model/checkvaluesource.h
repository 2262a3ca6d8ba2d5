#pragma once

#include <cstdint>
#include <string_view>

namespace marquis {

// Computes the 32-bit check value of a text (the body of a SUB block). Implemented by the
// loaded check-value component; tests may substitute their own.
class CheckValueSource {
public:
    virtual ~CheckValueSource() = default;
    // The value for the text's single-byte characters; 0 when no value can be computed.
    virtual std::int32_t checkValueOf(std::string_view text) = 0;
};

} // namespace marquis
