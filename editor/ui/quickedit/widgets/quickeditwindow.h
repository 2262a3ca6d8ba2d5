#pragma once

#include "build/programmenu.h"
#include "build/serialdevices.h"
#include "build/toolrunner.h"
#include "build/unitcommands.h"
#include "files/editorsession.h"
#include "files/preferencesdialog.h"
#include "model/modelfailure.h"
#include "ports/processport.h"
#include "ports/userinterface.h"
#include "ui/dialogs/widgets/helprequest.h"
#include "ui/quickedit/platform.h"
#include "ui/quickedit/quickeditstate.h"
#include "ui/quickedit/quickeditview.h"
#include "ui/quickedit/scriptedit.h"

#include <QMainWindow>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace marquis::qt {

class HelpWindow;
class LedDisplay;
class NumberScrollBar;
class RichLineEdit;
class WindowPrinting;
class ScriptTextEdit;

// frmQuick, the Quick Edit window. It builds the controls under their names, forwards every
// event to QuickEditState and does what the logic asks of it as its view. It is also the user
// port of the program: message boxes, input boxes, file dialogs, the status line, the busy
// pointer and the caption.
class QuickEditWindow : public QMainWindow,
                        public QuickEditView,
                        public ScriptTextView,
                        public UserInterface {
    Q_OBJECT
public:
    QuickEditWindow(Platform& platform, ProcessPort& processes, QWidget* parent = nullptr);
    ~QuickEditWindow() override;

    // Binds the window to its session and runs the window's load. The preferences are written
    // to `settingsFile` when the window closes (not when it is empty).
    void start(EditorSession& session, std::filesystem::path settingsFile = {});
    // Opens a script file named on the command line, after start(), as File > Open would.
    void openGivenFile(const std::string& path);

    // Edit > Preferences..., with its Help on the help window; at the first start it runs
    // before the window's load.
    std::optional<PreferencesApplied> showPreferences(EditorSession& session);

    // Where Program > Serial ports... and the COM items find the machine's serial devices; the
    // system's enumeration unless set (tests put a list of their own here).
    void setSerialDevices(SerialDeviceList& devices) { m_serialDevices = &devices; }

    QuickEditState* state() const { return m_state.get(); }
    ScriptEdit* scriptEdit() const { return m_scriptEdit.get(); }
    HelpWindow* helpWindow() const { return m_help.get(); }
    QAction* action(const QString& name) const;
    // The exit code the program should end with: 1 after the fatal-error path.
    int exitCode() const { return m_exitCode; }

    // QuickEditView
    void setCaption(std::string_view control, std::string_view caption) override;
    void setText(std::string_view control, std::string_view text) override;
    void setValue(std::string_view control, int value) override;
    void setEnabled(std::string_view control, bool enabled) override;
    void setVisible(std::string_view control, bool visible) override;
    void setReadOnly(std::string_view control, bool readOnly) override;
    void setFocus(std::string_view control) override;
    void setRecentFiles(const std::vector<std::string>& paths) override;
    void setTimer(std::string_view timer, bool running, int intervalMs) override;
    bool hasDialog(DialogKind dialog) override;
    bool openDialog(DialogKind dialog) override;
    void endProgram() override;
    EditorState editorState() override;
    void setEditorRichText(std::string_view rich) override;
    void widenSelectionToWholeVariables() override;
    std::string selectedRichText() override;
    void replaceSelectedRichText(std::string_view rich) override;
    void setEditorCentred(bool centred) override;
    void setTypingPlain() override;
    void insertBlockBreak() override;
    void moveCaretToEnd() override;
    void scrollEditorRows(int rows) override;
    void showEditorRow(int row) override;
    bool editorHasSelection(TextEditor editor) override;
    bool editorCanUndo(TextEditor editor) override;
    void undoEditor(TextEditor editor) override;
    void redoEditor(TextEditor editor) override;
    std::string editorSelectedText(TextEditor editor) override;
    void deleteEditorSelection(TextEditor editor) override;
    void pasteIntoEditor(TextEditor editor) override;
    bool clipboardHasText() override;
    void setClipboardText(std::string_view text) override;

    // ScriptTextView
    void selectScript(std::size_t start, std::size_t end) override;

    // UserInterface
    Answer message(std::string_view text, Buttons buttons, Icon icon, Answer defaultAnswer,
        std::string_view title = {}) override;
    std::optional<std::string> inputBox(
        std::string_view prompt, std::string_view title, std::string_view initial) override;
    std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest&) override;
    std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest&) override;
    void status(std::string_view text) override;
    void busy(bool on) override;
    void pumpEvents() override;
    void caption(std::string_view text) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs a handler of the logic. A failure that escapes it ends in ReportFatalError, named
    // after the model procedure, or else after `procedure`.
    template <typename Body> void forward(const char* procedure, Body&& body);

    void buildControls();
    void buildLayout();
    void buildMenus();
    void buildFileMenu();
    void buildPrintItems();
    WindowPrinting& printing();
    void buildEditMenu();
    void buildProgramMenu();
    void buildAdvancedMenu();
    void buildHelpMenu();
    EditTarget editTarget() const;
    // Runs `use` on txtEdit or txtAdvEdit.
    template <typename Use> auto onEditor(TextEditor editor, Use use);
    void connectControls();
    QAction* addAction(QMenu* menu, const QString& name, const QString& caption);
    void watch(QWidget* control);

    // After a file or a setting changed what the window shows.
    void messageReplaced();
    void unitTypeChanged();
    void showLineRange();
    void refreshProgramMenu();
    void refreshSyntaxCheck();
    void writeSettings(const Preferences& preferences);
    void makeHelpWindow(const EditorSession& session);
    void showHelp(int context);
    HelpRequest dialogHelp();
    void showHelpTopic(bool (HelpWindow::*topic)());
    void reportMissingHelp(UserInterface& ui);

    bool editorKeyPress(QKeyEvent* event);
    bool numberBoxKeyPress(QLineEdit* box, QKeyEvent* event);
    bool leaveNumberBox(QLineEdit* box);

    Platform& m_platform;
    ProcessPort& m_processes;
    EditorSession* m_session = nullptr;
    std::unique_ptr<QuickEditState> m_state;
    std::unique_ptr<ScriptEdit> m_scriptEdit;
    std::unique_ptr<ToolRunner> m_tools;
    std::unique_ptr<ProgramMenu> m_programMenu;
    std::unique_ptr<UnitCommands> m_unitCommands;
    std::unique_ptr<HelpWindow> m_help;
    std::unique_ptr<WindowPrinting> m_printing;
    SystemSerialDevices m_systemSerialDevices;
    SerialDeviceList* m_serialDevices = &m_systemSerialDevices;
    std::filesystem::path m_settingsFile;
    bool m_busy = false;
    bool m_validating = false;
    int m_exitCode = 0;

    QLineEdit* m_txtMsg = nullptr;
    QLineEdit* m_txtLine = nullptr;
    QLineEdit* m_txtTask = nullptr;
    NumberScrollBar* m_vsbMsg = nullptr;
    NumberScrollBar* m_vsbLine = nullptr;
    NumberScrollBar* m_vsbTask = nullptr;
    QLabel* m_lblLine = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    RichLineEdit* m_txtEdit = nullptr;
    ScriptTextEdit* m_txtAdvEdit = nullptr;
    QGroupBox* m_lineFrame = nullptr;
    QGroupBox* m_displayAttributes = nullptr;
    QGroupBox* m_displayFrame = nullptr;
    LedDisplay* m_display = nullptr;
    QLabel* m_lblAttribute = nullptr;
    QLabel* m_lblStatBar = nullptr;
    std::map<std::string, QPushButton*, std::less<>> m_buttons;
    QTimer* m_timer1 = nullptr;
    QTimer* m_timer2 = nullptr;

    QMenu* m_fileMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_programMenuWidget = nullptr;
    QMenu* m_advancedMenu = nullptr;
    QAction* m_recentSeparator = nullptr;
    QAction* m_exitAction = nullptr;
    std::vector<QAction*> m_recentActions;
};

template <typename Body> void QuickEditWindow::forward(const char* procedure, Body&& body)
{
    if (!m_state || m_state->ended())
        return;
    try {
        body();
    } catch (const ModelFailure& failure) {
        m_state->ReportFatalError(failure.procedure());
    } catch (const std::exception&) {
        m_state->ReportFatalError(procedure);
    }
}

} // namespace marquis::qt
