#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace qvgauge {

// The dispatch identifiers of the gauge's properties. Hosts bind to these numbers and every
// change notification names one, so they never change. The stock properties carry the numbers
// every control shares.
enum class DispId : int {
    FillValueDefault = 0, // the gauge's default value: FillValue under another number
    MousePointer = 1,
    FontBold = 2,
    FontItalic = 3,
    FontName = 4,
    FontSize = 5,
    FontStrikethru = 6,
    FontUnderline = 7,
    InnerTop = 8,
    InnerLeft = 9,
    InnerRight = 10,
    InnerBottom = 11,
    Min = 12,
    Max = 13,
    FillValue = 14,
    GaugeStyle = 15,
    Autosize = 16,
    Picture = 17,
    PictureFill = 18,
    NeedleWidth = 19,
    ReverseFill = 20,
    ScaleMode = 21,
    BevelStyle = 22,
    BevelSize = 23,
    BevelStyleInner = 24,
    BevelSizeInner = 25,
    FillColor = 26,
    ShadowColor = 27,
    BorderColor = 28,
    LightColor = 29,
    TextColor = 30,
    BorderStyle = 31,
    Alignment = 32,
    FontStyle = 33,
    FontTransparent = 34,
    MultiLine = 35,
    WallPaper = 36,
    FillBarColor = 37,
    MouseIcon = 38,
    // Stock properties.
    BackColor = -501,
    Font = -512,
    ForeColor = -513,
    Enabled = -514,
    Caption = -518,
    Appearance = -520,
};

// The events the gauge fires, by their dispatch identifiers.
enum class EventId : int {
    Change = 1,
    Click = -600,
    DblClick = -601,
    KeyDown = -602,
    KeyPress = -603,
    KeyUp = -604,
    MouseDown = -605,
    MouseMove = -606,
    MouseUp = -607,
};

// How a property's value is held.
enum class PropertyType {
    Short, // a signed 16-bit number
    Bool,
    Color,
    String,
    Single,
    Picture,
    Font,
};

struct PropertyInfo {
    DispId id;
    std::string_view name; // exactly as hosts spell it
    PropertyType type;
};

// Every property of the gauge in the order of its dispatch identifiers, the stock ones last.
std::span<const PropertyInfo> gaugeProperties();

// The entry for `id` (FillValueDefault gives FillValue's), or nothing for an unknown number.
const PropertyInfo* propertyInfo(DispId id);

// The property called exactly `name` (case matters: "Multiline" is not "MultiLine"), or
// nothing. Callers that bind by name check the answer instead of creating a new property.
std::optional<DispId> propertyByName(std::string_view name);

} // namespace qvgauge
