#pragma once

#include "build/serialportsdialog.h"
#include "files/editorsession.h"
#include "ui/dialogs/widgets/helprequest.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QTableWidget;

namespace marquis::qt {

// frmPorts, "Serial ports": the serial devices of the machine and the device each of COM 1 to
// 4 is mapped to. OK takes the mapping into the session's settings; Cancel leaves them.
class SerialPortsWindow : public QDialog {
    Q_OBJECT

public:
    SerialPortsWindow(EditorSession& session, SerialDeviceList& devices, QWidget* parent = nullptr,
        HelpRequest help = {});

public slots:
    void ok();
    void refresh();
    void help();

private:
    void showDevices();
    void fillComBox(int port);
    void showNote(int port);

    EditorSession& m_session;
    SerialPortsDialog m_logic;
    HelpRequest m_help;
    QTableWidget* m_devices;
    QLabel* m_noDevices;
    std::array<QComboBox*, SerialPortsDialog::PortCount> m_boxes {};
    std::array<QLabel*, SerialPortsDialog::PortCount> m_notes {};
};

} // namespace marquis::qt
