#pragma once

#include "files/editorsession.h"
#include "ui/dialogs/variables.h"
#include "ui/dialogs/widgets/helprequest.h"

#include <QDialog>
#include <exception>
#include <functional>
#include <map>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTextEdit;

namespace marquis::qt {

// frmVar, "Variables": assigns variables to the placeholder runs of the current line. The text
// is read-only; the user highlights placeholders in it and double-clicks a variable of the
// table. OK keeps the line; every other way out puts it back as it was.
class VariablesWindow : public QDialog {
    Q_OBJECT

public:
    VariablesWindow(EditorSession& session, QWidget* parent = nullptr, HelpRequest help = {});

    const VariablesDialog& logic() const { return m_dialog; }
    // A failure of the message model that closed the dialog, for the program's common report.
    std::exception_ptr failure() const { return m_failure; }

public slots:
    void ok();
    void reject() override;
    void help();
    void clear();
    void cellClicked(int row, int column);
    void cellDoubleClicked(int row, int column);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(const std::function<void()>& handler);
    void showText();
    void showState();
    // The text box's highlight in editor positions.
    EditorSpan highlight() const;

    EditorSession& m_session;
    VariablesDialog m_dialog;
    HelpRequest m_help;
    QGroupBox* m_lineFrame;
    QTextEdit* m_text;
    QTableWidget* m_table;
    QGroupBox* m_fillFrame;
    QRadioButton* m_on;
    QRadioButton* m_off;
    QRadioButton* m_zero;
    QRadioButton* m_space;
    QPushButton* m_clear;
    QLabel* m_status;
    QLabel* m_statusLine;
    std::map<QObject*, VariablesControl> m_controls; // the controls with a help text
    std::exception_ptr m_failure;
};

// Shows the dialog for the current line; true when the user left it with OK. A failure while
// it opens leaves as an exception for the caller's report.
bool showVariablesDialog(QWidget* parent, EditorSession& session, HelpRequest help = {});

} // namespace marquis::qt
