#pragma once

// Errors found in a source or .esc file, and the error file the tools write from them: one
// line per error, "NAME.EXT <line>: <message>", with the file's name (without folder) in upper
// case.

#include <string>
#include <vector>

namespace marquis::unit {

struct Diagnostic {
    std::string file; // the file's name without folder, as written (not yet upper case)
    int line = 0; // 1-based; 0 when the error concerns the whole file
    std::string text;
};

class Diagnostics {
public:
    // Errors beyond this many are counted but not kept.
    static constexpr std::size_t Limit = 1000;

    void add(std::string file, int line, std::string text);
    const std::vector<Diagnostic>& list() const { return m_list; }
    bool empty() const { return m_count == 0; }
    std::size_t count() const { return m_count; }

    // The error file's text, each line ended by CR LF.
    std::string errorFileText() const;

private:
    std::vector<Diagnostic> m_list;
    std::size_t m_count = 0;
};

// A file name in upper case, Windows-1252 letters included.
std::string upperCaseName(std::string_view name);

// A piece of input quoted in an error message: shortened, control characters replaced.
std::string excerpt(std::string_view text);

} // namespace marquis::unit
