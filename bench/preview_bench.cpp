// The animated preview of the busiest demo message: ten seconds played on the LED panel and
// written as a GIF file, as `mq5300 preview` and File > Export preview... do.

#include "files/editorsession.h"
#include "files/filesystem.h"
#include "model/crccomponent.h"
#include "platform/executablefolder.h"
#include "preview/messagepreview.h"
#include "ui/quickedit/simulationplayer.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <filesystem>

using namespace marquis;

namespace {

// The demo message whose rows change most often in ten seconds, loaded as the editor loads it.
class BusiestDemoMessage {
public:
    BusiestDemoMessage()
    {
        const std::string folder = executableFolder().string() + "/";
        session = std::make_unique<EditorSession>(
            crc, ui, files, ProgramFolders { folder, folder }, defaultPreferences(folder));
        session->openScriptFile(folder + "demo.src");
        std::size_t most = 0;
        for (int n = 0; n < MessageCount; ++n) {
            if (session->store().MessageState.at(static_cast<std::size_t>(n)) == Absent)
                continue;
            session->store().LoadMessage(n);
            session->reader().ReadFields(session->message());
            const std::size_t changes = playChanges(session->message(), PlayedMs).size();
            if (changes > most) {
                most = changes;
                message = session->message();
            }
        }
    }

    static constexpr long long PlayedMs = 10000;
    CrcComponent crc { executableFolder() };
    SilentUserInterface ui;
    DiskFileSystem files;
    std::unique_ptr<EditorSession> session;
    CurrentMessage message;
};

void BM_PreviewTenSeconds(benchmark::State& state)
{
    static const BusiestDemoMessage busiest;
    const std::string target =
        (std::filesystem::temp_directory_path() / "mq5300-preview-bench.gif").string();
    DiskFileSystem files;
    for (auto _ : state) {
        const GifOutcome outcome =
            qt::writePreviewGif(busiest.message, BusiestDemoMessage::PlayedMs, files, target);
        if (!outcome.ok)
            state.SkipWithError(outcome.error.c_str());
    }
    state.counters["message"] = busiest.message.MessageNumber;
    state.counters["frames"] =
        static_cast<double>(qt::previewAnimation(busiest.message, 10000).frameCount());
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(target));
    std::filesystem::remove(target);
}
BENCHMARK(BM_PreviewTenSeconds)->Unit(benchmark::kMillisecond);

} // namespace

// The panel is a widget: the benchmark runs Qt on the offscreen platform unless told otherwise.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
