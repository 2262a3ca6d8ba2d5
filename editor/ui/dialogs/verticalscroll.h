#pragma once

#include "model/currentmessage.h"
#include "ports/userinterface.h"
#include "ui/dialogs/repeatcount.h"
#include "ui/dialogs/speedscale.h"

#include <array>
#include <string>
#include <string_view>

namespace marquis {

// The texts of the Vertical scroll dialog (frmWait).
namespace verticalscroll {
inline constexpr std::string_view Caption = "Vertical scroll ";
inline constexpr std::string_view ScrollLabel = "Vertical scroll";
inline constexpr std::string_view OnOption = "On";
inline constexpr std::string_view OffOption = "Off";
inline constexpr std::string_view OptionsFrame = "Options";
inline constexpr std::string_view RepeatOption = "Scroll lines";
inline constexpr std::string_view RepeatLabel = "times.";
inline constexpr std::string_view NonstopOption = "Scroll until next message ";
inline constexpr std::string_view LockCheck = "Scroll line completely";
inline constexpr std::string_view SpeedFrame = "Scroll speed";
inline constexpr std::string_view SpeedNormal = "Speed  normal";
inline constexpr std::string_view OkButton = "&OK";
inline constexpr std::string_view CancelButton = "&Cancel";
inline constexpr std::string_view HelpButton = "&Help";
inline constexpr std::string_view HelpAnchor = "context3900";
// The preview's three pieces, separated by "\par ".
inline constexpr std::string_view Sample =
    "This is sample text\\par for vertical scroll\\par  speed adjustment!";
inline constexpr std::string_view BadCount =
    "You have to enter positive decimal value in Play message times box or choose Play until "
    "next message option.";
inline constexpr std::string_view HorizontalLine =
    "Another line of this message scrolls horizontally. Turn its horizontal scroll off before "
    "you make the whole message scroll vertically.";
} // namespace verticalscroll

// Whether the message is scrolled vertically: the flag set and the current line playing blocks.
bool scrollsVertically(const CurrentMessage& message);
// Whether line `line` scrolls across the display: continuously, or block by block when the
// message's blocks play horizontally.
bool scrollsHorizontally(const CurrentMessage& message, int line);
// A message whose lines play blocks needs a block rate: an empty one becomes NORMAL ("10").
void giveBlocksARate(CurrentMessage& message);

// The controls whose state the dialog decides.
enum class VerticalControl {
    optRepeat,
    txtRepeat,
    lblRepeat,
    optNonstop,
    chkLock,
    hsbRate,
    lblSpeed,
    lblSample,
};

// What OK did.
enum class VerticalOk {
    Refused, // a message told the user why; the dialog stays open and the message is unchanged
    Done, // the message holds the result; the dialog closes
    // The current line holds blocks that Off cannot simply drop: the long-message chooser
    // decides what becomes of them. The message is unchanged; the dialog closes.
    OpenChooser,
};

// frmWait: the whole message as one vertically scrolled line of blocks, at a chosen speed, a
// number of times or until the next message. The constructor is the dialog's load; the
// handlers are its events. Nothing reaches the message before ok() succeeds.
class VerticalScrollDialog {
public:
    VerticalScrollDialog(CurrentMessage& message, UserInterface& ui);

    std::string_view caption() const { return verticalscroll::Caption; }

    // optOn / optOff.
    void chooseOn();
    void chooseOff();
    bool isOn() const { return m_on; }

    // optRepeat / optNonstop.
    void chooseRepeat();
    void chooseNonstop();
    bool repeats() const { return m_repeat; }

    // txtRepeat.
    void setRepeatText(std::string text) { m_repeatText = std::move(text); }
    const std::string& repeatText() const { return m_repeatText; }

    // chkLock.
    void setLock(bool locked) { m_lock = locked; }
    bool locked() const { return m_lock; }

    // The slider moved to `position`.
    void moveSlider(int position);
    int sliderPosition() const { return m_position; }
    const std::string& speedLabel() const { return m_speedLabel; }

    // The preview timer: whether it runs, its interval, and one tick moving the sample up.
    bool timerRunning() const { return m_timerRunning; }
    int tickInterval() const { return m_tickMs; }
    void tick();
    const std::string& topRow() const { return m_rows[0]; }
    const std::string& bottomRow() const { return m_rows[1]; }

    bool enabled(VerticalControl control) const;

    // cmdOk.
    VerticalOk ok();
    // The dialog closes (OK or Cancel): the preview stops.
    void close() { m_timerRunning = false; }

private:
    void enable(VerticalControl control, bool on);

    CurrentMessage& m_message;
    UserInterface& m_ui;
    // Whether the message scrolled vertically when the dialog opened: only then does Off
    // change it.
    bool m_wasVertical = false;

    bool m_on = false;
    bool m_repeat = false;
    std::string m_repeatText;
    bool m_lock = false;
    int m_position = NormalPosition;
    std::string m_speedLabel;

    bool m_timerRunning = false;
    int m_tickMs = 0;
    std::string m_sample;
    std::array<std::string, 2> m_rows;
    std::array<bool, 8> m_enabled {};
};

} // namespace marquis
