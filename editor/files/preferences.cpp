#include "files/preferences.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <system_error>
#include <type_traits>
#include <unistd.h>
#include <utility>

namespace marquis {
namespace {

constexpr std::string_view SectionLine = "[preferences]";
constexpr std::string_view LineEnd = "\r\n";

// Every key of the settings file, in the order the file lists them. The COM port devices come
// last: readers that do not know them skip unknown keys, so older copies of the editor still
// read the file.
constexpr std::array<std::string_view, 22> Keys = { "port=", "top=", "left=", "type=", "rate=",
    "address=", "edit_type=", "edit_path=", "start_char=", "stop_char=", "arrays1=", "arrays2=",
    "arrays3=", "arrays4=", "varchar=", "version=", "esc_file=", "tools_path=", "com1_device=",
    "com2_device=", "com3_device=", "com4_device=" };

// The text setting a key names; nullptr for the window position and for unknown keys. Works on
// const and non-const settings alike.
template <class P> auto* textSetting(P& preferences, std::string_view key)
{
    using Text = std::conditional_t<std::is_const_v<P>, const std::string, std::string>;
    Text* text = nullptr;
    if (key == "port=")
        text = &preferences.ComPort;
    else if (key == "type=")
        text = &preferences.UnitType;
    else if (key == "rate=")
        text = &preferences.BaudRate;
    else if (key == "address=")
        text = &preferences.UnitAddress;
    else if (key == "edit_type=")
        text = &preferences.EditorType;
    else if (key == "edit_path=")
        text = &preferences.EditorPath;
    else if (key == "start_char=")
        text = &preferences.StartChar;
    else if (key == "stop_char=")
        text = &preferences.StopChar;
    else if (key.starts_with("arrays") && key.size() == 8 && key[6] >= '1' && key[6] <= '4')
        text = &preferences.RecentFiles[static_cast<std::size_t>(key[6] - '1')];
    else if (key == "varchar=")
        text = &preferences.PlaceholderChar;
    else if (key == "version=")
        text = &preferences.ScriptVersion;
    else if (key == "esc_file=")
        text = &preferences.KeepEscFile;
    else if (key == "tools_path=")
        text = &preferences.ToolsFolder;
    else if (key.starts_with("com") && key.size() == 12 && key[3] >= '1' && key[3] <= '4' &&
        key.substr(4) == "_device=")
        text = &preferences.ComDevices[static_cast<std::size_t>(key[3] - '1')];
    return text;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Lower case for ASCII letters only; other bytes, Windows-1252 letters among them, stay.
std::string lowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::optional<std::int32_t> wholeNumber(std::string_view text)
{
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc {} || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

bool endsWithSeparator(std::string_view folder)
{
#ifdef _WIN32
    return folder.ends_with('/') || folder.ends_with('\\');
#else
    return folder.ends_with('/');
#endif
}

std::string withTrailingSeparator(std::string folder)
{
    if (!folder.empty() && !endsWithSeparator(folder))
        folder += '/';
    return folder;
}

// Paths are kept as the file system spells them, byte for byte.
std::filesystem::path nativePath(std::string_view text)
{
    return std::filesystem::path(std::string(text));
}

std::string displayName(const std::filesystem::path& file)
{
    return file.string();
}

void setSetting(Preferences& preferences, std::string_view key, std::string_view value)
{
    if (key == "top=" || key == "left=") {
        // Anything but a whole number leaves the position as it was.
        if (const auto number = wholeNumber(value))
            (key == "top=" ? preferences.WindowTop : preferences.WindowLeft) = number;
        return;
    }
    std::string* text = textSetting(preferences, key);
    if (text == nullptr)
        return;
    // Without a delimiter or placeholder character, control codes and variables could not be
    // told from text; an empty tools folder would name the root. Such values keep the default.
    const bool mustHaveValue = text == &preferences.StartChar || text == &preferences.StopChar ||
        text == &preferences.PlaceholderChar || text == &preferences.ToolsFolder;
    if (value.empty() && mustHaveValue)
        return;
    *text = text == &preferences.ToolsFolder ? withTrailingSeparator(std::string(value))
                                             : std::string(value);
}

// Line breaks inside a value would end its line early and turn the rest into a line of its own.
std::string oneLine(std::string_view value)
{
    std::string line(value);
    std::erase_if(line, [](char c) { return c == '\r' || c == '\n'; });
    return line;
}

std::string fileContent(const Preferences& preferences)
{
    std::string content = std::string(SectionLine) + std::string(LineEnd);
    for (const std::string_view key : Keys) {
        std::string value;
        if (key == "top=" || key == "left=") {
            const auto& position = key == "top=" ? preferences.WindowTop : preferences.WindowLeft;
            if (position)
                value = std::to_string(*position);
        } else {
            value = oneLine(*textSetting(preferences, key));
        }
        content += std::string(key) + value + std::string(LineEnd);
    }
    return content;
}

// A new file beside `target` that is removed again unless it has been moved into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target)
        : m_name(target.native() + ".XXXXXX")
        , m_descriptor(::mkstemp(m_name.data()))
    {
        if (m_descriptor < 0)
            m_name.clear();
    }
    ~TemporaryFile()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        if (!m_name.empty())
            ::unlink(m_name.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool created() const { return !m_name.empty(); }
    int descriptor() const { return m_descriptor; }

    bool close() { return ::close(std::exchange(m_descriptor, -1)) == 0; }
    // Renames the file over `target`; afterwards nothing is left to remove.
    bool moveTo(const std::filesystem::path& target)
    {
        if (::rename(m_name.c_str(), target.c_str()) != 0)
            return false;
        m_name.clear();
        return true;
    }

private:
    std::string m_name;
    int m_descriptor;
};

bool writeAll(int descriptor, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(descriptor, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Replaces `file` with `content` in one step: written beside it, on disk, then renamed over.
std::optional<std::string> replaceFile(const std::filesystem::path& file, std::string_view content)
{
    const auto failure = [&](std::string_view what) {
        return std::string(what) + ": " + std::error_code(errno, std::generic_category()).message();
    };
    TemporaryFile temporary(file);
    if (!temporary.created())
        return failure("cannot create a file beside it");
    // A file that already exists keeps who may read it.
    struct stat existing { };
    if (::stat(file.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(temporary.descriptor(), existing.st_mode & 07777);
    if (!writeAll(temporary.descriptor(), content))
        return failure("cannot write");
    if (::fsync(temporary.descriptor()) != 0)
        return failure("cannot write to disk");
    if (!temporary.close())
        return failure("cannot write");
    if (!temporary.moveTo(file))
        return failure("cannot replace the file");
    // The new name reaches the disk with its folder.
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    const int folderDescriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderDescriptor >= 0) {
        ::fsync(folderDescriptor);
        ::close(folderDescriptor);
    }
    return std::nullopt;
}

} // namespace

Preferences defaultPreferences(std::string_view programFolder)
{
    Preferences preferences;
    preferences.ToolsFolder = withTrailingSeparator(std::string(programFolder));
    return preferences;
}

bool readPreferences(const std::filesystem::path& settingsFile, std::string_view programFolder,
    Preferences& preferences)
{
    preferences = defaultPreferences(programFolder);
    // Only a plain file is read: a folder reads as empty and a pipe could block for ever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(settingsFile, error))
        return false;
    std::ifstream in(settingsFile, std::ios::binary);
    if (!in)
        return false;

    bool inSection = false;
    for (std::string line; std::getline(in, line);) {
        if (line.ends_with('\r'))
            line.pop_back();
        if (!inSection) {
            inSection = line == SectionLine;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string_view whole(line);
        setSetting(preferences, lowerAscii(trimmed(whole.substr(0, equals + 1))),
            trimmed(whole.substr(equals + 1)));
    }

    const std::string programTools = withTrailingSeparator(std::string(programFolder));
    if (preferences.ToolsFolder != programTools &&
        !std::filesystem::exists(
            nativePath(preferences.ToolsFolder + std::string(CompilerFileName)), error))
        preferences.ToolsFolder = programTools;
    return true;
}

bool writePreferences(
    const Preferences& preferences, const std::filesystem::path& settingsFile, std::string* error)
{
    const std::optional<std::string> failure = replaceFile(settingsFile, fileContent(preferences));
    if (failure && error != nullptr)
        *error = "Cannot save the preferences in " + displayName(settingsFile) + ": " + *failure;
    return !failure;
}

std::size_t usedRecentFiles(const Preferences& preferences)
{
    const auto& files = preferences.RecentFiles;
    return static_cast<std::size_t>(
        std::find(files.begin(), files.end(), std::string {}) - files.begin());
}

bool addRecentFile(Preferences& preferences, std::string_view file)
{
    auto& files = preferences.RecentFiles;
    // An empty entry marks the end of the list, so it cannot be a file of its own.
    if (file.empty() || files.front() == file)
        return false;
    const std::size_t usedBefore = usedRecentFiles(preferences);
    // The entries above `last` move down by one, overwriting it, and the file goes on top: a
    // listed file leaves its old place, a new one takes the first unused place or pushes the
    // last entry out.
    const auto listed = std::find(files.begin(), files.end(), file);
    const std::size_t last = listed != files.end()
        ? static_cast<std::size_t>(listed - files.begin())
        : std::min(usedBefore, RecentFileCount - 1);
    const auto lastEntry = files.begin() + static_cast<std::ptrdiff_t>(last);
    std::move_backward(files.begin(), lastEntry, lastEntry + 1);
    files.front() = std::string(file);
    return usedRecentFiles(preferences) > usedBefore;
}

std::int16_t unitLines(const Preferences& preferences)
{
    return preferences.UnitType == "5360" ? 4 : 2;
}

std::string memoryCode(const Preferences& preferences)
{
    return preferences.UnitType == "5360" ? "80" : "40";
}

bool checkUnitType(const Preferences& preferences, UserInterface& ui)
{
    if (preferences.UnitType == "5320" || preferences.UnitType == "5360")
        return true;
    ui.message("Can't determine type of the unit", Buttons::Ok, Icon::None, Answer::Ok);
    return false;
}

} // namespace marquis
