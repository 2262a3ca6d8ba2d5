#include "ui/dialogs/sendmessage.h"

#include <algorithm>

namespace marquis {
namespace {

// The escape of code c is "#" and the character 64 + c: "#@" for NUL to "#_" for US. Code 28
// is "#\", which the script file writes as "#\\" since a PRINT string doubles its backslashes.
constexpr std::array<ControlCharacter, 32> Table { {
    { 0, "NUL", "00h", "#@", "^@" },
    { 1, "SOH", "01h", "#A", "^A" },
    { 2, "STX", "02h", "#B", "^B" },
    { 3, "ETX", "03h", "#C", "^C" },
    { 4, "EOT", "04h", "#D", "^D" },
    { 5, "ENQ", "05h", "#E", "^E" },
    { 6, "ACK", "06h", "#F", "^F" },
    { 7, "BEL", "07h", "#G", "^G" },
    { 8, "BS", "08h", "#H", "^H" },
    { 9, "HT", "09h", "#I", "^I" },
    { 10, "LF", "0Ah", "#J", "^J" },
    { 11, "VT", "0Bh", "#K", "^K" },
    { 12, "FF", "0Ch", "#L", "^L" },
    { 13, "CR", "0Dh", "#M", "^M" },
    { 14, "SO", "0Eh", "#N", "^N" },
    { 15, "SI", "0Fh", "#O", "^O" },
    { 16, "DLE", "10h", "#P", "^P" },
    { 17, "DC1", "11h", "#Q", "^Q" },
    { 18, "DC2", "12h", "#R", "^R" },
    { 19, "DC3", "13h", "#S", "^S" },
    { 20, "DC4", "14h", "#T", "^T" },
    { 21, "NAK", "15h", "#U", "^U" },
    { 22, "SYN", "16h", "#V", "^V" },
    { 23, "ETB", "17h", "#W", "^W" },
    { 24, "CAN", "18h", "#X", "^X" },
    { 25, "EM", "19h", "#Y", "^Y" },
    { 26, "SUB", "1Ah", "#Z", "^Z" },
    { 27, "ESC", "1Bh", "#[", "^[" },
    { 28, "FS", "1Ch", "#\\", "^\\" },
    { 29, "GS", "1Dh", "#]", "^]" },
    { 30, "RS", "1Eh", "#^", "^^" },
    { 31, "US", "1Fh", "#_", "^_" },
} };

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return lower(x) == lower(y);
    });
}

// Delimiters are compared without regard to case, as the names between them are.
std::size_t findMark(std::string_view text, char mark, std::size_t from)
{
    for (std::size_t p = from; p < text.size(); ++p)
        if (lower(text[p]) == lower(mark))
            return p;
    return std::string_view::npos;
}

std::size_t findMarkBefore(std::string_view text, char mark, std::size_t before)
{
    for (std::size_t p = before; p-- > 0;)
        if (lower(text[p]) == lower(mark))
            return p;
    return std::string_view::npos;
}

bool isMark(char c, const Delimiters& delimiters)
{
    return lower(c) == lower(delimiters.start) || lower(c) == lower(delimiters.stop);
}

const ControlCharacter* byToken(std::string_view token)
{
    for (const ControlCharacter& entry : Table)
        if (sameText(token, entry.name) || sameText(token, entry.hex) ||
            sameText(token, entry.decimal()))
            return &entry;
    return nullptr;
}

const ControlCharacter* byEscape(std::string_view text, std::size_t at)
{
    if (at + 1 >= text.size() || text[at] != '#')
        return nullptr;
    for (const ControlCharacter& entry : Table)
        if (entry.escape[1] == text[at + 1])
            return &entry;
    return nullptr;
}

std::string withoutLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t p = 0; p < text.size(); ++p) {
        if (text[p] == '\r' && p + 1 < text.size() && text[p + 1] == '\n')
            ++p;
        else if (text[p] != '\n')
            result += text[p];
    }
    return result;
}

// What of a send text comes back from the script: the writer leaves out characters below 32
// and the reader drops trailing blanks. Leading blanks are taken off too, for the comparisons
// the dialog makes with it.
std::string sentPart(std::string_view stored)
{
    std::string text;
    for (const char c : stored)
        if (static_cast<unsigned char>(c) >= 32)
            text += c;
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

char oneCharacter(std::string_view setting, char fallback)
{
    return setting.size() == 1 ? setting[0] : fallback;
}

} // namespace

std::string ControlCharacter::decimal() const
{
    return std::to_string(code);
}

std::string ControlCharacter::details() const
{
    return "         Key = " + std::string(key) + "        Decimal = " + decimal() +
        "        Hex = " + std::string(hex);
}

const std::array<ControlCharacter, 32>& controlCharacters()
{
    return Table;
}

std::string Delimiters::delimited(std::string_view name) const
{
    return start + std::string(name) + stop;
}

Delimiters sendDelimiters(const Preferences& preferences)
{
    const Delimiters defaults;
    return { oneCharacter(preferences.StartChar, defaults.start),
        oneCharacter(preferences.StopChar, defaults.stop) };
}

std::string shownSendText(std::string_view stored, const Delimiters& delimiters)
{
    std::string shown;
    shown.reserve(stored.size());
    for (std::size_t p = 0; p < stored.size(); ++p) {
        if (const ControlCharacter* entry = byEscape(stored, p)) {
            shown += delimiters.delimited(entry->name);
            ++p;
        } else {
            shown += stored[p];
        }
    }
    return shown;
}

std::string storedSendText(std::string_view shown, const Delimiters& delimiters)
{
    const std::string text = withoutLineBreaks(shown);
    const std::string_view view = text;
    std::string stored;
    std::size_t p = 0;
    while (p < view.size()) {
        const std::size_t start = findMark(view, delimiters.start, p);
        if (start == std::string_view::npos) {
            stored += view.substr(p);
            break;
        }
        stored += view.substr(p, start - p);
        const std::size_t stop = findMark(view, delimiters.stop, start + 1);
        if (stop == std::string_view::npos) {
            stored += view[start];
            p = start + 1;
            continue;
        }
        const std::string_view token = view.substr(start + 1, stop - start - 1);
        const ControlCharacter* entry = byToken(token);
        stored += entry ? entry->escape : token;
        p = stop + 1;
    }
    return stored;
}

SendMessageDialog::SendMessageDialog(
    CurrentMessage& message, const Preferences& preferences, UserInterface& ui)
    : m_message(message)
    , m_ui(ui)
    , m_delimiters(sendDelimiters(preferences))
{
    const std::string& device = message.OutputDevice;
    if (sameText(device, "HOST")) {
        m_choice = SendChoice::Slave;
    } else if (!device.empty()) {
        m_choice = SendChoice::UserText;
        m_box.text = shownSendText(device, m_delimiters);
    }
}

int SendMessageDialog::heightTwips() const
{
    return textControlsEnabled() ? sendmessage::OpenHeightTwips : sendmessage::ClosedHeightTwips;
}

int SendMessageDialog::codeAt(int row, int column)
{
    if (row < 0 || row >= sendmessage::GridRows || column < 0 || column >= sendmessage::GridColumns)
        return -1;
    return row * sendmessage::GridColumns + column;
}

std::string SendMessageDialog::cellText(int row, int column) const
{
    const int code = codeAt(row, column);
    return code < 0 ? std::string()
                    : m_delimiters.delimited(Table[static_cast<std::size_t>(code)].name);
}

void SendMessageDialog::edited(SendTextBox box)
{
    box.selectionStart = std::min(box.selectionStart, box.text.size());
    box.selectionLength = std::min(box.selectionLength, box.text.size() - box.selectionStart);
    m_box = std::move(box);
}

void SendMessageDialog::chooseCell(int row, int column)
{
    const int code = codeAt(row, column);
    if (code >= 0)
        m_details = Table[static_cast<std::size_t>(code)].details();
}

void SendMessageDialog::insertCell(int row, int column)
{
    const std::string name = cellText(row, column);
    if (name.empty())
        return;
    m_box.text.replace(m_box.selectionStart, m_box.selectionLength, name);
    m_box.selectionStart += name.size();
    m_box.selectionLength = 0;
}

void SendMessageDialog::clear()
{
    if (m_box.selectionLength == 0) {
        m_box = {};
        return;
    }
    m_box.text.erase(m_box.selectionStart, m_box.selectionLength);
    m_box.selectionLength = 0;
}

void SendMessageDialog::clicked()
{
    const std::string_view text = m_box.text;
    const std::size_t caret = m_box.selectionStart;
    if (m_box.selectionLength != 0)
        return;
    const std::size_t start = findMarkBefore(text, m_delimiters.start, caret);
    if (start == std::string_view::npos)
        return;
    // A name closed before the caret does not hold it.
    if (findMark(text.substr(0, caret), m_delimiters.stop, start + 1) != std::string_view::npos)
        return;
    const std::size_t stop = findMark(text, m_delimiters.stop, std::max(caret, start + 1));
    if (stop == std::string_view::npos)
        return;
    m_box.selectionStart = start;
    m_box.selectionLength = stop + 1 - start;
}

bool SendMessageDialog::backspaceAllowed() const
{
    if (m_box.selectionLength != 0 || m_box.selectionStart == 0)
        return true;
    return !isMark(m_box.text[m_box.selectionStart - 1], m_delimiters);
}

std::optional<std::string> SendMessageDialog::ok()
{
    std::string device;
    if (m_choice == SendChoice::Slave) {
        device = "HOST";
    } else if (m_choice == SendChoice::UserText) {
        device = storedSendText(m_box.text, m_delimiters);
        const std::string sent = sentPart(device);
        // A text that would come back as "host" would come back as the slave command.
        if (sameText(sent, "HOST")) {
            m_ui.message(sendmessage::HostRefused, Buttons::Ok, Icon::Exclamation, Answer::Ok);
            return std::nullopt;
        }
        // Only line breaks or blanks: nothing would be sent.
        if (sent.empty())
            device.clear();
    }
    m_message.OutputDevice = device;
    return std::string(device.empty() ? sendmessage::SendOffCaption : sendmessage::SendOnCaption);
}

} // namespace marquis
