#include "ui/dialogs/repeatcount.h"

namespace marquis {

namespace {
constexpr int Backspace = 8;
}

bool acceptsRepeatKey(int code)
{
    return (code >= '0' && code <= '9') || code == Backspace;
}

bool isRepeatCount(std::string_view count)
{
    if (count.empty() || count.size() > RepeatCountDigits || count.front() == '0')
        return false;
    int value = 0;
    for (const char c : count) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value <= LargestRepeatCount;
}

} // namespace marquis
