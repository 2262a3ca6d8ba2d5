#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace marquis {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Exclamation, Question, Critical };
enum class Answer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    std::string title;
    std::string filter; // pairs of description and patterns: "Text (*.txt)|*.txt"
    std::string defaultExtension; // added to a typed name without one, e.g. "src"
    std::filesystem::path folder; // folder the dialog starts in
    std::string fileName; // proposed file name
};

// Everything the toolkit-free layers say to or ask of the user goes through this port. The Qt
// window implements it; tests use a scripted fake; headless tools use SilentUserInterface.
// Texts are UTF-8, as are paths (kept as the file system spells them); the few pieces of
// message text that appear in them are converted from Windows-1252 first.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A message box with the application's title, or with `title` when one is given.
    virtual Answer message(std::string_view text, Buttons buttons, Icon icon, Answer defaultAnswer,
        std::string_view title = {}) = 0;
    virtual std::optional<std::string> inputBox(
        std::string_view prompt, std::string_view title, std::string_view initial) = 0;
    virtual std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest&) = 0;
    virtual std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest&) = 0;
    virtual void status(std::string_view text) = 0; // the main window's status line
    virtual void busy(bool on) = 0; // hourglass pointer
    virtual void pumpEvents() = 0; // keep the window alive while waiting
    virtual void caption(std::string_view text) = 0; // the main window's caption
};

// For programs without a window: notices go nowhere, questions take their default answer and
// dialogs are cancelled.
class SilentUserInterface : public UserInterface {
public:
    Answer message(std::string_view, Buttons, Icon, Answer defaultAnswer, std::string_view) override
    {
        return defaultAnswer;
    }
    std::optional<std::string> inputBox(
        std::string_view, std::string_view, std::string_view) override
    {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest&) override
    {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest&) override
    {
        return std::nullopt;
    }
    void status(std::string_view) override { }
    void busy(bool) override { }
    void pumpEvents() override { }
    void caption(std::string_view) override { }
};

// Shows the busy pointer and a status text for the life of a long operation, and clears both
// again however the operation ends.
class BusyNotice {
public:
    BusyNotice(UserInterface& ui, std::string_view text)
        : m_ui(ui)
    {
        m_ui.busy(true);
        m_ui.status(text);
    }
    ~BusyNotice()
    {
        m_ui.status("");
        m_ui.busy(false);
    }
    BusyNotice(const BusyNotice&) = delete;
    BusyNotice& operator=(const BusyNotice&) = delete;

private:
    UserInterface& m_ui;
};

} // namespace marquis
