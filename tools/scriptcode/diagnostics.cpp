#include "scriptcode/diagnostics.h"

#include <utility>

namespace marquis::unit {
namespace {

// A line of the error file must stay one line, whatever the input held.
std::string oneLine(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text)
        result += static_cast<unsigned char>(c) < 32 ? ' ' : c;
    return result;
}

} // namespace

void Diagnostics::add(std::string file, int line, std::string text)
{
    ++m_count;
    if (m_list.size() < Limit)
        m_list.push_back({ std::move(file), line, std::move(text) });
}

std::string Diagnostics::errorFileText() const
{
    std::string out;
    for (const Diagnostic& d : m_list)
        out += upperCaseName(oneLine(d.file)) + " " + std::to_string(d.line) + ": " +
            oneLine(d.text) + "\r\n";
    if (m_count > m_list.size())
        out += upperCaseName(oneLine(m_list.back().file)) + " " +
            std::to_string(m_list.back().line) + ": " + std::to_string(m_count - m_list.size()) +
            " further errors not listed\r\n";
    return out;
}

std::string upperCaseName(std::string_view name)
{
    std::string result(name);
    for (char& c : result) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 'a' && b <= 'z')
            c = static_cast<char>(b - 32);
        else if (b >= 0xE0 && b <= 0xFE && b != 0xF7)
            c = static_cast<char>(b - 32);
        else if (b == 0x9A || b == 0x9C || b == 0x9E)
            c = static_cast<char>(b - 16);
        else if (b == 0xFF)
            c = static_cast<char>(0x9F);
    }
    return result;
}

std::string excerpt(std::string_view text)
{
    constexpr std::size_t Longest = 40;
    std::string result = oneLine(text.substr(0, Longest));
    if (text.size() > Longest)
        result += "...";
    return result;
}

} // namespace marquis::unit
