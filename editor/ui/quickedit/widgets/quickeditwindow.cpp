// The Quick Edit window: its controls, their layout, and the view the logic drives.
#include "ui/quickedit/widgets/quickeditwindow.h"

#include "ui/controls/leddisplay.h"
#include "ui/controls/numberscrollbar.h"
#include "ui/controls/richlineedit.h"
#include "ui/controls/windows1252codec.h"
#include "ui/dialogs/widgets/blinkwindow.h"
#include "ui/dialogs/widgets/horizontalscrollwindow.h"
#include "ui/dialogs/widgets/longmessagewindow.h"
#include "ui/dialogs/widgets/startmessagewindow.h"
#include "ui/dialogs/widgets/sendmessagewindow.h"
#include "ui/dialogs/widgets/variableswindow.h"
#include "ui/dialogs/widgets/verticalscrollwindow.h"
#include "ui/quickedit/widgets/helpwindow.h"
#include "ui/quickedit/widgets/scripttextedit.h"
#include "ui/quickedit/widgets/startupfiles.h"
#include "ui/quickedit/widgets/windowprinting.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace marquis::qt {
namespace {

// Window positions are kept in twips, as the settings file has always held them.
constexpr int TwipsPerPixel = 15;

QString name(std::string_view control)
{
    return QString::fromLatin1(control.data(), static_cast<qsizetype>(control.size()));
}

QLineEdit* numberBox(const char* objectName, int digits, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(objectName);
    box->setMaxLength(digits + 2);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString(digits + 2, '0')) + 12);
    return box;
}

// A number box's scroll bar, as high as its two arrows.
NumberScrollBar* numberBar(const char* objectName, int minimum, int maximum, QWidget* parent)
{
    auto* bar = new NumberScrollBar(minimum, maximum, parent);
    bar->setObjectName(objectName);
    bar->setFixedHeight(bar->sizeHint().width() * 2 + 4);
    return bar;
}

} // namespace

QuickEditWindow::QuickEditWindow(Platform& platform, ProcessPort& processes, QWidget* parent)
    : QMainWindow(parent)
    , m_platform(platform)
    , m_processes(processes)
{
    setObjectName("frmQuick");
    setWindowTitle("Quick Edit");
    buildControls();
    buildLayout();
    buildMenus();
    connectControls();
}

QuickEditWindow::~QuickEditWindow()
{
    // The logic may still touch the view while it goes; the timers must not tick into it.
    m_timer1->stop();
    m_timer2->stop();
    // Focus moves while the controls go; the Program menu must not follow it any more.
    disconnect(qApp, nullptr, this, nullptr);
    if (m_busy)
        QApplication::restoreOverrideCursor();
}

void QuickEditWindow::buildControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    m_label2 = new QLabel("Message", central);
    m_label2->setObjectName("Label2");
    m_txtMsg = numberBox("txtMsg", 4, central);
    m_vsbMsg = numberBar("vsbMsg", 0, MessageCount - 1, central);
    m_lblLine = new QLabel("Edit Line", central);
    m_lblLine->setObjectName("lblLine");
    m_txtLine = numberBox("txtLine", 1, central);
    m_vsbLine = numberBar("vsbLine", 1, 2, central);
    m_label1 = new QLabel("Task", central);
    m_label1->setObjectName("Label1");
    m_txtTask = numberBox("txtTask", 1, central);
    m_vsbTask = numberBar("vsbTask", 0, 3, central);

    m_txtEdit = new RichLineEdit(central);
    m_txtEdit->setObjectName("txtEdit");
    m_txtAdvEdit = new ScriptTextEdit(central);
    m_txtAdvEdit->setObjectName("txtAdvEdit");
    m_txtAdvEdit->setVisible(false);

    const auto button = [&](const char* objectName, const char* caption, QWidget* parent) {
        auto* b = new QPushButton(caption, parent);
        b->setObjectName(objectName);
        b->setAutoDefault(false);
        m_buttons.emplace(objectName, b);
        return b;
    };
    m_lineFrame = new QGroupBox("Line Attributes", central);
    m_lineFrame->setObjectName("frameLineAttributes");
    button("cmdVar", "Variable...", m_lineFrame);
    button("cmdFont", "Font", m_lineFrame);
    button("cmdBlink", "Blink", m_lineFrame);
    button("cmdCenter", "Center justify", m_lineFrame);
    button("cmdScroll", "Horizontal scroll", m_lineFrame);
    m_lblAttribute = new QLabel(m_lineFrame);
    m_lblAttribute->setObjectName("lblAttribute");
    m_lblAttribute->setTextFormat(Qt::PlainText);

    m_displayAttributes = new QGroupBox("Display Attributes", central);
    m_displayAttributes->setObjectName("frameDisplayAttributes");
    button("cmdSend", "Send msg", m_displayAttributes);
    button("cmdWait", "Vertical scroll", m_displayAttributes);
    button("cmdStart", "Start message", m_displayAttributes);
    button("cmdRelay", "Relay", m_displayAttributes);
    button("cmdClrScreen", "Clear screen", m_displayAttributes);

    m_displayFrame = new QGroupBox("5320 Display", central);
    m_displayFrame->setObjectName("frameDisplayBox");
    m_display = new LedDisplay(m_displayFrame);
    m_display->setObjectName("frameDisplay");

    button("cmdAdvEdit", "Script Edit", central);

    m_lblStatBar = new QLabel(central);
    m_lblStatBar->setObjectName("lblStatBar");
    m_lblStatBar->setTextFormat(Qt::PlainText);
    m_lblStatBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_lblStatBar->setMinimumHeight(m_lblStatBar->fontMetrics().height() + 6);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName("Timer1");
    m_timer2 = new QTimer(this);
    m_timer2->setObjectName("Timer2");
}

void QuickEditWindow::buildLayout()
{
    auto* numbers = new QHBoxLayout;
    const auto addNumber = [&](QLabel* label, QLineEdit* box, NumberScrollBar* bar) {
        label->setBuddy(box);
        numbers->addWidget(label);
        numbers->addWidget(box);
        numbers->addWidget(bar);
        numbers->addSpacing(16);
    };
    addNumber(m_label2, m_txtMsg, m_vsbMsg);
    addNumber(m_lblLine, m_txtLine, m_vsbLine);
    addNumber(m_label1, m_txtTask, m_vsbTask);
    numbers->addStretch(1);
    numbers->addWidget(m_buttons.at("cmdAdvEdit"));

    auto* lineGrid = new QGridLayout(m_lineFrame);
    lineGrid->addWidget(m_buttons.at("cmdVar"), 0, 0);
    lineGrid->addWidget(m_buttons.at("cmdFont"), 0, 1);
    lineGrid->addWidget(m_buttons.at("cmdBlink"), 1, 0);
    lineGrid->addWidget(m_buttons.at("cmdCenter"), 1, 1);
    lineGrid->addWidget(m_buttons.at("cmdScroll"), 2, 0);
    lineGrid->addWidget(m_lblAttribute, 2, 1);

    auto* displayGrid = new QGridLayout(m_displayAttributes);
    displayGrid->addWidget(m_buttons.at("cmdSend"), 0, 0);
    displayGrid->addWidget(m_buttons.at("cmdWait"), 0, 1);
    displayGrid->addWidget(m_buttons.at("cmdStart"), 1, 0);
    displayGrid->addWidget(m_buttons.at("cmdRelay"), 1, 1);
    displayGrid->addWidget(m_buttons.at("cmdClrScreen"), 2, 0);

    auto* attributes = new QHBoxLayout;
    attributes->addWidget(m_lineFrame, 1);
    attributes->addWidget(m_displayAttributes, 1);

    auto* displayLayout = new QHBoxLayout(m_displayFrame);
    displayLayout->addStretch(1);
    displayLayout->addWidget(m_display);
    displayLayout->addStretch(1);

    // The line editor holds a few rows (the blocks of a block line); the script text and the
    // display take the height the window gains.
    auto* layout = new QVBoxLayout(centralWidget());
    layout->addLayout(numbers);
    layout->addWidget(m_txtEdit);
    layout->addWidget(m_txtAdvEdit, 2);
    layout->addLayout(attributes);
    layout->addWidget(m_displayFrame, 1);
    layout->addWidget(m_lblStatBar);
    const int row = m_txtEdit->fontMetrics().lineSpacing();
    m_txtEdit->setMinimumHeight(row * 3);
    m_txtEdit->setMaximumHeight(row * 8);
    resize(720, 600);
}

void QuickEditWindow::start(EditorSession& session, std::filesystem::path settingsFile)
{
    m_session = &session;
    m_settingsFile = std::move(settingsFile);
    m_state = std::make_unique<QuickEditState>(session, *this, m_platform);
    m_state->onPaste = [this] { m_state->Paste(EditTarget::LineEditor); };
    m_tools = std::make_unique<ToolRunner>(
        m_processes, session.store().files(), session.ui(), session.preferences().ToolsFolder);
    m_programMenu = std::make_unique<ProgramMenu>(session);
    m_unitCommands = std::make_unique<UnitCommands>(session, *m_tools);
    m_scriptEdit =
        std::make_unique<ScriptEdit>(session, *m_state, *this, *this, m_processes, *m_tools);
    makeHelpWindow(session);

    const Preferences& preferences = session.preferences();
    if (preferences.WindowTop && preferences.WindowLeft) {
        const QPoint position(
            *preferences.WindowLeft / TwipsPerPixel, *preferences.WindowTop / TwipsPerPixel);
        // A position from another screen layout could put the window out of reach.
        if (QGuiApplication::screenAt(position + QPoint(40, 20)))
            move(position);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    forward("Form_Load", [&] { m_state->startUp(); });
    showLineRange();
    refreshProgramMenu();
}

void QuickEditWindow::openGivenFile(const std::string& path)
{
    if (!m_state || m_state->ended())
        return;
    forward("FileOpen", [&] {
        if (m_session->openGivenFile(path))
            messageReplaced();
    });
}

void QuickEditWindow::closeEvent(QCloseEvent* event)
{
    // The external editor or the compiler is still working for the window.
    if (m_scriptEdit && m_scriptEdit->busy() && m_state && !m_state->ended()) {
        event->ignore();
        return;
    }
    if (!m_state || m_state->ended()) {
        m_help.reset();
        event->accept();
        return;
    }
    bool close = true;
    forward("Form_Unload",
        [&] { close = m_state->shutDown([this](const Preferences& p) { writeSettings(p); }); });
    if (close || m_state->ended()) {
        m_help.reset();
        event->accept();
    } else {
        event->ignore();
    }
}

// The settings go out with the window's position; a failure is told rather than lost silently.
void QuickEditWindow::writeSettings(const Preferences& preferences)
{
    if (m_settingsFile.empty())
        return;
    Preferences written = preferences;
    written.WindowTop = y() * TwipsPerPixel;
    written.WindowLeft = x() * TwipsPerPixel;
    std::error_code ignored;
    std::filesystem::create_directories(m_settingsFile.parent_path(), ignored);
    std::string error;
    if (!writePreferences(written, m_settingsFile, &error))
        m_session->ui().message(
            "The settings could not be saved in " + m_settingsFile.string() + ". " + error,
            Buttons::Ok, Icon::Exclamation, Answer::Ok);
}

QAction* QuickEditWindow::action(const QString& objectName) const
{
    return findChild<QAction*>(objectName);
}

// --- The view ----------------------------------------------------------------------------

void QuickEditWindow::setCaption(std::string_view control, std::string_view text)
{
    const QString caption = fromWindows1252(text);
    if (control.starts_with("lblDisplay") && control.size() == 11) {
        m_display->setRow(control.back() - '0', std::string(text));
    } else if (control == "frameDisplay") {
        m_displayFrame->setTitle(caption);
    } else if (auto* b = findChild<QAbstractButton*>(name(control))) {
        b->setText(caption);
    } else if (auto* label = findChild<QLabel*>(name(control))) {
        label->setText(caption);
    } else if (auto* box = findChild<QGroupBox*>(name(control))) {
        box->setTitle(caption);
    }
}

void QuickEditWindow::setText(std::string_view control, std::string_view text)
{
    if (control == "txtAdvEdit") {
        m_txtAdvEdit->setScriptText(std::string(text));
    } else if (auto* box = findChild<QLineEdit*>(name(control))) {
        // The program's own writes never run the boxes' change handlers.
        const QSignalBlocker blocker(box);
        box->setText(fromWindows1252(text));
    }
}

void QuickEditWindow::setValue(std::string_view control, int value)
{
    if (auto* bar = findChild<NumberScrollBar*>(name(control))) {
        const QSignalBlocker blocker(bar);
        bar->setNumber(value);
    }
}

void QuickEditWindow::setEnabled(std::string_view control, bool enabled)
{
    // The window itself: its controls and menus take no input, while the window still paints
    // and its message boxes work.
    if (control == "frmQuick") {
        centralWidget()->setEnabled(enabled);
        menuBar()->setEnabled(enabled);
        return;
    }
    if (auto* widget = findChild<QWidget*>(name(control)))
        widget->setEnabled(enabled);
    else if (QAction* item = action(name(control)))
        item->setEnabled(enabled);
}

void QuickEditWindow::setVisible(std::string_view control, bool visible)
{
    if (control.starts_with("lblDisplay") && control.size() == 11) {
        m_display->setRowVisible(control.back() - '0', visible);
        return;
    }
    if (auto* widget = findChild<QWidget*>(name(control)))
        widget->setVisible(visible);
    // The script text takes the line editor's place, so that the display keeps its height.
    if (control == "txtAdvEdit")
        m_txtEdit->setVisible(!visible);
}

void QuickEditWindow::setReadOnly(std::string_view control, bool readOnly)
{
    if (control == "txtEdit")
        m_txtEdit->setReadOnly(readOnly);
}

void QuickEditWindow::selectScript(std::size_t start, std::size_t end)
{
    m_txtAdvEdit->selectBytes(start, end);
}

void QuickEditWindow::setFocus(std::string_view control)
{
    if (auto* widget = findChild<QWidget*>(name(control)))
        widget->setFocus(Qt::OtherFocusReason);
}

void QuickEditWindow::setTimer(std::string_view timer, bool running, int intervalMs)
{
    QTimer* t = timer == "Timer1" ? m_timer1 : timer == "Timer2" ? m_timer2 : nullptr;
    if (!t)
        return;
    if (!running) {
        t->stop();
        return;
    }
    // A zero interval would spin the event loop; 10 ms is the unit's finest step anyway.
    t->start(std::max(intervalMs, 10));
}

// The attribute dialogs and the long-message chooser join the window one by one; until one
// has arrived the buttons that only open it stay disabled. Each dialog that has arrived is
// named here and shown by openDialog.
bool QuickEditWindow::hasDialog(DialogKind dialog)
{
    switch (dialog) {
    case DialogKind::Blink:
    case DialogKind::HorizontalScroll:
    case DialogKind::Variables:
    case DialogKind::StartMessage:
    case DialogKind::SendMessage:
    case DialogKind::VerticalScroll:
    case DialogKind::LongMessage:
        return true;
    default:
        return false;
    }
}

bool QuickEditWindow::openDialog(DialogKind dialog)
{
    // The main window takes the keyboard back when the dialog has gone, so that its menu
    // shortcuts work at once, also where no window manager hands the activation back.
    struct Reactivate {
        QWidget& window;
        ~Reactivate()
        {
            if (window.isVisible() && !window.isActiveWindow())
                window.activateWindow();
        }
    } reactivate { *this };
    switch (dialog) {
    case DialogKind::Blink: {
        BlinkWindow window(*m_session, this, dialogHelp());
        return window.exec() == QDialog::Accepted;
    }
    case DialogKind::StartMessage: {
        StartMessageWindow form(*m_session, this, dialogHelp());
        if (form.exec() != QDialog::Accepted)
            return false;
        setCaption("cmdStart", startButtonCaption(m_session->message()));
        return true;
    }
    case DialogKind::SendMessage: {
        // The user's own repeat rate while the dialog is open; the window slows it again after.
        m_platform.setKeyboardRepeatRate(m_state->savedRepeatRate());
        SendMessageWindow window(*m_session, this, dialogHelp());
        if (window.exec() != QDialog::Accepted || !window.sendCaption())
            return false;
        setCaption("cmdSend", *window.sendCaption());
        return true;
    }
    case DialogKind::Variables:
        return showVariablesDialog(this, *m_session, dialogHelp());
    case DialogKind::HorizontalScroll:
        // Off on a long line hands the line to the long-message chooser.
        return showHorizontalScrollDialog(this, *m_session, dialogHelp(), [this] {
            if (hasDialog(DialogKind::LongMessage))
                openDialog(DialogKind::LongMessage);
        });
    case DialogKind::VerticalScroll:
        // Off on a message of several blocks leaves them to the long-message chooser.
        return showVerticalScrollDialog(this, *m_session, dialogHelp(),
            [this] { return openDialog(DialogKind::LongMessage); });
    case DialogKind::LongMessage:
        // The scroll dialog of the chosen form sets its details; the chooser's changes are
        // undone when it is cancelled.
        return showLongMessageChooser(this, *m_session,
            ScrollDialogs {
                [this] { return showHorizontalScrollDialog(this, *m_session, dialogHelp()); },
                [this] { return showVerticalScrollDialog(this, *m_session, dialogHelp()); } });
    default:
        return false;
    }
}

// The Help button of a dialog: the help window at the dialog's section of the guide.
HelpRequest QuickEditWindow::dialogHelp()
{
    makeHelpWindow(*m_session);
    return [this](const std::string& anchor) {
        if (m_help && !m_help->showAnchor(QString::fromStdString(anchor)))
            reportMissingHelp(m_session->ui());
    };
}

void QuickEditWindow::endProgram()
{
    m_exitCode = 1;
    m_timer1->stop();
    m_timer2->stop();
    m_help.reset();
    close();
    QCoreApplication::exit(m_exitCode);
}

EditorState QuickEditWindow::editorState()
{
    return m_txtEdit->editorState();
}

void QuickEditWindow::setEditorRichText(std::string_view rich)
{
    m_txtEdit->setLineText(rich);
}

void QuickEditWindow::widenSelectionToWholeVariables()
{
    m_txtEdit->widenSelectionToWholeVariables();
}

std::string QuickEditWindow::selectedRichText()
{
    return m_txtEdit->selectedLineText();
}

void QuickEditWindow::replaceSelectedRichText(std::string_view rich)
{
    m_txtEdit->replaceSelectedLineText(rich);
}

void QuickEditWindow::setEditorCentred(bool centred)
{
    m_txtEdit->setCurrentBlockCentred(centred);
}

void QuickEditWindow::setTypingPlain()
{
    m_txtEdit->setTypingPlain();
}

void QuickEditWindow::insertBlockBreak()
{
    m_txtEdit->insertBlockBreak();
}

void QuickEditWindow::moveCaretToEnd()
{
    m_txtEdit->moveCaretToEnd();
}

void QuickEditWindow::scrollEditorRows(int rows)
{
    m_txtEdit->scrollRows(rows);
}

void QuickEditWindow::showEditorRow(int row)
{
    m_txtEdit->showRow(row);
}

// --- The Edit menu's side of the editors ---------------------------------------------------

template <typename Use> auto QuickEditWindow::onEditor(TextEditor editor, Use use)
{
    return editor == TextEditor::Line ? use(static_cast<QTextEdit*>(m_txtEdit)) : use(m_txtAdvEdit);
}

bool QuickEditWindow::editorHasSelection(TextEditor editor)
{
    return onEditor(editor, [](auto* e) { return e->textCursor().hasSelection(); });
}

bool QuickEditWindow::editorCanUndo(TextEditor editor)
{
    return onEditor(editor, [](auto* e) { return e->document()->isUndoAvailable(); });
}

void QuickEditWindow::undoEditor(TextEditor editor)
{
    onEditor(editor, [](auto* e) { e->undo(); });
}

void QuickEditWindow::redoEditor(TextEditor editor)
{
    onEditor(editor, [](auto* e) { e->redo(); });
}

std::string QuickEditWindow::editorSelectedText(TextEditor editor)
{
    return toWindows1252(onEditor(editor, [](auto* e) {
        return e->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n');
    }));
}

void QuickEditWindow::deleteEditorSelection(TextEditor editor)
{
    onEditor(editor, [](auto* e) {
        QTextCursor cursor = e->textCursor();
        cursor.removeSelectedText();
        e->setTextCursor(cursor);
    });
}

void QuickEditWindow::pasteIntoEditor(TextEditor editor)
{
    onEditor(editor, [](auto* e) { e->paste(); });
}

bool QuickEditWindow::clipboardHasText()
{
    return !QGuiApplication::clipboard()->text().isEmpty();
}

void QuickEditWindow::setClipboardText(std::string_view text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (!text.empty())
        clipboard->setText(fromWindows1252(text));
}

} // namespace marquis::qt
