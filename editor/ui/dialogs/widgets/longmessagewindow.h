#pragma once

#include "files/editorsession.h"
#include "ui/dialogs/longmessage.h"

#include <QDialog>
#include <array>
#include <exception>
#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;

namespace marquis::qt {

// frmSelect, "Select": what becomes of a line that is about to be, or no longer is, longer than
// a display line. The options forward to LongMessageChooser; a form that needs a scroll dialog
// reaches it through `dialogs`.
class LongMessageWindow : public QDialog {
    Q_OBJECT

public:
    LongMessageWindow(
        EditorSession& session, QWidget* parent = nullptr, ScrollDialogs dialogs = {});

    const LongMessageChooser& logic() const { return m_logic; }
    // A failure of the message model while the dialog was open, for the program's common report.
    std::exception_ptr failure() const { return m_failure; }

public slots:
    void ok();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildLayout();
    // Runs a handler of the logic; failures other than the model's are passed over.
    void step(const std::function<void()>& handler);
    void showOptions();

    EditorSession& m_session;
    LongMessageChooser m_logic;
    std::exception_ptr m_failure;

    QLabel* m_lblPrompt = nullptr;
    std::array<QRadioButton*, 4> m_optSelect {};
    std::array<QLabel*, 4> m_labels {}; // Label2, then lblSelect1..3
    QPushButton* m_cmdOk = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};

// Shows the chooser over `parent` for the session's current line; true when it changed the
// message.
bool showLongMessageChooser(QWidget* parent, EditorSession& session, ScrollDialogs dialogs = {});

} // namespace marquis::qt
