#pragma once

#include "build/resultview.h"
#include "build/resultwindow.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace marquis::qt {

// frmShow: the modal result window of Program > Compile... and Program > Program.... It starts
// its work once it is on screen and shows the tools' reports as they come.
class ResultDialog : public QDialog, public ResultView {
    Q_OBJECT

public:
    ResultDialog(EditorSession& session, ToolRunner& tools, ProcessPort& processes,
        bool compileMode, QWidget* parent = nullptr);
    ~ResultDialog() override;

    ResultWindow& logic() { return m_logic; }
    // True while the opening sequence or the main button's work is in progress.
    bool working() const { return m_working; }

    void setResultText(const std::string& text) override;
    void appendResultText(const std::string& text) override;
    void setElapsedVisible(bool caption, bool value) override;
    void setElapsed(const std::string& text) override;
    void setMainButton(const std::string& caption, bool visible, bool enabled) override;
    void showErrorFile(const std::string& path) override;
    void closeWindow() override;

public slots:
    // The opening sequence, run once; the window closes again when it ends at once.
    void start();
    void closeButton();
    void mainButton();
    // Escape acts as the Close button, so a running tool is stopped, not abandoned.
    void reject() override;
    // Every way the window closes ends here; a cancel made in it ends with it.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void runStep(const std::function<void()>& step);

    EditorSession& m_session;
    ResultWindow m_logic;
    bool m_started = false;
    bool m_working = false;
    QPlainTextEdit* m_result;
    QLabel* m_elapsedCaption;
    QLabel* m_elapsed;
    QPushButton* m_close;
    QPushButton* m_main;
};

// A small modal window that shows a text file read-only (a tool's error file).
class FileViewer : public QDialog {
    Q_OBJECT

public:
    FileViewer(const QString& title, const QString& text, QWidget* parent = nullptr);
};

// A tool's report or a file as text: UTF-8 when it is valid UTF-8 (paths are), otherwise
// Windows-1252 (the tools' own texts), so no byte is lost either way; lines end with LF.
QString reportText(std::string_view bytes);

} // namespace marquis::qt
