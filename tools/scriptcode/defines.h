#pragma once

// The names a script defines with #define, each standing for a number (or for nothing, as a
// mere marker). Names are not case-sensitive.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marquis::unit {

class Defines {
public:
    struct Entry {
        std::string name;
        std::optional<std::int64_t> value;
        int line = 0;
        std::string file;
    };

    const Entry* find(std::string_view name) const;
    // Adds a name; a name defined again must keep its value (the earlier entry is returned
    // when it does not).
    const Entry* define(Entry entry);

private:
    std::vector<Entry> m_entries;
};

} // namespace marquis::unit
