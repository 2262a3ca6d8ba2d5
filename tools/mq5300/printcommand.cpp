#include "commanderror.h"
#include "commands.h"
#include "files/printjob.h"
#include "messageloading.h"
#include "model/numberformat.h"
#include "scriptarguments.h"
#include "scriptsession.h"
#include "textio.h"
#include "ui/printing/pagepainter.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <cstdio>
#include <filesystem>

namespace marquis::cli {
namespace {

constexpr long long MaxCopies = 99;

struct PrintOptions {
    std::string source;
    std::string pdf;
    PrintMode mode = PrintMode::Complete;
    int copies = 1;
};

PrintOptions readPrintOptions(Arguments arguments)
{
    PrintOptions options;
    options.source = readScriptFileArguments("print", arguments, [&](auto word, auto& value) {
        if (word == "--pdf")
            options.pdf = value();
        else if (word == "--text-only")
            options.mode = PrintMode::TextOnly;
        else if (word == "--copies")
            options.copies = static_cast<int>(numberOption(word, value(), 1, MaxCopies));
        else
            return false;
        return true;
    });
    if (options.pdf.empty())
        throw CommandError("print needs --pdf OUT.pdf");
    return options;
}

// Qt's notes on its surroundings (no runtime folder, no screen) are no concern of the tool; only
// its critical messages go to standard error.
void qtMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "mq5300: %s\n", printable(text.toStdString()).c_str());
}

} // namespace

int printCommand(Arguments arguments)
{
    const PrintOptions options = readPrintOptions(arguments);
    ScriptSession opened(std::filesystem::absolute(options.source).string());
    for (const std::string& text : opened.ui().messages)
        std::fprintf(stderr, "mq5300: %s\n", text.c_str());
    opened.ui().messages.clear();

    // The tool draws without a screen, on Qt's offscreen platform.
    qInstallMessageHandler(qtMessage);
    static int argc = 3;
    static char name[] = "mq5300";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = { name, platformOption, platform, nullptr };
    const QGuiApplication application(argc, argv);

    QPdfWriter writer(QString::fromStdString(options.pdf));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    writer.setTitle(QString::fromStdString(opened.name()));
    writer.setCreator("mq5300");
    const qt::PainterMeasure measure(writer);
    bool written = true;
    PrintJob job(opened.session());
    const bool printed =
        job.printAll(measure, options.mode, options.copies, [&](const PrintDocument& document) {
            written = qt::drawDocument(writer, measure, document);
            return written;
        });
    if (!written)
        throw CommandError("cannot write " + printable(options.pdf));
    if (!printed)
        throw CommandError(
            opened.ui().messages.empty() ? "nothing was printed" : opened.ui().messages.front());
    return 0;
}

} // namespace marquis::cli
