#include "files/preferencesdialog.h"

#include "files/editorprogram.h"

namespace marquis {
namespace {

constexpr int Backspace = 8;
constexpr std::string_view DefaultPlaceholder = "^";
constexpr std::string_view DefaultStartChar = "<";
constexpr std::string_view DefaultStopChar = ">";

std::string_view withoutBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A box's text, or the default when it is empty or blank.
std::string boxOrDefault(std::string_view box, std::string_view fallback)
{
    const std::string_view text = withoutBlanks(box);
    return std::string(text.empty() ? fallback : text);
}

// A character the placeholder box lets through its key filter.
bool isPlaceholder(std::string_view text)
{
    return text.size() == 1 && text[0] != Backspace &&
        acceptsPlaceholderKey(static_cast<unsigned char>(text[0]));
}

std::string replacementQuestion(std::string_view from, std::string_view to)
{
    return "Current variable placeholder " + std::string(from) +
        " will be replaced with the new one " + std::string(to) +
        " only in places which have variable attribute assigned already, i.e. appeared in red "
        "color.";
}

// Writes the message with its current variables and reads it back with the new placeholder:
// the variables' digits take the new character while text typed with it stays text. In Script
// Edit mode the script is what is being edited, so it is left alone; the message still takes
// the new character for when its lines are next read from the script.
bool carryPlaceholder(EditedMessage& edited, const std::string& placeholder)
{
    if (edited.scriptEditMode) {
        edited.message.PlaceholderChar = placeholder;
        return false;
    }
    edited.writer.SubMake(edited.message);
    edited.message.PlaceholderChar = placeholder;
    edited.reader.ReadFields(edited.message);
    return true;
}

// The placeholder part of OK. Returns whether the message was rebuilt.
bool applyPlaceholder(
    std::string_view box, Preferences& preferences, EditedMessage& edited, UserInterface& ui)
{
    const std::string_view typed = withoutBlanks(box);
    const std::string current = preferences.PlaceholderChar;
    if (typed.empty()) {
        if (current == DefaultPlaceholder)
            return false;
        preferences.PlaceholderChar = DefaultPlaceholder;
        return carryPlaceholder(edited, preferences.PlaceholderChar);
    }
    // Text pasted past the key filter (several characters, "." or "#") is not taken.
    if (typed == current || !isPlaceholder(typed))
        return false;
    if (ui.message(replacementQuestion(current, typed), Buttons::OkCancel, Icon::Information,
            Answer::Ok) != Answer::Ok)
        return false;
    preferences.PlaceholderChar = std::string(typed);
    return carryPlaceholder(edited, preferences.PlaceholderChar);
}

} // namespace

PreferencesForm loadPreferencesForm(const Preferences& preferences)
{
    PreferencesForm form;
    form.externalEditor = preferences.EditorType == "1";
    form.editorPath = preferences.EditorPath;
    form.placeholder = preferences.PlaceholderChar;
    form.startChar = preferences.StartChar;
    form.stopChar = preferences.StopChar;
    return form;
}

std::string browseForEditor(UserInterface& ui, std::string_view pathBox)
{
    FileDialogRequest request;
    request.title = preferencesdialog::BrowseTitle;
    request.filter = preferencesdialog::BrowseFilter;
    const std::optional<std::filesystem::path> chosen = ui.openFileDialog(request);
    if (!chosen)
        return std::string(pathBox);
    return chosen->string();
}

bool acceptsDelimiterKey(int code)
{
    return code == Backspace || (code >= 33 && code <= 42) || (code >= 91 && code <= 96) ||
        (code >= 123 && code <= 126) || code == 47 || code == 60 || code == 62 || code == 64;
}

bool acceptsPlaceholderKey(int code)
{
    return code == Backspace || (code >= 33 && code <= 126 && code != '.' && code != '#');
}

PreferencesApplied applyPreferencesForm(
    const PreferencesForm& form, Preferences& preferences, EditedMessage edited, UserInterface& ui)
{
    PreferencesApplied applied;
    // An external editor that cannot be started would leave the message no way out of the
    // editor's run; the dialog stays open until the path names a program.
    if (form.externalEditor) {
        std::string problem;
        if (findEditorProgram(form.editorPath, problem).empty()) {
            ui.message(problem, Buttons::Ok, Icon::Exclamation, Answer::Ok);
            applied.accepted = false;
            return applied;
        }
    }
    preferences.EditorType = form.externalEditor ? "1" : "";
    preferences.EditorPath = form.editorPath;
    applied.messageRebuilt = applyPlaceholder(form.placeholder, preferences, edited, ui);
    preferences.StartChar = boxOrDefault(form.startChar, DefaultStartChar);
    preferences.StopChar = boxOrDefault(form.stopChar, DefaultStopChar);
    applied.refreshDisplay = true;
    return applied;
}

} // namespace marquis
