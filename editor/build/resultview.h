#pragma once

#include <string>

namespace marquis {

// The result window of compiling and programming, as its logic sees it.
class ResultView {
public:
    virtual ~ResultView() = default;
    virtual void setResultText(const std::string& text) = 0;
    virtual void appendResultText(const std::string& text) = 0;
    virtual void setElapsedVisible(bool caption, bool value) = 0;
    virtual void setElapsed(const std::string& text) = 0;
    virtual void setMainButton(const std::string& caption, bool visible, bool enabled) = 0;
    // Shows a tool's error file read-only (used when no external editor is set).
    virtual void showErrorFile(const std::string& path) = 0;
    virtual void closeWindow() = 0;
};

}  // namespace marquis
