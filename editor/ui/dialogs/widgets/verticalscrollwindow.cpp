#include "ui/dialogs/widgets/verticalscrollwindow.h"

#include "ui/controls/linefont.h"
#include "ui/controls/windows1252codec.h"
#include "ui/dialogs/widgets/dialogguard.h"
#include "ui/dialogs/widgets/dialogparts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace marquis::qt {
namespace {

constexpr std::string_view Module = "Vertical Scroll";

} // namespace

VerticalScrollWindow::VerticalScrollWindow(EditorSession& session, QWidget* parent, HelpRequest help)
    : QDialog(parent)
    , m_session(session)
    , m_help(std::move(help))
    , m_logic(std::make_unique<VerticalScrollDialog>(session.message(), session.ui()))
{
    setObjectName(QStringLiteral("frmWait"));
    setWindowTitle(caption(m_logic->caption()));
    // Modal to the main window only: the help window it opens must take the user's input
    // while the dialog stays open.
    setWindowModality(Qt::WindowModal);
    buildControls();
    buildLayout();
    connectControls();
    showControls();
    m_session.ui().busy(false);
}

VerticalScrollWindow::~VerticalScrollWindow() = default;

void VerticalScrollWindow::buildControls()
{
    namespace texts = verticalscroll;
    m_label1 = namedLabel(QStringLiteral("Label1"), texts::ScrollLabel, this);
    m_optOn = namedOption("optOn", texts::OnOption, this);
    m_optOff = namedOption("optOff", texts::OffOption, this);

    m_optRepeat = namedOption("optRepeat", texts::RepeatOption, this);
    m_txtRepeat = repeatCountBox(this);
    m_lblRepeat = namedLabel(QStringLiteral("lblRepeat"), texts::RepeatLabel, this);
    m_optNonstop = namedOption("optNonstop", texts::NonstopOption, this);
    m_chkLock = new QCheckBox(caption(texts::LockCheck), this);
    m_chkLock->setObjectName(QStringLiteral("chkLock"));

    m_hsbRate = speedSlider("hsbRate", this);
    m_lblSpeed = speedWordLabel("lblSpeed", this, texts::SpeedNormal);
    for (std::size_t row = 0; row < m_lblSample.size(); ++row) {
        m_lblSample[row] = namedLabel(QStringLiteral("lblSample") + QString::number(row), "", this);
        m_lblSample[row]->setFont(lineFont());
        m_lblSample[row]->setFrameShape(QFrame::Box);
        m_lblSample[row]->setMinimumWidth(
            m_lblSample[row]->fontMetrics().horizontalAdvance(QString(DisplayWidth + 2, QLatin1Char('M'))));
    }

    m_cmdOk = namedButton("cmdOk", texts::OkButton, this);
    m_cmdOk->setDefault(true);
    m_cmdCancel = namedButton("cmdCancel", texts::CancelButton, this);
    m_cmdHelp = namedButton("cmdHelp", texts::HelpButton, this);
    m_cmdHelp->setEnabled(static_cast<bool>(m_help));

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
}

void VerticalScrollWindow::buildLayout()
{
    namespace texts = verticalscroll;
    auto* onOff = new QHBoxLayout;
    onOff->addWidget(m_label1);
    onOff->addWidget(m_optOn);
    onOff->addWidget(m_optOff);
    onOff->addStretch();

    QGroupBox* options = repeatOptionsFrame(texts::OptionsFrame, m_optRepeat, m_txtRepeat,
        m_lblRepeat, m_optNonstop, m_chkLock, this);
    QGroupBox* speed = nullptr;
    QVBoxLayout* speedLayout = speedFrame(texts::SpeedFrame, m_hsbRate, m_lblSpeed, this, &speed);
    for (QLabel* row : m_lblSample)
        speedLayout->addWidget(row);

    auto* left = new QVBoxLayout;
    left->addLayout(onOff);
    left->addWidget(options);
    left->addWidget(speed);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttonColumn({ m_cmdOk, m_cmdCancel, m_cmdHelp }));
}

void VerticalScrollWindow::connectControls()
{
    // An option runs its handler when it becomes chosen, not when it is clicked again.
    const auto choice = [this](QRadioButton* control, void (VerticalScrollDialog::*handler)(),
                            bool (VerticalScrollDialog::*state)() const, bool chosen) {
        connect(control, &QRadioButton::clicked, this, [this, handler, state, chosen] {
            if ((m_logic.get()->*state)() != chosen)
                act([&] { (m_logic.get()->*handler)(); });
        });
    };
    choice(m_optOn, &VerticalScrollDialog::chooseOn, &VerticalScrollDialog::isOn, true);
    choice(m_optOff, &VerticalScrollDialog::chooseOff, &VerticalScrollDialog::isOn, false);
    choice(m_optRepeat, &VerticalScrollDialog::chooseRepeat, &VerticalScrollDialog::repeats, true);
    choice(
        m_optNonstop, &VerticalScrollDialog::chooseNonstop, &VerticalScrollDialog::repeats, false);
    connect(m_txtRepeat, &QLineEdit::textEdited, this,
        [this](const QString& text) { m_logic->setRepeatText(text.toStdString()); });
    connect(m_chkLock, &QCheckBox::toggled, this,
        [this](bool locked) { m_logic->setLock(locked); });
    connect(m_hsbRate, &QSlider::valueChanged, this,
        [this](int position) { act([&] { m_logic->moveSlider(position); }); });
    connect(m_cmdOk, &QPushButton::clicked, this, &VerticalScrollWindow::ok);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cmdHelp, &QPushButton::clicked, this, &VerticalScrollWindow::help);
    connect(m_timer, &QTimer::timeout, this, &VerticalScrollWindow::tick);
}

void VerticalScrollWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOverOwner(this);
}

void VerticalScrollWindow::done(int result)
{
    m_logic->close();
    m_timer->stop();
    QDialog::done(result);
}

void VerticalScrollWindow::act(const std::function<void()>& handler)
{
    runGuarded(m_session.ui(), Module, [&] {
        handler();
        showControls();
    });
}

void VerticalScrollWindow::showControls()
{
    const VerticalScrollDialog& logic = *m_logic;
    {
        const QSignalBlocker slider(m_hsbRate);
        const QSignalBlocker lock(m_chkLock);
        (logic.isOn() ? m_optOn : m_optOff)->setChecked(true);
        (logic.repeats() ? m_optRepeat : m_optNonstop)->setChecked(true);
        m_chkLock->setChecked(logic.locked());
        m_hsbRate->setValue(logic.sliderPosition());
    }
    if (m_txtRepeat->text().toStdString() != logic.repeatText())
        m_txtRepeat->setText(QString::fromStdString(logic.repeatText()));
    m_optRepeat->setEnabled(logic.enabled(VerticalControl::optRepeat));
    m_txtRepeat->setEnabled(logic.enabled(VerticalControl::txtRepeat));
    m_lblRepeat->setEnabled(logic.enabled(VerticalControl::lblRepeat));
    m_optNonstop->setEnabled(logic.enabled(VerticalControl::optNonstop));
    m_chkLock->setEnabled(logic.enabled(VerticalControl::chkLock));
    m_hsbRate->setEnabled(logic.enabled(VerticalControl::hsbRate));
    m_lblSpeed->setEnabled(logic.enabled(VerticalControl::lblSpeed));
    m_lblSpeed->setText(caption(logic.speedLabel()));
    m_lblSample[0]->setText(fromWindows1252(logic.topRow()));
    m_lblSample[1]->setText(fromWindows1252(logic.bottomRow()));
    for (QLabel* row : m_lblSample)
        row->setEnabled(logic.enabled(VerticalControl::lblSample));
    if (!logic.timerRunning())
        m_timer->stop();
    else if (!m_timer->isActive() || m_timer->interval() != logic.tickInterval())
        m_timer->start(logic.tickInterval());
}

void VerticalScrollWindow::tick()
{
    act([this] { m_logic->tick(); });
}

void VerticalScrollWindow::ok()
{
    VerticalOk outcome = VerticalOk::Refused;
    runGuarded(m_session.ui(), Module, [&] { outcome = m_logic->ok(); });
    if (outcome == VerticalOk::Refused)
        return;
    m_chooserWanted = outcome == VerticalOk::OpenChooser;
    accept();
}

void VerticalScrollWindow::help()
{
    if (m_help)
        m_help(std::string(verticalscroll::HelpAnchor));
}

bool showVerticalScrollDialog(
    QWidget* parent, EditorSession& session, HelpRequest help, const std::function<bool()>& chooser)
{
    bool wantsChooser = false;
    {
        VerticalScrollWindow dialog(session, parent, std::move(help));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        wantsChooser = dialog.chooserWanted();
    }
    if (!wantsChooser)
        return true;
    return chooser && chooser();
}

} // namespace marquis::qt
