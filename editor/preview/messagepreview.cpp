#include "preview/messagepreview.h"

#include "files/filesystem.h"
#include "ports/userinterface.h"
#include "preview/panelcamera.h"
#include "ui/quickedit/simulationplayer.h"

#include <QBuffer>

namespace marquis::qt {
namespace {

// Whether the message still moves after `untilMs`: a timer runs on.
bool movesOn(const CurrentMessage& message, long long untilMs)
{
    SimulationPlayer player(message);
    player.advanceTo(untilMs);
    return player.nextTickAt().has_value();
}

} // namespace

GifAnimation previewAnimation(const CurrentMessage& message, long long untilMs)
{
    PanelCamera camera(message.UnitLines);
    GifAnimation animation(camera.size(), movesOn(message, untilMs));
    const std::vector<RowsChange> changes = playChanges(message, untilMs);
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const long long end = i + 1 < changes.size() ? changes[i + 1].atMs : untilMs;
        if (i > 0 && end <= changes[i].atMs)
            continue;
        animation.addFrame(camera.picture(changes[i].rows), end - changes[i].atMs);
    }
    return animation;
}

QImage previewStill(const CurrentMessage& message)
{
    PanelCamera camera(message.UnitLines);
    return camera.picture(SimulationPlayer(message).rows());
}

GifOutcome writePreviewGif(
    const CurrentMessage& message, long long untilMs, FileSystem& files, const std::string& path)
{
    return previewAnimation(message, untilMs).write(files, path);
}

GifOutcome writePreviewStill(
    const CurrentMessage& message, FileSystem& files, const std::string& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!previewStill(message).save(&buffer, "PNG"))
        return GifOutcome::failure("The PNG encoder failed.");
    return replaceFile(
        files, path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool exportPreview(const CurrentMessage& message, UserInterface& ui, FileSystem& files,
    const std::filesystem::path& folder)
{
    FileDialogRequest request;
    request.title = "Export Preview";
    request.filter = "Animated GIF (*.gif)|*.gif";
    request.defaultExtension = "gif";
    request.folder = folder;
    request.fileName = "message " + std::to_string(message.MessageNumber) + ".gif";
    const std::optional<std::filesystem::path> chosen = ui.saveFileDialog(request);
    if (!chosen)
        return false;
    const std::string path = chosen->string();
    if (files.exists(path) &&
        ui.message("The file " + path + " already exists on disk.\r\nDo you want to replace it?",
            Buttons::YesNo, Icon::Question, Answer::No) == Answer::No)
        return false;
    GifOutcome outcome;
    {
        const BusyNotice notice(ui, "Exporting preview ");
        outcome = writePreviewGif(message, DefaultPreviewMs, files, path);
    }
    if (!outcome.ok) {
        ui.message(outcome.error, Buttons::Ok, Icon::Exclamation, Answer::Ok);
        return false;
    }
    ui.status("Preview exported");
    return true;
}

} // namespace marquis::qt
