// The Quick Edit window's menus: File, Edit, Program, Advanced and Help.
#include "build/serialdevices.h"
#include "files/filesystem.h"
#include "files/paths.h"
#include "preview/messagepreview.h"
#include "ui/controls/leddisplay.h"
#include "ui/controls/numberscrollbar.h"
#include "ui/controls/richlineedit.h"
#include "ui/controls/windows1252codec.h"
#include "ui/dialogs/widgets/dialogs.h"
#include "ui/quickedit/widgets/helpwindow.h"
#include "ui/quickedit/widgets/quickeditwindow.h"
#include "ui/quickedit/widgets/scripttextedit.h"
#include "ui/quickedit/widgets/startupfiles.h"
#include "ui/quickedit/widgets/windowprinting.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <tuple>

namespace marquis::qt {
namespace {

constexpr int QuickEditHelp = 200;
constexpr int ScriptingLanguageHelp = 4300;

QString menuText(const std::string& utf8)
{
    QString text = fromUtf8(utf8);
    return text.replace('&', "&&");
}

} // namespace

QAction* QuickEditWindow::addAction(QMenu* menu, const QString& objectName, const QString& text)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(objectName);
    return action;
}

void QuickEditWindow::buildMenus()
{
    buildFileMenu();
    buildEditMenu();
    buildProgramMenu();
    buildAdvancedMenu();
    buildHelpMenu();
}

void QuickEditWindow::buildFileMenu()
{
    m_fileMenu = menuBar()->addMenu("&File");
    m_fileMenu->setObjectName("mnuFile");
    QAction* fileNew = addAction(m_fileMenu, "mnuFileNew", "&New");
    fileNew->setShortcut(QKeySequence::New);
    connect(fileNew, &QAction::triggered, this, [this] {
        forward("FileNew", [&] {
            m_session->FileNew();
            messageReplaced();
        });
    });
    QAction* open = addAction(m_fileMenu, "mnuFileOpen", "&Open...");
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, [this] {
        forward("FileOpen", [&] {
            if (m_session->FileOpen())
                messageReplaced();
        });
    });
    QAction* save = addAction(m_fileMenu, "mnuFileSave", "&Save");
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, [this] {
        forward("FileSave", [&] {
            m_session->Save();
            refreshProgramMenu();
        });
    });
    connect(
        addAction(m_fileMenu, "mnuFileSaveAs", "Save &As..."), &QAction::triggered, this, [this] {
            forward("FileSaveAs", [&] {
                m_session->SaveAs();
                refreshProgramMenu();
            });
        });
    // The current message played on the panel, saved as an animated GIF.
    connect(addAction(m_fileMenu, "mnuFileExportPreview", "&Export preview..."),
        &QAction::triggered, this, [this] {
            forward("ExportPreview", [&] {
                DiskFileSystem disk;
                const std::string& script = m_session->store().ScriptFilePath;
                exportPreview(m_session->message(), m_session->ui(), disk,
                    script.empty() ? m_session->folders().program : folderOf(script));
            });
        });
    m_fileMenu->addSeparator();
    buildPrintItems();
    m_recentSeparator = m_fileMenu->addSeparator();
    m_recentSeparator->setVisible(false);
    m_fileMenu->addSeparator();
    m_exitAction = addAction(m_fileMenu, "mnuFileExit", "E&xit");
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);
}

// "&Print..." and the preview offer every message, as message text only or as complete script;
// both are enabled, when the File menu opens, while a file is open or the editor has content.
void QuickEditWindow::buildPrintItems()
{
    const auto modes = [this](QMenu* menu, const QString& name, auto run) {
        menu->menuAction()->setObjectName(name);
        menu->menuAction()->setEnabled(false);
        for (const auto& [suffix, text, mode] :
            { std::tuple { "Text", "Message &Text Only", PrintMode::TextOnly },
                { "Script", "Complete &Script", PrintMode::Complete } })
            connect(addAction(menu, name + suffix, text), &QAction::triggered, this,
                [this, run, mode = mode] { forward("Print", [&] { run(mode); }); });
    };
    modes(m_fileMenu->addMenu("&Print..."), "mnuFilePrint",
        [this](PrintMode mode) { printing().printAll(mode); });
    modes(m_fileMenu->addMenu("Print Pre&view"), "mnuFilePreview",
        [this](PrintMode mode) { printing().previewAll(mode); });
    connect(addAction(m_fileMenu, "mnuFilePrintCurrent", "Print Current &Message..."),
        &QAction::triggered, this,
        [this] { forward("Print", [&] { printing().printCurrentMessage(); }); });
    connect(addAction(m_fileMenu, "mnuFilePrintSetup", "P&rint Setup..."), &QAction::triggered,
        this, [this] { forward("Print", [&] { printing().setup(); }); });
    connect(m_fileMenu, &QMenu::aboutToShow, this, [this] {
        forward("mnuFile", [&] {
            const bool available = printing().available();
            action("mnuFilePrint")->setEnabled(available);
            action("mnuFilePreview")->setEnabled(available);
        });
    });
}

WindowPrinting& QuickEditWindow::printing()
{
    if (!m_printing)
        m_printing = std::make_unique<WindowPrinting>(this, *m_session);
    return *m_printing;
}

// The items are made once and only relabelled: the list changes while one of them is being
// chosen, and each opens the entry it shows.
void QuickEditWindow::setRecentFiles(const std::vector<std::string>& paths)
{
    while (m_recentActions.size() < paths.size()) {
        const std::size_t i = m_recentActions.size();
        auto* item = new QAction(m_fileMenu);
        item->setObjectName(QString("mnuFileRecent%1").arg(i + 1));
        // After the items already there, before the separator above Exit.
        const QList<QAction*> items = m_fileMenu->actions();
        m_fileMenu->insertAction(items.at(items.indexOf(m_exitAction) - 1), item);
        connect(item, &QAction::triggered, this, [this, i] {
            forward("FileOpen", [&] {
                if (m_session->openRecentFile(i))
                    messageReplaced();
            });
        });
        m_recentActions.push_back(item);
    }
    for (std::size_t i = 0; i < m_recentActions.size(); ++i) {
        QAction* item = m_recentActions[i];
        item->setVisible(i < paths.size());
        item->setText(i < paths.size() ? menuText(paths[i]) : QString());
    }
    m_recentSeparator->setVisible(!paths.empty());
}

void QuickEditWindow::buildEditMenu()
{
    m_editMenu = menuBar()->addMenu("&Edit");
    m_editMenu->setObjectName("mnuEdit");
    // The items work on the focused editor; their states are set each time the menu opens, and
    // each command checks them again, as a shortcut may come in between.
    const auto command = [&](const char* objectName, const char* text,
                             QKeySequence::StandardKey key,
                             void (QuickEditState::*run)(EditTarget)) {
        QAction* item = addAction(m_editMenu, objectName, text);
        item->setShortcuts(key);
        item->setEnabled(false);
        connect(item, &QAction::triggered, this, [this, objectName, run] {
            forward(objectName, [&] { (m_state.get()->*run)(editTarget()); });
        });
    };
    command("mnuEditUndo", "&Undo", QKeySequence::Undo, &QuickEditState::Undo);
    command("mnuEditCut", "Cu&t", QKeySequence::Cut, &QuickEditState::Cut);
    command("mnuEditCopy", "&Copy", QKeySequence::Copy, &QuickEditState::Copy);
    command("mnuEditPaste", "&Paste", QKeySequence::Paste, &QuickEditState::Paste);
    QAction* remove = addAction(m_editMenu, "mnuEditDelete", "&Delete message");
    remove->setEnabled(false);
    connect(remove, &QAction::triggered, this,
        [this] { forward("DeleteMessage", [&] { m_state->DeleteMessage(); }); });
    m_editMenu->addSeparator();
    connect(addAction(m_editMenu, "mnuEditPreferences", "P&references..."), &QAction::triggered,
        this, [this] {
            forward("Preferences", [&] {
                const std::optional<PreferencesApplied> applied = showPreferences(*m_session);
                if (applied && applied->refreshDisplay) {
                    m_state->ShowEdit(m_state->currentLine());
                    m_state->UpdateSimulation();
                }
            });
        });
    connect(m_editMenu, &QMenu::aboutToShow, this,
        [this] { forward("mnuEdit", [&] { m_state->EditMenuOpened(editTarget()); }); });
}

// The editor the Edit menu works on: the one that has (or last had) the window's focus.
EditTarget QuickEditWindow::editTarget() const
{
    const QWidget* focused = focusWidget();
    if (focused == m_txtEdit)
        return EditTarget::LineEditor;
    if (focused == m_txtAdvEdit)
        return EditTarget::ScriptText;
    return EditTarget::Other;
}

void QuickEditWindow::buildProgramMenu()
{
    QMenu* menu = m_programMenuWidget = menuBar()->addMenu("&Program");
    menu->setObjectName("mnuProgram");
    // The check works on the script text, so it is there while that text has the focus.
    QAction* syntax = addAction(menu, "mnuPrgSyntax", "&Syntax check");
    syntax->setEnabled(false);
    connect(syntax, &QAction::triggered, this, [this] {
        forward("SyntaxCheck", [&] { m_scriptEdit->SyntaxCheckCommand(); });
        refreshSyntaxCheck();
    });
    connect(qApp, &QApplication::focusChanged, this, [this] { refreshSyntaxCheck(); });
    menu->addSeparator();
    connect(addAction(menu, "mnuPrgCompile", "&Compile..."), &QAction::triggered, this, [this] {
        forward(
            "Compile", [&] { showResultWindow(this, *m_session, *m_tools, m_processes, true); });
        refreshProgramMenu();
    });
    connect(addAction(menu, "mnuPrgProgram", "&Program..."), &QAction::triggered, this, [this] {
        forward(
            "Program", [&] { showResultWindow(this, *m_session, *m_tools, m_processes, false); });
    });
    menu->addSeparator();

    const auto choices = [&](const std::vector<std::pair<QString, QString>>& items, auto choose) {
        auto* group = new QActionGroup(menu);
        for (const auto& [objectName, text] : items) {
            QAction* item = addAction(menu, objectName, text);
            item->setCheckable(true);
            group->addAction(item);
            connect(item, &QAction::triggered, this, [this, choose, text = text] {
                forward("ProgramMenu", [&] { choose(QString(text).remove('&').toStdString()); });
                // A choice the user took back leaves the check mark on the setting kept.
                refreshProgramMenu();
            });
        }
        menu->addSeparator();
    };
    choices({ { "mnuPrgVersion1", "&Version 1" }, { "mnuPrgVersion2", "Versio&n 2" } },
        [this](const std::string& text) { m_programMenu->setVersion(text.substr(8)); });
    choices(
        { { "mnuPrg5320", "53&20" }, { "mnuPrg5360", "53&60" } }, [this](const std::string& text) {
            m_programMenu->setModel(text);
            unitTypeChanged();
            m_state->ShowEdit(m_state->currentLine());
            m_state->UpdateSimulation();
        });
    connect(addAction(menu, "mnuPrgAddress", "&Address 0..."), &QAction::triggered, this,
        [this] { forward("Address", [&] { m_programMenu->askAddress(); }); });
    menu->addSeparator();
    choices({ { "mnuPrgCom1", "COM &1" }, { "mnuPrgCom2", "COM &2" }, { "mnuPrgCom3", "COM &3" },
                { "mnuPrgCom4", "COM &4" } },
        [this](const std::string& text) { m_programMenu->setPort(text.substr(4)); });
    // Alt+S is Syntax check's.
    connect(addAction(menu, "mnuPrgSerialPorts", "Se&rial ports..."), &QAction::triggered, this,
        [this] {
            forward("Ports", [&] {
                if (showSerialPortsDialog(this, *m_session, *m_serialDevices, dialogHelp()))
                    refreshProgramMenu();
            });
        });

    QMenu* baud = menu->addMenu("&Baud rate");
    baud->setObjectName("mnuPrgBaud");
    auto* rates = new QActionGroup(baud);
    for (const char* rate : ProgramMenu::BaudRates) {
        QAction* item = addAction(baud, QString("mnuPrgBaud%1").arg(rate), rate);
        item->setCheckable(true);
        rates->addAction(item);
        connect(item, &QAction::triggered, this,
            [this, rate] { forward("BaudRate", [&] { m_programMenu->setBaudRate(rate); }); });
    }
    connect(menu, &QMenu::aboutToShow, this, [this] {
        refreshProgramMenu();
        refreshSyntaxCheck();
        status(ProgramMenu::OpenedStatus);
    });
}

// Checks and captions of the Program menu from the settings.
void QuickEditWindow::refreshProgramMenu()
{
    if (!m_session)
        return;
    const Preferences& preferences = m_session->preferences();
    action("mnuPrgVersion1")->setChecked(preferences.ScriptVersion == "1");
    action("mnuPrgVersion2")->setChecked(preferences.ScriptVersion == "2");
    action("mnuPrg5320")->setChecked(preferences.UnitType == "5320");
    action("mnuPrg5360")->setChecked(preferences.UnitType == "5360");
    action("mnuPrgAddress")->setText(fromUtf8(m_programMenu->addressCaption()));
    const std::vector<SerialDevice> devices = m_serialDevices->devices();
    for (int port = 1; port <= 4; ++port) {
        QAction* item = action(QString("mnuPrgCom%1").arg(port));
        item->setChecked(preferences.ComPort == std::to_string(port));
        item->setText(fromUtf8(m_programMenu->comPortCaption(port, devices)));
    }
    for (const char* rate : ProgramMenu::BaudRates)
        action(QString("mnuPrgBaud%1").arg(rate))->setChecked(preferences.BaudRate == rate);
    forward(
        "Program", [&] { action("mnuPrgProgram")->setEnabled(m_programMenu->programEnabled()); });
}

void QuickEditWindow::refreshSyntaxCheck()
{
    if (QAction* syntax = action("mnuPrgSyntax"))
        syntax->setEnabled(focusWidget() == m_txtAdvEdit && m_txtAdvEdit->isEnabled() &&
            m_scriptEdit && !m_scriptEdit->busy());
}

void QuickEditWindow::buildAdvancedMenu()
{
    m_advancedMenu = menuBar()->addMenu("&Advanced");
    m_advancedMenu->setObjectName("mnuAdvanced");
    const auto command = [&](const char* objectName, const char* text, auto run) {
        connect(addAction(m_advancedMenu, objectName, text), &QAction::triggered, this,
            [this, objectName, run] { forward(objectName, [&] { run(); }); });
    };
    command("mnuAdvCallUp", "&Call up...", [this] { m_unitCommands->callUp(); });
    command("mnuAdvSend", "&Send Message...", [this] { m_unitCommands->sendMessage(); });
    command("mnuAdvReboot", "Re&boot", [this] { m_unitCommands->reboot(); });
    command("mnuAdvErase", "&Erase Flash...", [this] { m_unitCommands->eraseFlash(); });
    command("mnuAdvReadFlash", "&Read Flash...",
        [this] { showReadFlashDialog(this, *m_session, *m_tools); });
    connect(m_advancedMenu, &QMenu::aboutToShow, this,
        [this] { forward("mnuAdvanced", [&] { m_state->showStatusFor("mnuAdvanced"); }); });
}

void QuickEditWindow::buildHelpMenu()
{
    QMenu* menu = menuBar()->addMenu("&Help");
    menu->setObjectName("mnuHelp");
    connect(addAction(menu, "mnuHelpContents", "&Contents"), &QAction::triggered, this,
        [this] { showHelpTopic(&HelpWindow::showContents); });
    connect(addAction(menu, "mnuHelpSearch", "&Search for help on..."), &QAction::triggered, this,
        [this] { showHelpTopic(&HelpWindow::showSearch); });
    connect(addAction(menu, "mnuHelpUsing", "&How To Use Help"), &QAction::triggered, this,
        [this] { showHelpTopic(&HelpWindow::showHowToUse); });
    menu->addSeparator();
    QAction* quickEdit = addAction(menu, "mnuHelpQuickEdit", "&Quick Edit Help");
    quickEdit->setShortcut(QKeySequence::HelpContents);
    connect(quickEdit, &QAction::triggered, this, [this] { showHelp(QuickEditHelp); });
    connect(addAction(menu, "mnuHelpLanguage", "&5300 Scripting Language"), &QAction::triggered,
        this, [this] { showHelp(ScriptingLanguageHelp); });
    menu->addSeparator();
    connect(addAction(menu, "mnuHelpAbout", "&About Marquis 5300 ..."), &QAction::triggered, this,
        [this] { showAboutBox(this); });
}

std::optional<PreferencesApplied> QuickEditWindow::showPreferences(EditorSession& session)
{
    makeHelpWindow(session);
    return showPreferencesDialog(this, session, [this, &session](const std::string& anchor) {
        if (m_help && !m_help->showAnchor(QString::fromStdString(anchor)))
            reportMissingHelp(session.ui());
    });
}

void QuickEditWindow::makeHelpWindow(const EditorSession& session)
{
    if (!m_help)
        m_help = std::make_unique<HelpWindow>(helpGuideFor(helpFileOf(session.folders())));
}

void QuickEditWindow::showHelp(int context)
{
    if (m_help && !m_help->showContext(context))
        showHelpTopic(nullptr);
}

// Opens the help window on a topic, or says that the guide is missing.
void QuickEditWindow::showHelpTopic(bool (HelpWindow::*topic)())
{
    if (!m_help)
        return;
    if (topic && (m_help.get()->*topic)())
        return;
    reportMissingHelp(m_session->ui());
}

void QuickEditWindow::reportMissingHelp(UserInterface& ui)
{
    ui.message("The help file " + m_help->guide().string() + " cannot be found.", Buttons::Ok,
        Icon::Exclamation, Answer::Ok);
}

// After New or Open: the file may have brought another unit type, and the window shows its
// first message afresh.
void QuickEditWindow::messageReplaced()
{
    unitTypeChanged();
    m_state->messageReplaced();
    refreshProgramMenu();
}

void QuickEditWindow::unitTypeChanged()
{
    if (!m_state)
        return;
    m_state->applyUnitType();
    showLineRange();
}

// The display rows and the line scroll bar follow the unit's number of lines.
void QuickEditWindow::showLineRange()
{
    const int lines = m_session->message().UnitLines;
    m_display->setRowCount(lines);
    const QSignalBlocker blocker(m_vsbLine);
    m_vsbLine->setNumberRange(1, lines);
}

} // namespace marquis::qt
