// The Quick Edit window as the program's user port.
#include "ui/controls/windows1252codec.h"
#include "ui/quickedit/widgets/quickeditwindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QStringList>

namespace marquis::qt {
namespace {

const char* const ApplicationTitle = "Marquis 5300";

QString titleOr(std::string_view title)
{
    return title.empty() ? QString(ApplicationTitle) : fromUtf8(title);
}

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton boxButton(Answer answer)
{
    switch (answer) {
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// "Text (*.txt)|*.txt|All files (*.*)|*.*" as Qt's name filters.
QStringList nameFilters(const std::string& filter)
{
    const QStringList parts = fromUtf8(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        if (const qsizetype bracket = description.indexOf('('); bracket >= 0)
            description.truncate(bracket);
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        filters << description.trimmed() + " (" + patterns.trimmed() + ")";
    }
    return filters;
}

std::optional<std::filesystem::path> runFileDialog(
    QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, fromUtf8(request.title));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(
        mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The program asks before it replaces a file; one question is enough.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(nameFilters(request.filter));
    dialog.setDefaultSuffix(fromUtf8(request.defaultExtension));
    if (!request.folder.empty())
        dialog.setDirectory(QString::fromStdString(request.folder.string()));
    if (!request.fileName.empty())
        dialog.selectFile(fromUtf8(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(toUtf8(dialog.selectedFiles().first()));
}

// Shows the normal pointer over a box while the window is busy.
class ArrowPointer {
public:
    explicit ArrowPointer(bool busy)
        : m_busy(busy)
    {
        if (m_busy)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowPointer()
    {
        if (m_busy)
            QApplication::restoreOverrideCursor();
    }
    ArrowPointer(const ArrowPointer&) = delete;
    ArrowPointer& operator=(const ArrowPointer&) = delete;

private:
    bool m_busy;
};

} // namespace

Answer QuickEditWindow::message(
    std::string_view text, Buttons buttons, Icon icon, Answer defaultAnswer, std::string_view title)
{
    const ArrowPointer pointer(m_busy);
    QMessageBox box(boxIcon(icon), titleOr(title), fromUtf8(text), boxButtons(buttons), this);
    box.setDefaultButton(boxButton(defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        // Closing the box is its cancel, or its only answer.
        return buttons == Buttons::Ok   ? Answer::Ok
            : buttons == Buttons::YesNo ? Answer::No
                                        : Answer::Cancel;
    }
}

std::optional<std::string> QuickEditWindow::inputBox(
    std::string_view prompt, std::string_view title, std::string_view initial)
{
    const ArrowPointer pointer(m_busy);
    bool ok = false;
    const QString answer = QInputDialog::getText(
        this, titleOr(title), fromUtf8(prompt), QLineEdit::Normal, fromUtf8(initial), &ok);
    if (!ok)
        return std::nullopt;
    return toUtf8(answer);
}

std::optional<std::filesystem::path> QuickEditWindow::openFileDialog(
    const FileDialogRequest& request)
{
    const ArrowPointer pointer(m_busy);
    return runFileDialog(this, request, QFileDialog::AcceptOpen);
}

std::optional<std::filesystem::path> QuickEditWindow::saveFileDialog(
    const FileDialogRequest& request)
{
    const ArrowPointer pointer(m_busy);
    return runFileDialog(this, request, QFileDialog::AcceptSave);
}

void QuickEditWindow::status(std::string_view text)
{
    m_lblStatBar->setText(fromUtf8(text));
}

void QuickEditWindow::busy(bool on)
{
    if (on == m_busy)
        return;
    m_busy = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QuickEditWindow::pumpEvents()
{
    QApplication::processEvents();
}

void QuickEditWindow::caption(std::string_view text)
{
    setWindowTitle(fromUtf8(text));
}

} // namespace marquis::qt
