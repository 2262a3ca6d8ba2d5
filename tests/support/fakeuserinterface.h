#pragma once

#include "ports/userinterface.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace marquis::testing {

// A scripted user: records everything the program says and answers questions from a queue
// (the default answer when the queue is empty).
class FakeUserInterface : public UserInterface {
public:
    struct Message {
        std::string text;
        Buttons buttons;
        Icon icon;
        Answer defaultAnswer;
        std::string title;
    };

    std::vector<Message> messages;
    std::vector<std::string> statuses; // every status text, in order ("" when cleared)
    std::vector<bool> busyChanges; // every change of the busy pointer
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> inputs;
    std::deque<std::optional<std::filesystem::path>> files;
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<std::string> captions;
    int pumps = 0;
    std::function<void()> onPump;  // what the "user" does while the program waits

    Answer message(std::string_view text, Buttons buttons, Icon icon, Answer defaultAnswer,
        std::string_view title = {}) override;
    std::optional<std::string> inputBox(
        std::string_view prompt, std::string_view title, std::string_view initial) override;
    std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest&) override;
    std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest&) override;
    void status(std::string_view text) override;
    void busy(bool on) override;
    void pumpEvents() override;
    void caption(std::string_view text) override;

    // The texts of all messages shown so far.
    std::vector<std::string> messageTexts() const;

    bool isBusy() const { return !busyChanges.empty() && busyChanges.back(); }
    std::string currentStatus() const { return statuses.empty() ? "" : statuses.back(); }
};

} // namespace marquis::testing
