#pragma once

#include <stdexcept>
#include <string>

namespace marquis::cli {

// A failure caused by the command line, the input or the program's surroundings (a missing
// file or module). main reports it as one line on stderr and exits with code 2.
class CommandError : public std::runtime_error {
public:
    explicit CommandError(const std::string& what)
        : std::runtime_error(what)
    {
    }
};

} // namespace marquis::cli
