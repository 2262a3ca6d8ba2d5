#include "support/fakeuserinterface.h"

namespace marquis::testing {

Answer FakeUserInterface::message(
    std::string_view text, Buttons buttons, Icon icon, Answer defaultAnswer, std::string_view title)
{
    messages.push_back({ std::string(text), buttons, icon, defaultAnswer, std::string(title) });
    if (answers.empty())
        return defaultAnswer;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> FakeUserInterface::inputBox(
    std::string_view, std::string_view, std::string_view initial)
{
    if (inputs.empty())
        return std::string(initial);
    auto input = inputs.front();
    inputs.pop_front();
    return input;
}

std::optional<std::filesystem::path> FakeUserInterface::openFileDialog(
    const FileDialogRequest& request)
{
    fileDialogs.push_back(request);
    if (files.empty())
        return std::nullopt;
    auto file = files.front();
    files.pop_front();
    return file;
}

std::optional<std::filesystem::path> FakeUserInterface::saveFileDialog(
    const FileDialogRequest& request)
{
    return openFileDialog(request);
}

void FakeUserInterface::status(std::string_view text)
{
    statuses.emplace_back(text);
}
void FakeUserInterface::busy(bool on)
{
    busyChanges.push_back(on);
}
void FakeUserInterface::pumpEvents()
{
    ++pumps;
    if (onPump)
        onPump();
}
void FakeUserInterface::caption(std::string_view text)
{
    captions.emplace_back(text);
}

std::vector<std::string> FakeUserInterface::messageTexts() const
{
    std::vector<std::string> texts;
    for (const Message& m : messages)
        texts.push_back(m.text);
    return texts;
}

} // namespace marquis::testing
