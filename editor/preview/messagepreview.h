#pragma once

#include "model/currentmessage.h"
#include "preview/gifanimation.h"

#include <QImage>
#include <filesystem>
#include <string>

namespace marquis {
class FileSystem;
class UserInterface;
} // namespace marquis

namespace marquis::qt {

// How long a preview plays unless told otherwise.
constexpr long long DefaultPreviewMs = 10000;

// A message played on the window's LED panel from 0 to `untilMs`: one frame at each change of
// the rows, shown until the next change (the last one until untilMs). The animation loops when
// the message is still moving at untilMs (a timer still runs), so that it plays on as the unit
// would; a message that comes to rest (a still text, a counted scroll that has ended) plays
// once and keeps its last frame. A change due exactly at untilMs is not shown.
GifAnimation previewAnimation(const CurrentMessage& message, long long untilMs);

// The panel as the message starts: the first frame of its preview.
QImage previewStill(const CurrentMessage& message);

// Writes the preview of the message as a GIF file or its first frame as a PNG file, each
// beside the target first and then renamed into place.
GifOutcome writePreviewGif(
    const CurrentMessage& message, long long untilMs, FileSystem& files, const std::string& path);
GifOutcome writePreviewStill(
    const CurrentMessage& message, FileSystem& files, const std::string& path);

// File > Export preview...: asks for a GIF file (proposing "message N.gif" in `folder`), asks
// before replacing one, writes the preview of the current message and tells the user how it
// went: a word in the status line when done, a message box when it failed. False when nothing
// was written.
bool exportPreview(const CurrentMessage& message, UserInterface& ui, FileSystem& files,
    const std::filesystem::path& folder);

} // namespace marquis::qt
