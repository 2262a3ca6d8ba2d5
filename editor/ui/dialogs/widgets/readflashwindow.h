#pragma once

#include "build/readflash.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace marquis::qt {

// frmReadFlash, "Read / Program Flash": reads the unit's flash into a binary file or programs
// it from one. It stays open while a command runs.
class ReadFlashWindow : public QDialog {
    Q_OBJECT

public:
    ReadFlashWindow(EditorSession& session, ToolRunner& tools, QWidget* parent = nullptr);

    ReadFlashDialog& logic() { return m_logic; }

public slots:
    void readFlash();
    void programFlash();
    // "&Close" and Escape: the window closes unless a command is running.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void runCommand(void (ReadFlashDialog::*command)());
    void updateButtons();

    EditorSession& m_session;
    ReadFlashDialog m_logic;
    QPushButton* m_program;
    QPushButton* m_read;
    QPushButton* m_close;
    QLabel* m_status;
    QLabel* m_elapsed;
};

} // namespace marquis::qt
