#include "ui/dialogs/widgets/resultdialog.h"

#include "files/paths.h"
#include "ui/controls/windows1252codec.h"
#include "ui/dialogs/widgets/dialogguard.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QTimer>
#include <QVBoxLayout>

namespace marquis::qt {
namespace {

constexpr std::string_view Module = "Show";

QPlainTextEdit* readOnlyText(const char* name, QWidget* parent)
{
    auto* text = new QPlainTextEdit(parent);
    text->setObjectName(QString::fromLatin1(name));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    return text;
}

} // namespace

QString reportText(std::string_view bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError())
        text = fromWindows1252(bytes);
    // The reports end their lines with CR LF; the text box wants LF alone.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

ResultDialog::ResultDialog(EditorSession& session, ToolRunner& tools, ProcessPort& processes,
    bool compileMode, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_logic(session, tools, processes, *this, compileMode)
{
    setObjectName(QStringLiteral("frmShow"));
    setWindowTitle(compileMode ? tr("Compile") : tr("Program"));
    setModal(true);

    m_result = readOnlyText("txtResult", this);
    m_result->setMinimumSize(440, 200);
    m_elapsedCaption = new QLabel(tr("Elapsed time:"), this);
    m_elapsedCaption->setObjectName(QStringLiteral("lblElapsedCaption"));
    m_elapsed = new QLabel(this);
    m_elapsed->setObjectName(QStringLiteral("lblElapsed"));
    m_main = new QPushButton(this);
    m_main->setObjectName(QStringLiteral("cmdMain"));
    m_main->hide();
    m_close = new QPushButton(tr("Close"), this);
    m_close->setObjectName(QStringLiteral("cmdClose"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_elapsedCaption);
    bottom->addWidget(m_elapsed);
    bottom->addStretch();
    bottom->addWidget(m_main);
    bottom->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_result);
    layout->addLayout(bottom);

    connect(m_close, &QPushButton::clicked, this, &ResultDialog::closeButton);
    connect(m_main, &QPushButton::clicked, this, &ResultDialog::mainButton);
}

void ResultDialog::setResultText(const std::string& text)
{
    m_result->setPlainText(reportText(text));
}

void ResultDialog::appendResultText(const std::string& text)
{
    m_result->moveCursor(QTextCursor::End);
    m_result->insertPlainText(reportText(text));
}

void ResultDialog::setElapsedVisible(bool caption, bool value)
{
    m_elapsedCaption->setVisible(caption);
    m_elapsed->setVisible(value);
}

void ResultDialog::setElapsed(const std::string& text)
{
    m_elapsed->setText(fromUtf8(text));
}

void ResultDialog::setMainButton(const std::string& caption, bool visible, bool enabled)
{
    m_main->setText(fromUtf8(caption));
    m_main->setVisible(visible);
    m_main->setEnabled(enabled);
}

void ResultDialog::showErrorFile(const std::string& path)
{
    std::string bytes;
    const std::unique_ptr<InputFile> file = m_session.store().files().open(path);
    if (!file || !file->readRest(bytes)) {
        m_session.ui().message(
            "Can't open file " + path, Buttons::Ok, Icon::Exclamation, Answer::Ok);
        return;
    }
    FileViewer viewer(fromUtf8(fileNameOf(path)), reportText(bytes), this);
    viewer.exec();
}

ResultDialog::~ResultDialog()
{
    m_logic.closed();
}

// done() hides the window without a close event, so it is not taken for the user's Close.
void ResultDialog::closeWindow()
{
    done(QDialog::Rejected);
}

void ResultDialog::done(int result)
{
    m_logic.closed();
    QDialog::done(result);
}

void ResultDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Started from the event loop, so the window is on screen while the tools run.
    if (!m_started)
        QTimer::singleShot(0, this, &ResultDialog::start);
}

// A failure in the logic is reported and the window closes, which frees the tool runner.
void ResultDialog::runStep(const std::function<void()>& step)
{
    m_working = true;
    const bool finished = runGuarded(m_session.ui(), Module, step);
    m_working = false;
    if (!finished)
        closeWindow();
}

void ResultDialog::start()
{
    if (m_started)
        return;
    m_started = true;
    runStep([this] {
        if (!m_logic.open())
            closeWindow();
    });
}

void ResultDialog::mainButton()
{
    // The tool runner keeps events flowing, so a second click could arrive mid-run.
    if (m_working)
        return;
    runStep([this] { m_logic.mainButton(); });
}

void ResultDialog::closeButton()
{
    runGuarded(m_session.ui(), Module, [this] { m_logic.closeButton(); });
}

void ResultDialog::reject()
{
    closeButton();
}

void ResultDialog::closeEvent(QCloseEvent* event)
{
    // The window's own close button does what Close does; the window goes once that allows.
    event->ignore();
    closeButton();
}

FileViewer::FileViewer(const QString& title, const QString& text, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFileViewer"));
    setWindowTitle(title);
    auto* view = readOnlyText("txtFile", this);
    view->setPlainText(text);
    view->setMinimumSize(520, 320);
    auto* close = new QPushButton(tr("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addWidget(close, 0, Qt::AlignRight);
}

} // namespace marquis::qt
