#include "ui/dialogs/widgets/preferenceswindow.h"

#include "ui/controls/windows1252codec.h"
#include "ui/dialogs/widgets/dialogguard.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QValidator>

namespace marquis::qt {
namespace {

constexpr std::string_view Module = "Preference";
constexpr const char* HelpSection = "preferences";

// The key filter of a one-character box. A validator sees typed and pasted text alike, so
// nothing the filter refuses reaches the box either way; Backspace and Delete only shorten the
// text and always pass.
class CharacterFilter : public QValidator {
public:
    CharacterFilter(bool (*accepts)(int code), QObject* parent)
        : QValidator(parent)
        , m_accepts(accepts)
    {
    }

    State validate(QString& input, int&) const override
    {
        for (const QChar character : input) {
            // Both filters accept printable ASCII only, where Windows-1252 and Unicode agree.
            const int code = character.unicode();
            if (code > 126 || !m_accepts(code))
                return Invalid;
        }
        return Acceptable;
    }

private:
    bool (*m_accepts)(int code);
};

QString caption(std::string_view text)
{
    return fromUtf8(text);
}

QLineEdit* characterBox(const char* name, bool (*accepts)(int code), QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    // Each of these settings is one character: the delimiters mark control codes in message
    // text character by character, and the placeholder stands for one digit.
    box->setMaxLength(1);
    box->setValidator(new CharacterFilter(accepts, box));
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 4);
    return box;
}

QPushButton* button(const char* name, std::string_view text, QWidget* parent)
{
    auto* result = new QPushButton(caption(text), parent);
    result->setObjectName(QString::fromLatin1(name));
    return result;
}

} // namespace

PreferencesWindow::PreferencesWindow(EditorSession& session, QWidget* parent, HelpRequest help)
    : QDialog(parent)
    , m_session(session)
    , m_help(std::move(help))
{
    namespace texts = preferencesdialog;
    setObjectName(QStringLiteral("frmPref"));
    setWindowTitle(caption(texts::Caption));
    // Modal to the main window only: the help window it opens must take the user's input
    // while the dialog stays open.
    setWindowModality(Qt::WindowModal);

    auto* editorGroup = new QGroupBox(caption(texts::EditorGroup), this);
    editorGroup->setObjectName(QStringLiteral("fraEditor"));
    m_internal = new QRadioButton(caption(texts::InternalOption), editorGroup);
    m_internal->setObjectName(QStringLiteral("optInternal"));
    m_external = new QRadioButton(caption(texts::ExternalOption), editorGroup);
    m_external->setObjectName(QStringLiteral("optExternal"));
    m_editorPath = new QLineEdit(editorGroup);
    m_editorPath->setObjectName(QStringLiteral("txtEditorPath"));
    QPushButton* browseButton = button("cmdBrowse", texts::BrowseButton, editorGroup);
    auto* editorLayout = new QGridLayout(editorGroup);
    editorLayout->addWidget(m_internal, 0, 0);
    editorLayout->addWidget(m_external, 0, 1);
    editorLayout->addWidget(m_editorPath, 1, 0, 1, 2);
    editorLayout->addWidget(browseButton, 1, 2);

    auto* placeholderGroup = new QGroupBox(caption(texts::PlaceholderGroup), this);
    placeholderGroup->setObjectName(QStringLiteral("fraPlaceholder"));
    m_placeholder = characterBox("txtPlaceholder", acceptsPlaceholderKey, placeholderGroup);
    auto* placeholderLayout = new QHBoxLayout(placeholderGroup);
    placeholderLayout->addWidget(m_placeholder);
    placeholderLayout->addStretch();

    auto* delimiterGroup = new QGroupBox(caption(texts::DelimiterGroup), this);
    delimiterGroup->setObjectName(QStringLiteral("fraDelimiters"));
    m_start = characterBox("txtStart", acceptsDelimiterKey, delimiterGroup);
    m_stop = characterBox("txtStop", acceptsDelimiterKey, delimiterGroup);
    auto* startLabel = new QLabel(caption(texts::StartLabel), delimiterGroup);
    startLabel->setObjectName(QStringLiteral("lblStart"));
    startLabel->setBuddy(m_start);
    auto* stopLabel = new QLabel(caption(texts::StopLabel), delimiterGroup);
    stopLabel->setObjectName(QStringLiteral("lblStop"));
    stopLabel->setBuddy(m_stop);
    auto* delimiterLayout = new QHBoxLayout(delimiterGroup);
    delimiterLayout->addWidget(startLabel);
    delimiterLayout->addWidget(m_start);
    delimiterLayout->addSpacing(12);
    delimiterLayout->addWidget(stopLabel);
    delimiterLayout->addWidget(m_stop);
    delimiterLayout->addStretch();

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* okButton = button("cmdOK", "&OK", this);
    okButton->setDefault(true);
    buttons->addButton(okButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(button("cmdCancel", "&Cancel", this), QDialogButtonBox::RejectRole);
    QPushButton* helpButton = button("cmdHelp", "&Help", this);
    helpButton->setEnabled(static_cast<bool>(m_help));
    buttons->addButton(helpButton, QDialogButtonBox::HelpRole);

    auto* groups = new QVBoxLayout;
    groups->addWidget(editorGroup);
    groups->addWidget(placeholderGroup);
    groups->addWidget(delimiterGroup);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &PreferencesWindow::ok);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &PreferencesWindow::help);
    connect(browseButton, &QPushButton::clicked, this, &PreferencesWindow::browse);

    load(loadPreferencesForm(session.preferences()));
}

void PreferencesWindow::load(const PreferencesForm& form)
{
    (form.externalEditor ? m_external : m_internal)->setChecked(true);
    m_editorPath->setText(fromUtf8(form.editorPath));
    // setText passes by the filters, so a setting they would refuse still shows as it is.
    m_placeholder->setText(fromWindows1252(form.placeholder));
    m_start->setText(fromWindows1252(form.startChar));
    m_stop->setText(fromWindows1252(form.stopChar));
}

PreferencesForm PreferencesWindow::form() const
{
    PreferencesForm form;
    form.externalEditor = m_external->isChecked();
    form.editorPath = toUtf8(m_editorPath->text());
    form.placeholder = toWindows1252(m_placeholder->text());
    form.startChar = toWindows1252(m_start->text());
    form.stopChar = toWindows1252(m_stop->text());
    return form;
}

void PreferencesWindow::ok()
{
    EditorSession& session = m_session;
    const bool applied = runGuarded(session.ui(), Module, [&] {
        m_applied = applyPreferencesForm(form(), session.preferences(),
            EditedMessage {
                session.message(), session.writer(), session.reader(), session.scriptEditMode },
            session.ui());
    });
    if (m_applied && !m_applied->accepted)
        m_applied.reset(); // refused: the user corrects the form or cancels
    else if (applied)
        accept();
}

void PreferencesWindow::browse()
{
    runGuarded(m_session.ui(), Module, [this] {
        m_editorPath->setText(
            fromUtf8(browseForEditor(m_session.ui(), toUtf8(m_editorPath->text()))));
    });
}

void PreferencesWindow::help()
{
    if (m_help)
        m_help(HelpSection);
}

} // namespace marquis::qt
