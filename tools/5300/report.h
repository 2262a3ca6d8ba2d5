#pragma once

#include <string>
#include <vector>

namespace marquis::unit {

// The status report the editor shows the user as it is: plain sentences, one per line, ending
// with the overall result. Written with CR LF line ends; text is passed through byte for byte
// (Windows-1252 as the list file brings it).
class Report {
public:
    void line(std::string text) { m_lines.push_back(std::move(text)); }
    // Adds the closing "Result: ..." line and gives the whole text.
    std::string finish(bool succeeded) const;
    // Writes the report to `path` (replacing it); false with the reason in `error`.
    static bool write(const std::string& path, const std::string& text, std::string& error);

private:
    std::vector<std::string> m_lines;
};

} // namespace marquis::unit
