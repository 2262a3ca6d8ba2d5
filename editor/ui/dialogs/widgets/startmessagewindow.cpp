#include "ui/dialogs/widgets/startmessagewindow.h"

#include "ui/controls/numberscrollbar.h"
#include "ui/controls/windows1252codec.h"
#include "ui/dialogs/widgets/dialogguard.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QValidator>

namespace marquis::qt {
namespace {

constexpr std::string_view Module = "Start Message";

// The number boxes take digits only, typed or pasted.
class DigitFilter : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        for (const QChar character : input)
            if (character.unicode() > 126 || !acceptsStartKey(character.unicode()))
                return Invalid;
        return Acceptable;
    }
};

QString caption(std::string_view text)
{
    return fromUtf8(text);
}

QString indexed(const char* name, int row)
{
    return QString::fromLatin1(name) + QString::number(row);
}

QPushButton* button(const char* name, std::string_view text, QWidget* parent)
{
    auto* result = new QPushButton(caption(text), parent);
    result->setObjectName(QString::fromLatin1(name));
    return result;
}

} // namespace

StartMessageWindow::StartMessageWindow(EditorSession& session, QWidget* parent, HelpRequest help)
    : QDialog(parent)
    , m_session(session)
    , m_logic(session.message(), session.ui())
    , m_help(std::move(help))
{
    namespace texts = startmessage;
    setObjectName(QStringLiteral("frmStart"));
    setWindowTitle(fromUtf8(m_logic.caption()));
    // Modal to the main window only: the help window it opens must take the user's input
    // while the dialog stays open.
    setWindowModality(Qt::WindowModal);

    auto* label5 = new QLabel(caption(texts::StartLabel), this);
    label5->setObjectName(QStringLiteral("Label5"));
    m_optOn = new QRadioButton(caption(texts::OnOption), this);
    m_optOn->setObjectName(QStringLiteral("optOn"));
    m_optOff = new QRadioButton(caption(texts::OffOption), this);
    m_optOff->setObjectName(QStringLiteral("optOff"));
    auto* onOff = new QHBoxLayout;
    onOff->addWidget(label5);
    onOff->addWidget(m_optOn);
    onOff->addWidget(m_optOff);
    onOff->addStretch();

    auto* frames = new QGridLayout;
    for (int row = 1; row <= StartRows; ++row) {
        buildRow(row);
        frames->addWidget(
            m_rows[static_cast<std::size_t>(row - 1)].frame, (row - 1) / 2, (row - 1) % 2);
    }

    QPushButton* okButton = button("cmdOk", texts::OkButton, this);
    okButton->setDefault(true);
    QPushButton* cancelButton = button("cmdCancel", texts::CancelButton, this);
    QPushButton* clearButton = button("cmdClear", texts::ClearButton, this);
    QPushButton* helpButton = button("cmdHelp", texts::HelpButton, this);
    helpButton->setEnabled(static_cast<bool>(m_help));
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : { okButton, cancelButton, clearButton, helpButton })
        buttons->addWidget(b);
    buttons->addStretch();

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setWordWrap(true);
    m_status->setFrameShape(QFrame::Panel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_status->setMinimumHeight(m_status->fontMetrics().lineSpacing() * 3);

    auto* top = new QGridLayout;
    top->addLayout(onOff, 0, 0);
    top->addLayout(frames, 1, 0);
    top->addLayout(buttons, 0, 1, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_status);

    connect(
        m_optOn, &QRadioButton::clicked, this, [this] { handle([&] { m_logic.optOnClick(); }); });
    connect(
        m_optOff, &QRadioButton::clicked, this, [this] { handle([&] { m_logic.optOffClick(); }); });
    connect(okButton, &QPushButton::clicked, this, &StartMessageWindow::ok);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(clearButton, &QPushButton::clicked, this, &StartMessageWindow::clear);
    connect(helpButton, &QPushButton::clicked, this, &StartMessageWindow::help);

    watch(m_optOn, StartControl::OptOn);
    watch(m_optOff, StartControl::OptOff);
    watch(okButton, StartControl::CmdOk);
    watch(cancelButton, StartControl::CmdCancel);
    watch(clearButton, StartControl::CmdClear);
    watch(helpButton, StartControl::CmdHelp);
    // The bare form clears the status line whenever the mouse moves over it, also when it comes
    // back from a control (which gives the form no new Enter).
    setMouseTracking(true);

    showState();
}

void StartMessageWindow::buildRow(int row)
{
    RowControls& controls = m_rows[static_cast<std::size_t>(row - 1)];
    controls.frame =
        new QGroupBox(caption(startmessage::FrameTitles[static_cast<std::size_t>(row - 1)]), this);
    controls.frame->setObjectName(indexed("Frame", row));

    controls.txtStart = new QLineEdit(controls.frame);
    controls.txtStart->setObjectName(indexed("txtStart", row));
    controls.txtStart->setValidator(new DigitFilter(controls.txtStart));
    controls.txtStart->setMaximumWidth(
        controls.txtStart->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    controls.vsbStart = new NumberScrollBar(0, MessageCount - 1, controls.frame);
    controls.vsbStart->setObjectName(indexed("vsbStart", row));
    controls.vsbStart->setFixedHeight(controls.vsbStart->sizeHint().width() * 2 + 4);
    auto* place = new QLabel(caption(startmessage::PlaceLabel), controls.frame);
    place->setObjectName(indexed("lblPlace", row));
    controls.optTop = new QRadioButton(caption(startmessage::TopOption), controls.frame);
    controls.optTop->setObjectName(indexed("optTop", row));
    controls.optEnd = new QRadioButton(caption(startmessage::EndOption), controls.frame);
    controls.optEnd->setObjectName(indexed("optEnd", row));

    auto* layout = new QGridLayout(controls.frame);
    auto* number = new QHBoxLayout;
    number->setSpacing(0);
    number->addWidget(controls.txtStart);
    number->addWidget(controls.vsbStart);
    number->addStretch();
    layout->addLayout(number, 0, 0, 1, 2);
    layout->addWidget(place, 1, 0, 1, 2);
    layout->addWidget(controls.optTop, 2, 0);
    layout->addWidget(controls.optEnd, 2, 1);

    connect(controls.txtStart, &QLineEdit::textChanged, this, [this, row](const QString& text) {
        handle([&] { m_logic.txtStartChange(row, toWindows1252(text)); });
    });
    connect(controls.vsbStart, &NumberScrollBar::numberChanged, this,
        [this, row](int number) { handle([&] { m_logic.vsbStartChange(row, number); }); });
    connect(controls.optTop, &QRadioButton::clicked, this,
        [this, row] { handle([&] { m_logic.placeClick(row, StartPlace::Top); }); });
    connect(controls.optEnd, &QRadioButton::clicked, this,
        [this, row] { handle([&] { m_logic.placeClick(row, StartPlace::End); }); });

    watch(controls.txtStart, StartControl::TxtStart);
    watch(controls.vsbStart, StartControl::VsbStart);
    watch(controls.optTop, StartControl::OptTop);
    watch(controls.optEnd, StartControl::OptEnd);
}

void StartMessageWindow::watch(QWidget* control, StartControl kind)
{
    m_controls[control] = kind;
    control->installEventFilter(this);
}

template <typename Step> void StartMessageWindow::handle(Step&& step)
{
    runGuarded(m_session.ui(), Module, step);
    if (!m_showing)
        showState();
}

// Shows the logic's state in the controls. The controls' own change signals that this sets off
// reach the logic while it is updating the controls, and are ignored there.
void StartMessageWindow::showState()
{
    const StartMessageDialog::UpdatingControls updating(m_logic);
    m_showing = true;
    const bool on = m_logic.isOn();
    m_optOn->setChecked(on);
    m_optOff->setChecked(!on);
    for (int row = 1; row <= StartRows; ++row) {
        RowControls& controls = m_rows[static_cast<std::size_t>(row - 1)];
        const QString text = fromWindows1252(m_logic.text(row));
        // Set only when it differs, so that the caret stays where the user is typing.
        if (controls.txtStart->text() != text)
            controls.txtStart->setText(text);
        controls.vsbStart->setNumber(m_logic.spin(row));
        if (const std::optional<StartPlace> place = m_logic.place(row))
            (*place == StartPlace::Top ? controls.optTop : controls.optEnd)->setChecked(true);
        for (QWidget* control :
            { static_cast<QWidget*>(controls.txtStart), static_cast<QWidget*>(controls.vsbStart),
                static_cast<QWidget*>(controls.optTop), static_cast<QWidget*>(controls.optEnd) })
            control->setEnabled(on);
    }
    m_status->setText(fromUtf8(m_logic.status()));
    m_showing = false;
}

void StartMessageWindow::ok()
{
    bool passed = false;
    handle([&] { passed = m_logic.cmdOkClick(); });
    if (passed)
        accept();
}

void StartMessageWindow::clear()
{
    handle([&] { m_logic.cmdClearClick(); });
}

void StartMessageWindow::help()
{
    if (m_help)
        m_help(std::string(startmessage::HelpAnchor));
}

void StartMessageWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(area.center() - rect().center());
    }
}

// The status line follows the mouse: a control shows its text when the mouse enters it, the
// bare form clears the line when the mouse moves over it.
bool StartMessageWindow::eventFilter(QObject* watched, QEvent* event)
{
    const auto found = m_controls.find(watched);
    if (found != m_controls.end() && event->type() == QEvent::Enter)
        handle([&] { m_logic.mouseOver(found->second); });
    return QDialog::eventFilter(watched, event);
}

void StartMessageWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!childAt(event->position().toPoint()))
        handle([&] { m_logic.mouseOver(StartControl::Form); });
    QDialog::mouseMoveEvent(event);
}

} // namespace marquis::qt
