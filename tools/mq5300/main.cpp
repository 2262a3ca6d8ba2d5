// mq5300: the headless companion of the editor. It writes the SUB text of a message from its
// fields, reads the fields back from a text, computes check values, lists and prints script
// files, and plays a message's simulated display.

#include "commanderror.h"
#include "commands.h"
#include "model/modelfailure.h"
#include "textio.h"

#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view Usage =
    "usage: mq5300 <command> [options]\n"
    "\n"
    "  make                    message fields as JSON on stdin -> its SUB text on stdout\n"
    "  read --number N [--lines 2|4] [--placeholder C]\n"
    "                          SUB text on stdin -> its fields as JSON on stdout\n"
    "  crc                     check value of stdin's bytes as a signed decimal number\n"
    "  list FILE.src           one line per message of a script file\n"
    "  check FILE.src          names the messages whose check value fails (exit 1)\n"
    "  print FILE.src --pdf OUT.pdf [--text-only] [--copies N]\n"
    "                          prints a script file into a PDF file\n"
    "  frames FILE.src --message N [--ms T] [--step S]\n"
    "                          the simulated display of message N at t = 0, S, 2S ... <= T ms\n"
    "                          (default T 10000, S 5; T up to 86400000): one JSON line each\n"
    "  preview FILE.src --message N [--gif OUT.gif] [--png OUT.png] [--ms T]\n"
    "                          plays message N on the LED panel for T ms (default 10000,\n"
    "                          at most 60000) into an animated GIF, one frame per change;\n"
    "                          it loops when the message still moves at T. --png writes\n"
    "                          the first frame; give one of the two or both\n"
    "  build FILE.src          compiles and assembles a script into FILE.bin\n"
    "  program FILE.bin        programs the unit's flash\n"
    "  callup N [VARIABLES]    starts message N on the unit\n"
    "  erase | reboot | version\n"
    "  readflash FILE.bin      reads the unit's flash into a file\n"
    "  unit options: --port 1-4 --address 0-255 --baud RATE --model 5320|5360\n"
    "\n"
    "Text is UTF-8. Errors give one line on stderr and exit code 2; a tool that reports a\n"
    "failure gives exit code 1.\n";

struct Command {
    std::string_view name;
    int (*run)(marquis::cli::Arguments);
};

constexpr Command Commands[] = {
    { "make", marquis::cli::makeCommand },
    { "read", marquis::cli::readCommand },
    { "crc", marquis::cli::crcCommand },
    { "list", marquis::cli::listCommand },
    { "check", marquis::cli::checkCommand },
    { "print", marquis::cli::printCommand },
    { "frames", marquis::cli::framesCommand },
    { "preview", marquis::cli::previewCommand },
    { "build", marquis::cli::buildCommand },
    { "program", marquis::cli::programCommand },
    { "callup", marquis::cli::callupCommand },
    { "erase", marquis::cli::eraseCommand },
    { "reboot", marquis::cli::rebootCommand },
    { "readflash", marquis::cli::readflashCommand },
    { "version", marquis::cli::versionCommand },
};

// Parts taken from the input are cut short where they are put in; the whole line is only kept
// free of line breaks here.
int report(const std::string& text)
{
    std::fprintf(stderr, "mq5300: %s\n", marquis::cli::printable(text, 4000).c_str());
    return 2;
}

int dispatch(const std::vector<std::string_view>& arguments)
{
    if (arguments.empty()) {
        std::fputs(Usage.data(), stderr);
        return 2;
    }
    const std::string_view name = arguments.front();
    if (name == "--help" || name == "-h" || name == "help") {
        std::fputs(Usage.data(), stdout);
        return 0;
    }
    for (const Command& command : Commands) {
        if (command.name == name) {
            return command.run(marquis::cli::Arguments(arguments).subspan(1));
        }
    }
    return report("unknown command \"" + std::string(name) + "\"; try mq5300 --help");
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return dispatch(std::vector<std::string_view>(argv + 1, argv + argc));
    } catch (const marquis::cli::CommandError& e) {
        return report(e.what());
    } catch (const marquis::ModelFailure& e) {
        return report("internal error in " + e.procedure() + ": " + e.what());
    } catch (const std::exception& e) {
        return report(std::string("internal error: ") + e.what());
    } catch (...) {
        return report("internal error");
    }
}
