#include "commanderror.h"
#include "commands.h"
#include "files/filesystem.h"
#include "messageloading.h"
#include "model/numberformat.h"
#include "preview/messagepreview.h"
#include "scriptarguments.h"
#include "scriptsession.h"
#include "textio.h"

#include <QApplication>
#include <cstdio>
#include <optional>
#include <string>

namespace marquis::cli {
namespace {

// The longest play a preview records: every frame is kept until the file is written.
constexpr long long MaxPreviewMs = 60'000;

struct PreviewOptions {
    std::string source;
    std::optional<long long> message;
    std::string gif;
    std::string png;
    long long untilMs = qt::DefaultPreviewMs;
};

PreviewOptions readPreviewOptions(Arguments arguments)
{
    PreviewOptions options;
    options.source = readScriptFileArguments("preview", arguments, [&](auto word, auto& value) {
        if (word == "--message")
            options.message = numberOption(word, value(), 0, MessageCount - 1);
        else if (word == "--ms")
            options.untilMs = numberOption(word, value(), 0, MaxPreviewMs);
        else if (word == "--gif")
            options.gif = value();
        else if (word == "--png")
            options.png = value();
        else
            return false;
        return true;
    });
    if (!options.message)
        throw CommandError("preview needs --message N");
    if (options.gif.empty() && options.png.empty())
        throw CommandError("preview needs --gif OUT.gif or --png OUT.png");
    return options;
}

// Qt's notes on its surroundings (no runtime folder, no screen) are no concern of the tool; only
// its critical messages go to standard error.
void qtMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "mq5300: %s\n", printable(text.toStdString()).c_str());
}

void require(const GifOutcome& outcome)
{
    if (!outcome.ok)
        throw CommandError(printable(outcome.error));
}

} // namespace

int previewCommand(Arguments arguments)
{
    const PreviewOptions options = readPreviewOptions(arguments);
    ScriptSession opened(options.source);
    const CurrentMessage& message = loadFileMessage(opened, static_cast<int>(*options.message));

    // The panel is the window's own display widget, drawn without a screen unless the caller
    // asked for another platform.
    qInstallMessageHandler(qtMessage);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "mq5300";
    static char* argv[] = { name, nullptr };
    const QApplication application(argc, argv);

    DiskFileSystem files;
    if (!options.gif.empty())
        require(qt::writePreviewGif(message, options.untilMs, files, options.gif));
    if (!options.png.empty())
        require(qt::writePreviewStill(message, files, options.png));
    return 0;
}

} // namespace marquis::cli
