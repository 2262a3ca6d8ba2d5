#pragma once

#include <filesystem>

namespace marquis {

// The folder holding the running program's executable, where its modules and tools live. Falls
// back to the current directory when the executable's location cannot be read.
std::filesystem::path executableFolder();

} // namespace marquis
