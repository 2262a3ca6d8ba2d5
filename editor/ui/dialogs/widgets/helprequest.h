#pragma once

#include <functional>
#include <string>

namespace marquis::qt {

// Opens the help window at a section of the user guide, named by its anchor ("preferences",
// "context2700"). The main window owns the help window and hands this to its dialogs.
using HelpRequest = std::function<void(const std::string& anchor)>;

} // namespace marquis::qt
