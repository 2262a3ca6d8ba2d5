#pragma once

#include <string>
#include <string_view>

namespace marquis {

// Path helpers on the editor's text paths. Both "/" and "\" count as folder separators, so
// paths typed on either kind of system are taken apart alike.

// The text after the last separator.
std::string fileNameOf(std::string_view path);

// The text up to and including the last separator; "" when there is none.
std::string folderOf(std::string_view path);

// The path up to, not including, the first "." of its file name.
std::string basePathOf(std::string_view path);

// The file name without folder and extension.
std::string baseNameOf(std::string_view path);

// The folder with exactly one trailing separator ("" stays "").
std::string withTrailingSeparator(std::string_view folder);

} // namespace marquis
