#pragma once

#include "files/editorsession.h"
#include "ui/dialogs/startmessage.h"
#include "ui/dialogs/widgets/helprequest.h"

#include <QDialog>
#include <array>
#include <map>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace marquis::qt {

class NumberScrollBar;

// frmStart, "Current msg N": the messages the current message starts. The controls of row n
// (1 to 4) carry the row in their object names: Frame1, txtStart1, vsbStart1, optTop1, optEnd1,
// lblPlace1 and so on. OK writes the session's start lists when its checks pass; every other
// way of closing the dialog (Cancel, Escape, the window's close button) changes nothing.
// "&Help" opens the guide at its start-message section through `help`.
class StartMessageWindow : public QDialog {
    Q_OBJECT

public:
    StartMessageWindow(EditorSession& session, QWidget* parent = nullptr, HelpRequest help = {});

    const StartMessageDialog& logic() const { return m_logic; }

public slots:
    void ok();
    void clear();
    void help();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    struct RowControls {
        QGroupBox* frame = nullptr;
        QLineEdit* txtStart = nullptr;
        NumberScrollBar* vsbStart = nullptr;
        QRadioButton* optTop = nullptr;
        QRadioButton* optEnd = nullptr;
    };

    void buildRow(int row);
    // Runs one handler of the logic, then shows the state it left in the controls.
    template <typename Step> void handle(Step&& step);
    void showState();
    void watch(QWidget* control, StartControl kind);

    EditorSession& m_session;
    StartMessageDialog m_logic;
    HelpRequest m_help;
    std::array<RowControls, StartRows> m_rows {};
    QRadioButton* m_optOn = nullptr;
    QRadioButton* m_optOff = nullptr;
    QLabel* m_status = nullptr;
    bool m_showing = false; // showState is putting the logic's state into the controls
    std::map<const QObject*, StartControl> m_controls; // the status text each control shows
};

} // namespace marquis::qt
