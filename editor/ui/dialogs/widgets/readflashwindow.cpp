#include "ui/dialogs/widgets/readflashwindow.h"

#include "ui/controls/windows1252codec.h"
#include "ui/dialogs/widgets/dialogguard.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace marquis::qt {
namespace {

constexpr std::string_view Module = "ReadFlash";

QPushButton* button(const char* name, const QString& text, QWidget* parent)
{
    auto* result = new QPushButton(text, parent);
    result->setObjectName(QString::fromLatin1(name));
    return result;
}

} // namespace

ReadFlashWindow::ReadFlashWindow(EditorSession& session, ToolRunner& tools, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_logic(session, tools)
{
    setObjectName(QStringLiteral("frmReadFlash"));
    setWindowTitle(fromUtf8(ReadFlashDialog::Caption));

    m_program = button("cmdProgram", tr("Program Flash from Binary Image"), this);
    m_read = button("cmdRead", tr("Read Flash into Binary Image"), this);
    m_close = button("cmdClose", tr("&Close"), this);
    auto* note = new QLabel(fromUtf8(ReadFlashDialog::Note), this);
    note->setObjectName(QStringLiteral("lblNote"));
    note->setWordWrap(true);
    m_elapsed = new QLabel(this);
    m_elapsed->setObjectName(QStringLiteral("lblElapsed"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_status->setMinimumWidth(360);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_program);
    buttons->addWidget(m_read);
    buttons->addWidget(m_close);
    buttons->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(note, 1);
    middle->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(middle);
    layout->addWidget(m_elapsed, 0, Qt::AlignRight);
    layout->addWidget(m_status);

    m_logic.onStatus = [this](const std::string& text) {
        m_status->setText(fromUtf8(text));
        updateButtons();
    };
    m_logic.onElapsed = [this](const std::string& text) { m_elapsed->setText(fromUtf8(text)); };
    connect(m_program, &QPushButton::clicked, this, &ReadFlashWindow::programFlash);
    connect(m_read, &QPushButton::clicked, this, &ReadFlashWindow::readFlash);
    connect(m_close, &QPushButton::clicked, this, &ReadFlashWindow::reject);
}

// While a command runs the tool runner keeps events flowing, so the commands are locked
// against a second start until the first has ended.
void ReadFlashWindow::runCommand(void (ReadFlashDialog::*command)())
{
    if (m_logic.Busy)
        return;
    const bool finished = runGuarded(m_session.ui(), Module, [&] { (m_logic.*command)(); });
    if (!finished) {
        m_logic.Busy = false;
        m_status->clear();
        m_session.ui().busy(false);
    }
    updateButtons();
}

void ReadFlashWindow::readFlash()
{
    runCommand(&ReadFlashDialog::readFlash);
}

void ReadFlashWindow::programFlash()
{
    m_elapsed->clear();
    runCommand(&ReadFlashDialog::programFlash);
}

void ReadFlashWindow::updateButtons()
{
    m_program->setEnabled(!m_logic.Busy);
    m_read->setEnabled(!m_logic.Busy);
}

void ReadFlashWindow::reject()
{
    if (m_logic.canClose())
        QDialog::reject();
}

// The window's own close button: QDialog turns an accepted close into reject().
void ReadFlashWindow::closeEvent(QCloseEvent* event)
{
    if (!m_logic.canClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace marquis::qt
