#include "ui/dialogs/widgets/horizontalscrollwindow.h"

#include "ui/controls/linefont.h"
#include "ui/controls/windows1252codec.h"
#include "ui/dialogs/widgets/dialogguard.h"
#include "ui/dialogs/widgets/dialogparts.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
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

constexpr std::string_view Module = "Horizontal Scroll";

} // namespace

HorizontalScrollWindow::HorizontalScrollWindow(
    EditorSession& session, QWidget* parent, HelpRequest help)
    : QDialog(parent)
    , m_session(session)
    , m_help(std::move(help))
    , m_logic(session.message(), session.ui())
{
    setObjectName(QStringLiteral("frmScroll"));
    setWindowTitle(fromWindows1252(m_logic.caption()));
    // Modal to the main window only: the help window it opens must take the user's input
    // while the dialog stays open.
    setWindowModality(Qt::WindowModal);
    buildControls();
    buildLayout();
    connectControls();
    showControls();
}

void HorizontalScrollWindow::buildControls()
{
    namespace texts = horizontalscroll;
    m_optYes = namedOption("optYes", texts::ContinuousOption, this);
    m_optBlock = namedOption("optBlock", texts::BlockOption, this);
    m_optNo = namedOption("optNo", texts::OffOption, this);
    m_optRepeat = namedOption("optRepeat", texts::RepeatOption, this);
    m_optNonstop = namedOption("optNonstop", texts::NonstopOption, this);
    m_txtRepeat = repeatCountBox(this);
    m_lblRepeat = namedLabel(QStringLiteral("lblRepeat"), texts::RepeatLabel, this);
    m_chkLock = new QCheckBox(caption(texts::LockCheck), this);
    m_chkLock->setObjectName(QStringLiteral("chkLock"));

    m_hsbRate = speedSlider("hsbRate", this);
    m_lblSpeed = speedWordLabel("lblSpeed", this);
    m_txtSample = new QLineEdit(this);
    m_txtSample->setObjectName(QStringLiteral("txtSample"));
    m_txtSample->setReadOnly(true);
    m_txtSample->setFont(lineFont());
    m_txtSample->setFocusPolicy(Qt::NoFocus);
    m_txtSample->setMinimumWidth(
        QFontMetrics(lineFont()).horizontalAdvance(QString(DisplayWidth + 2, QLatin1Char('M'))));
    m_txtSample->installEventFilter(this);

    m_cmdOk = namedButton("cmdOk", texts::OkButton, this);
    m_cmdOk->setDefault(true);
    m_cmdCancel = namedButton("cmdCancel", texts::CancelButton, this);
    m_cmdHelp = namedButton("cmdHelp", texts::HelpButton, this);
    m_cmdHelp->setEnabled(static_cast<bool>(m_help));

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
}

void HorizontalScrollWindow::buildLayout()
{
    namespace texts = horizontalscroll;
    // The scroll type and the repeat choices are two groups of options.
    auto* types = new QHBoxLayout;
    types->addWidget(m_optYes);
    types->addWidget(m_optBlock);
    types->addWidget(m_optNo);
    types->addStretch();

    QGroupBox* options = repeatOptionsFrame(texts::OptionsFrame, m_optRepeat, m_txtRepeat,
        m_lblRepeat, m_optNonstop, m_chkLock, this);
    QGroupBox* speed = nullptr;
    speedFrame(texts::SpeedFrame, m_hsbRate, m_lblSpeed, this, &speed)->addWidget(m_txtSample);

    auto* left = new QVBoxLayout;
    left->addLayout(types);
    left->addWidget(options);
    left->addWidget(speed);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttonColumn({ m_cmdOk, m_cmdCancel, m_cmdHelp }));

    // The logic decides which option of each group is chosen; the repeat group starts with
    // none chosen for a line that does not scroll.
    for (QRadioButton* control : { m_optYes, m_optBlock, m_optNo, m_optRepeat, m_optNonstop })
        control->setAutoExclusive(false);
}

void HorizontalScrollWindow::connectControls()
{
    const auto onChosen = [this](QRadioButton* control, void (HorizontalScrollDialog::*handler)()) {
        connect(control, &QRadioButton::clicked, this,
            [this, handler] { act([&] { (m_logic.*handler)(); }); });
    };
    onChosen(m_optYes, &HorizontalScrollDialog::chooseContinuous);
    onChosen(m_optBlock, &HorizontalScrollDialog::chooseBlocks);
    onChosen(m_optNo, &HorizontalScrollDialog::chooseOff);
    onChosen(m_optRepeat, &HorizontalScrollDialog::chooseRepeat);
    onChosen(m_optNonstop, &HorizontalScrollDialog::chooseNonstop);
    connect(m_txtRepeat, &QLineEdit::textEdited, this, [this](const QString& text) {
        act([&] { m_logic.setRepeatText(toWindows1252(text)); });
    });
    connect(m_chkLock, &QCheckBox::clicked, this,
        [this](bool checked) { act([&] { m_logic.setLock(checked); }); });
    connect(m_hsbRate, &QSlider::valueChanged, this,
        [this](int position) { act([&] { m_logic.moveSlider(position); }); });
    connect(m_cmdOk, &QPushButton::clicked, this, &HorizontalScrollWindow::ok);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cmdHelp, &QPushButton::clicked, this, &HorizontalScrollWindow::help);
    connect(m_timer, &QTimer::timeout, this, &HorizontalScrollWindow::tick);
}

void HorizontalScrollWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOverOwner(this);
}

void HorizontalScrollWindow::done(int result)
{
    m_timer->stop();
    QDialog::done(result);
}

// The preview takes no keys; a click on it hands the focus to the slider.
bool HorizontalScrollWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtSample) {
        if (event->type() == QEvent::KeyPress)
            return true;
        if (event->type() == QEvent::MouseButtonPress) {
            if (m_hsbRate->isEnabled())
                m_hsbRate->setFocus(Qt::MouseFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void HorizontalScrollWindow::act(const std::function<void()>& handler)
{
    runGuarded(m_session.ui(), Module, [&] {
        handler();
        showControls();
    });
}

void HorizontalScrollWindow::showControls()
{
    const HorizontalScrollDialog& logic = m_logic;
    {
        const QSignalBlocker slider(m_hsbRate);
        m_optYes->setChecked(logic.scrollType() == ScrollType::Continuous);
        m_optBlock->setChecked(logic.scrollType() == ScrollType::BlockByBlock);
        m_optNo->setChecked(logic.scrollType() == ScrollType::Off);
        m_optRepeat->setChecked(logic.repeatMode() == RepeatMode::Times);
        m_optNonstop->setChecked(logic.repeatMode() == RepeatMode::Nonstop);
        m_chkLock->setChecked(logic.lockChecked());
        m_hsbRate->setValue(logic.sliderPosition());
    }
    const QString repeat = fromWindows1252(logic.repeatText());
    if (m_txtRepeat->text() != repeat)
        m_txtRepeat->setText(repeat);
    m_optRepeat->setEnabled(logic.enabled(ScrollControl::optRepeat));
    m_optNonstop->setEnabled(logic.enabled(ScrollControl::optNonstop));
    m_txtRepeat->setEnabled(logic.enabled(ScrollControl::txtRepeat));
    m_chkLock->setEnabled(logic.enabled(ScrollControl::chkLock));
    m_lblRepeat->setEnabled(logic.enabled(ScrollControl::lblRepeat));
    m_txtSample->setEnabled(logic.enabled(ScrollControl::txtSample));
    m_lblSpeed->setEnabled(logic.enabled(ScrollControl::lblSpeed));
    m_hsbRate->setEnabled(logic.enabled(ScrollControl::hsbRate));
    m_lblSpeed->setText(caption(logic.speedWord()));
    m_txtSample->setText(fromWindows1252(logic.preview()));
    if (!logic.timerRunning())
        m_timer->stop();
    else if (!m_timer->isActive() || m_timer->interval() != logic.tickInterval())
        m_timer->start(logic.tickInterval());
}

void HorizontalScrollWindow::tick()
{
    act([this] { m_logic.tick(); });
}

void HorizontalScrollWindow::ok()
{
    ScrollOkResult result = ScrollOkResult::Refused;
    if (!runGuarded(m_session.ui(), Module, [&] { result = m_logic.ok(); }))
        return;
    if (result == ScrollOkResult::Refused) {
        showControls();
        return;
    }
    m_chooseLongForm = result == ScrollOkResult::ChooseLongForm;
    accept();
}

void HorizontalScrollWindow::help()
{
    if (m_help)
        m_help(std::string(horizontalscroll::HelpAnchor));
}

bool showHorizontalScrollDialog(QWidget* parent, EditorSession& session, HelpRequest help,
    const std::function<void()>& chooseLongForm)
{
    HorizontalScrollWindow window(session, parent, std::move(help));
    if (window.exec() != QDialog::Accepted)
        return false;
    if (window.longFormToChoose() && chooseLongForm)
        chooseLongForm();
    return true;
}

} // namespace marquis::qt
