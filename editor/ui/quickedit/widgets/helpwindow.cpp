#include "ui/quickedit/widgets/helpwindow.h"

#include "ui/quickedit/widgets/startupfiles.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace marquis::qt {

HelpWindow::HelpWindow(std::filesystem::path guide, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_guide(std::move(guide))
    , m_browser(new QTextBrowser(this))
    , m_search(new QLineEdit(this))
{
    setObjectName("frmHelp");
    setWindowTitle("Marquis 5300 Help");
    m_browser->setObjectName("helpBrowser");
    m_browser->setOpenExternalLinks(true);
    m_search->setObjectName("txtHelpSearch");
    m_search->setPlaceholderText("Word to search for");

    auto* back = new QPushButton("&Back", this);
    auto* contents = new QPushButton("&Contents", this);
    auto* find = new QPushButton("&Find next", this);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(contents, &QPushButton::clicked, this, [this] { showContents(); });
    connect(find, &QPushButton::clicked, this, [this] { findNext(); });
    connect(m_search, &QLineEdit::returnPressed, this, [this] { findNext(); });

    auto* bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(contents);
    bar->addSpacing(12);
    bar->addWidget(new QLabel("Search:", this));
    bar->addWidget(m_search, 1);
    bar->addWidget(find);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);
    resize(640, 560);
}

bool HelpWindow::load()
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(m_guide, error))
        return false;
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(m_guide.string()));
    if (m_browser->source() != url)
        m_browser->setSource(url);
    show();
    raise();
    activateWindow();
    return true;
}

bool HelpWindow::showContents()
{
    return showAnchor("contents");
}

bool HelpWindow::showSearch()
{
    if (!showContents())
        return false;
    m_search->setFocus();
    m_search->selectAll();
    return true;
}

bool HelpWindow::showContext(int context)
{
    return showAnchor(QString::fromStdString(helpAnchor(context)));
}

bool HelpWindow::showAnchor(const QString& anchor)
{
    if (!load())
        return false;
    m_browser->scrollToAnchor(anchor);
    return true;
}

// Finds the search word after the caret, wrapping round to the start once.
void HelpWindow::findNext()
{
    const QString word = m_search->text().trimmed();
    if (word.isEmpty())
        return;
    if (!m_browser->find(word)) {
        m_browser->moveCursor(QTextCursor::Start);
        m_browser->find(word);
    }
}

} // namespace marquis::qt
