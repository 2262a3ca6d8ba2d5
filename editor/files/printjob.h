#pragma once

#include "files/editorsession.h"
#include "files/printedmessage.h"
#include "files/printlayout.h"

#include <functional>
#include <string>

namespace marquis {

// The printouts of the File menu: every message as complete script text or as message text
// only, and the current message alone. The printer dialog and the drawing belong to the window;
// the job composes the pages, says how far it got in the status line and hands the pages over.
// Nothing is written to disk, and the current message is printed from a copy, so printing
// leaves the message, the store and the file exactly as they were.
class PrintJob {
public:
    // Draws the composed pages on the printer; false when the printer could not take them.
    using Send = std::function<bool(const PrintDocument&)>;

    static constexpr const char* PrinterFailedText =
        "The printer could not be started. Nothing was printed.";

    explicit PrintJob(EditorSession& session);

    // "&Print..." is offered when a script file is open or the editor has content.
    bool available();

    // Every message, `copies` times, each copy on pages of its own. False when nothing was
    // printed: a file that holds messages could not be read, or the printer failed; the reason
    // was shown once.
    bool printAll(const PageMeasure& measure, PrintMode mode, int copies, const Send& send);

    // The current message in complete form.
    bool printCurrent(const PageMeasure& measure, int copies, const Send& send);

    // The status text of the progress of a printout of all messages.
    static std::string progressText(const std::string& label, int percent);

private:
    void heading(PageComposer& composer, const std::string& fileName);
    bool deliver(const PrintDocument& document, const Send& send);

    EditorSession& m_session;
};

} // namespace marquis
