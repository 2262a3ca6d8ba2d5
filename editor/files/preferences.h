#pragma once

#include "ports/userinterface.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace marquis {

// The file name of the script compiler among the outside tools.
#ifdef _WIN32
inline constexpr std::string_view CompilerFileName = "src2esc.exe";
#else
inline constexpr std::string_view CompilerFileName = "src2esc";
#endif

inline constexpr std::size_t RecentFileCount = 4;
inline constexpr std::size_t ComPortCount = 4;

// The editor's settings, kept between sessions in the settings file. Every text is
// Windows-1252; folders end with a separator.
struct Preferences {
    std::string ComPort = "1"; // "1" to "4"
    std::optional<std::int32_t> WindowTop; // main window position in twips; none: centred
    std::optional<std::int32_t> WindowLeft;
    std::string UnitType = "5320"; // "5320" or "5360"
    std::string BaudRate = "19200"; // "300" to "38400"
    std::string UnitAddress = "0"; // 0 to 255
    std::string EditorType; // "" for the built-in script editor, "1" for an external one
    std::string EditorPath; // the external editor's program
    std::string StartChar = "<"; // control codes in message text start with this
    std::string StopChar = ">"; // and end with this
    std::array<std::string, RecentFileCount> RecentFiles {}; // most recent first; "" unused
    std::string PlaceholderChar = "^"; // stands for a variable's digits in edit lines
    std::string ScriptVersion = "2"; // "1" or "2"
    std::string KeepEscFile = "no"; // "yes" keeps the compiler's intermediate file
    std::string ToolsFolder; // folder of the outside tools
    // The device each of COM 1 to COM 4 is mapped to, as the file system names it; "" leaves
    // the link tool to find it (MARQUIS_COMn, 5300.ports beside it, then /dev/ttyS<n-1>).
    std::array<std::string, ComPortCount> ComDevices {};

    bool operator==(const Preferences&) const = default;
};

// The default settings; the tools are looked for in the program folder.
Preferences defaultPreferences(std::string_view programFolder);

// Fills `preferences` from the settings file. Every setting starts from its default; returns
// false, leaving the defaults, when the file cannot be opened (the caller then asks the user).
// A tools folder without the compiler in it falls back to the program folder.
bool readPreferences(const std::filesystem::path& settingsFile, std::string_view programFolder,
    Preferences& preferences);

// Writes the settings file anew. The content goes to a temporary file in the same folder first
// and replaces the old file in one step, so the file is never left half written. Returns false
// and describes the failure in `error` (when given) instead of throwing.
bool writePreferences(const Preferences& preferences, const std::filesystem::path& settingsFile,
    std::string* error = nullptr);

// Puts a file just opened or saved at the top of the recent-files list. Returns true when the
// list gained a used entry, so the File menu needs one more item.
bool addRecentFile(Preferences& preferences, std::string_view file);

// The number of recent-files entries in use: those before the first empty one.
std::size_t usedRecentFiles(const Preferences& preferences);

// The number of display lines (4 for the 5360, else 2) and the unit's memory code.
std::int16_t unitLines(const Preferences& preferences);
std::string memoryCode(const Preferences& preferences);

// Tells the user when the unit type is neither of the known models; returns whether it is
// known.
bool checkUnitType(const Preferences& preferences, UserInterface& ui);

} // namespace marquis
