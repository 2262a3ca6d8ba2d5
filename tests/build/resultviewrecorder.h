#pragma once

#include "build/resultview.h"

#include <string>
#include <utility>
#include <vector>

namespace marquis::testing {

// Records what the result window would show.
class ResultViewRecorder : public ResultView {
public:
    std::string resultText;
    std::vector<std::string> elapsed;
    std::string mainCaption;
    bool mainVisible = false;
    bool closed = false;
    std::string errorFileShown;
    std::vector<std::pair<bool, bool>> elapsedVisible;  // caption and value, each time set

    void setResultText(const std::string& text) override { resultText = text; }
    void appendResultText(const std::string& text) override { resultText += text; }
    void setElapsedVisible(bool caption, bool value) override
    {
        elapsedVisible.emplace_back(caption, value);
    }
    void setElapsed(const std::string& text) override { elapsed.push_back(text); }
    void setMainButton(const std::string& caption, bool visible, bool) override
    {
        mainCaption = caption;
        mainVisible = visible;
    }
    void showErrorFile(const std::string& path) override { errorFileShown = path; }
    void closeWindow() override { closed = true; }
};

}  // namespace marquis::testing
