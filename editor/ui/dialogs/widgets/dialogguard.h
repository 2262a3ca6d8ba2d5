#pragma once

#include "ports/userinterface.h"

#include <functional>
#include <string>
#include <string_view>

namespace marquis::qt {

// The text shown when a dialog fails while it opens or handles a control, named by its module
// ("Preference", "Show", "ReadFlash").
std::string unexpectedErrorText(std::string_view module);

// Runs one step of a dialog. An exception must not unwind through the toolkit's event loop, so
// it is caught here and reported to the user instead; returns false when that happened.
bool runGuarded(UserInterface& ui, std::string_view module, const std::function<void()>& step);

} // namespace marquis::qt
