#include "ui/dialogs/widgets/sendmessagewindow.h"

#include "ui/controls/windows1252codec.h"
#include "ui/dialogs/widgets/dialogguard.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace marquis::qt {

// txtSend: a text box that asks before Backspace and tells of a click once the caret is set.
class SendTextEdit : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

    std::function<bool()> backspaceAllowed;
    std::function<void()> clicked;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Backspace && backspaceAllowed && !backspaceAllowed()) {
            event->accept();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QPlainTextEdit::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && clicked)
            clicked();
    }
};

namespace {

constexpr std::string_view Module = "Send Message";
// Sizes are given in twips, as the dialog's layout always had them.
constexpr int TwipsPerPixel = 15;

QString caption(std::string_view text)
{
    return fromUtf8(text);
}

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton* button(const char* name, std::string_view text, QWidget* parent)
{
    auto* result = named(new QPushButton(caption(text), parent), name);
    result->setAutoDefault(false);
    return result;
}

int pixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

} // namespace

template <typename Step> void SendMessageWindow::guarded(Step&& step)
{
    runGuarded(m_session.ui(), Module, std::forward<Step>(step));
}

SendMessageWindow::SendMessageWindow(EditorSession& session, QWidget* parent, HelpRequest help)
    : QDialog(parent)
    , m_session(session)
    , m_logic(session.message(), session.preferences(), session.ui())
    , m_help(std::move(help))
{
    namespace texts = sendmessage;
    setObjectName(QStringLiteral("frmSend"));
    setWindowTitle(caption(texts::Caption));
    // Modal to the main window only: the help window it opens must take the user's input
    // while the dialog stays open.
    setWindowModality(Qt::WindowModal);

    auto* label2 = named(new QLabel(caption(texts::TextLabel), this), "Label2");
    m_optOff = named(new QRadioButton(caption(texts::OffOption), this), "optOff");
    m_optOn = named(new QRadioButton(caption(texts::TextOption), this), "optOn");
    m_optSlave = named(new QRadioButton(caption(texts::SlaveOption), this), "optSlave");

    m_textPart = new QWidget(this);
    m_txtSend = named(new SendTextEdit(m_textPart), "txtSend");
    m_txtSend->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_txtSend->setTabChangesFocus(true);
    m_txtSend->backspaceAllowed = [this] { return backspaceAllowed(); };
    m_txtSend->clicked = [this] { textClicked(); };
    m_cmdClear = button("cmdClear", texts::ClearButton, m_textPart);
    m_label1 = named(new QLabel(caption(texts::TableLabel), m_textPart), "Label1");

    m_grdSend = named(new QTableWidget(texts::GridRows, texts::GridColumns, m_textPart), "grdSend");
    m_grdSend->horizontalHeader()->hide();
    m_grdSend->verticalHeader()->hide();
    m_grdSend->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdSend->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdSend->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grdSend->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The cells are as wide as the longest name needs, at least their usual width.
    int cellWidth = pixels(texts::CellWidthTwips);
    const int cellHeight = std::max(pixels(texts::CellHeightTwips), fontMetrics().height() + 4);
    for (int row = 0; row < texts::GridRows; ++row) {
        m_grdSend->setRowHeight(row, cellHeight);
        for (int column = 0; column < texts::GridColumns; ++column) {
            const QString name = fromWindows1252(m_logic.cellText(row, column));
            m_grdSend->setItem(row, column, new QTableWidgetItem(name));
            cellWidth = std::max(cellWidth, fontMetrics().horizontalAdvance(name) + 12);
        }
    }
    for (int column = 0; column < texts::GridColumns; ++column)
        m_grdSend->setColumnWidth(column, cellWidth);
    const int frame = m_grdSend->frameWidth() * 2;
    m_grdSend->setFixedSize(
        cellWidth * texts::GridColumns + frame, cellHeight * texts::GridRows + frame);
    m_grdSend->installEventFilter(this);
    m_lblSend = named(new QLabel(m_textPart), "lblSend");
    m_lblSend->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* textLayout = new QGridLayout(m_textPart);
    textLayout->setContentsMargins(0, 0, 0, 0);
    textLayout->addWidget(m_txtSend, 0, 0);
    textLayout->addWidget(m_cmdClear, 0, 1, Qt::AlignTop);
    textLayout->addWidget(m_label1, 1, 0, 1, 2);
    textLayout->addWidget(m_grdSend, 2, 0, 1, 2, Qt::AlignLeft);
    textLayout->addWidget(m_lblSend, 3, 0, 1, 2);

    auto* okButton = button("cmdOk", texts::OkButton, this);
    okButton->setDefault(true);
    auto* cancelButton = button("cmdCancel", texts::CancelButton, this);
    auto* helpButton = button("cmdHelp", texts::HelpButton, this);
    helpButton->setEnabled(static_cast<bool>(m_help));

    auto* options = new QVBoxLayout;
    options->addWidget(label2);
    options->addWidget(m_optOff);
    options->addWidget(m_optOn);
    options->addWidget(m_optSlave);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(helpButton);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(options, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_textPart, 1);
    layout->addStretch();

    connect(okButton, &QPushButton::clicked, this, &SendMessageWindow::ok);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, &SendMessageWindow::help);
    connect(m_cmdClear, &QPushButton::clicked, this, &SendMessageWindow::clear);
    connect(m_optOff, &QRadioButton::clicked, this, [this] { choose(SendChoice::Off); });
    connect(m_optOn, &QRadioButton::clicked, this, [this] { choose(SendChoice::UserText); });
    connect(m_optSlave, &QRadioButton::clicked, this, [this] { choose(SendChoice::Slave); });
    connect(m_grdSend, &QTableWidget::currentCellChanged, this,
        [this](int row, int column) { chooseCell(row, column); });
    connect(m_grdSend, &QTableWidget::cellDoubleClicked, this,
        [this](int row, int column) { insertCell(row, column); });

    // The width stays that of the whole dialog when the text part is hidden.
    layout->activate();
    setFixedWidth(sizeHint().width());
    showBox(m_logic.box());
    applyChoice();
}

SendMessageWindow::~SendMessageWindow() = default;

void SendMessageWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centre(true);
}

// Enter on the grid pastes the chosen cell, as a double click does, rather than pressing OK.
bool SendMessageWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grdSend && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            insertCell(m_grdSend->currentRow(), m_grdSend->currentColumn());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SendMessageWindow::choose(SendChoice choice)
{
    guarded([&] { m_logic.choose(choice); });
    applyChoice();
    centre(false);
}

// The option buttons and the part below them as the logic's choice has them. The part that
// the smaller height cuts off is hidden as well as disabled.
void SendMessageWindow::applyChoice()
{
    const SendChoice choice = m_logic.choice();
    m_optOff->setChecked(choice == SendChoice::Off);
    m_optOn->setChecked(choice == SendChoice::UserText);
    m_optSlave->setChecked(choice == SendChoice::Slave);
    const bool enabled = m_logic.textControlsEnabled();
    for (QWidget* control :
        std::initializer_list<QWidget*> { m_grdSend, m_txtSend, m_lblSend, m_label1, m_cmdClear })
        control->setEnabled(enabled);
    m_textPart->setVisible(enabled);
    layout()->activate();
    setFixedHeight(std::max(pixels(m_logic.heightTwips()), minimumSizeHint().height()));
}

void SendMessageWindow::centre(bool horizontally)
{
    QWidget* owner = parentWidget();
    if (!owner)
        return;
    const QRect area = owner->window()->frameGeometry();
    const QPoint middle = area.center() - rect().center();
    move(horizontally ? middle.x() : x(), middle.y());
}

void SendMessageWindow::chooseCell(int row, int column)
{
    guarded([&] { m_logic.chooseCell(row, column); });
    m_lblSend->setText(fromWindows1252(m_logic.details()));
}

void SendMessageWindow::insertCell(int row, int column)
{
    guarded([&] {
        m_logic.edited(box());
        m_logic.insertCell(row, column);
    });
    showBox(m_logic.box());
    m_txtSend->setFocus(Qt::OtherFocusReason);
}

void SendMessageWindow::clear()
{
    guarded([&] {
        m_logic.edited(box());
        m_logic.clear();
    });
    showBox(m_logic.box());
}

void SendMessageWindow::textClicked()
{
    if (m_txtSend->textCursor().hasSelection())
        return; // a drag chose its own selection
    guarded([&] {
        m_logic.edited(box());
        m_logic.clicked();
    });
    showBox(m_logic.box());
}

bool SendMessageWindow::backspaceAllowed()
{
    bool allowed = true;
    guarded([&] {
        m_logic.edited(box());
        allowed = m_logic.backspaceAllowed();
    });
    return allowed;
}

void SendMessageWindow::ok()
{
    guarded([&] {
        m_logic.edited(box());
        m_sendCaption = m_logic.ok();
    });
    if (m_sendCaption)
        accept();
}

void SendMessageWindow::help()
{
    if (m_help)
        m_help(std::string(sendmessage::HelpAnchor));
}

// Positions in the logic count Windows-1252 characters; the prefixes are converted so that a
// character the set cannot hold still counts as one.
SendTextBox SendMessageWindow::box() const
{
    const QString text = m_txtSend->toPlainText();
    const QTextCursor cursor = m_txtSend->textCursor();
    SendTextBox box;
    box.text = toWindows1252(text);
    box.selectionStart = toWindows1252(text.left(cursor.selectionStart())).size();
    box.selectionLength =
        toWindows1252(text.left(cursor.selectionEnd())).size() - box.selectionStart;
    return box;
}

void SendMessageWindow::showBox(const SendTextBox& box)
{
    const QString text = fromWindows1252(box.text);
    if (m_txtSend->toPlainText() != text)
        m_txtSend->setPlainText(text);
    const std::string_view whole = box.text;
    const auto start =
        static_cast<int>(fromWindows1252(whole.substr(0, box.selectionStart)).size());
    const auto end = static_cast<int>(
        fromWindows1252(whole.substr(0, box.selectionStart + box.selectionLength)).size());
    QTextCursor cursor = m_txtSend->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    m_txtSend->setTextCursor(cursor);
}

} // namespace marquis::qt
