#pragma once

#include "files/editorsession.h"
#include "files/printjob.h"

#include <memory>

class QPrinter;
class QWidget;

namespace marquis::qt {

// The File menu's printing: the printer dialog, the preview, the page setup and the printer
// they share for the program's run. The pages come from PrintJob; the copies the user asks for
// are laid out there, each starting on a page of its own, and the printer itself makes one.
class WindowPrinting {
public:
    WindowPrinting(QWidget* parent, EditorSession& session);
    ~WindowPrinting();
    WindowPrinting(const WindowPrinting&) = delete;
    WindowPrinting& operator=(const WindowPrinting&) = delete;

    // Whether "&Print..." is offered now.
    bool available() { return m_job.available(); }

    void printAll(PrintMode mode);
    void previewAll(PrintMode mode);
    void printCurrentMessage();
    void setup();

    QPrinter& printer();

private:
    bool askPrinter();
    bool print(QPrinter& printer, PrintMode mode, bool currentMessage);

    QWidget* m_parent;
    PrintJob m_job;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace marquis::qt
