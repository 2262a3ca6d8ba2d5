#pragma once

#include <QWidget>
#include <filesystem>

class QLineEdit;
class QTextBrowser;

namespace marquis::qt {

// The help window: the HTML user guide in a browser, opened on its contents, on a search
// field, or at the anchor of a context number.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(std::filesystem::path guide, QWidget* parent = nullptr);

    // Each returns false, showing nothing, when the guide file is missing.
    bool showContents();
    bool showSearch();
    bool showHowToUse() { return showAnchor("usinghelp"); }
    bool showContext(int context);
    bool showAnchor(const QString& anchor);

    const std::filesystem::path& guide() const { return m_guide; }
    QTextBrowser* browser() const { return m_browser; }

private:
    bool load();
    void findNext();

    std::filesystem::path m_guide;
    QTextBrowser* m_browser;
    QLineEdit* m_search;
};

} // namespace marquis::qt
