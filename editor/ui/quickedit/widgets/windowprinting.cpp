#include "ui/quickedit/widgets/windowprinting.h"

#include "ui/printing/pagepainter.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <exception>

namespace marquis::qt {

WindowPrinting::WindowPrinting(QWidget* parent, EditorSession& session)
    : m_parent(parent)
    , m_job(session)
{
}

WindowPrinting::~WindowPrinting() = default;

QPrinter& WindowPrinting::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

// The printer dialog, without page ranges or a selection: a printout is always whole.
bool WindowPrinting::askPrinter()
{
    QPrintDialog dialog(&printer(), m_parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

// Lays the printout out for this printer and draws it. The copies the user chose are taken
// over from the printer, which then makes just one of what it is sent.
bool WindowPrinting::print(QPrinter& printer, PrintMode mode, bool currentMessage)
{
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    const PainterMeasure measure(printer);
    const PrintJob::Send send = [&](const PrintDocument& document) {
        return drawDocument(printer, measure, document);
    };
    return currentMessage ? m_job.printCurrent(measure, copies, send)
                          : m_job.printAll(measure, mode, copies, send);
}

void WindowPrinting::printAll(PrintMode mode)
{
    if (askPrinter())
        print(printer(), mode, false);
}

void WindowPrinting::printCurrentMessage()
{
    if (askPrinter())
        print(printer(), PrintMode::Complete, true);
}

void WindowPrinting::previewAll(PrintMode mode)
{
    QPrintPreviewDialog preview(&printer(), m_parent);
    // A failure inside the preview's own event loop is carried out of it and raised here.
    std::exception_ptr failure;
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
            if (failure)
                return;
            try {
                print(*target, mode, false);
            } catch (...) {
                failure = std::current_exception();
            }
        });
    preview.exec();
    if (failure)
        std::rethrow_exception(failure);
}

void WindowPrinting::setup()
{
    QPageSetupDialog dialog(&printer(), m_parent);
    dialog.exec();
}

} // namespace marquis::qt
