#include "ui/dialogs/widgets/variableswindow.h"

#include "model/modelfailure.h"
#include "ui/controls/linefont.h"
#include "ui/controls/richtextcodec.h"
#include "ui/controls/windows1252codec.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <exception>

namespace marquis::qt {
namespace {

QString caption(std::string_view text)
{
    return fromUtf8(text);
}

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The check mark a table cell shows when its variable occurs in the line.
QIcon checkMark()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({ QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4) }));
    return QIcon(picture);
}

// Shows one radio button of an exclusive pair, or neither.
void showChoice(QRadioButton* first, QRadioButton* second, std::optional<bool> firstChosen)
{
    for (QRadioButton* option : { first, second }) {
        option->setAutoExclusive(false);
        option->setChecked(firstChosen.has_value() && *firstChosen == (option == first));
        option->setAutoExclusive(true);
    }
}

} // namespace

VariablesWindow::VariablesWindow(EditorSession& session, QWidget* parent, HelpRequest help)
    : QDialog(parent)
    , m_session(session)
    , m_dialog(session.message(), session.ui())
    , m_help(std::move(help))
{
    namespace texts = variablesdialog;
    setObjectName(QStringLiteral("frmVar"));
    setWindowTitle(caption(texts::Caption));
    // Modal to the main window only: the help window it opens must take the user's input
    // while the dialog stays open.
    setWindowModality(Qt::WindowModal);

    m_lineFrame = named(new QGroupBox(fromUtf8(m_dialog.lineFrameCaption()), this), "fraLine");
    m_text = named(new QTextEdit(m_lineFrame), "txtEdit");
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setFont(lineFont());
    m_text->setLineWrapMode(QTextEdit::NoWrap);
    m_text->setFixedHeight(m_text->fontMetrics().lineSpacing() * 4 + 12);
    m_text->viewport()->setMouseTracking(true);
    // The highlight is what the table's double click assigns: it stays visible, in the same
    // strong colours, while the focus is on the table.
    QPalette palette = m_text->palette();
    for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive }) {
        palette.setColor(group, QPalette::Highlight, QColor(0, 0, 160));
        palette.setColor(group, QPalette::HighlightedText, QColor(255, 255, 0));
    }
    m_text->setPalette(palette);
    auto* lineLayout = new QVBoxLayout(m_lineFrame);
    lineLayout->addWidget(m_text);

    m_table = named(new QTableWidget(TableRows, TableColumns, this), "grdSend");
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->viewport()->setMouseTracking(true);
    for (int row = 0; row < TableRows; ++row) {
        for (int column = 0; column < TableColumns; ++column) {
            const int variable = VariablesDialog::variableOfCell(row, column);
            auto* cell = new QTableWidgetItem(fromUtf8(VariablesDialog::cellLabel(variable)));
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            m_table->setItem(row, column, cell);
        }
    }
    m_table->resizeRowsToContents();
    m_table->setColumnWidth(0, m_table->fontMetrics().horizontalAdvance("V16") + 40);
    m_table->setColumnWidth(1, m_table->columnWidth(0));
    m_table->setFixedSize(
        m_table->columnWidth(0) * TableColumns + 4, m_table->rowHeight(0) * TableRows + 4);

    auto* modeFrame = named(new QGroupBox(caption(texts::ModeFrame), this), "fraMode");
    m_on = named(new QRadioButton(caption(texts::OnOption), modeFrame), "optOn");
    m_off = named(new QRadioButton(caption(texts::OffOption), modeFrame), "optOff");
    auto* modeLayout = new QVBoxLayout(modeFrame);
    modeLayout->addWidget(m_on);
    modeLayout->addWidget(m_off);

    m_fillFrame = named(new QGroupBox(caption(texts::FillFrame), this), "fraFill");
    m_zero = named(new QRadioButton(caption(texts::ZeroOption), m_fillFrame), "optZero");
    m_space = named(new QRadioButton(caption(texts::SpaceOption), m_fillFrame), "optSpace");
    auto* fillLayout = new QVBoxLayout(m_fillFrame);
    fillLayout->addWidget(m_zero);
    fillLayout->addWidget(m_space);

    auto* okButton = named(new QPushButton(caption(texts::OkButton), this), "cmdOk");
    okButton->setDefault(true);
    auto* cancelButton = named(new QPushButton(caption(texts::CancelButton), this), "cmdCancel");
    m_clear = named(new QPushButton(caption(texts::ClearButton), this), "cmdClear");
    auto* helpButton = named(new QPushButton(caption(texts::HelpButton), this), "cmdHelp");
    helpButton->setEnabled(static_cast<bool>(m_help));

    m_status = named(new QLabel(this), "lblStatus");
    m_status->setMinimumWidth(m_status->fontMetrics().horizontalAdvance("Variable  16") + 8);
    m_statusLine = named(new QLabel(this), "lblStatusLine");
    m_statusLine->setWordWrap(true);
    m_statusLine->setFrameShape(QFrame::StyledPanel);
    m_statusLine->setMinimumHeight(m_statusLine->fontMetrics().lineSpacing() * 2 + 6);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : { okButton, cancelButton, m_clear, helpButton })
        buttons->addWidget(button);
    buttons->addStretch();
    auto* options = new QVBoxLayout;
    options->addWidget(modeFrame);
    options->addWidget(m_fillFrame);
    options->addWidget(m_status);
    options->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_table);
    middle->addLayout(options);
    middle->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lineFrame);
    layout->addLayout(middle);
    layout->addWidget(m_statusLine);

    m_controls = { { okButton, VariablesControl::Ok }, { cancelButton, VariablesControl::Cancel },
        { m_clear, VariablesControl::Clear }, { helpButton, VariablesControl::Help },
        { m_table, VariablesControl::Table }, { m_on, VariablesControl::On },
        { m_off, VariablesControl::Off }, { m_space, VariablesControl::Space },
        { m_zero, VariablesControl::Zero } };
    for (const auto& [control, kind] : m_controls)
        control->installEventFilter(this);
    m_text->viewport()->installEventFilter(this);
    m_table->viewport()->installEventFilter(this);

    connect(okButton, &QPushButton::clicked, this, &VariablesWindow::ok);
    connect(cancelButton, &QPushButton::clicked, this, &VariablesWindow::reject);
    connect(m_clear, &QPushButton::clicked, this, &VariablesWindow::clear);
    connect(helpButton, &QPushButton::clicked, this, &VariablesWindow::help);
    connect(m_table, &QTableWidget::cellClicked, this, &VariablesWindow::cellClicked);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &VariablesWindow::cellDoubleClicked);
    connect(m_on, &QRadioButton::clicked, this,
        [this] { step([this] { m_dialog.setVariablesOn(true); }); });
    connect(m_off, &QRadioButton::clicked, this,
        [this] { step([this] { m_dialog.setVariablesOn(false); }); });
    connect(
        m_zero, &QRadioButton::clicked, this, [this] { step([this] { m_dialog.setFill(true); }); });
    connect(m_space, &QRadioButton::clicked, this,
        [this] { step([this] { m_dialog.setFill(false); }); });

    showText();
    showState();
}

// Runs one handler of the dialog and shows what it left. A failure of the message model goes to
// the program's common report once the dialog is closed; any other failing step is passed
// over.
void VariablesWindow::step(const std::function<void()>& handler)
{
    const std::string before = m_dialog.text();
    try {
        handler();
    } catch (const ModelFailure&) {
        m_failure = std::current_exception();
        reject();
        return;
    } catch (const std::exception&) {
    }
    if (m_dialog.text() != before)
        showText();
    showState();
}

void VariablesWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    step([this] { m_dialog.activate(); });
}

void VariablesWindow::showText()
{
    loadLineText(*m_text->document(), m_dialog.text());
    QTextCursor all(m_text->document());
    all.select(QTextCursor::Document);
    QTextCharFormat fixedPitch;
    fixedPitch.setFontFamilies({ lineFont().family() });
    fixedPitch.setFontFixedPitch(true);
    all.mergeCharFormat(fixedPitch);
}

void VariablesWindow::showState()
{
    m_table->setEnabled(m_dialog.tableEnabled());
    m_fillFrame->setEnabled(m_dialog.tableEnabled());
    m_clear->setEnabled(m_dialog.clearEnabled());
    showChoice(m_on, m_off, m_dialog.variablesOn());
    const std::optional<int> selected = m_dialog.selectedVariable();
    showChoice(m_zero, m_space,
        selected ? std::optional<bool>(m_dialog.zeroFilled(*selected)) : std::nullopt);
    static const QIcon mark = checkMark();
    for (int row = 0; row < TableRows; ++row) {
        for (int column = 0; column < TableColumns; ++column) {
            const bool marked = m_dialog.marked(VariablesDialog::variableOfCell(row, column));
            m_table->item(row, column)->setIcon(marked ? mark : QIcon());
        }
    }
    m_status->setText(fromUtf8(m_dialog.status()));
    for (const auto& [control, kind] : m_controls)
        static_cast<QWidget*>(control)->setToolTip(fromUtf8(m_dialog.toolTip(kind)));
}

EditorSpan VariablesWindow::highlight() const
{
    const QTextCursor cursor = m_text->textCursor();
    return { static_cast<std::size_t>(cursor.selectionStart()),
        static_cast<std::size_t>(cursor.selectionEnd()) };
}

void VariablesWindow::cellClicked(int row, int column)
{
    step([&] { m_dialog.selectVariable(VariablesDialog::variableOfCell(row, column)); });
}

void VariablesWindow::cellDoubleClicked(int row, int column)
{
    const EditorSpan selected = highlight();
    Assignment done = Assignment::NothingHighlighted;
    step([&] { done = m_dialog.assign(VariablesDialog::variableOfCell(row, column), selected); });
    if (done == Assignment::Refused) {
        // The message box took the focus; the highlight is still there to be corrected.
        m_text->setFocus();
    }
}

void VariablesWindow::clear()
{
    step([this] { m_dialog.clearVariables(); });
}

void VariablesWindow::ok()
{
    step([this] { m_dialog.ok(); });
    if (!m_failure)
        accept();
}

void VariablesWindow::reject()
{
    m_dialog.cancel();
    QDialog::reject();
}

void VariablesWindow::help()
{
    if (m_help)
        m_help(std::string(variablesdialog::HelpAnchor));
}

bool VariablesWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && watched == m_text->viewport()) {
        const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint() +
            QPoint(m_text->horizontalScrollBar()->value(), m_text->verticalScrollBar()->value());
        const int position = m_text->document()->documentLayout()->hitTest(point, Qt::ExactHit);
        m_statusLine->setText(
            fromUtf8(position < 0 ? std::string(variablesdialog::TextStatus)
                                  : m_dialog.textStatus(static_cast<std::size_t>(position))));
    } else if (event->type() == QEvent::MouseMove && watched == m_table->viewport()) {
        m_statusLine->setText(fromUtf8(VariablesDialog::tableStatus()));
    } else if (event->type() == QEvent::Enter) {
        const auto control = m_controls.find(watched);
        if (control != m_controls.end())
            m_statusLine->setText(fromUtf8(m_dialog.toolTip(control->second)));
    }
    return QDialog::eventFilter(watched, event);
}

bool showVariablesDialog(QWidget* parent, EditorSession& session, HelpRequest help)
{
    VariablesWindow dialog(session, parent, std::move(help));
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    if (dialog.failure())
        std::rethrow_exception(dialog.failure());
    return confirmed;
}

} // namespace marquis::qt
