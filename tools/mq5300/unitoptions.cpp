#include "unitoptions.h"

#include "commanderror.h"
#include "textio.h"

#include "model/numberformat.h"

#include <algorithm>
#include <array>

namespace marquis::cli {
namespace {

constexpr std::array<std::string_view, 8> BaudRates = { "300", "600", "1200", "2400", "4800",
    "9600", "19200", "38400" };

long long wholeNumber(std::string_view value, std::string_view option)
{
    long long number = 0;
    if (!parseWholeNumber(value, number))
        throw CommandError(std::string(option) + " needs a whole number, not \"" +
            printable(value) + "\"");
    return number;
}

}  // namespace

UnitOptions readUnitOptions(Arguments arguments, const std::string& toolsFolder)
{
    UnitOptions options;
    options.settings = defaultPreferences(toolsFolder);
    options.settings.UnitType = "5360";
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        const std::string_view word = arguments[k];
        if (!word.starts_with("--")) {
            options.words.emplace_back(word);
            continue;
        }
        if (k + 1 == arguments.size())
            throw CommandError(std::string(word) + " needs a value");
        const std::string_view value = arguments[++k];
        if (word == "--port") {
            const long long port = wholeNumber(value, word);
            if (port < 1 || port > 4)
                throw CommandError("--port must be a COM port 1 to 4");
            options.settings.ComPort = std::to_string(port);
        } else if (word == "--address") {
            const long long address = wholeNumber(value, word);
            if (address < 0 || address > 255)
                throw CommandError("--address must be a unit address 0 to 255");
            options.settings.UnitAddress = std::to_string(address);
        } else if (word == "--baud") {
            if (std::find(BaudRates.begin(), BaudRates.end(), value) == BaudRates.end())
                throw CommandError("--baud must be one of 300, 600, 1200, 2400, 4800, 9600, "
                                   "19200, 38400");
            options.settings.BaudRate = std::string(value);
        } else if (word == "--model") {
            if (value != "5320" && value != "5360")
                throw CommandError("--model must be 5320 or 5360");
            options.settings.UnitType = std::string(value);
        } else {
            throw CommandError("unknown option \"" + printable(word) + "\"");
        }
    }
    return options;
}

}  // namespace marquis::cli
