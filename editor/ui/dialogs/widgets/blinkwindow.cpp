#include "ui/dialogs/widgets/blinkwindow.h"

#include "ui/controls/windows1252codec.h"
#include "ui/dialogs/widgets/blinkeditor.h"
#include "ui/dialogs/widgets/dialogguard.h"
#include "ui/dialogs/widgets/dialogparts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace marquis::qt {
namespace {

constexpr std::string_view Module = "Blink";

} // namespace

BlinkWindow::BlinkWindow(EditorSession& session, QWidget* parent, HelpRequest help)
    : QDialog(parent)
    , m_session(session)
    , m_help(std::move(help))
    , m_logic(std::make_unique<BlinkDialog>(session.message()))
{
    setObjectName(QStringLiteral("frmBlink"));
    setWindowTitle(fromWindows1252(m_logic->caption()));
    // Modal to the main window only: the help window it opens must take the user's input
    // while the dialog stays open.
    setWindowModality(Qt::WindowModal);
    buildControls();
    buildLayout();
    connectControls();
    showLine();
    showControls();
    m_session.ui().busy(false);
}

BlinkWindow::~BlinkWindow() = default;

void BlinkWindow::buildControls()
{
    namespace texts = blinkdialog;
    m_label1 = namedLabel(QStringLiteral("Label1"), texts::BlinkLabel, this);
    m_optOn = namedOption("optOn", texts::OnOption, this);
    m_optOff = namedOption("optOff", texts::OffOption, this);

    m_txtEdit = new BlinkEditor(this);
    m_txtEdit->setObjectName(QStringLiteral("txtEdit"));
    m_txtEdit->setView(m_logic->editorView());

    m_cmdSecOn = namedButton("cmdSecOn", texts::SectionOnButton, this);
    m_cmdSecOff = namedButton("cmdSecOff", texts::SectionOffButton, this);
    m_cmdClear = namedButton("cmdClear", texts::ClearButton, this);
    m_cmdAllOn = namedButton("cmdAllOn", texts::AllOnButton, this);
    m_cmdAllOff = namedButton("cmdAllOff", texts::AllOffButton, this);

    m_hsbBlink = speedSlider("hsbBlink", this);
    m_lblRate = namedLabel(QStringLiteral("lblRate"), texts::RateLabel, this);
    m_lblBlink = speedWordLabel("lblBlink", this);

    m_cmdOk = namedButton("cmdOk", texts::OkButton, this);
    m_cmdOk->setDefault(true);
    m_cmdCancel = namedButton("cmdCancel", texts::CancelButton, this);
    m_cmdHelp = namedButton("cmdHelp", texts::HelpButton, this);
    m_cmdHelp->setEnabled(static_cast<bool>(m_help));

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
}

void BlinkWindow::buildLayout()
{
    namespace texts = blinkdialog;
    auto* options = new QHBoxLayout;
    options->addWidget(m_label1);
    options->addWidget(m_optOn);
    options->addWidget(m_optOff);
    options->addStretch();

    auto* area = new QGroupBox(caption(texts::AreaFrame), this);
    area->setObjectName(QStringLiteral("frameArea"));
    auto* areaLayout = new QHBoxLayout(area);
    areaLayout->addWidget(m_cmdSecOn);
    areaLayout->addWidget(m_cmdSecOff);
    areaLayout->addWidget(m_cmdClear);

    auto* line = new QGroupBox(fromUtf8(m_logic->lineFrameCaption()), this);
    line->setObjectName(QStringLiteral("frameLine"));
    auto* lineLayout = new QHBoxLayout(line);
    lineLayout->addWidget(m_cmdAllOn);
    lineLayout->addWidget(m_cmdAllOff);

    auto* frames = new QHBoxLayout;
    frames->addWidget(area);
    frames->addWidget(line);

    auto* rate = new QHBoxLayout;
    rate->addWidget(m_lblRate);
    rate->addWidget(m_hsbBlink, 1);
    rate->addWidget(m_lblBlink);

    auto* left = new QVBoxLayout;
    left->addLayout(options);
    left->addWidget(m_txtEdit);
    left->addLayout(frames);
    left->addLayout(rate);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttonColumn({ m_cmdOk, m_cmdCancel, m_cmdHelp }));
}

void BlinkWindow::connectControls()
{
    connect(m_optOn, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        act([this] { m_logic->chooseOn(); });
        if (m_txtEdit->isVisible())
            m_txtEdit->setFocus();
    });
    connect(m_optOff, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            act([this] { m_logic->chooseOff(); });
    });
    connect(m_hsbBlink, &QSlider::valueChanged, this,
        [this](int position) { act([&] { m_logic->moveSlider(position); }); });
    const auto section = [this](QPushButton* control, void (BlinkDialog::*handler)()) {
        connect(control, &QPushButton::clicked, this, [this, handler] {
            act([&] { (m_logic.get()->*handler)(); });
            m_txtEdit->setFocus();
        });
    };
    section(m_cmdSecOn, &BlinkDialog::sectionOn);
    section(m_cmdSecOff, &BlinkDialog::sectionOff);
    section(m_cmdAllOn, &BlinkDialog::allOn);
    section(m_cmdAllOff, &BlinkDialog::allOff);
    section(m_cmdClear, &BlinkDialog::clear);
    connect(m_cmdOk, &QPushButton::clicked, this, &BlinkWindow::ok);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cmdHelp, &QPushButton::clicked, this, &BlinkWindow::help);
    connect(m_timer, &QTimer::timeout, this, &BlinkWindow::tick);

    connect(m_txtEdit, &QTextEdit::selectionChanged, this, &BlinkWindow::selectionMoved);
    connect(m_txtEdit, &QTextEdit::cursorPositionChanged, this, &BlinkWindow::selectionMoved);
    m_txtEdit->doubleClicked = [this](std::size_t index) {
        act([&] {
            // A double-click on the right half of a word's last character puts the caret
            // after it.
            const bool after = m_logic->wordAt(index).empty() && index > 0;
            m_logic->selectWordAt(after ? index - 1 : index);
        });
    };
    // Tab goes to the line's On button.
    m_txtEdit->keyFilter = [this](QKeyEvent* event) {
        if (event->key() != Qt::Key_Tab)
            return false;
        if (m_cmdAllOn->isEnabled() && m_cmdAllOn->isVisible())
            m_cmdAllOn->setFocus(Qt::TabFocusReason);
        return true;
    };
}

void BlinkWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOverOwner(this);
    act([this] { m_logic->activate(); });
}

void BlinkWindow::done(int result)
{
    m_timer->stop();
    QDialog::done(result);
}

void BlinkWindow::act(const std::function<void()>& handler)
{
    runGuarded(m_session.ui(), Module, [&] {
        handler();
        showLine();
        showControls();
    });
}

void BlinkWindow::showLine()
{
    m_txtEdit->showLine(m_logic->document(), m_logic->selection());
    showHighlight();
}

void BlinkWindow::showHighlight()
{
    m_txtEdit->showHighlight(m_logic->document(), m_logic->highlight());
}

void BlinkWindow::showControls()
{
    const BlinkDialog& logic = *m_logic;
    {
        const QSignalBlocker on(m_optOn);
        const QSignalBlocker off(m_optOff);
        const QSignalBlocker slider(m_hsbBlink);
        (logic.isOn() ? m_optOn : m_optOff)->setChecked(true);
        m_hsbBlink->setValue(logic.sliderPosition());
    }
    m_txtEdit->setEnabled(logic.enabled(BlinkControl::txtEdit));
    m_cmdSecOn->setEnabled(logic.enabled(BlinkControl::cmdSecOn));
    m_cmdSecOff->setEnabled(logic.enabled(BlinkControl::cmdSecOff));
    m_cmdAllOn->setEnabled(logic.enabled(BlinkControl::cmdAllOn));
    m_cmdAllOff->setEnabled(logic.enabled(BlinkControl::cmdAllOff));
    m_hsbBlink->setEnabled(logic.enabled(BlinkControl::hsbBlink));
    m_lblRate->setEnabled(logic.enabled(BlinkControl::lblRate));
    m_lblBlink->setEnabled(logic.enabled(BlinkControl::lblBlink));
    m_lblBlink->setText(fromUtf8(logic.blinkLabel()));
    if (!logic.timerRunning())
        m_timer->stop();
    else if (!m_timer->isActive() || m_timer->interval() != logic.tickInterval())
        m_timer->start(logic.tickInterval());
}

void BlinkWindow::selectionMoved()
{
    runGuarded(m_session.ui(), Module, [this] {
        m_logic->select(m_txtEdit->selection(), m_txtEdit->caretBlock());
        showHighlight();
    });
}

void BlinkWindow::tick()
{
    runGuarded(m_session.ui(), Module, [this] {
        m_logic->tick();
        showControls();
    });
}

void BlinkWindow::ok()
{
    if (runGuarded(m_session.ui(), Module, [this] { m_logic->ok(); }))
        accept();
}

void BlinkWindow::help()
{
    if (m_help)
        m_help(std::string(blinkdialog::HelpAnchor));
}

} // namespace marquis::qt
