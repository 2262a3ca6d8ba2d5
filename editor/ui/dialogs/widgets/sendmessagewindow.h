#pragma once

#include "files/editorsession.h"
#include "ui/dialogs/sendmessage.h"
#include "ui/dialogs/widgets/helprequest.h"

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace marquis::qt {

class SendTextEdit;

// frmSend, "Send": what the current message sends out of the unit's serial port. The controls
// forward to SendMessageDialog; the message changes only on "&OK".
class SendMessageWindow : public QDialog {
    Q_OBJECT

public:
    SendMessageWindow(EditorSession& session, QWidget* parent = nullptr, HelpRequest help = {});
    ~SendMessageWindow() override;

    // The send button's caption after OK; no value until OK closed the dialog.
    const std::optional<std::string>& sendCaption() const { return m_sendCaption; }

public slots:
    void ok();
    void help();
    void clear();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(SendChoice choice);
    void applyChoice();
    void centre(bool horizontally);
    void chooseCell(int row, int column);
    void insertCell(int row, int column);
    void textClicked();
    bool backspaceAllowed();
    // The text box's contents for the logic, and the logic's back into the box.
    SendTextBox box() const;
    void showBox(const SendTextBox& box);
    // Runs one step of the dialog, reporting a failure as the module's error.
    template <typename Step> void guarded(Step&& step);

    EditorSession& m_session;
    SendMessageDialog m_logic;
    HelpRequest m_help;
    std::optional<std::string> m_sendCaption;
    QRadioButton* m_optOff;
    QRadioButton* m_optOn;
    QRadioButton* m_optSlave;
    QWidget* m_textPart;
    SendTextEdit* m_txtSend;
    QLabel* m_label1;
    QTableWidget* m_grdSend;
    QLabel* m_lblSend;
    QPushButton* m_cmdClear;
};

} // namespace marquis::qt
