#pragma once

#include "model/currentmessage.h"
#include "model/linedocument.h"
#include "ui/dialogs/speedscale.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace marquis {

// The texts of the Blink dialog (frmBlink).
namespace blinkdialog {
inline constexpr std::string_view CaptionPrefix = "Blink on line ";
inline constexpr std::string_view OnOption = "On";
inline constexpr std::string_view OffOption = "Off";
inline constexpr std::string_view AreaFrame = "Blink area";
inline constexpr std::string_view SectionOnButton = "O&n";
inline constexpr std::string_view SectionOffButton = "O&ff";
inline constexpr std::string_view ClearButton = "Clea&r";
inline constexpr std::string_view LineFrame = "Blink line";
inline constexpr std::string_view BlockFrame = "Blink block";
inline constexpr std::string_view AllOnButton = "On";
inline constexpr std::string_view AllOffButton = "Off";
inline constexpr std::string_view BlinkLabel = "Blink";
inline constexpr std::string_view RateLabel = "Blink rate:";
inline constexpr std::string_view OkButton = "&OK";
inline constexpr std::string_view CancelButton = "&Cancel";
inline constexpr std::string_view HelpButton = "&Help";
inline constexpr std::string_view HelpAnchor = "context2700";
// What the editor holds for a line without text.
inline constexpr std::string_view EmptyLine = "\\sb90\\sa90 \\f0 \\cf0";
} // namespace blinkdialog

// The font a character takes when it is made blinking or steady: plain text 0 and 65, a
// variable N and N + 16. Other fonts stay as they are.
long long blinkingFont(long long font);
long long steadyFont(long long font);

// How the editor shows the line: one row of up to 20 characters, one long row scrolled
// sideways, or one block at a time.
enum class BlinkEditorView { SingleRow, LongRow, Blocks };

// The controls whose state the dialog decides.
enum class BlinkControl {
    txtEdit,
    cmdSecOn,
    cmdSecOff,
    cmdAllOn,
    cmdAllOff,
    hsbBlink,
    lblRate,
    lblBlink,
};

// Whether the highlighted characters blink.
enum class BlinkState { Off, On, Mixed };

// The Blink dialog: which characters of the current line blink and how fast. The dialog's
// editor holds the line as blocks and runs; a character blinks when its font says so (65, or a
// blinking variable) and is highlighted when it lies in the section the user last selected.
// Nothing reaches the message before ok().
class BlinkDialog {
public:
    // Loads the current line of `message`.
    explicit BlinkDialog(CurrentMessage& message);

    std::string caption() const;
    std::string_view lineFrameCaption() const;
    BlinkEditorView editorView() const { return m_view; }
    bool blockLine() const { return m_blockLine; }

    // The line as the editor shows it.
    const LineDocument& document() const { return m_document; }
    // The highlighted section; empty when there is none.
    CharacterSpan highlight() const { return m_highlight; }
    // The editor's selection as the dialog last set or saw it.
    CharacterSpan selection() const { return m_selection; }
    bool blinking(std::size_t index) const;

    // The first time the dialog is shown: "On" when the line has a blink attribute, with the
    // slider at its rate; "Off" otherwise. Later calls do nothing.
    void activate();

    // optOn / optOff.
    void chooseOn();
    void chooseOff();
    bool isOn() const { return m_on; }

    // The slider moved to `position`.
    void moveSlider(int position);
    int sliderPosition() const { return m_position; }
    std::string_view speedWord() const { return m_speedWord; }

    // The preview timer: whether it runs, its interval, and one tick.
    bool timerRunning() const { return m_timerRunning; }
    int tickInterval() const { return m_tickMs; }
    void tick();
    // What lblBlink shows now (the speed word in one phase, nothing in the other).
    const std::string& blinkLabel() const { return m_blinkLabel; }

    bool enabled(BlinkControl control) const;

    // The user selected `selection` in the editor (empty: the caret only), with the caret in
    // block `caretBlock`. A non-empty selection becomes the highlighted section.
    void select(CharacterSpan selection, std::size_t caretBlock);
    // A double-click on the character at `index`: its word, bounded by blanks, block ends and
    // changes of font, is selected.
    void selectWordAt(std::size_t index);
    // The word a double-click at `index` selects; empty on a blank or past the end.
    CharacterSpan wordAt(std::size_t index) const;

    void sectionOn(); // cmdSecOn
    void sectionOff(); // cmdSecOff
    void allOn(); // cmdAllOn
    void allOff(); // cmdAllOff
    void clear(); // cmdClear

    // cmdOk: writes the line and the blink attributes into the message.
    void ok();

private:
    // Makes the characters of `span` blinking or steady; a variable is changed whole, so that
    // it stays one field.
    void setBlink(CharacterSpan span, bool on);
    void clearHighlight();
    BlinkState highlightState() const;
    // cmdAllOn / cmdAllOff: the caret's block from its first non-blank character for a block
    // line, else the whole line.
    CharacterSpan allTarget() const;
    void applySpeed();
    void enableEditing(bool enabled);

    CurrentMessage& m_message;
    int m_line;
    LineDocument m_document;
    bool m_blockLine = false;
    BlinkEditorView m_view = BlinkEditorView::SingleRow;
    CharacterSpan m_highlight;
    CharacterSpan m_selection;
    std::size_t m_caretBlock = 0;

    bool m_activated = false;
    bool m_on = false;
    int m_position = NormalPosition;
    std::string_view m_speedWord;
    bool m_timerRunning = false;
    int m_tickMs = 0;
    bool m_phase = false;
    std::string m_blinkLabel;
    std::array<bool, 8> m_enabled {};
};

} // namespace marquis
