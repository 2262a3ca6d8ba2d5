#pragma once

#include "files/editorsession.h"
#include "ui/dialogs/verticalscroll.h"
#include "ui/dialogs/widgets/helprequest.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

namespace marquis::qt {

// frmWait, "Vertical scroll ": the whole message scrolled up the display block by block. The
// controls forward to VerticalScrollDialog and show what it holds; OK writes the result into
// the session's message. "&Help" opens the guide at its Vertical scroll section through `help`.
class VerticalScrollWindow : public QDialog {
    Q_OBJECT

public:
    VerticalScrollWindow(EditorSession& session, QWidget* parent = nullptr, HelpRequest help = {});
    ~VerticalScrollWindow() override;

    const VerticalScrollDialog& logic() const { return *m_logic; }
    // Whether OK closed the dialog to leave the current line's blocks to the long-message
    // chooser.
    bool chooserWanted() const { return m_chooserWanted; }

public slots:
    void ok();
    void help();
    // One tick of the preview timer.
    void tick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void buildControls();
    void buildLayout();
    void connectControls();
    // Runs a handler of the logic, then shows what it changed.
    void act(const std::function<void()>& handler);
    void showControls();

    EditorSession& m_session;
    HelpRequest m_help;
    std::unique_ptr<VerticalScrollDialog> m_logic;
    bool m_chooserWanted = false;

    QLabel* m_label1 = nullptr;
    QRadioButton* m_optOn = nullptr;
    QRadioButton* m_optOff = nullptr;
    QRadioButton* m_optRepeat = nullptr;
    QLineEdit* m_txtRepeat = nullptr;
    QLabel* m_lblRepeat = nullptr;
    QRadioButton* m_optNonstop = nullptr;
    QCheckBox* m_chkLock = nullptr;
    QSlider* m_hsbRate = nullptr;
    QLabel* m_lblSpeed = nullptr;
    std::array<QLabel*, 2> m_lblSample {};
    QPushButton* m_cmdOk = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    QTimer* m_timer = nullptr;
};

// Shows the dialog for the current message; true when the user left it with OK and the
// message changed. When OK hands the current line's blocks on, `chooser` (the long-message
// chooser) decides, and its answer is returned. A failure while the dialog opens leaves as an
// exception for the caller's report.
bool showVerticalScrollDialog(QWidget* parent, EditorSession& session, HelpRequest help = {},
    const std::function<bool()>& chooser = {});

} // namespace marquis::qt
