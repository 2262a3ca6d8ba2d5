#pragma once

#include "build/serialdevices.h"
#include "build/toolrunner.h"
#include "files/editorsession.h"
#include "files/preferencesdialog.h"
#include "ports/processport.h"
#include "ui/dialogs/widgets/helprequest.h"

#include <optional>

class QWidget;

namespace marquis::qt {

// The modal dialogs of the main window. Each binds its widgets to the toolkit-free logic and
// returns when the user closes it.

// frmPref, "Preferences": edits the session's preferences; no value when cancelled. Its Help
// goes to `help`.
std::optional<PreferencesApplied> showPreferencesDialog(
    QWidget* parent, EditorSession& session, HelpRequest help = {});

// frmPorts, "Serial ports": maps COM 1 to 4 to the devices `devices` lists; true after OK.
bool showSerialPortsDialog(
    QWidget* parent, EditorSession& session, SerialDeviceList& devices, HelpRequest help = {});

// frmShow, the result window of Program > Compile... (compileMode) and Program > Program....
void showResultWindow(QWidget* parent, EditorSession& session, ToolRunner& tools,
    ProcessPort& processes, bool compileMode);

// frmReadFlash, "Read / Program Flash".
void showReadFlashDialog(QWidget* parent, EditorSession& session, ToolRunner& tools);

// frmAbout, centred over the main window.
void showAboutBox(QWidget* parent);

}  // namespace marquis::qt
