#pragma once

#include "files/editorsession.h"
#include "files/preferencesdialog.h"
#include "ui/dialogs/widgets/helprequest.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QRadioButton;

namespace marquis::qt {

// frmPref, "Preferences": the script editor, the placeholder character and the control-code
// delimiters of the session's preferences. "&Help" opens the guide at its Preferences section
// through `help`.
class PreferencesWindow : public QDialog {
    Q_OBJECT

public:
    PreferencesWindow(EditorSession& session, QWidget* parent = nullptr, HelpRequest help = {});

    // What the controls hold now.
    PreferencesForm form() const;
    // What OK did; no value until OK was pressed.
    const std::optional<PreferencesApplied>& applied() const { return m_applied; }

public slots:
    void ok();
    void browse();
    void help();

private:
    void load(const PreferencesForm& form);

    EditorSession& m_session;
    HelpRequest m_help;
    std::optional<PreferencesApplied> m_applied;
    QRadioButton* m_internal;
    QRadioButton* m_external;
    QLineEdit* m_editorPath;
    QLineEdit* m_placeholder;
    QLineEdit* m_start;
    QLineEdit* m_stop;
};

} // namespace marquis::qt
