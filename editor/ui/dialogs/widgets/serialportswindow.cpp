#include "ui/dialogs/widgets/serialportswindow.h"

#include "ui/controls/windows1252codec.h"
#include "ui/dialogs/widgets/dialogguard.h"
#include "ui/dialogs/widgets/dialogparts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cstdlib>

namespace marquis::qt {
namespace {

constexpr std::string_view Module = "Ports";
constexpr const char* HelpSection = "serialports";

} // namespace

SerialPortsWindow::SerialPortsWindow(
    EditorSession& session, SerialDeviceList& devices, QWidget* parent, HelpRequest help)
    : QDialog(parent)
    , m_session(session)
    , m_logic(session.preferences(), devices, [](const char* name) { return std::getenv(name); })
    , m_help(std::move(help))
{
    namespace texts = serialportsdialog;
    setObjectName(texts::Window);
    setWindowTitle(caption(texts::Caption));
    setWindowModality(Qt::WindowModal);

    auto* devicesGroup = new QGroupBox(caption(texts::DevicesGroup), this);
    m_devices = new QTableWidget(0, static_cast<int>(texts::DeviceColumns.size()), devicesGroup);
    m_devices->setObjectName(texts::DeviceGrid);
    QStringList headers;
    for (std::string_view column : texts::DeviceColumns)
        headers << caption(column);
    m_devices->setHorizontalHeaderLabels(headers);
    m_devices->verticalHeader()->hide();
    m_devices->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_devices->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_devices->horizontalHeader()->setStretchLastSection(true);
    m_noDevices = new QLabel(caption(texts::NoDevices), devicesGroup);
    m_noDevices->setObjectName(texts::NoDevicesLabel);
    m_noDevices->setWordWrap(true);
    auto* devicesLayout = new QVBoxLayout(devicesGroup);
    devicesLayout->addWidget(m_devices);
    devicesLayout->addWidget(m_noDevices);

    auto* mappingGroup = new QGroupBox(caption(texts::MappingGroup), this);
    auto* mappingLayout = new QGridLayout(mappingGroup);
    for (int port = 1; port <= SerialPortsDialog::PortCount; ++port) {
        const auto index = static_cast<std::size_t>(port - 1);
        QComboBox* box = m_boxes[index] = new QComboBox(mappingGroup);
        box->setObjectName(texts::ComBoxes[index]);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMinimumContentsLength(36);
        box->lineEdit()->setPlaceholderText(QStringLiteral("not mapped"));
        QLabel* note = m_notes[index] = new QLabel(mappingGroup);
        note->setObjectName(texts::ComNotes[index]);
        auto* label = new QLabel(QStringLiteral("COM &%1").arg(port), mappingGroup);
        label->setBuddy(box);
        mappingLayout->addWidget(label, port - 1, 0);
        mappingLayout->addWidget(box, port - 1, 1);
        mappingLayout->addWidget(note, port - 1, 2);
        connect(box, &QComboBox::editTextChanged, this, [this, port](const QString& text) {
            m_logic.setMapping(port, toUtf8(text));
            showNote(port);
        });
    }
    mappingLayout->setColumnStretch(2, 1);

    QPushButton* okButton = namedButton(texts::Ok, "&OK", this);
    okButton->setDefault(true);
    QPushButton* cancelButton = namedButton(texts::Cancel, "&Cancel", this);
    QPushButton* refreshButton = namedButton(texts::Refresh, texts::RefreshButton, this);
    QPushButton* helpButton = namedButton(texts::Help, "&Help", this);
    helpButton->setEnabled(static_cast<bool>(m_help));

    auto* groups = new QVBoxLayout;
    groups->addWidget(devicesGroup, 1);
    groups->addWidget(mappingGroup);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(groups, 1);
    layout->addLayout(buttonColumn({ okButton, cancelButton, refreshButton, helpButton }));

    connect(okButton, &QPushButton::clicked, this, &SerialPortsWindow::ok);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(refreshButton, &QPushButton::clicked, this, &SerialPortsWindow::refresh);
    connect(helpButton, &QPushButton::clicked, this, &SerialPortsWindow::help);

    showDevices();
    for (int port = 1; port <= SerialPortsDialog::PortCount; ++port)
        fillComBox(port);
    resize(760, 420);
}

void SerialPortsWindow::showDevices()
{
    const std::vector<SerialDevice>& devices = m_logic.devices();
    m_devices->setRowCount(static_cast<int>(devices.size()));
    for (std::size_t row = 0; row < devices.size(); ++row) {
        const auto cells = SerialPortsDialog::deviceCells(devices[row]);
        for (std::size_t column = 0; column < cells.size(); ++column)
            m_devices->setItem(static_cast<int>(row), static_cast<int>(column),
                new QTableWidgetItem(fromUtf8(cells[column])));
    }
    m_devices->resizeColumnsToContents();
    m_noDevices->setVisible(devices.empty());
}

// The box offers every device found; its text stays the mapping the user has made.
void SerialPortsWindow::fillComBox(int port)
{
    QComboBox* box = m_boxes[static_cast<std::size_t>(port - 1)];
    {
        const QSignalBlocker quiet(box);
        box->clear();
        for (const std::string& path : m_logic.offeredPaths(port))
            box->addItem(fromUtf8(path));
        box->setEditText(fromUtf8(m_logic.mapping(port)));
    }
    showNote(port);
}

void SerialPortsWindow::showNote(int port)
{
    const MappingNote note = m_logic.note(port);
    QLabel* label = m_notes[static_cast<std::size_t>(port - 1)];
    label->setText(fromUtf8(note.text));
    label->setStyleSheet(note.warning ? QStringLiteral("color: #b00000") : QString());
}

void SerialPortsWindow::refresh()
{
    runGuarded(m_session.ui(), Module, [this] {
        m_logic.refresh();
        showDevices();
        for (int port = 1; port <= SerialPortsDialog::PortCount; ++port)
            fillComBox(port);
    });
}

void SerialPortsWindow::ok()
{
    bool taken = false;
    runGuarded(m_session.ui(), Module,
        [&] { taken = m_logic.apply(m_session.preferences(), m_session.ui()); });
    if (taken)
        accept();
}

void SerialPortsWindow::help()
{
    if (m_help)
        m_help(HelpSection);
}

} // namespace marquis::qt
