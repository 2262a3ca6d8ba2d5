#pragma once

#include <filesystem>
#include <string>

namespace marquis::qt {

// Where the editor keeps its settings: $XDG_CONFIG_HOME/Marquis5300/Marquis5300.INI, or
// ~/.config/Marquis5300/Marquis5300.INI without it. Empty when neither variable is set.
std::filesystem::path settingsFilePath();

// The folder of the lock that keeps a second copy from starting: the user's runtime folder
// ($XDG_RUNTIME_DIR) when there is one, else the per-user data folder.
std::filesystem::path instanceLockFolder();

// The help window's guide for a help file name of the logic ("…/Marquis5300.hlp" becomes
// "…/Marquis5300.html").
std::filesystem::path helpGuideFor(const std::string& helpFile);

// The anchor of a help context number in the guide ("context200").
std::string helpAnchor(int context);

} // namespace marquis::qt
