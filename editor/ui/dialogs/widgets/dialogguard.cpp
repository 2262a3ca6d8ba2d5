#include "ui/dialogs/widgets/dialogguard.h"

#include <exception>

namespace marquis::qt {

std::string unexpectedErrorText(std::string_view module)
{
    return "Unexpected error in module " + std::string(module) +
        ". Try to restart the program or Windows operating system.";
}

bool runGuarded(UserInterface& ui, std::string_view module, const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const std::exception&) {
        ui.message(unexpectedErrorText(module), Buttons::Ok, Icon::Exclamation, Answer::Ok);
        return false;
    }
}

} // namespace marquis::qt
