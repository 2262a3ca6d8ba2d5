#include "scriptcode/defines.h"

#include "scriptcode/lexer.h"

#include <utility>

namespace marquis::unit {

const Defines::Entry* Defines::find(std::string_view name) const
{
    for (const Entry& entry : m_entries)
        if (sameName(entry.name, name))
            return &entry;
    return nullptr;
}

const Defines::Entry* Defines::define(Entry entry)
{
    if (const Entry* earlier = find(entry.name))
        return earlier->value == entry.value ? nullptr : earlier;
    m_entries.push_back(std::move(entry));
    return nullptr;
}

} // namespace marquis::unit
