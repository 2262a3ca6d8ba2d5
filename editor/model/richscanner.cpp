#include "model/richscanner.h"

#include "model/numberformat.h"

namespace marquis {
namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool RichScanner::next(RichToken& token)
{
    const std::string_view rich = m_rich;
    const std::size_t n = rich.size();

    // The carriage returns inside the control word just given.
    while (m_innerAt < m_innerEnd) {
        const std::size_t at = m_innerAt++;
        if (rich[at] == '\r') {
            token = RichToken {};
            token.kind = RichTokenKind::LineBreak;
            token.begin = at;
            token.end = at + 1;
            token.character = '\r';
            token.insideWord = true;
            return true;
        }
    }
    if (m_at >= n)
        return false;

    const std::size_t p = m_at;
    token = RichToken {};
    token.begin = p;

    if (p == 0 && rich.starts_with("\r\n{")) {
        const std::size_t close = rich.find("}\r\n");
        m_at = close == std::string_view::npos ? n : close + 3;
        token.kind = RichTokenKind::Header;
        token.end = m_at;
        return true;
    }

    const char c = rich[p];
    if (c == '\\' && p + 1 < n && rich[p + 1] == '\\') {
        token.kind = RichTokenKind::Backslash;
        token.character = '\\';
        m_at = token.end = p + 2;
        return true;
    }
    if (c == '\\') {
        token.kind = RichTokenKind::ControlWord;
        std::size_t q = p + 1;
        while (q < n && isLetter(rich[q]))
            ++q;
        token.name = rich.substr(p + 1, q - p - 1);
        const std::size_t sign = q;
        if (q < n && rich[q] == '-') {
            token.negative = true;
            ++q;
        }
        const std::size_t digits = q;
        while (q < n && isDigit(rich[q]))
            ++q;
        token.hasNumber = q > digits;
        token.number = numberValue(rich.substr(sign, q - sign));
        while (q < n && rich[q] != ' ' && rich[q] != '\\' && rich[q] != '\n')
            ++q;
        m_innerAt = p + 1;
        m_innerEnd = q;
        if (q == n) {
            token.ending = WordEnd::TextEnd;
        } else if (rich[q] == ' ') {
            token.ending = WordEnd::Blank;
            ++q;
        } else {
            token.ending = rich[q] == '\\' ? WordEnd::Backslash : WordEnd::LineFeed;
        }
        m_at = token.end = q;
        return true;
    }
    token.kind = c == '\r' || c == '\n' ? RichTokenKind::LineBreak : RichTokenKind::Character;
    token.character = c;
    m_at = token.end = p + 1;
    return true;
}

} // namespace marquis
