#pragma once

#include <string>
#include <string_view>

namespace marquis {

// The program an external script editor setting names, ready to be started: the path itself
// when it holds a folder, else the first program of that name in the folders of $PATH. ""
// when the setting names no program that can be started; `problem` then says why, in words
// for the user.
std::string findEditorProgram(std::string_view setting, std::string& problem);

} // namespace marquis
