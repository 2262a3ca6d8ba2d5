#include "framesoutput.h"

#include "model/windows1252.h"
#include "ui/quickedit/simulationplayer.h"

#include <nlohmann/json.hpp>

namespace marquis::cli {
namespace {

constexpr std::size_t ChunkBytes = 64 * 1024;

// The rows part of a line: `"rows": [...]}` and the line end.
std::string rowsJson(const DisplayRows& rows)
{
    std::string text = "\"rows\": [";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r > 0)
            text += ", ";
        const nlohmann::json row =
            rows[r] ? nlohmann::json(windows1252ToUtf8(*rows[r])) : nlohmann::json(nullptr);
        text += row.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    }
    return text + "]}\n";
}

} // namespace

void writeFrames(const CurrentMessage& message, long long untilMs, long long stepMs,
    const std::function<void(std::string_view)>& write)
{
    SimulationPlayer player(message);
    DisplayRows shown = player.rows();
    std::string shownJson = rowsJson(shown);
    std::string chunk;
    for (long long t = 0;;) {
        player.advanceTo(t);
        // The rows change far less often than they are sampled.
        DisplayRows rows = player.rows();
        if (rows != shown) {
            shown = std::move(rows);
            shownJson = rowsJson(shown);
        }
        chunk += "{\"t\": " + std::to_string(t) + ", ";
        chunk += shownJson;
        if (chunk.size() >= ChunkBytes) {
            write(chunk);
            chunk.clear();
        }
        if (untilMs - t < stepMs)
            break;
        t += stepMs;
    }
    if (!chunk.empty())
        write(chunk);
}

} // namespace marquis::cli
