#include "ui/dialogs/widgets/dialogs.h"

#include "ui/dialogs/widgets/aboutbox.h"
#include "ui/dialogs/widgets/dialogguard.h"
#include "ui/dialogs/widgets/preferenceswindow.h"
#include "ui/dialogs/widgets/serialportswindow.h"
#include "ui/dialogs/widgets/readflashwindow.h"
#include "ui/dialogs/widgets/resultdialog.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

namespace marquis::qt {

// Each dialog is built and shown inside one guarded step: a dialog that cannot be opened is
// reported with its module's text and the caller carries on.

std::optional<PreferencesApplied> showPreferencesDialog(
    QWidget* parent, EditorSession& session, HelpRequest help)
{
    std::optional<PreferencesApplied> applied;
    runGuarded(session.ui(), "Preference", [&] {
        PreferencesWindow dialog(session, parent, std::move(help));
        if (dialog.exec() == QDialog::Accepted)
            applied = dialog.applied();
    });
    return applied;
}

bool showSerialPortsDialog(
    QWidget* parent, EditorSession& session, SerialDeviceList& devices, HelpRequest help)
{
    bool accepted = false;
    runGuarded(session.ui(), "Ports", [&] {
        SerialPortsWindow dialog(session, devices, parent, std::move(help));
        accepted = dialog.exec() == QDialog::Accepted;
    });
    return accepted;
}

void showResultWindow(QWidget* parent, EditorSession& session, ToolRunner& tools,
    ProcessPort& processes, bool compileMode)
{
    runGuarded(session.ui(), "Show", [&] {
        ResultDialog dialog(session, tools, processes, compileMode, parent);
        dialog.exec();
    });
}

void showReadFlashDialog(QWidget* parent, EditorSession& session, ToolRunner& tools)
{
    runGuarded(session.ui(), "ReadFlash", [&] {
        ReadFlashWindow dialog(session, tools, parent);
        dialog.exec();
    });
}

void showAboutBox(QWidget* parent)
{
    try {
        AboutBox dialog(parent);
        dialog.exec();
    } catch (const std::exception&) {
        QMessageBox::warning(parent, QApplication::applicationName(),
            QStringLiteral("Unexpected error in module About. You can ignore it or try to "
                           "restart the program."));
    }
}

} // namespace marquis::qt
