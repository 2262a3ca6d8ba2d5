#pragma once

#include "files/editorsession.h"
#include "ui/dialogs/blink.h"
#include "ui/dialogs/widgets/helprequest.h"

#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

namespace marquis::qt {

class BlinkEditor;

// frmBlink, "Blink on line  N": which characters of the current line blink and how fast. The
// controls forward to BlinkDialog and show what it holds; OK writes the line into the
// session's message. "&Help" opens the guide at its Blink section through `help`.
class BlinkWindow : public QDialog {
    Q_OBJECT

public:
    BlinkWindow(EditorSession& session, QWidget* parent = nullptr, HelpRequest help = {});
    ~BlinkWindow() override;

    const BlinkDialog& logic() const { return *m_logic; }

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
    // The line with its blinking runs and the highlight.
    void showLine();
    void showHighlight();
    void showControls();
    void selectionMoved();

    EditorSession& m_session;
    HelpRequest m_help;
    std::unique_ptr<BlinkDialog> m_logic;

    QRadioButton* m_optOn = nullptr;
    QRadioButton* m_optOff = nullptr;
    BlinkEditor* m_txtEdit = nullptr;
    QPushButton* m_cmdSecOn = nullptr;
    QPushButton* m_cmdSecOff = nullptr;
    QPushButton* m_cmdClear = nullptr;
    QPushButton* m_cmdAllOn = nullptr;
    QPushButton* m_cmdAllOff = nullptr;
    QSlider* m_hsbBlink = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_lblRate = nullptr;
    QLabel* m_lblBlink = nullptr;
    QPushButton* m_cmdOk = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    QTimer* m_timer = nullptr;
};

} // namespace marquis::qt
