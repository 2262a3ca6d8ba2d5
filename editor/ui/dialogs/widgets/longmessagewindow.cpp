#include "ui/dialogs/widgets/longmessagewindow.h"

#include "model/modelfailure.h"
#include "ui/controls/windows1252codec.h"
#include "ui/dialogs/widgets/dialogparts.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace marquis::qt {

LongMessageWindow::LongMessageWindow(EditorSession& session, QWidget* parent, ScrollDialogs dialogs)
    : QDialog(parent)
    , m_session(session)
    , m_logic(session.message(), session.ui(), std::move(dialogs))
{
    setObjectName(QStringLiteral("frmSelect"));
    setWindowTitle(fromUtf8(longmessagedialog::Caption));
    setModal(true);
    buildControls();
    buildLayout();
    m_session.ui().busy(false);
}

void LongMessageWindow::buildControls()
{
    namespace texts = longmessagedialog;
    m_lblPrompt = new QLabel(this);
    m_lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
    m_lblPrompt->setWordWrap(true);
    for (int i = 0; i < m_logic.optionCount(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        auto* option = new QRadioButton(this);
        option->setObjectName(QStringLiteral("optSelect%1").arg(i));
        connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                step([&] { m_logic.choose(i); });
        });
        m_optSelect[at] = option;
        auto* label = new QLabel(fromUtf8(m_logic.optionText(i)), this);
        label->setObjectName(
            i == 0 ? QStringLiteral("Label2") : QStringLiteral("lblSelect%1").arg(i));
        label->setWordWrap(true);
        // A click on the text chooses its option, as on a radio button's own caption.
        label->installEventFilter(this);
        m_labels[at] = label;
    }
    m_cmdOk = new QPushButton(fromUtf8(texts::OkButton), this);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setDefault(true);
    m_cmdCancel = new QPushButton(fromUtf8(texts::CancelButton), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(m_cmdOk, &QPushButton::clicked, this, &LongMessageWindow::ok);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void LongMessageWindow::buildLayout()
{
    auto* options = new QGridLayout;
    for (int i = 0; i < m_logic.optionCount(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        options->addWidget(m_optSelect[at], i, 0, Qt::AlignTop);
        options->addWidget(m_labels[at], i, 1);
    }
    options->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblPrompt);
    layout->addLayout(options);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(480);
}

void LongMessageWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOverOwner(this);
    step([this] { m_logic.activate(); });
    m_lblPrompt->setText(fromUtf8(m_logic.prompt()));
    showOptions();
}

bool LongMessageWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        for (std::size_t i = 0; i < m_labels.size(); ++i) {
            if (m_labels[i] && watched == m_labels[i] && m_optSelect[i]->isEnabled())
                m_optSelect[i]->setChecked(true);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void LongMessageWindow::step(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const ModelFailure&) {
        m_failure = std::current_exception();
        reject();
    } catch (const std::exception&) {
    }
}

void LongMessageWindow::showOptions()
{
    for (int i = 0; i < m_logic.optionCount(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        m_optSelect[at]->setEnabled(m_logic.available(i));
        m_labels[at]->setEnabled(m_logic.available(i));
        if (i == m_logic.chosen())
            m_optSelect[at]->setChecked(true);
    }
}

void LongMessageWindow::ok()
{
    // A failing step leaves the message as it was and closes the dialog all the same.
    bool closes = true;
    step([&] { closes = m_logic.ok(); });
    if (m_failure)
        return;
    if (closes)
        accept();
}

bool showLongMessageChooser(QWidget* parent, EditorSession& session, ScrollDialogs dialogs)
{
    LongMessageWindow window(session, parent, std::move(dialogs));
    window.exec();
    if (window.failure())
        std::rethrow_exception(window.failure());
    return window.logic().changed();
}

} // namespace marquis::qt
