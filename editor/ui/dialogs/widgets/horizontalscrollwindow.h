#pragma once

#include "files/editorsession.h"
#include "ui/dialogs/horizontalscroll.h"
#include "ui/dialogs/widgets/helprequest.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

namespace marquis::qt {

// frmScroll, "Horizontal scroll on line  N": how the current line scrolls, how often and how
// fast. The controls forward to HorizontalScrollDialog and show what it holds; OK writes the
// session's message when its checks pass. "&Help" opens the guide through `help`.
class HorizontalScrollWindow : public QDialog {
    Q_OBJECT

public:
    HorizontalScrollWindow(EditorSession& session, QWidget* parent = nullptr, HelpRequest help = {});

    const HorizontalScrollDialog& logic() const { return m_logic; }
    // After OK: Off was chosen for a long line, and the long-message chooser is to decide what
    // becomes of it.
    bool longFormToChoose() const { return m_chooseLongForm; }

public slots:
    void ok();
    void help();
    void tick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildLayout();
    void connectControls();
    // Runs a handler of the logic, then shows what it changed.
    void act(const std::function<void()>& handler);
    void showControls();

    EditorSession& m_session;
    HelpRequest m_help;
    HorizontalScrollDialog m_logic;
    bool m_chooseLongForm = false;

    QRadioButton* m_optYes = nullptr;
    QRadioButton* m_optBlock = nullptr;
    QRadioButton* m_optNo = nullptr;
    QRadioButton* m_optRepeat = nullptr;
    QLineEdit* m_txtRepeat = nullptr;
    QLabel* m_lblRepeat = nullptr;
    QRadioButton* m_optNonstop = nullptr;
    QCheckBox* m_chkLock = nullptr;
    QSlider* m_hsbRate = nullptr;
    QLabel* m_lblSpeed = nullptr;
    QLineEdit* m_txtSample = nullptr;
    QPushButton* m_cmdOk = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    QTimer* m_timer = nullptr;
};

// Shows the dialog modally over `parent`; true when the user confirmed it with OK. When OK
// chose Off for a long line, `chooseLongForm` (when given) runs after the dialog has closed.
bool showHorizontalScrollDialog(QWidget* parent, EditorSession& session, HelpRequest help = {},
    const std::function<void()>& chooseLongForm = {});

} // namespace marquis::qt
