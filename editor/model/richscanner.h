#pragma once

#include <cstddef>
#include <string_view>

namespace marquis {

// The one reader of the rich-text encoding of an edit line. It cuts the text into tokens, in
// order; what counts as visible, what makes a run and what a font is worth stays with the
// callers.
//
// The rules:
// - A line that starts with CR LF "{" opens with a header group, which runs up to and including
//   the first "}" CR LF (to the end of the text when there is none). It is one token.
// - Two backslashes are one literal backslash.
// - Any other backslash starts a control word: its name is the letters after the backslash, a
//   minus sign and digits directly after the name are its number. The word goes on up to a
//   blank (which belongs to it), the next backslash, a line feed or the end of the text; a
//   carriage return inside it does not end it (it is reported after the word as a line break
//   standing inside it). A lone backslash at the end is a word without a name.
// - CR and LF outside control words are line breaks; every other byte is a character.
enum class RichTokenKind { Header, ControlWord, Backslash, Character, LineBreak };

// What ended a control word.
enum class WordEnd { Blank, Backslash, LineFeed, TextEnd };

struct RichToken {
    RichTokenKind kind = RichTokenKind::Character;
    std::size_t begin = 0; // the token's bytes in the rich text: [begin, end)
    std::size_t end = 0;
    char character = 0; // Character, LineBreak; '\\' for Backslash

    // Control words only.
    std::string_view name;
    long long number = 0; // 0 without digits; clamped to a 32-bit integer
    bool hasNumber = false; // digits follow the name
    bool negative = false; // a minus sign follows the name directly
    WordEnd ending = WordEnd::TextEnd;

    // Line breaks only: a carriage return that stands inside a control word.
    bool insideWord = false;

    // "\f" with a number names a font: "\f65", "\f-3" (and "\f-" for 0); "\fs20" and "\f"
    // alone do not.
    bool namesFont() const
    {
        return kind == RichTokenKind::ControlWord && name == "f" && (hasNumber || negative);
    }
    bool blankEnded() const { return kind == RichTokenKind::ControlWord && ending == WordEnd::Blank; }
};

// True for the bytes the display shows: 32 (the blank) to 127. It drops the others.
inline bool isDisplayCharacter(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 32 && u <= 127;
}

class RichScanner {
public:
    explicit RichScanner(std::string_view rich) : m_rich(rich) { }

    // The next token; false at the end of the text. Inline: the writer and the plain-text count
    // call it for every byte of every line.
    bool next(RichToken& token);

    std::string_view text() const { return m_rich; }

private:
    bool nextInsideWord(RichToken& token);
    void readWord(RichToken& token);

    std::string_view m_rich;
    std::size_t m_at = 0;
    // Carriage returns inside the last control word are still to be reported from here.
    std::size_t m_innerAt = 0;
    std::size_t m_innerEnd = 0;
};

inline bool RichScanner::next(RichToken& token)
{
    if (m_innerAt < m_innerEnd && nextInsideWord(token))
        return true;
    const std::size_t n = m_rich.size();
    if (m_at >= n)
        return false;

    const std::size_t p = m_at;
    token = RichToken {};
    token.begin = p;
    const char c = m_rich[p];
    if (c == '\\') {
        if (p + 1 < n && m_rich[p + 1] == '\\') {
            token.kind = RichTokenKind::Backslash;
            token.character = '\\';
            m_at = token.end = p + 2;
        } else {
            readWord(token);
        }
        return true;
    }
    if (p == 0 && c == '\r' && m_rich.starts_with("\r\n{")) {
        const std::size_t close = m_rich.find("}\r\n");
        m_at = token.end = close == std::string_view::npos ? n : close + 3;
        token.kind = RichTokenKind::Header;
        return true;
    }
    token.kind = c == '\r' || c == '\n' ? RichTokenKind::LineBreak : RichTokenKind::Character;
    token.character = c;
    m_at = token.end = p + 1;
    return true;
}

// Calls `f(token)` for every token of a rich text, in order.
template <typename F> void forEachRichToken(std::string_view rich, F&& f)
{
    RichScanner scanner(rich);
    RichToken token;
    while (scanner.next(token))
        f(token);
}

} // namespace marquis
